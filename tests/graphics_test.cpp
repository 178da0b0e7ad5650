#include <gtest/gtest.h>

#include <memory>

#include "gamedata/chunk_graphics.h"
#include "gamedata/level_state.h"
#include "gamedata/level_graphics.h"
#include "gamedata/pattern_graphics.h"
#include "test_support.h"

namespace {

// Palettes where colour i of line L is (16 * i + L, 8 * i, 255 - i) as a hardware-free test value.
Palettes test_palettes() {
  Palettes p{};
  for (int line = 0; line < 4; ++line)
    for (int i = 0; i < 16; ++i) p[line][i] = PaletteColor{uint8_t(16 * i + line), uint8_t(8 * i), uint8_t(255 - i), 0};
  return p;
}

uint32_t colour(const Palettes& p, int line, int i) { return palette_pixel(p, line, i); }

// A set of n patterns; pattern k has pixel (x, y) = (x + y + k) % 16.
PatternSet counting_patterns(int n) {
  PatternSet s;
  s.count = static_cast<int16_t>(n);
  s.pixels.resize(64 * n);
  for (int k = 0; k < n; ++k)
    for (int y = 0; y < 8; ++y)
      for (int x = 0; x < 8; ++x) s.pixels[64 * k + 8 * y + x] = static_cast<uint8_t>((x + 2 * y + k) % 16);
  return s;
}

uint32_t at(BITMAP* b, int x, int y) { return reinterpret_cast<uint32_t*>(b->line[y])[x]; }

}  // namespace

TEST(Graphics, IconSetsAreBuiltColumnByColumnWithTheMoon) {
  headless_screen();
  LevelModel model;
  model.palettes = test_palettes();
  model.pickup_patterns = counting_patterns(232);
  model.moon_patterns = counting_patterns(4);
  for (uint8_t& v : model.moon_patterns.pixels) v = static_cast<uint8_t>(v == 0 ? 0 : 15 - (v % 8));
  model.common_patterns = counting_patterns(8);
  model.common_blockmap.count = 24;
  model.common_blockmap.mappings.resize(24);
  model.marker_patterns = counting_patterns(126);
  model.block_type_patterns = counting_patterns(72);
  model.large_object_patterns = counting_patterns(60);
  LevelBitmaps bitmaps;
  build_block_bitmaps(model, bitmaps);
  build_pickup_icons(model, bitmaps);
  build_block_type_icons(model, bitmaps);
  build_large_object_frames(model, bitmaps);
  build_marker_icons(model, bitmaps);

  auto pattern_pixel = [&](const PatternSet& s, int n, int line, int x, int y) {
    return colour(model.palettes, line, s.pixels[64 * n + 8 * y + x]);
  };
  // Pickup icon 3: patterns 12 (top-left), 13 (bottom-left), 14 (top-right), 15 (bottom-right).
  BITMAP* icon = bitmaps.pickup_icons[3].get();
  EXPECT_EQ(at(icon, 1, 0), pattern_pixel(model.pickup_patterns, 12, 0, 1, 0));
  EXPECT_EQ(at(icon, 2, 9), pattern_pixel(model.pickup_patterns, 13, 0, 2, 1));
  EXPECT_EQ(at(icon, 9, 3), pattern_pixel(model.pickup_patterns, 14, 0, 1, 3));
  EXPECT_EQ(at(icon, 13, 12), pattern_pixel(model.pickup_patterns, 15, 0, 5, 4));
  // The moon replaces block 1 and pickup icon 29, in the same column order, mask included.
  for (BITMAP* b : {bitmaps.block_bitmaps[1].get(), bitmaps.pickup_icons[29].get()})
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 16; ++x) {
        const int k = (x / 8) * 2 + y / 8;
        ASSERT_EQ(at(b, x, y), pattern_pixel(model.moon_patterns, k, 0, x % 8, y % 8)) << x << "," << y;
      }
  EXPECT_NE(at(bitmaps.pickup_icons[28].get(), 1, 0), pattern_pixel(model.moon_patterns, 0, 0, 1, 0));
  // Block-object icons and the large 4x4 icons.
  EXPECT_EQ(at(bitmaps.block_type_icons[9].get(), 8, 8), pattern_pixel(model.block_type_patterns, 39, 0, 0, 0));
  EXPECT_EQ(at(bitmaps.block_type_large_icons[1].get(), 25, 17), pattern_pixel(model.block_type_patterns, 56 + 14, 0, 1, 1));
  // Large-object frame 2: rows of 4 patterns from 40, then a row from 56 at y 32.
  BITMAP* frame = bitmaps.large_object_frames[2].get();
  ASSERT_EQ(frame->w, 32);
  ASSERT_EQ(frame->h, 40);
  EXPECT_EQ(at(frame, 9, 26), pattern_pixel(model.large_object_patterns, 40 + 4 + 3, 0, 1, 2));
  EXPECT_EQ(at(frame, 17, 33), pattern_pixel(model.large_object_patterns, 56 + 2, 0, 1, 1));
  // Marker sets: frame f from p + 4f, with their palette lines.
  EXPECT_EQ(at(bitmaps.marker_icons_secret[1].get(), 8, 0), pattern_pixel(model.marker_patterns, 36, 2, 0, 0));
  EXPECT_EQ(at(bitmaps.marker_icons_tunnel[2].get(), 3, 12), pattern_pixel(model.marker_patterns, 123, 1, 3, 4));
  EXPECT_EQ(at(bitmaps.marker_icons_normal[0].get(), 4, 4), pattern_pixel(model.marker_patterns, 0, 0, 4, 4));
}

// One block picture per mapping the block maps count (the common map gives blocks 0..23, the
// level map 24 on).
TEST(Graphics, BlockBitmapsFollowTheCounts) {
  auto model = std::make_unique<LevelModel>();
  model->common_blockmap.count = 3;
  model->common_blockmap.mappings.resize(4);
  model->level_blockmap.count = 2;
  model->level_blockmap.mappings.resize(3);
  auto bitmaps = std::make_unique<LevelBitmaps>();
  build_block_bitmaps(*model, *bitmaps);
  for (int i = 0; i < 30; ++i) EXPECT_EQ(bitmaps->block_bitmaps[i] != nullptr, i < 3 || (i >= 24 && i < 26)) << i;
}
