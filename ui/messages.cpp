#include "ui/messages.h"

#include <allegro.h>

#include <cstdio>

static MessageSink sink = MessageSink::Window;

void set_message_sink(MessageSink s) { sink = s; }
MessageSink message_sink() { return sink; }

std::vector<std::string>& captured_messages() {
  static std::vector<std::string> messages;
  return messages;
}

static void deliver(const std::string& text, FILE* batch_stream) {
  switch (sink) {
    case MessageSink::Window:
      allegro_message("%s", text.c_str());
      break;
    case MessageSink::Batch:
      std::fprintf(batch_stream, "%s\n", text.c_str());
      std::fflush(batch_stream);
      break;
    case MessageSink::Capture:
      captured_messages().push_back(text);
      break;
  }
}

void report_error(const std::string& text) { deliver(text, stderr); }
void show_message(const std::string& text) { deliver(text, stdout); }
