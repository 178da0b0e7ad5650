// Icons of the layout object kinds, drawn into a layer bitmap.
#include "leveledit/layout_objects.h"
#include "level_editor_fixture.h"
#include "ui/font.h"
#include "ui/screen_state.h"

namespace {

class ObjectIcons : public LevelEditorTest {
 protected:
  void SetUp() override {
    LevelEditorTest::SetUp();
    make_level();
    layer = make_bitmap(640 + 128, 480 + 128);
    clear();
  }
  void clear() { clear_to_color(layer.get(), MASK_COLOUR); }
  void draw(uint16_t code, int x = 200, int y = 200) {
    draw_object_icon(display, level_view, layer.get(), {code, 0}, x, y);
  }
  uint32_t at(int x, int y) { return pixel32(layer.get(), x, y); }
  static uint32_t rgb(uint32_t c) { return c & 0xFFFFFF; }
  static uint32_t icon_colour(const BitmapPtr& b) { return pixel32(b.get(), 0, 0); }
  // Whether the square at (x, y) of size n is all one colour.
  bool filled(int x, int y, int n, uint32_t colour) {
    for (int r = 0; r < n; ++r)
      for (int c = 0; c < n; ++c)
        if (at(x + c, y + r) != colour) return false;
    return true;
  }
  bool empty_outside_block(int x, int y, int n) {
    return at(x - 1, y) == MASK_COLOUR && at(x + n, y) == MASK_COLOUR && at(x, y + n) == MASK_COLOUR &&
           at(x, y - 1) == MASK_COLOUR;
  }
  BitmapPtr layer;
};

}  // namespace

TEST_F(ObjectIcons, PickupsAreOneBlockAtAnyZoom) {
  draw(OBJECT_PICKUP | 7);
  EXPECT_TRUE(filled(200, 200, 16, rgb(pickup_colour(7))));
  EXPECT_TRUE(empty_outside_block(200, 200, 16));
  clear();
  level_zoom = 16;
  draw(OBJECT_PICKUP | 57);
  EXPECT_TRUE(filled(200, 200, 32, rgb(pickup_colour(57))));
  EXPECT_TRUE(empty_outside_block(200, 200, 32));
  // Mask pixels of an icon leave what is below.
  clear();
  level_zoom = 0;
  put_pixel32(pickup_icons[3].get(), 5, 5, MASK_COLOUR);
  draw(OBJECT_PICKUP | 3);
  EXPECT_EQ(at(205, 205), MASK_COLOUR);
  // A pickup number without a type shows its code instead.
  clear();
  draw(OBJECT_PICKUP | 0x40);
  int inked = 0;
  for (int y = 200; y < 216; ++y)
    for (int x = 200; x < 216; ++x) inked += at(x, y) != MASK_COLOUR;
  EXPECT_GT(inked, 0);
}

TEST_F(ObjectIcons, BlockObjectKindsPickTheirIcons) {
  const uint32_t expected[17] = {icon_colour(block_type_icons[2]), icon_colour(block_type_icons[3]),
                                 icon_colour(block_type_icons[0]), icon_colour(block_type_icons[1]),
                                 0,
                                 0,
                                 icon_colour(block_type_icons[4]), icon_colour(block_type_icons[5]),
                                 icon_colour(block_type_icons[6]), icon_colour(block_type_icons[7]),
                                 icon_colour(block_type_large_icons[0]), icon_colour(block_type_large_icons[1]),
                                 icon_colour(block_type_icons[8]), 0,
                                 rgb(block_colour(6)), rgb(block_colour(7)), rgb(block_colour(22))};
  for (int kind = 0; kind <= 16; ++kind) {
    if (kind == 4 || kind == 5 || kind == 13) continue;
    clear();
    block_types[1] = {static_cast<int16_t>(kind), 0};
    draw(OBJECT_BLOCK | 1);
    const int n = (kind == 10 || kind == 11) ? 32 : 16;
    EXPECT_TRUE(filled(200, 200, n, expected[kind])) << "kind " << kind;
    EXPECT_TRUE(empty_outside_block(200, 200, n)) << "kind " << kind;
  }
  // Flashing: block_type_icons[(timer_ticks >> 3) & 3].
  block_types[1] = {13, 0};
  for (int t : {0, 8, 16, 24, 32}) {
    clear();
    timer_ticks = t;
    draw(OBJECT_BLOCK | 1);
    EXPECT_EQ(at(200, 200), icon_colour(block_type_icons[static_cast<size_t>((t >> 3) & 3)]));
  }
  // Kinds outside 0..16 draw nothing.
  clear();
  block_types[1] = {17, 0};
  draw(OBJECT_BLOCK | 1);
  EXPECT_EQ(at(200, 200), MASK_COLOUR);
}

TEST_F(ObjectIcons, ReferencesBlinkAndEffectsAddPickups) {
  block_types[1] = {8, 0xFD00};  // star, throws dynamite
  block_types[2] = {5, 0x0001};  // reference to 1
  block_types[3] = {4, 0x0002};  // reference to a reference
  block_types[4] = {0, 0x0805};  // pops up pickup 5
  block_types[5] = {0, 0xFE00};
  timer_ticks = 0;
  draw(OBJECT_BLOCK | 2);
  EXPECT_TRUE(filled(200, 200, 16, icon_colour(block_type_icons[6])));
  EXPECT_TRUE(filled(200, 216, 16, rgb(pickup_colour(8)))) << "the referenced entry's extras, one block below";
  clear();
  timer_ticks = 2;  // bit 1 set: neither the reference nor any extra
  draw(OBJECT_BLOCK | 2);
  draw(OBJECT_BLOCK | 1, 300, 200);
  EXPECT_EQ(at(200, 200), MASK_COLOUR);
  EXPECT_TRUE(filled(300, 200, 16, icon_colour(block_type_icons[6])));
  EXPECT_EQ(at(300, 216), MASK_COLOUR);
  clear();
  timer_ticks = 4;
  draw(OBJECT_BLOCK | 3);
  EXPECT_EQ(at(200, 200), MASK_COLOUR) << "a reference to a reference draws nothing";
  draw(OBJECT_BLOCK | 4, 300, 300);
  EXPECT_TRUE(filled(300, 284, 16, rgb(pickup_colour(5)))) << "popup: one block above";
  draw(OBJECT_BLOCK | 5, 400, 300);
  EXPECT_TRUE(filled(400, 316, 16, rgb(pickup_colour(29))));
}

TEST_F(ObjectIcons, PostLargeObjectAndOtherCodes) {
  level_zoom = -8;  // s = 8: the post's offsets stay in screen pixels
  draw(OBJECT_POST);
  EXPECT_TRUE(filled(200, 200, 8, rgb(block_colour(15))));
  for (int i = 1; i <= 6; ++i) EXPECT_TRUE(filled(200, 200 + 16 * i, 8, rgb(block_colour(16)))) << i;
  EXPECT_EQ(at(200, 210), MASK_COLOUR);
  EXPECT_TRUE(filled(200 - 48, 312, 8, rgb(block_colour(17))));
  for (int dx = -32; dx <= 32; dx += 16) EXPECT_TRUE(filled(200 + dx, 312, 8, rgb(block_colour(18)))) << dx;
  EXPECT_TRUE(filled(248, 312, 8, rgb(block_colour(19))));

  // Large object at s = 32: 64 x 80, 24 left of and 48 above the icon position; frames 0, 1, 2, 1.
  level_zoom = 16;
  const int frames_by_tick[4] = {0, 1, 2, 1};
  for (int step = 0; step < 4; ++step) {
    clear();
    timer_ticks = 12 * step;
    draw(OBJECT_LARGE | 3);
    const uint32_t colour = icon_colour(large_object_frames[static_cast<size_t>(frames_by_tick[step])]);
    EXPECT_EQ(at(200 - 24, 200 - 48), colour) << step;
    EXPECT_EQ(at(200 - 24 + 63, 200 - 48 + 79), colour);
    EXPECT_EQ(at(200 - 24 + 64, 200), MASK_COLOUR);
    EXPECT_EQ(at(200 - 25, 200), MASK_COLOUR);
  }
  clear();
  draw(OBJECT_LARGE, 10, 10);  // would reach above the layer: not drawn
  EXPECT_EQ(at(0, 0), MASK_COLOUR);

  // Other codes: high byte over low byte as hex, last digits 8 pixels right of the icon position.
  clear();
  level_zoom = 0;
  draw(0x0B7E);
  BitmapPtr expected = make_bitmap(640 + 128, 480 + 128);
  clear_to_color(expected.get(), MASK_COLOUR);
  text_out(display, expected.get(), 0, 200 - 64, 200 - 64, "0B");
  text_out(display, expected.get(), 0, 200 - 64, 208 - 64, "7E");
  for (int y = 200; y < 216; ++y)
    for (int x = 190; x < 230; ++x) ASSERT_EQ(at(x, y), pixel32(expected.get(), x, y)) << x << "," << y;
}

TEST_F(ObjectIcons, ObjectsAreDrawnOnTheirLayersThroughTheScreen) {
  row(6).objects = {{OBJECT_PICKUP | 2, 160}, {3, 160}};
  level_editor_modes = 0x12;
  enter();
  place_mouse(600, 20);
  frames(1);
  // The pickup's layer lies over the chunk's even though the chunk comes later in the row.
  EXPECT_EQ(screen_pixel(160 - 16 + 4, 96 - 16 + 4), rgb(pickup_colour(2)));
  // The back plane: drawn behind only with the background shown, edited with Tab.
  back_layout.rows[6].objects = {{2, 320}};
  frames(1);
  EXPECT_EQ(screen_pixel(320 - 16 + 4, 96 - 16 + 4), 0u);
  key(KEY_TAB, KB_CTRL_FLAG);
  EXPECT_EQ(ledit.background_shown, 1);
  frames(1);  // toggles act after the frame's drawing
  // Off the map screen the back plane moves 3/32 as fast: at camera 0 it lies at its x.
  EXPECT_EQ(screen_pixel(320 + 4, 96 - 16 + 4), rgb(block_colour(3)));
  in->press(KEY_TAB).release(KEY_TAB);
  frames(2);
  EXPECT_TRUE(ledit.edit_flags & EDIT_BACK_PLANE);
  EXPECT_EQ(screen_pixel(320 - 16 + 4, 96 - 16 + 4), rgb(block_colour(3))) << "edited: drawn like the front plane";
  EXPECT_EQ(screen_pixel(160 - 16 + 4, 96 - 16 + 4), 0u) << "the front plane is not drawn";
}
