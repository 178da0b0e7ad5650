#include "render/hex_writers.h"

#include <cstdio>

#include "ui/font.h"
#include "ui/frame.h"

std::string hex_field(uint32_t value, int min_digits) {
  char digits[9];
  std::snprintf(digits, sizeof digits, "%08X", value);
  std::string field(digits);
  const int keep = min_digits < 0 ? 0 : (min_digits > 8 ? 8 : min_digits);
  for (int i = 0; i < 8 - keep && field[i] == '0'; ++i) field[i] = ' ';
  return field;
}

std::string hex_field_plain(uint32_t value) { return hex_field(value, 2); }

void draw_hex(const Display& display, BITMAP* target, uint8_t colour, int16_t x, int16_t y, int8_t min_digits,
              uint32_t value) {
  if (frame_skip_open(display)) text_out(display, target, colour, x, y, hex_field(value, min_digits).c_str());
}

void draw_hex_plain(const Display& display, BITMAP* target, uint8_t colour, int16_t x, int16_t y, uint32_t value) {
  if (frame_skip_open(display)) text_out(display, target, colour, x, y, hex_field_plain(value).c_str());
}
