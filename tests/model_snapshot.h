// Snapshots of everything a refused read must leave alone: the whole level model with its
// display bitmaps and remembered file names, and the project tables.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "files/project_files.h"
#include "gamedata/level_state.h"

struct LevelSnapshot {
  LevelModel model;
  std::vector<const void*> bitmaps;  // every display bitmap, by identity
  uint64_t pixel_hash = 0;           // and by content
  int32_t thumbnail_count = 0;
  std::string level_file, chunkmap_file;
  int mode = 0;  // editor_mode

  static LevelSnapshot take();
};

// The first part in which two snapshots differ ("" when they are equal).
std::string difference(const LevelSnapshot& a, const LevelSnapshot& b);
std::string difference(const ProjectTables& a, const ProjectTables& b);
