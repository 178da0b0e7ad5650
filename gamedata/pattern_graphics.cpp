#include "gamedata/pattern_graphics.h"

uint32_t palette_pixel(const Palettes& palettes, int line, int index) {
  if (index == 0) return MASK_COLOUR;
  const PaletteColor& c = palettes[line & 3][index & 15];
  return 0xFF000000u | (static_cast<uint32_t>(c.red) << 16) | (static_cast<uint32_t>(c.green) << 8) | c.blue;
}

PatternSet unpack_patterns(const uint8_t* packed, int count) {
  PatternSet set;
  if (count <= 0) return set;
  set.count = static_cast<int16_t>(count);
  set.pixels.resize(static_cast<size_t>(count) * 64);
  for (size_t i = 0; i < static_cast<size_t>(count) * 32; ++i) {
    set.pixels[2 * i] = packed[i] >> 4;
    set.pixels[2 * i + 1] = packed[i] & 15;
  }
  return set;
}

void draw_pattern(BITMAP* target, int x, int y, const uint8_t* pattern, const Palettes& palettes, int line,
                  bool hflip, bool vflip) {
  for (int py = 0; py < 8; ++py) {
    uint32_t* row = reinterpret_cast<uint32_t*>(target->line[y + py]) + x;
    const int sy = vflip ? 7 - py : py;
    for (int px = 0; px < 8; ++px) {
      const int sx = hflip ? 7 - px : px;
      row[px] = pattern ? palette_pixel(palettes, line, pattern[8 * sy + sx]) : MASK_COLOUR;
    }
  }
}

void render_block(BITMAP* target, const BlockMapping& mapping, const PatternSet& patterns, const Palettes& palettes) {
  for (int k = 0; k < 4; ++k) {
    const uint16_t w = mapping.words[k];
    draw_pattern(target, 8 * (k % 2), 8 * (k / 2), patterns.pattern(w & PATTERN_NUMBER_MASK), palettes, (w >> 13) & 3,
                 (w & PATTERN_HFLIP) != 0, (w & PATTERN_VFLIP) != 0);
  }
}

BitmapPtr build_pattern_grid(const PatternSet& set, int p, int columns, int rows, int line, const Palettes& palettes) {
  BitmapPtr b = make_bitmap(8 * columns, 8 * rows);
  if (!b) return b;
  for (int c = 0; c < columns; ++c)
    for (int r = 0; r < rows; ++r) draw_pattern(b.get(), 8 * c, 8 * r, set.pattern(p + c * rows + r), palettes, line);
  return b;
}

BitmapPtr build_sprite_bitmap(const PatternSet& set, int p, int rows, int line, const Palettes& palettes) {
  return build_pattern_grid(set, p, 4, rows, line, palettes);
}

std::array<BitmapPtr, 3> build_icon_frames(const PatternSet& marker_patterns, int p, int line,
                                           const Palettes& palettes) {
  std::array<BitmapPtr, 3> frames;
  for (int f = 0; f < 3; ++f) frames[f] = build_pattern_grid(marker_patterns, p + 4 * f, 2, 2, line, palettes);
  return frames;
}
