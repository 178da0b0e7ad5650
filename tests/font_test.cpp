#include <allegro.h>
#include <gtest/gtest.h>
#include <loadpng.h>

#include "test_support.h"
#include "ui/font.h"

namespace {

// True when the 8x8 cell at screen (x, y) of back_buffer equals glyph g exactly (glyph mask
// pixels showing the background colour 0), or is blank for g < 0.
bool cell_shows_glyph(int x, int y, int g) {
  for (int r = 0; r < 8; ++r)
    for (int c = 0; c < 8; ++c) {
      uint32_t want = g < 0 ? 0 : pixel32(glyphs[g].get(), c, r);
      if (want == MASK_COLOUR) want = 0;
      if (pixel32(back_buffer.get(), x + MARGIN + c, y + MARGIN + r) != want) return false;
    }
  return true;
}
bool cell_blank(int x, int y) { return cell_shows_glyph(x, y, -1); }

class FontTest : public ::testing::Test {
 protected:
  void SetUp() override {
    headless_screen(640, 480);
    clear_to_color(back_buffer.get(), 0);
  }
};

}  // namespace

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

TEST_F(FontTest, FillRect32WritesExactPixelsWithoutMargin) {
  fill_rect32(back_buffer.get(), 3, 4, 5, 2, 0x123456);
  EXPECT_EQ(pixel32(back_buffer.get(), 3, 4), 0x123456u);
  EXPECT_EQ(pixel32(back_buffer.get(), 7, 5), 0x123456u);
  EXPECT_EQ(pixel32(back_buffer.get(), 8, 5), 0u);
  EXPECT_EQ(pixel32(back_buffer.get(), 3, 6), 0u);
}

// The font image holds 8x8 glyphs in rows: 0 to 9, '*', '@', ':', '.', A to Z, then the
// punctuation of file names and questions; its right half is the second colour
// (characters 128 on). A 320-pixel image holds only the first forty rows. Every other
// character has no glyph.
TEST_F(FontTest, GlyphsAreCutFromTheirRowsOfTheFontImage) {
  const BitmapPtr image(load_png(source_path("data/alphanum.png").c_str(), nullptr));
  ASSERT_TRUE(image);
  const std::string rows = "0123456789*@:.ABCDEFGHIJKLMNOPQRSTUVWXYZ/_-?(),'\"!+=<>[]%";
  ASSERT_EQ(image->h, 8 * static_cast<int>(rows.size()));
  const BitmapPtr short_image = make_bitmap(16, 320);
  blit(image.get(), short_image.get(), 0, 0, 0, 0, 16, 320);
  for (BITMAP* font : {image.get(), short_image.get()}) {
    Settings settings;
    Display cut{settings};
    cut_glyphs(cut, font);
    for (int c = 0; c < 256; ++c) {
      size_t row = rows.find(static_cast<char>(c & 0x7F));
      if (c % 128 == 0 || 8 * static_cast<int>(row) >= font->h) row = std::string::npos;
      for (int p = 0; p < 64; ++p)
        ASSERT_EQ(pixel32(cut.glyphs[c].get(), p % 8, p / 8),
                  row == std::string::npos ? MASK_COLOUR : pixel32(font, c / 128 * 8 + p % 8, int(row) * 8 + p / 8))
            << c << " in a font of height " << font->h;
    }
  }
}
