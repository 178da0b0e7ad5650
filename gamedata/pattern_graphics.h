// Bitmaps drawn from 8x8 patterns: blocks, sprite strips and icon frames.
// Colour index 0 draws the mask colour; patterns a set does not have draw fully transparent.
#pragma once
#include <array>
#include <cstdint>
#include <vector>

#include "files/level_records.h"
#include "gamedata/bitmap.h"

// The 32-bit pixel of colour index i (1..15) in palette line `line`; index 0 is the mask colour.
uint32_t palette_pixel(const Palettes& palettes, int line, int index);

// count packed patterns (32 bytes each, two pixels per byte, high nibble first) into a set.
PatternSet unpack_patterns(const uint8_t* packed, int count);

// Draws one 8x8 pattern (null: transparent) at (x, y) of target.
void draw_pattern(BITMAP* target, int x, int y, const uint8_t* pattern, const Palettes& palettes, int line,
                  bool hflip = false, bool vflip = false);

// Draws a 16x16 block from its four pattern words (row by row) into target at (0, 0).
void render_block(BITMAP* target, const BlockMapping& mapping, const PatternSet& patterns, const Palettes& palettes);

// A 32 x 8R bitmap of 4 columns of R patterns from p on, column by column (null when R < 1).
BitmapPtr build_sprite_bitmap(const PatternSet& set, int p, int rows, int line, const Palettes& palettes);

// A bitmap of columns x rows patterns from p on, taken column by column (pattern p + c * rows + r).
BitmapPtr build_pattern_grid(const PatternSet& set, int p, int columns, int rows, int line, const Palettes& palettes);

// Three 16x16 frames; frame f is the 2x2 grid of marker patterns from p + 4f.
std::array<BitmapPtr, 3> build_icon_frames(const PatternSet& marker_patterns, int p, int line,
                                           const Palettes& palettes);
