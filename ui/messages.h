// Messages to the user: a message box in the window, a line on stderr/stdout in batch mode.
#pragma once
#include <string>
#include <vector>

enum class MessageSink { Window, Batch, Capture };
void set_message_sink(MessageSink sink);
MessageSink message_sink();

// An "ERROR: ..." text (window: message box; batch: stderr).
void report_error(const std::string& text);
// Any other message shown to the user (window: message box; batch: stdout).
void show_message(const std::string& text);
// printf-style formatting for the callers above.
std::string format_text(const char* fmt, ...) __attribute__((format(printf, 1, 2)));

// Messages kept while the sink is Capture (tests read and clear them).
std::vector<std::string>& captured_messages();
