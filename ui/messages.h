// Messages to the user: a message box in the window, a line on stderr/stdout in batch mode.
#pragma once
#include <string>
#include <vector>

#include "files/format_text.h"  // the callers word their messages with it

enum class MessageSink { Window, Batch, Capture };
void set_message_sink(MessageSink sink);
MessageSink message_sink();

// An "ERROR: ..." text (window: message box; batch: stderr).
void report_error(const std::string& text);
// Any other message shown to the user (window: message box; batch: stdout).
void show_message(const std::string& text);

// Messages kept while the sink is Capture (tests read and clear them).
std::vector<std::string>& captured_messages();
