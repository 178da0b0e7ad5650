#include <gtest/gtest.h>

#include "test_support.h"
#include "ui/font.h"
#include "ui/screen_state.h"
#include "ui/settings.h"

namespace {

// True when the 8x8 cell at screen (x, y) of back_buffer equals glyph g exactly
// (glyph mask pixels showing the background colour 0).
bool cell_shows_glyph(int x, int y, int g) {
  for (int r = 0; r < 8; ++r)
    for (int c = 0; c < 8; ++c) {
      uint32_t want = pixel32(glyphs[g].get(), c, r);
      if (want == MASK_COLOUR) want = 0;
      if (pixel32(back_buffer.get(), x + MARGIN + c, y + MARGIN + r) != want) return false;
    }
  return true;
}

bool cell_blank(int x, int y) {
  for (int r = 0; r < 8; ++r)
    for (int c = 0; c < 8; ++c)
      if (pixel32(back_buffer.get(), x + MARGIN + c, y + MARGIN + r) != 0) return false;
  return true;
}

class FontTest : public ::testing::Test {
 protected:
  void SetUp() override {
    headless_screen(640, 480);
    clear_to_color(back_buffer.get(), 0);
  }
};

}  // namespace

TEST_F(FontTest, GlyphsCoverTheFontAndLeaveOtherCharactersBlank) {
  for (int c : std::initializer_list<int>{48, '9', '*', '@', ':', '.', 'A', 'Z'}) {
    bool has_ink = false;
    for (int r = 0; r < 8; ++r)
      for (int x = 0; x < 8; ++x) has_ink |= pixel32(glyphs[c].get(), x, r) != MASK_COLOUR;
    EXPECT_TRUE(has_ink) << char(c);
    // The two inks differ somewhere.
    bool differs = false;
    for (int r = 0; r < 8; ++r)
      for (int x = 0; x < 8; ++x) differs |= pixel32(glyphs[c].get(), x, r) != pixel32(glyphs[c + 128].get(), x, r);
    EXPECT_TRUE(differs) << char(c);
  }
  for (int c : std::initializer_list<int>{32, '#', '-', '/', '!', 'a', 'z', 0, 127}) {
    for (int r = 0; r < 8; ++r)
      for (int x = 0; x < 8; ++x) {
        ASSERT_EQ(pixel32(glyphs[c].get(), x, r), MASK_COLOUR) << c;
        ASSERT_EQ(pixel32(glyphs[c + 128].get(), x, r), MASK_COLOUR) << c;
      }
  }
}

TEST_F(FontTest, ColourCodesChooseInkAndCase) {
  // Up to 0x60: ink A for 0 and 2, ink B for 1 and 3+; lower case: the capital in the other
  // ink for 0 and 1, ink A for 2, ink B for 3+.
  const struct {
    int colour, c, glyph;
  } cases[] = {{0, 'A', 'A'}, {1, 'A', 'A' + 128}, {2, 'A', 'A'}, {3, 'A', 'A' + 128}, {9, '5', '5' + 128},
               {0, 'y', 'Y' + 128}, {1, 'y', 'Y'}, {2, 'y', 'Y'}, {3, 'y', 'Y' + 128}};
  for (const auto& k : cases) EXPECT_EQ(glyph_index(k.colour, k.c), k.glyph) << k.colour << char(k.c);
  // Hot keys in the second ink; a newline returns to the call's x and moves 14 down.
  text_out(display, back_buffer.get(), 0, 100, 50, "yES OR nO\nB");
  EXPECT_TRUE(cell_shows_glyph(100, 50, 'Y' + 128));
  EXPECT_TRUE(cell_shows_glyph(108, 50, 'E'));
  EXPECT_TRUE(cell_blank(124, 50));
  EXPECT_TRUE(cell_shows_glyph(156, 50, 'N' + 128));
  EXPECT_TRUE(cell_shows_glyph(100, 64, 'B'));
}

TEST_F(FontTest, RightEdgeSkipsCharactersButLaterLinesAppear) {
  // Starts 16 pixels left of the edge: two glyphs fit, the rest are skipped.
  text_out(display, back_buffer.get(), 0, 624, 40, "ABCDE\nXY");
  EXPECT_TRUE(cell_shows_glyph(624, 40, 'A'));
  EXPECT_TRUE(cell_shows_glyph(632, 40, 'B'));
  for (int x = 640; x < 640 + MARGIN - 8; x += 8) EXPECT_TRUE(cell_blank(x, 40)) << x;
  EXPECT_TRUE(cell_shows_glyph(624, 54, 'X'));
  EXPECT_TRUE(cell_shows_glyph(632, 54, 'Y'));
  // Characters outside the font leave a blank gap.
  clear_to_color(back_buffer.get(), 0);
  text_out(display, back_buffer.get(), 0, 0, 0, "A#-/!B");
  for (int i = 1; i <= 4; ++i) EXPECT_TRUE(cell_blank(8 * i, 0));
  EXPECT_TRUE(cell_shows_glyph(40, 0, 'B'));
}

TEST_F(FontTest, NumbersAreRightAlignedAndPadded) {
  number_out(display, back_buffer.get(), 100, 10, 3, 5);
  EXPECT_TRUE(cell_shows_glyph(100, 10, '5'));
  EXPECT_TRUE(cell_shows_glyph(84, 10, '0'));
  EXPECT_TRUE(cell_blank(76, 10));
  number_out(display, back_buffer.get(), 100, 50, 0, 0);  // no digits for 0 unpadded
  for (int x = 44; x <= 100; x += 8) EXPECT_TRUE(cell_blank(x, 50));
  number_out(display, back_buffer.get(), 100, 70, 1, 0);
  EXPECT_TRUE(cell_shows_glyph(100, 70, '0'));
  // Nine digits: only the last eight are shown.
  number_out(display, back_buffer.get(), 100, 90, 1, 123456789);
  EXPECT_TRUE(cell_shows_glyph(44, 90, '2'));
  EXPECT_TRUE(cell_shows_glyph(100, 90, '9'));
  EXPECT_TRUE(cell_blank(36, 90));
  number_out_coloured(display, back_buffer.get(), 1, 200, 10, 1, 7);
  EXPECT_TRUE(cell_shows_glyph(200, 10, '7' + 128));
}

TEST_F(FontTest, FrameSkipHidesNumbersAndConditionalText) {
  frame_skip = 2;
  frame_counter = 1;
  number_out(display, back_buffer.get(), 100, 10, 3, 5);
  text_out_if_shown(display, back_buffer.get(), 0, 10, 10, "A");
  EXPECT_TRUE(cell_blank(100, 10));
  EXPECT_TRUE(cell_blank(10, 10));
  frame_counter = 3;
  text_out_if_shown(display, back_buffer.get(), 0, 10, 10, "A");
  EXPECT_TRUE(cell_shows_glyph(10, 10, 'A'));
}

// The writers draw with the display they are given: its glyphs, its screen width and its
// frame skip, beside the program's own.
TEST_F(FontTest, ASecondDisplayWritesWithItsOwnGlyphsWidthAndFrameSkip) {
  Settings narrow;
  narrow.screen_width = 320;
  Display other(narrow);
  for (int c = 0; c < 256; ++c) {
    other.glyphs[c] = make_bitmap(8, 8);
    blit(glyphs[c].get(), other.glyphs[c].get(), 0, 0, 0, 0, 8, 8);
  }
  frame_skip = 2;
  frame_counter = 1;  // the program's display hides this frame, the other shows it
  text_out_if_shown(display, back_buffer.get(), 0, 10, 10, "A");
  EXPECT_TRUE(cell_blank(10, 10));
  text_out_if_shown(other, back_buffer.get(), 0, 10, 10, "A");
  EXPECT_TRUE(cell_shows_glyph(10, 10, 'A'));
  // At x 312 one glyph fits the narrow screen; the program's 640 pixels take both.
  text_out(other, back_buffer.get(), 0, 312, 30, "BC");
  EXPECT_TRUE(cell_shows_glyph(312, 30, 'B'));
  EXPECT_TRUE(cell_blank(320, 30));
  text_out(display, back_buffer.get(), 0, 312, 50, "BC");
  EXPECT_TRUE(cell_shows_glyph(320, 50, 'C'));
}

TEST_F(FontTest, FillRect32WritesExactPixelsWithoutMargin) {
  fill_rect32(back_buffer.get(), 3, 4, 5, 2, 0x123456);
  EXPECT_EQ(pixel32(back_buffer.get(), 3, 4), 0x123456u);
  EXPECT_EQ(pixel32(back_buffer.get(), 7, 5), 0x123456u);
  EXPECT_EQ(pixel32(back_buffer.get(), 8, 5), 0u);
  EXPECT_EQ(pixel32(back_buffer.get(), 3, 6), 0u);
}
