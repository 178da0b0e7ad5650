// Builds the display bitmaps of a whole level from its records.
#pragma once
#include "gamedata/level_bitmap_set.h"
#include "gamedata/level_data.h"

// Common blocks 0..23 and level blocks 24 + i, drawn with all four palette lines.
void build_block_bitmaps(const LevelModel& model, LevelBitmaps& bitmaps);
// The 58 pickup icons, then the moon over block 1 and pickup icon 29.
void build_pickup_icons(const LevelModel& model, LevelBitmaps& bitmaps);
// Copies the four moon patterns over the top-left 16x16 pixels of target, mask colour included.
void draw_moon_overlay(BITMAP* target, const LevelModel& model);
// Block-object icons, large-object frames and the three marker icon sets.
void build_block_type_icons(const LevelModel& model, LevelBitmaps& bitmaps);
void build_large_object_frames(const LevelModel& model, LevelBitmaps& bitmaps);
void build_marker_icons(const LevelModel& model, LevelBitmaps& bitmaps);
