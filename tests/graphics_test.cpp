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

TEST(Graphics, PaletteWordsAndPatternUnpacking) {
  const PaletteColor c = colour_from_word(0x0E4A);  // B=7, G=2, R=5
  EXPECT_EQ(c.red, 160);
  EXPECT_EQ(c.green, 64);
  EXPECT_EQ(c.blue, 224);
  uint8_t packed[64];
  for (int i = 0; i < 64; ++i) packed[i] = static_cast<uint8_t>(i * 7);
  PatternSet s = unpack_patterns(packed, 2);
  ASSERT_EQ(s.count, 2);
  ASSERT_EQ(s.pixels.size(), 128u);
  EXPECT_EQ(s.pixels[2], 0);  // 7 = 0x07: high nibble first
  EXPECT_EQ(s.pixels[3], 7);
  EXPECT_EQ(s.pixels[126], ((63 * 7) & 0xFF) >> 4);
  EXPECT_EQ(s.pattern(2), nullptr);
}

TEST(Graphics, BlockFlipsPaletteLinesAndMissingPatterns) {
  headless_screen();
  const Palettes pal = test_palettes();
  const PatternSet set = counting_patterns(4);
  BlockMapping m;
  m.words = {uint16_t(0 | 0x2000), uint16_t(1 | 0x1800 | 0x4000), uint16_t(2 | 0x8000), uint16_t(9 | 0x6000)};
  BitmapPtr b = make_bitmap(16, 16);
  render_block(b.get(), m, set, pal);
  // Top-left: pattern 0, line 1, unflipped; index 0 is the mask colour with alpha 0.
  EXPECT_EQ(at(b.get(), 0, 0), MASK_COLOUR);
  EXPECT_EQ(at(b.get(), 3, 2), colour(pal, 1, 7));
  // Top-right: both flips turn pattern 1 by 180 degrees; line 2.
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) {
      const int index = ((7 - x) + 2 * (7 - y) + 1) % 16;
      ASSERT_EQ(at(b.get(), 8 + x, y), colour(pal, 2, index)) << x << "," << y;
    }
  // Bottom-left: the priority bit is ignored.
  EXPECT_EQ(at(b.get(), 1, 8), colour(pal, 0, 3));
  // Bottom-right: pattern 9 is beyond the set's 4 patterns and draws transparent.
  for (int y = 8; y < 16; ++y)
    for (int x = 8; x < 16; ++x) ASSERT_EQ(at(b.get(), x, y), MASK_COLOUR);
}

TEST(Graphics, ChunkImagesFlipEmptyAndMissingBlocks) {
  headless_screen();
  std::array<BitmapPtr, BLOCK_SLOTS> blocks;
  blocks[5] = make_bitmap(16, 16);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) put_pixel32(blocks[5].get(), x, y, 0xFF000000u | uint32_t(y << 8 | x));
  blocks[0] = make_bitmap(16, 16);
  clear_to_color(blocks[0].get(), 0xFF123456u);

  Chunk one;
  one.width = one.height = 1;
  one.cells[0] = 5 | CELL_VFLIP | 0x0E00;  // bits 9-11 are not drawn
  BitmapPtr img = render_chunk_bitmap(one, blocks);
  ASSERT_TRUE(img);
  ASSERT_EQ(img->w, 16);
  ASSERT_EQ(img->h, 16);
  for (int y = 0; y < 16; ++y) ASSERT_EQ(at(img.get(), 3, y), 0xFF000000u | uint32_t((15 - y) << 8 | 3));

  Chunk empty;
  empty.width = 0;
  empty.height = 4;
  EXPECT_FALSE(render_chunk_bitmap(empty, blocks));
  empty.width = -3;
  EXPECT_FALSE(render_chunk_bitmap(empty, blocks));

  // Block 0 is copied like any block; block 7 has no bitmap and is transparent.
  Chunk two;
  two.width = 2;
  two.height = 1;
  two.cells[0] = 0;
  two.cells[1] = 7;
  img = render_chunk_bitmap(two, blocks);
  ASSERT_EQ(img->w, 32);
  EXPECT_EQ(at(img.get(), 0, 0), 0xFF123456u);
  EXPECT_EQ(at(img.get(), 20, 9), MASK_COLOUR);
}

TEST(Graphics, ThumbnailShrinksCentresAndNeverEnlarges) {
  headless_screen();
  BitmapPtr thumb = make_bitmap(64, 64);
  // 256x256: a 63x63 area, the last row and column left cleared to 0.
  BitmapPtr big = make_bitmap(256, 256);
  for (int y = 0; y < 256; ++y)
    for (int x = 0; x < 256; ++x) put_pixel32(big.get(), x, y, 0xFF000000u | uint32_t(x << 16 | y));
  clear_to_color(thumb.get(), 0xFFFFFFFFu);
  make_chunk_thumbnail(big.get(), thumb.get(), 64);
  EXPECT_EQ(at(thumb.get(), 0, 0), 0xFF000000u);
  EXPECT_EQ(at(thumb.get(), 1, 2), 0xFF000000u | (4u << 16) | 8u);
  EXPECT_EQ(at(thumb.get(), 62, 62), 0xFF000000u | (248u << 16) | 248u);
  for (int i = 0; i < 64; ++i) {
    EXPECT_EQ(at(thumb.get(), 63, i), 0u);
    EXPECT_EQ(at(thumb.get(), i, 63), 0u);
  }

  // 48x32: copied at (8, 16) unscaled, 47x31 pixels; the rest cleared.
  BitmapPtr small = make_bitmap(48, 32);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 48; ++x) put_pixel32(small.get(), x, y, uint32_t(x << 8 | y));
  clear_to_color(thumb.get(), 0xFFFFFFFFu);
  make_chunk_thumbnail(small.get(), thumb.get(), 64);
  EXPECT_EQ(at(thumb.get(), 8, 16), 0xFF000000u);
  EXPECT_EQ(at(thumb.get(), 8 + 46, 16 + 30), 0xFF000000u | (46u << 8) | 30u);
  EXPECT_EQ(at(thumb.get(), 8 + 47, 16), 0u);
  EXPECT_EQ(at(thumb.get(), 8, 16 + 31), 0u);

  // Interpolation mixes neighbours by channel; transparent (mask colour) pixels count as
  // the black background, so no magenta shows.
  BitmapPtr pair = make_bitmap(96, 16);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 96; ++x) put_pixel32(pair.get(), x, y, x % 2 ? MASK_COLOUR : 0xFF80FF40u);
  make_chunk_thumbnail(pair.get(), thumb.get(), 64);  // column 1 samples halfway between 1 and 2
  EXPECT_EQ(at(thumb.get(), 1, 27), 0xFF407F20u);
  EXPECT_EQ(at(thumb.get(), 0, 27), 0xFF80FF40u);
  // An image with no area gives a cleared thumbnail.
  clear_to_color(thumb.get(), 0xFFFFFFFFu);
  make_chunk_thumbnail(nullptr, thumb.get(), 64);
  EXPECT_EQ(at(thumb.get(), 32, 32), 0u);
}

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

TEST(Graphics, SpriteBitmapWithNoRowsHasNoArea) {
  headless_screen();
  const Palettes pal = test_palettes();
  EXPECT_FALSE(build_sprite_bitmap(counting_patterns(4), 0, 0, 0, pal));
  BitmapPtr s = build_sprite_bitmap(counting_patterns(4), 0, 1, 3, pal);
  ASSERT_TRUE(s);
  EXPECT_EQ(s->w, 32);
  EXPECT_EQ(s->h, 8);
  EXPECT_EQ(at(s.get(), 24 + 2, 1), colour(pal, 3, (2 + 2 + 3) % 16));
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
