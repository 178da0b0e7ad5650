// Where the level being edited came from, as the editors' status bar names it. Set by
// the ROM import, the project level load and the .lvl load when they succeed.
#pragma once
#include <cstdint>
#include <string>

struct LevelOrigin {
  enum Kind : uint8_t { NONE, ROM_MAP, PROJECT_LEVEL, LEVEL_FILE };
  Kind kind = NONE;
  uint8_t number = 0;  // map or project level number
  std::string file;    // the .lvl file
};

extern LevelOrigin level_origin;

// "ROM MAP 0A", "PROJECT LEVEL 03", the .lvl file's name in capitals, or "" before a load.
std::string level_origin_text(const LevelOrigin& origin);
