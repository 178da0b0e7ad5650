// File names as the editor's questions show them in its bitmap font.
#pragma once
#include <string>
#include <vector>

// Relative to the working folder when the file lies below it, in capitals: the font has
// no lower case (its lower-case glyphs are the key ink), so a name is one ink throughout.
std::string shown_file_name(const std::string& path);
// Names one after the other, parted by ", ".
std::string joined_names(const std::vector<std::string>& names);
