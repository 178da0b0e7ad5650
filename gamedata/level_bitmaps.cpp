#include "gamedata/level_bitmaps.h"

LevelBitmaps level_bitmaps;

std::array<BitmapPtr, BLOCK_SLOTS>& block_bitmaps = level_bitmaps.block_bitmaps;
std::array<BitmapPtr, CHUNK_SLOTS>& chunk_bitmaps = level_bitmaps.chunk_bitmaps;
std::vector<BitmapPtr>& chunk_thumbnails = level_bitmaps.chunk_thumbnails;
int32_t& chunk_thumbnail_count = level_bitmaps.chunk_thumbnail_count;
std::array<BitmapPtr, PICKUP_TYPE_COUNT>& pickup_icons = level_bitmaps.pickup_icons;
std::array<BitmapPtr, BLOCK_TYPE_ICON_COUNT>& block_type_icons = level_bitmaps.block_type_icons;
std::array<BitmapPtr, 2>& block_type_large_icons = level_bitmaps.block_type_large_icons;
std::array<BitmapPtr, 3>& large_object_frames = level_bitmaps.large_object_frames;
std::array<BitmapPtr, 3>& marker_icons_normal = level_bitmaps.marker_icons_normal;
std::array<BitmapPtr, 3>& marker_icons_secret = level_bitmaps.marker_icons_secret;
std::array<BitmapPtr, 3>& marker_icons_tunnel = level_bitmaps.marker_icons_tunnel;

uint32_t block_bitmaps_generation = 0;

void release_level_bitmaps() {
  for (BitmapPtr& b : block_bitmaps) b.reset();
  for (BitmapPtr& b : chunk_bitmaps) b.reset();
  chunk_thumbnails.clear();
  chunk_thumbnail_count = 0;
  for (BitmapPtr& b : pickup_icons) b.reset();
  for (BitmapPtr& b : block_type_icons) b.reset();
  for (BitmapPtr& b : block_type_large_icons) b.reset();
  for (auto* set : {&large_object_frames, &marker_icons_normal, &marker_icons_secret, &marker_icons_tunnel})
    for (BitmapPtr& b : *set) b.reset();
  ++block_bitmaps_generation;
}
