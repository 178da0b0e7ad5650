#include "gamedata/level_origin.h"

#include <cctype>
#include <cstdio>

std::string level_origin_text(const LevelOrigin& origin) {
  if (!origin.lvl_file.empty()) {
    const size_t slash = origin.lvl_file.find_last_of("/\\");
    std::string name = slash == std::string::npos ? origin.lvl_file : origin.lvl_file.substr(slash + 1);
    for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return name;
  }
  char number[8];
  std::snprintf(number, sizeof number, "%02X", origin.number);
  switch (origin.source) {
    case LevelSource::RomMap: return std::string("ROM MAP ") + number;
    case LevelSource::ProjectLevel: return std::string("PROJECT LEVEL ") + number;
    default: return "";
  }
}
