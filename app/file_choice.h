// The file selector as the commands open it.
#pragma once
#include <functional>
#include <string>

// When set, open_file_selector calls it instead of opening the dialog (tests).
extern std::function<bool(const char* title, const char* extensions, std::string& path)> file_selector_hook;

// Opens the selector (ui/file_selector.h) with a title and an extension filter; true when a
// file was chosen (path holds it), false when cancelled (path as the selector left it).
bool open_file_selector(const char* title, const char* extensions, std::string& path, int path_size);
