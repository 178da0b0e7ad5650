// Hexadecimal number writers of the information panels: an eight-character field of
// upper-case digits whose first character stands at screen position (x, y).
#pragma once
#include <allegro.h>

#include <cstdint>
#include <string>

#include "ui/display.h"

// The eight characters drawn: leading zeros blank, at least min_digits digits kept
// (a value of 0 with min_digits 0 gives eight blanks).
std::string hex_field(uint32_t value, int min_digits);
// Leading zeros blank, but the last two digits always shown.
std::string hex_field_plain(uint32_t value);

// Drawn only on frames that frame skip shows.
void draw_hex(const Display& display, BITMAP* target, uint8_t colour, int16_t x, int16_t y, int8_t min_digits,
              uint32_t value);
void draw_hex_plain(const Display& display, BITMAP* target, uint8_t colour, int16_t x, int16_t y, uint32_t value);
