#include "ui/font.h"

#include <algorithm>
#include <cstring>

#include "ui/frame.h"

// The punctuation of file names and questions, in rows 40 on (after "Z"); a font image of
// the first forty rows only (320 pixels high) has none of them.
static const char PUNCTUATION[] = "/_-?(),'\"!+=<>[]%";

// Row of character c in the font image, or -1 when the font has no glyph for it.
static int font_row(int c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c == '*') return 10;
  if (c == '@') return 11;
  if (c == ':') return 12;
  if (c == '.') return 13;
  if (c >= 'A' && c <= 'Z') return 14 + (c - 'A');
  const char* p = c > 0 ? std::strchr(PUNCTUATION, c) : nullptr;
  return p ? 40 + static_cast<int>(p - PUNCTUATION) : -1;
}

void cut_glyphs(Display& display, BITMAP* font_image) {
  for (int c = 0; c < 256; ++c) {
    BitmapPtr g = make_bitmap(8, 8);
    if (!g) continue;
    int row = font_row(c & 0x7F);
    if (row < 0 || !font_image || 8 * row + 8 > font_image->h) {
      clear_to_color(g.get(), MASK_COLOUR);
    } else {
      blit(font_image, g.get(), c < 128 ? 0 : 8, row * 8, 0, 0, 8, 8);
    }
    display.glyphs[c] = std::move(g);
  }
}

int glyph_index(uint8_t colour, unsigned char c) {
  if (c <= 0x60) return colour == 0 || colour == 2 ? c : c + 128;
  switch (colour) {
    case 1:
    case 2:
      return c - 32;
    default:
      return (c + 96) & 0xFF;
  }
}

void text_out(const Display& display, BITMAP* target, uint8_t colour, int16_t x, int16_t y, const char* text) {
  if (!text || !*text || !target) return;
  int line_x = x, line_y = y, column = 0;
  for (int i = 0; i < 2048 && text[i]; ++i) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    if (c == '\n') {
      column = 0;
      line_y += 14;
      continue;
    }
    int cx = line_x + 8 * column++;
    if (cx >= display.settings.screen_width) continue;
    BITMAP* g = display.glyphs[glyph_index(colour, c)].get();
    if (g) draw_sprite(target, g, cx + MARGIN, line_y + MARGIN);
  }
}

void text_out_if_shown(const Display& display, BITMAP* target, uint8_t colour, int16_t x, int16_t y, const char* text) {
  if (frame_skip_open(display)) text_out(display, target, colour, x, y, text);
}
void text_out_c0(const Display& display, BITMAP* target, int16_t x, int16_t y, const char* text) {
  text_out(display, target, 0, x, y, text);
}
void text_out_c1(const Display& display, BITMAP* target, int16_t x, int16_t y, const char* text) {
  text_out(display, target, 1, x, y, text);
}
void text_out_c2(const Display& display, BITMAP* target, int16_t x, int16_t y, const char* text) {
  text_out(display, target, 2, x, y, text);
}

void number_out_coloured(const Display& display, BITMAP* target, uint8_t colour, int16_t x, int16_t y,
                         int8_t min_digits, int32_t value) {
  if (!frame_skip_open(display)) return;
  int digits[8];
  int significant = 0;
  int64_t v = value;
  for (int i = 0; i < 8; ++i) {
    digits[i] = static_cast<int>(v % 10);
    v /= 10;
    if (digits[i] != 0) significant = i + 1;
  }
  int shown = min_digits > significant ? min_digits : significant;
  char one[2] = {0, 0};
  for (int i = 0; i < 8; ++i) {
    one[0] = i < shown ? static_cast<char>('0' + (digits[i] < 0 ? -digits[i] : digits[i])) : ' ';
    text_out(display, target, colour, static_cast<int16_t>(x - 8 * i), y, one);
  }
}

void number_out(const Display& display, BITMAP* target, int16_t x, int16_t y, int8_t min_digits, int32_t value) {
  number_out_coloured(display, target, 0, x, y, min_digits, value);
}

void fill_rect32(BITMAP* target, int x, int y, int width, int height, uint32_t colour) {
  const int x0 = std::max(x, 0), x1 = std::min(x + width, target->w);
  const int y0 = std::max(y, 0), y1 = std::min(y + height, target->h);
  if (x1 <= x0 || y1 <= y0) return;
  // The first row pixel by pixel, the others as copies of it (a block copy is much faster).
  uint32_t* first = reinterpret_cast<uint32_t*>(target->line[y0]) + x0;
  std::fill(first, first + (x1 - x0), colour);
  for (int row = y0 + 1; row < y1; ++row)
    std::memcpy(reinterpret_cast<uint32_t*>(target->line[row]) + x0, first, static_cast<size_t>(x1 - x0) * sizeof(uint32_t));
}
