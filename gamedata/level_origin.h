// Where a level came from, as the status bar names it.
#pragma once
#include <string>

#include "files/level_source.h"

// As the status bar names it: the .lvl file's name in capitals when the front plane came
// from one, else "ROM MAP 0A" or "PROJECT LEVEL 03"; "" before a load.
std::string level_origin_text(const LevelOrigin& origin);
