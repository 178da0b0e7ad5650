#include <gtest/gtest.h>

#include <algorithm>

#include "gamedata/level_state.h"
#include "render/hex_writers.h"
#include "render/view_state.h"
#include "render/map_render.h"
#include "test_support.h"
#include "ui/screen_state.h"
#include "ui/settings.h"

namespace {

uint32_t at(BITMAP* b, int x, int y) { return reinterpret_cast<uint32_t*>(b->line[y])[x]; }

// Source pixel (x, y) of the test block = 0xFF000000 | tag << 16 | y << 8 | x.
uint32_t block_pixel(int tag, int x, int y) { return 0xFF000000u | uint32_t(tag) << 16 | uint32_t(y) << 8 | uint32_t(x); }

BitmapPtr tagged_block(int tag) {
  BitmapPtr b = make_bitmap(16, 16);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) put_pixel32(b.get(), x, y, block_pixel(tag, x, y));
  return b;
}

class MapRender : public ::testing::Test {
 protected:
  void SetUp() override {
    headless_screen(320, 240);
    for (int i = 0; i < 8; ++i) block_bitmaps[i] = tagged_block(i);
    target = make_bitmap(320 + 128, 240 + 128);
    clear_to_color(target.get(), MASK_COLOUR);
  }
  Chunk& add_chunk(int w, int h) {
    chunkmap.chunks.emplace_back();
    Chunk& c = chunkmap.chunks.back();
    c.width = static_cast<int8_t>(w);
    c.height = static_cast<int8_t>(h);
    return c;
  }
  BitmapPtr target;
};

}  // namespace

// Two views of two levels draw the same placement side by side, each at its own zoom and
// camera, and neither follows the editors' view.
TEST_F(MapRender, TwoViewsDrawThroughTheirOwnZoomAndCamera) {
  add_chunk(1, 1).cell(0, 0) = 5;
  // A second level whose chunk 0 holds block 6, drawn with the same pictures.
  LevelModel other = level_model;
  other.chunkmap.chunks[0].cell(0, 0) = 6;
  const LevelView near{16, 8 * 10, 0, &level_model, &level_bitmaps};  // 32-pixel blocks, 10 pixels scrolled right
  const LevelView far{-8, 0, 8 * 4, &other, &level_bitmaps};          // 8-pixel blocks, 4 pixels scrolled down
  level_zoom = 48;
  camera_x = camera_y = 8 * 1000;
  BitmapPtr second = make_bitmap(target->w, target->h);
  clear_to_color(second.get(), MASK_COLOUR);
  const LayoutObject o{0, 16};
  draw_chunk(display, near, target.get(), 0, placement_x(near, o), placement_y(near, 2), false);
  draw_chunk(display, far, second.get(), 0, placement_x(far, o), placement_y(far, 2), false);
  // Map screen: x = 16 * s / 16 + 64, y = 32 * s / 16 - s + 64, less the camera.
  EXPECT_EQ(at(target.get(), 32 + 64 - 10, 32 + 64), block_pixel(5, 0, 0));
  EXPECT_EQ(at(target.get(), 32 + 64 - 10 + 31, 32 + 64 + 31), block_pixel(5, 15, 15));
  EXPECT_EQ(at(target.get(), 32 + 64 - 10 + 32, 32 + 64), MASK_COLOUR);
  EXPECT_EQ(at(second.get(), 8 + 64, 8 + 64 - 4), block_pixel(6, 0, 0));
  EXPECT_EQ(at(second.get(), 8 + 64 + 7, 8 + 64 - 4 + 7), block_pixel(6, 14, 14));
  EXPECT_EQ(at(second.get(), 8 + 64 + 8, 8 + 64 - 4), MASK_COLOUR);
  // A view of no level draws nothing.
  clear_to_color(second.get(), MASK_COLOUR);
  draw_chunk(display, LevelView{}, second.get(), 0, 64, 64, false);
  EXPECT_EQ(at(second.get(), 64, 64), MASK_COLOUR);
}

// Every size from 1 to 64 and every flip against the sampling rule: target pixel i takes
// source pixel trunc(i * (16 / size)) in single precision; opaque blits copy the mask colour too,
// blits at opacity 128 mix each channel (128 source to 127 target) and leave the mask's pixels.
TEST_F(MapRender, BlockBlitFollowsTheSamplingRuleAtEverySizeAndFlip) {
  BITMAP* src = block_bitmaps[5].get();
  put_pixel32(src, 7, 9, MASK_COLOUR);
  auto source_index = [](int i, int size) { return std::min(15, static_cast<int>(i * (16.0f / static_cast<float>(size)))); };
  auto mixed = [](uint32_t s, uint32_t d) {
    if ((s & 0xFFFFFF) == MASK_COLOUR) return d;
    uint32_t out = 0xFF000000u;
    for (int shift : {0, 8, 16}) out |= (((s >> shift & 0xFF) * 128 + (d >> shift & 0xFF) * 127) / 255) << shift;
    return out;
  };
  for (int opacity : {255, 128})
    for (int size = 1; size <= 64; ++size)
      for (int flip : {FLIP_NONE, FLIP_MIRROR, FLIP_VERTICAL, FLIP_BOTH}) {
        clear_to_color(target.get(), 0xFF123456u);
        draw_block(src, target.get(), 0, 0, 30, 40, flip, size, opacity);
        for (int r = 0; r < size; ++r)
          for (int c = 0; c < size; ++c) {
            const int sx = source_index(c, size), sy = source_index(r, size);
            const uint32_t pixel = at(src, flip & FLIP_MIRROR ? 15 - sx : sx, flip & FLIP_VERTICAL ? 15 - sy : sy);
            const uint32_t expected = opacity == 255 ? pixel : mixed(pixel, 0xFF123456u);
            ASSERT_EQ(at(target.get(), 30 + c, 40 + r), expected)
                << "size " << size << " flip " << flip << " " << opacity;
          }
        // Nothing beside the square.
        ASSERT_EQ(at(target.get(), 29, 40), 0xFF123456u);
        ASSERT_EQ(at(target.get(), 30 + size, 40 + size - 1), 0xFF123456u);
        ASSERT_EQ(at(target.get(), 30, 40 + size), 0xFF123456u);
      }
}

TEST_F(MapRender, FarPositionsDoNotWrapIntoView) {
  Chunk& c = add_chunk(1, 1);
  c.cell(0, 0) = 1;
  // At zoom 48 a placement at level x 16384 lies 65536 zoomed pixels to the right.
  level_zoom = 48;
  LayoutObject o{0, 16384};
  draw_chunk(display, level_view, target.get(), 0, placement_x(level_view, o), 64, false);
  for (int y = 0; y < target->h; ++y)
    for (int x = 0; x < target->w; ++x) ASSERT_EQ(at(target.get(), x, y), MASK_COLOUR);
}

TEST(HexWriters, FieldsBlankLeadingZeros) {
  EXPECT_EQ(hex_field(0x1A2, 4), "    01A2");
  EXPECT_EQ(hex_field(0, 0), "        ");
  EXPECT_EQ(hex_field(0xDEADBEEF, 2), "DEADBEEF");
  EXPECT_EQ(hex_field_plain(0x0A), "      0A");
  EXPECT_EQ(hex_field_plain(0x1100), "    1100");
}
