// The origin of the level in memory, kept up to date by the imports and loads.
#pragma once
#include <string>

#include "files/level_source.h"

extern LevelOrigin level_origin;

// As the status bar names it: the .lvl file's name in capitals when the front plane came
// from one, else "ROM MAP 0A" or "PROJECT LEVEL 03"; "" before a load.
std::string level_origin_text(const LevelOrigin& origin);
