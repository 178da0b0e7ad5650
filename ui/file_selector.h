// The file selector dialog (Allegro's file_select_ex).
#pragma once
#include <string>

// Opens the selector with a title and an extension filter; path holds the result as the
// selector leaves it (cancelling leaves it as it was), at most path_size characters. Returns true
// when a file was chosen.
bool select_file(const char* title, const char* extensions, std::string& path, int path_size = 480);
