#include "gamedata/level_origin.h"

#include <cctype>
#include <cstdio>

LevelOrigin level_origin;

std::string level_origin_text(const LevelOrigin& origin) {
  char number[8];
  std::snprintf(number, sizeof number, "%02X", origin.number);
  switch (origin.kind) {
    case LevelOrigin::ROM_MAP: return std::string("ROM MAP ") + number;
    case LevelOrigin::PROJECT_LEVEL: return std::string("PROJECT LEVEL ") + number;
    case LevelOrigin::LEVEL_FILE: {
      const size_t slash = origin.file.find_last_of("/\\");
      std::string name = slash == std::string::npos ? origin.file : origin.file.substr(slash + 1);
      for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
      return name;
    }
    default: return "";
  }
}
