// The display bitmaps built from the level's records (derived data, rebuilt by every
// import and after chunk edits). Empty slots hold no bitmap and draw as transparent.
#pragma once
#include <array>
#include <cstdint>
#include <vector>

#include "files/level_records.h"
#include "gamedata/bitmap.h"
#include "gamedata/level_bitmap_set.h"

extern LevelBitmaps level_bitmaps;

extern std::array<BitmapPtr, BLOCK_SLOTS>& block_bitmaps;
extern std::array<BitmapPtr, CHUNK_SLOTS>& chunk_bitmaps;
extern std::vector<BitmapPtr>& chunk_thumbnails;
extern int32_t& chunk_thumbnail_count;
extern std::array<BitmapPtr, PICKUP_TYPE_COUNT>& pickup_icons;
extern std::array<BitmapPtr, BLOCK_TYPE_ICON_COUNT>& block_type_icons;
extern std::array<BitmapPtr, 2>& block_type_large_icons;
extern std::array<BitmapPtr, 3>& large_object_frames;
extern std::array<BitmapPtr, 3>& marker_icons_normal;
extern std::array<BitmapPtr, 3>& marker_icons_secret;
extern std::array<BitmapPtr, 3>& marker_icons_tunnel;

// Counts rebuilds of block_bitmaps, so drawing caches know when to refresh.
extern uint32_t block_bitmaps_generation;

// Destroys every display bitmap (shut-down).
void release_level_bitmaps();
