#include "gamedata/level_graphics.h"

#include "gamedata/pattern_graphics.h"

void build_block_bitmaps(const LevelModel& model, LevelBitmaps& bitmaps) {
  for (BitmapPtr& b : bitmaps.block_bitmaps) b.reset();
  auto build = [&](int slot, const BlockMapping& mapping, const PatternSet& patterns) {
    if (slot >= BLOCK_SLOTS) return;
    bitmaps.block_bitmaps[slot] = make_bitmap(16, 16);
    if (bitmaps.block_bitmaps[slot]) render_block(bitmaps.block_bitmaps[slot].get(), mapping, patterns, model.palettes);
  };
  for (int i = 0; i < COMMON_BLOCK_COUNT && i < model.common_blockmap.count; ++i)
    build(i, model.common_blockmap.mappings[i], model.common_patterns);
  for (int i = 0; i < model.level_blockmap.count; ++i)
    build(COMMON_BLOCK_COUNT + i, model.level_blockmap.mappings[i], model.level_patterns);
}

void draw_moon_overlay(BITMAP* target, const LevelModel& model) {
  if (!target || target->w < 16 || target->h < 16) return;
  for (int k = 0; k < 4; ++k)
    draw_pattern(target, 8 * (k / 2), 8 * (k % 2), model.moon_patterns.pattern(k), model.palettes, 0);
}

void build_pickup_icons(const LevelModel& model, LevelBitmaps& bitmaps) {
  for (int i = 0; i < PICKUP_TYPE_COUNT; ++i)
    bitmaps.pickup_icons[i] = build_pattern_grid(model.pickup_patterns, 4 * i, 2, 2, 0, model.palettes);
  draw_moon_overlay(bitmaps.block_bitmaps[1].get(), model);
  draw_moon_overlay(bitmaps.pickup_icons[29].get(), model);
}

void build_block_type_icons(const LevelModel& model, LevelBitmaps& bitmaps) {
  for (int i = 0; i < BLOCK_TYPE_ICON_COUNT; ++i)
    bitmaps.block_type_icons[i] = build_pattern_grid(model.block_type_patterns, 4 * i, 2, 2, 0, model.palettes);
  bitmaps.block_type_large_icons[0] = build_pattern_grid(model.block_type_patterns, 40, 4, 4, 0, model.palettes);
  bitmaps.block_type_large_icons[1] = build_pattern_grid(model.block_type_patterns, 56, 4, 4, 0, model.palettes);
}

void build_large_object_frames(const LevelModel& model, LevelBitmaps& bitmaps) {
  for (int f = 0; f < 3; ++f) {
    BitmapPtr frame = make_bitmap(32, 40);
    BitmapPtr body = build_sprite_bitmap(model.large_object_patterns, 20 * f, 4, 0, model.palettes);
    BitmapPtr foot = build_sprite_bitmap(model.large_object_patterns, 20 * f + 16, 1, 0, model.palettes);
    if (frame && body) blit(body.get(), frame.get(), 0, 0, 0, 0, 32, 32);
    if (frame && foot) blit(foot.get(), frame.get(), 0, 0, 0, 32, 32, 8);
    bitmaps.large_object_frames[f] = std::move(frame);
  }
}

void build_marker_icons(const LevelModel& model, LevelBitmaps& bitmaps) {
  bitmaps.marker_icons_normal = build_icon_frames(model.marker_patterns, 0, 0, model.palettes);
  bitmaps.marker_icons_secret = build_icon_frames(model.marker_patterns, 30, 2, model.palettes);
  bitmaps.marker_icons_tunnel = build_icon_frames(model.marker_patterns, 114, 1, model.palettes);
}
