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
// source pixel trunc(i * (16 / size)) in single precision; opaque blits copy the mask colour too.
TEST_F(MapRender, BlockBlitFollowsTheSamplingRuleAtEverySizeAndFlip) {
  BITMAP* src = block_bitmaps[5].get();
  put_pixel32(src, 7, 9, MASK_COLOUR);
  auto source_index = [](int i, int size) { return std::min(15, static_cast<int>(i * (16.0f / static_cast<float>(size)))); };
  for (int size = 1; size <= 64; ++size)
    for (int flip : {FLIP_NONE, FLIP_MIRROR, FLIP_VERTICAL, FLIP_BOTH}) {
      clear_to_color(target.get(), 0xFF123456u);
      draw_block(src, target.get(), 0, 0, 30, 40, flip, size);
      for (int r = 0; r < size; ++r)
        for (int c = 0; c < size; ++c) {
          const int sx = source_index(c, size), sy = source_index(r, size);
          const uint32_t expected = at(src, flip & FLIP_MIRROR ? 15 - sx : sx, flip & FLIP_VERTICAL ? 15 - sy : sy);
          ASSERT_EQ(at(target.get(), 30 + c, 40 + r), expected) << "size " << size << " flip " << flip;
        }
      // Nothing beside the square.
      ASSERT_EQ(at(target.get(), 29, 40), 0xFF123456u);
      ASSERT_EQ(at(target.get(), 30 + size, 40 + size - 1), 0xFF123456u);
      ASSERT_EQ(at(target.get(), 30, 40 + size), 0xFF123456u);
    }
}

TEST_F(MapRender, BlockBlitSkipsBlocksNotWhollyInside) {
  BITMAP* src = block_bitmaps[2].get();
  const int w = target->w, h = target->h;
  draw_block(src, target.get(), 0, 0, -1, 10, FLIP_NONE, 16);
  draw_block(src, target.get(), 0, 0, w - 15, 10, FLIP_NONE, 16);
  draw_block(src, target.get(), 0, 0, 10, h - 15, FLIP_NONE, 16);
  draw_block(src, target.get(), 0, 0, 10, -2, FLIP_NONE, 16);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) ASSERT_EQ(at(target.get(), x, y), MASK_COLOUR);
  draw_block(src, target.get(), 0, 0, w - 16, h - 16, FLIP_NONE, 16);
  EXPECT_EQ(at(target.get(), w - 1, h - 1), block_pixel(2, 15, 15));
  // Half opacity blends over the target and leaves it where the source is transparent.
  BitmapPtr holey = tagged_block(0);
  put_pixel32(holey.get(), 1, 0, MASK_COLOUR);
  BitmapPtr white = make_bitmap(16, 16);
  clear_to_color(white.get(), 0xFFFFFFFFu);
  draw_block(holey.get(), white.get(), 0, 0, 0, 0, FLIP_NONE, 16, 128);
  EXPECT_EQ(at(white.get(), 1, 0), 0xFFFFFFFFu);
  EXPECT_EQ(at(white.get(), 0, 0), 0xFF000000u | (127u << 16) | (127u << 8) | 127u);
}

TEST_F(MapRender, ChunkCellsEmptyFlippedAndAboveTheTop) {
  Chunk& c = add_chunk(2, 2);
  c.cell(0, 0) = 1;
  c.cell(1, 0) = 0 | 0x0E00;   // block 0: nothing drawn, whatever the other bits
  c.cell(0, 1) = 2 | CELL_VFLIP;
  c.cell(1, 1) = 3;
  draw_chunk(display, level_view, target.get(), 0, 64, 64, false);
  EXPECT_EQ(at(target.get(), 64, 64), block_pixel(1, 0, 0));
  EXPECT_EQ(at(target.get(), 64 + 16 + 5, 64 + 5), MASK_COLOUR);
  EXPECT_EQ(at(target.get(), 64 + 3, 64 + 16), block_pixel(2, 3, 15));  // bit 12 flips
  EXPECT_EQ(at(target.get(), 64 + 16, 64 + 16), block_pixel(3, 0, 0));

  // A flipped placement takes the rows bottom-up and draws the bit-12 cell unflipped.
  clear_to_color(target.get(), MASK_COLOUR);
  draw_chunk(display, level_view, target.get(), 0, 64, 64, true);
  EXPECT_EQ(at(target.get(), 64 + 3, 64), block_pixel(2, 3, 0));
  EXPECT_EQ(at(target.get(), 64 + 3, 64 + 15), block_pixel(2, 3, 15));
  EXPECT_EQ(at(target.get(), 64, 64 + 16), block_pixel(1, 0, 15));
  EXPECT_EQ(at(target.get(), 64 + 16, 64), block_pixel(3, 0, 15));
  EXPECT_EQ(at(target.get(), 64 + 16, 64 + 16), MASK_COLOUR);

  // The camera moves the top row 4 pixels above the bitmap: that row is skipped whole,
  // the lower row is drawn.
  clear_to_color(target.get(), MASK_COLOUR);
  camera_y = 8 * 68;
  draw_chunk(display, level_view, target.get(), 0, 64, 64, false);
  for (int y = 0; y < 12; ++y) ASSERT_EQ(at(target.get(), 70, y), MASK_COLOUR);
  EXPECT_EQ(at(target.get(), 64 + 3, 12), block_pixel(2, 3, 15));
}

TEST_F(MapRender, ChunkAtZoomAndFrameSkip) {
  Chunk& c = add_chunk(3, 1);
  c.cell(0, 0) = 4;
  c.cell(1, 0) = 5;
  c.cell(2, 0) = 6;
  level_zoom = -12;
  camera_x = 8 * 10;
  draw_chunk(display, level_view, target.get(), 0, 64, 64, false);
  // s = 4: block 5 at 64 - 10 + 4.
  EXPECT_EQ(at(target.get(), 58, 64), block_pixel(5, 0, 0));
  EXPECT_EQ(at(target.get(), 59, 65), block_pixel(5, 4, 4));
  EXPECT_EQ(at(target.get(), 62, 64), block_pixel(6, 0, 0));
  // On frames that frame skip excludes nothing is drawn.
  clear_to_color(target.get(), MASK_COLOUR);
  frame_skip = 1;
  frame_counter = 1;
  draw_chunk(display, level_view, target.get(), 0, 64, 64, false);
  EXPECT_EQ(at(target.get(), 58, 64), MASK_COLOUR);
  frame_skip = 0;
  frame_counter = 0;
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

TEST_F(MapRender, BackPlaneScrollsAtThreeThirtySecondsOffTheMapScreen) {
  Chunk& c = add_chunk(1, 1);
  c.cell(0, 0) = 7;
  camera_x = 8 * 256;  // 256 zoomed pixels
  camera_y = 8 * 64;
  map_header.map_front = 3;
  draw_back_chunk(display, level_view, target.get(), 0, 100, 100, false);
  // (2048 >> 8) + (2048 >> 7) = 24; (512 >> 8) + (512 >> 7) = 6.
  EXPECT_EQ(at(target.get(), 100 - 24, 100 - 6), block_pixel(7, 0, 0));
  EXPECT_EQ(at(target.get(), 100 - 24 + 15, 100 - 6 + 15), block_pixel(7, 15, 15));
  // On the map screen the back plane uses the front camera.
  clear_to_color(target.get(), MASK_COLOUR);
  map_header.map_front = 0;
  camera_x = 8 * 50;
  draw_back_chunk(display, level_view, target.get(), 0, 100, 100, false);
  EXPECT_EQ(at(target.get(), 50, 100 - 64), block_pixel(7, 0, 0));
}

TEST_F(MapRender, PlanesPlaceChunksOneBlockRowAboveTheirRow) {
  Chunk& c = add_chunk(1, 1);
  c.cell(0, 0) = 2;
  front_layout.height = 64;
  front_layout.rows.resize(5);
  front_layout.rows[3].objects = {{0x0801, 0}, {0x0000, 40}};  // the pickup is not a chunk
  level_zoom = 16;                                             // s = 32, f = 2
  map_header.map_front = 1;                                    // off the map screen: one block left
  draw_plane_chunks(display, level_view, target.get(), front_layout);
  // x = 40 * 2 + 64 - 32, y = 3 * 32 - 32 + 64.
  EXPECT_EQ(at(target.get(), 112, 128), block_pixel(2, 0, 0));
  EXPECT_EQ(at(target.get(), 111, 128), MASK_COLOUR);
  clear_to_color(target.get(), MASK_COLOUR);
  map_header.map_front = 0;
  draw_plane_chunks(display, level_view, target.get(), front_layout);
  EXPECT_EQ(at(target.get(), 144, 128), block_pixel(2, 0, 0));

  // The background pass draws back_layout without the one-block shift, and nothing for
  // a plane lower than 16 pixels.
  back_layout = front_layout;
  map_header.map_front = 0;
  clear_to_color(target.get(), MASK_COLOUR);
  draw_background_pass(display, level_view, target.get());
  EXPECT_EQ(at(target.get(), 144, 128), block_pixel(2, 0, 0));
  clear_to_color(target.get(), MASK_COLOUR);
  back_layout.height = 8;
  draw_background_pass(display, level_view, target.get());
  EXPECT_EQ(at(target.get(), 144, 128), MASK_COLOUR);
}

TEST_F(MapRender, LayersComposeInOrderWithTheMaskTransparent) {
  ScriptedInput in(320, 240);
  ScopedInput scope(in);
  clear_layers(display.layers());
  EXPECT_EQ(at(back_buffer.get(), 64, 64), 0xFF000000u);
  EXPECT_EQ(at(layer_3.get(), 100, 100), MASK_COLOUR);
  put_pixel32(layer_1.get(), 64, 64, 0xFF111111u);
  put_pixel32(layer_1.get(), 65, 64, 0xFF111111u);
  put_pixel32(layer_2.get(), 65, 64, 0xFF222222u);
  put_pixel32(layer_4.get(), 66, 64, 0xFF444444u);
  compose_layers(display);
  ASSERT_TRUE(in.screen);
  EXPECT_EQ(rgb_at(in.screen.get(), 0, 0), (Rgb{0x11, 0x11, 0x11}));
  EXPECT_EQ(rgb_at(in.screen.get(), 1, 0), (Rgb{0x22, 0x22, 0x22}));
  EXPECT_EQ(rgb_at(in.screen.get(), 2, 0), (Rgb{0x44, 0x44, 0x44}));
  EXPECT_EQ(rgb_at(in.screen.get(), 3, 0), (Rgb{0, 0, 0}));
}

// The back plane straight into the backdrop equals its layer composed onto black, also where
// chunks overlap (a later chunk's empty cell leaves the earlier block), where a block has
// no picture or the mask colour, and at chunks cut by the screen's edges.
TEST_F(MapRender, BackdropEqualsTheBackPlaneLayerOverBlack) {
  ScriptedInput in(320, 240);
  ScopedInput scope(in);
  put_pixel32(block_bitmaps[3].get(), 5, 6, MASK_COLOUR);
  block_bitmaps[6].reset();
  Chunk& a = add_chunk(3, 2);
  a.cell(0, 0) = 1;
  a.cell(1, 0) = 3;
  a.cell(2, 0) = 6;  // no picture
  a.cell(0, 1) = 2 | CELL_VFLIP;
  a.cell(2, 1) = 4;  // (1, 1) empty
  Chunk& b = add_chunk(2, 2);
  b.cell(0, 0) = 5;
  b.cell(1, 1) = 7;  // (1, 0) and (0, 1) empty
  back_layout.height = 64;
  back_layout.rows.resize(12);
  back_layout.rows[1].objects = {{0x0000, 0}, {0x0001, 20}, {0x0201, 290}};
  back_layout.rows[2].objects = {{0x0001, 8}, {0x0000, 2}};
  back_layout.rows[10].objects = {{0x0000, 100}};
  map_header.map_front = 0;
  camera_x = 8 * 30;  // the first chunks cut by the left edge
  camera_y = 8 * 10;
  BitmapPtr layer = make_bitmap(back_buffer->w, back_buffer->h);
  for (int zoom : {-12, 0, 5, 16, 32, 48}) {
    level_zoom = static_cast<int16_t>(zoom);
    clear_to_color(layer.get(), MASK_COLOUR);
    draw_background_pass(display, level_view, layer.get());
    clear_to_color(back_buffer.get(), 0xFF336699u);
    draw_background_into_backdrop(display, level_view, display.layers());
    for (int y = MARGIN; y < MARGIN + 240; ++y)
      for (int x = MARGIN; x < MARGIN + 320; ++x) {
        const uint32_t p = at(layer.get(), x, y);
        ASSERT_EQ(at(back_buffer.get(), x, y), p == MASK_COLOUR ? 0xFF000000u : p) << "zoom " << zoom << " at " << x << ", " << y;
      }
  }
}

TEST(HexWriters, FieldsBlankLeadingZeros) {
  EXPECT_EQ(hex_field(0x1A2, 4), "    01A2");
  EXPECT_EQ(hex_field(0, 0), "        ");
  EXPECT_EQ(hex_field(0xDEADBEEF, 2), "DEADBEEF");
  EXPECT_EQ(hex_field_plain(0x0A), "      0A");
  EXPECT_EQ(hex_field_plain(0x1100), "    1100");
}
