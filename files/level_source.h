// Where the level being edited came from, so that it can be loaded again the same way:
// a map of the ROM image or a level of a project, then the .lvl / .itm files loaded over it.
// Plain data: the recovery snapshot records it.
#pragma once
#include <cstdint>
#include <string>

enum class LevelSource : uint8_t { None, RomMap, ProjectLevel };

struct LevelOrigin {
  LevelSource source = LevelSource::None;
  uint8_t number = 0;        // map number of the ROM image, or level number of the project
  std::string project_file;  // ProjectLevel: the .glp file the level was loaded from
  std::string lvl_file;      // a .lvl file front_layout was loaded from after that, else empty
  std::string itm_file;      // a .itm file chunkmap was loaded from after that, else empty
  bool operator==(const LevelOrigin& o) const {
    return source == o.source && number == o.number && project_file == o.project_file && lvl_file == o.lvl_file &&
           itm_file == o.itm_file;
  }
};
