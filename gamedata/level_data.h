// Every record of one level, as one value: the level in memory is one instance
// (gamedata/level_model.h), and the loads build another before they swap it in.
#pragma once
#include <cstdint>
#include <vector>

#include "files/level_records.h"

struct LevelModel {
  MapHeader map_header;
  LayoutPlane front_layout;
  LayoutPlane back_layout;
  ChunkMap chunkmap;
  Palettes palettes{};
  PatternSet level_patterns;
  PatternSet common_patterns;
  PatternSet moon_patterns;
  PatternSet pickup_patterns;
  PatternSet block_type_patterns;
  PatternSet large_object_patterns;
  PatternSet marker_patterns;
  BlockMap common_blockmap;
  BlockMap level_blockmap;
  std::vector<Marker> markers;
  int32_t marker_count = 0;
  std::vector<BlockType> block_types;
  int32_t block_type_count = 0;
};
