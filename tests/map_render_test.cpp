#include <gtest/gtest.h>

#include <algorithm>

#include "gamedata/level_state.h"
#include "render/view_state.h"
#include "render/map_render.h"
#include "test_support.h"

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
  BitmapPtr target;
};

}  // namespace

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
