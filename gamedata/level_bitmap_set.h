// The display bitmaps of one level, as one value: the level in memory has one instance
// (gamedata/level_bitmaps.h), and the loads build another before they swap it in. Empty
// slots hold no bitmap and draw as transparent.
#pragma once
#include <array>
#include <cstdint>
#include <vector>

#include "files/level_records.h"
#include "gamedata/bitmap.h"

constexpr int THUMBNAIL_SIZE = 64;
constexpr int BLOCK_TYPE_ICON_COUNT = 10;

struct LevelBitmaps {
  std::array<BitmapPtr, BLOCK_SLOTS> block_bitmaps;   // 16x16, block numbering 0..23 common, 24 + i level
  std::array<BitmapPtr, CHUNK_SLOTS> chunk_bitmaps;   // (16 * width) x (16 * height); none for empty chunks
  std::vector<BitmapPtr> chunk_thumbnails;            // 64x64, one per chunk
  int32_t chunk_thumbnail_count = 0;
  std::array<BitmapPtr, PICKUP_TYPE_COUNT> pickup_icons;
  std::array<BitmapPtr, BLOCK_TYPE_ICON_COUNT> block_type_icons;
  std::array<BitmapPtr, 2> block_type_large_icons;    // 32x32
  std::array<BitmapPtr, 3> large_object_frames;       // 32x40
  std::array<BitmapPtr, 3> marker_icons_normal;
  std::array<BitmapPtr, 3> marker_icons_secret;
  std::array<BitmapPtr, 3> marker_icons_tunnel;
};
