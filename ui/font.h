// The 8x8 bitmap font in two inks, and the text and number writers. Positions are screen
// coordinates; the writers add the 64-pixel margin of the target bitmap themselves.
#pragma once
#include <allegro.h>

#include <cstdint>

#include "ui/display.h"

// Builds the 256 glyphs from the font image (ink A left column, ink B right): forty rows of
// digits, signs and letters, then the punctuation rows when the image is tall enough.
void cut_glyphs(Display& display, BITMAP* font_image);
// The glyph entry drawn for character c in a colour code.
int glyph_index(uint8_t colour, unsigned char c);

void text_out(const Display& display, BITMAP* target, uint8_t colour, int16_t x, int16_t y, const char* text);
void text_out_if_shown(const Display& display, BITMAP* target, uint8_t colour, int16_t x, int16_t y, const char* text);
void text_out_c0(const Display& display, BITMAP* target, int16_t x, int16_t y, const char* text);
void text_out_c1(const Display& display, BITMAP* target, int16_t x, int16_t y, const char* text);
void text_out_c2(const Display& display, BITMAP* target, int16_t x, int16_t y, const char* text);

void number_out(const Display& display, BITMAP* target, int16_t x, int16_t y, int8_t min_digits, int32_t value);
void number_out_coloured(const Display& display, BITMAP* target, uint8_t colour, int16_t x, int16_t y,
                         int8_t min_digits, int32_t value);

// Writes colour into every pixel of the rectangle (bitmap coordinates, no margin).
void fill_rect32(BITMAP* target, int x, int y, int width, int height, uint32_t colour);
