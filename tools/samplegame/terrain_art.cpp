// Ground, platform, block, water and bridge tiles of the level themes.
#include <cmath>

#include "tools/samplegame/theme_art.h"

namespace sample {
namespace {

// The theme's ground body, everything below the surface.
void paint_body(Canvas& c, int theme, int variant) {
  const uint32_t seed = 100 + theme * 10 + variant;
  switch (theme) {
    case MEADOW:
      c.fill(F_G2);
      for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
          uint32_t h = hash3(x, y, seed) % 29;
          if (h == 0) c.set(x, y, F_G1);
          if (h == 1) c.set(x, y, F_G3);
        }
      if (variant == 1) {
        c.ellipse(5, 9, 3, 2, F_G3);
        c.ellipse(5.5, 9.5, 2.5, 1.5, F_G2);
        c.set(4, 8, F_HI);
      }
      if (variant == 2) {
        c.ellipse(11, 5, 2, 1.5, F_G1);
        c.ellipse(4, 13, 1.5, 1, F_G3);
      }
      break;
    case CASTLE:
      c.fill(F_G1);
      for (int row = 0; row < 2; ++row) {
        int shift = (row + variant) % 2 ? 8 : 0;
        for (int b = -1; b < 2; ++b) {
          int x0 = b * 16 + shift, y0 = row * 8;
          c.rect(x0 + 1, y0 + 1, 15, 7, F_G2);
          c.hline(x0 + 1, x0 + 14, y0 + 1, F_G3);
          c.vline(x0 + 1, y0 + 1, y0 + 6, F_G3);
        }
      }
      if (variant == 2) c.line(9, 3, 12, 6, F_G1);
      break;
    case ICE:
      c.fill(F_B2);
      for (int i = 0; i < 3; ++i) c.line(variant * 5 + i * 6 - 4, 16, variant * 5 + i * 6 + 4, 0, F_B3);
      if (variant == 1) c.line(3, 4, 8, 9, F_B1), c.line(8, 9, 7, 13, F_B1);
      if (variant == 2) c.line(12, 2, 9, 7, F_B1);
      for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
          if (hash3(x, y, seed) % 41 == 0) c.set(x, y, F_HI);
      break;
    case DESERT:
      for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
          int wobble = static_cast<int>(std::lround(1.2 * std::sin((x + 16 * variant) * 0.39)));
          int band = ((y + wobble + 16) / 4) % 3;
          c.set(x, y, band == 0 ? F_G3 : band == 1 ? F_G2 : F_G1);
          if (hash3(x, y, seed) % 37 == 0) c.set(x, y, F_B3);
        }
      break;
    case MOON:
      c.fill(F_G2);
      for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
          if (hash3(x, y, seed) % 23 == 0) c.set(x, y, F_G1);
      if (variant != 0) {
        double cx = variant == 1 ? 6 : 10, cy = variant == 1 ? 9 : 5;
        c.ellipse(cx, cy, 3.5, 2.5, F_G3);
        c.ellipse(cx + 0.5, cy + 0.5, 3, 2, F_G1);
      }
      break;
  }
}

// Height of the surface's upper edge in column x (global column gx for continuity).
int surface_top(int theme, int gx) {
  switch (theme) {
    case MEADOW: return 1 + static_cast<int>(hash3(gx, 0, 7) % 3);
    case CASTLE: return 0;
    case ICE: return 1 + static_cast<int>(std::lround(1.0 + std::sin(gx * 0.4)));
    case DESERT: return 1 + static_cast<int>(std::lround(0.6 + 0.6 * std::sin(gx * 0.2)));
    default: return 1 + static_cast<int>(hash3(gx / 2, 1, 9) % 2);
  }
}

void paint_surface(Canvas& c, int theme, int variant) {
  for (int x = 0; x < 16; ++x) {
    const int gx = x + 16 * variant;
    const int t = surface_top(theme, gx);
    for (int y = 0; y < t; ++y) c.set(x, y, 0);
    switch (theme) {
      case MEADOW: {
        int depth = 5 + static_cast<int>(hash3(gx, 3, 7) % 3);
        for (int y = t; y < t + depth; ++y) c.set(x, y, F_S2);
        c.set(x, t, F_S3);
        if (gx % 5 == 1) c.set(x, t + 1, F_S3);
        c.set(x, t + depth, F_S1);
        if (gx % 3 == 0) c.set(x, t + depth + 1, F_S1);
        break;
      }
      case CASTLE:
        c.set(x, 0, F_S3);
        for (int y = 1; y < 4; ++y) c.set(x, y, F_S2);
        c.set(x, 4, F_S1);
        c.set(x, 5, F_G1);
        if (x == 7 + (variant % 2) * 8) c.vline(x, 1, 4, F_S1);
        break;
      case ICE: {
        int depth = 4 + static_cast<int>(hash3(gx, 4, 3) % 2);
        for (int y = t; y < t + depth; ++y) c.set(x, y, F_S3);
        c.set(x, t + depth, F_S1);
        c.set(x, t + depth - 1, F_S2);
        if (hash3(gx, 5, 3) % 4 == 0) c.vline(x, t + depth, t + depth + 3, F_S2);
        break;
      }
      case DESERT: {
        for (int y = t; y < t + 6; ++y) c.set(x, y, F_S2);
        c.set(x, t, F_S3);
        if ((gx + 2) % 6 < 2) c.set(x, t + 3, F_S3);
        c.set(x, t + 6, F_S1);
        break;
      }
      case MOON: {
        for (int y = t; y < t + 5; ++y) c.set(x, y, F_S2);
        c.set(x, t, F_S3);
        if (hash3(gx, 6, 5) % 6 == 0) c.set(x, t + 2, F_S1);
        c.set(x, t + 5, F_S1);
        break;
      }
    }
  }
}

// Cuts the tile along a rounded side edge and outlines what is left.
void cut_edge(Canvas& c, Edge edge, bool top) {
  if (edge == Edge::None) {
    if (top) c.outline(F_OUT);
    return;
  }
  for (int y = 0; y < 16; ++y) {
    int inset = 2 + (top ? std::max(0, 5 - y) * std::max(0, 5 - y) / 5 : 0);
    for (int i = 0; i < inset; ++i) c.set(edge == Edge::Left ? i : 15 - i, y, 0);
  }
  c.outline(F_OUT);
}

}  // namespace

Canvas ground_tile(int theme, bool top, Edge edge, int variant) {
  Canvas c(16, 16);
  paint_body(c, theme, variant % 3);
  if (top) paint_surface(c, theme, variant % 2);
  cut_edge(c, edge, top);
  return c;
}

Canvas platform_tile(int theme, int part) {
  Canvas c(16, 16);
  const int x0 = part == 0 ? 2 : 0, x1 = part == 2 ? 13 : 15;
  switch (theme) {
    case MEADOW:
      c.rect(x0, 2, x1 - x0 + 1, 8, F_W2);
      c.hline(x0, x1, 2, F_A2);
      c.hline(x0, x1, 9, F_W1);
      c.hline(x0 + 2, x1 - 3, 5, F_W1);
      if (part != 1) c.ellipse(part == 0 ? 5 : 10, 6, 1, 1, F_G1);
      if (part == 1) c.vline(8, 3, 8, F_W1);
      break;
    case CASTLE:
      c.rect(x0, 1, x1 - x0 + 1, 9, F_G3);
      c.hline(x0, x1, 1, F_S3);
      c.hline(x0, x1, 9, F_G1);
      c.vline(part == 1 ? 8 : (part == 0 ? 10 : 5), 2, 8, F_G1);
      break;
    case ICE:
      c.rect(x0, 2, x1 - x0 + 1, 8, F_B2);
      c.line(x0 + 2, 9, x0 + 8, 3, F_B3);
      c.rect(x0, 0, x1 - x0 + 1, 3, F_S3);
      c.hline(x0, x1, 3, F_S2);
      break;
    case DESERT:
      c.rect(x0, 1, x1 - x0 + 1, 9, F_B2);
      c.hline(x0, x1, 1, F_B3);
      c.hline(x0, x1, 9, F_B1);
      c.hline(x0, x1, 5, F_B1);
      break;
    case MOON:
      c.rect(x0, 1, x1 - x0 + 1, 9, F_W1);
      c.hline(x0, x1, 1, F_W2);
      c.hline(x0, x1, 9, F_W2);
      for (int x = x0 + 1; x < x1; x += 4) c.line(x, 8, x + 2, 2, F_W2);
      break;
  }
  c.outline(F_OUT);
  return c;
}

Canvas solid_block_tile(int theme) {
  Canvas c(16, 16);
  switch (theme) {
    case MEADOW:
      c.fill(F_B1);
      for (int row = 0; row < 2; ++row)
        for (int b = -1; b < 2; ++b) {
          int x = b * 16 + (row ? 8 : 0), y = row * 8;
          c.rect(x + 1, y + 1, 15, 7, F_B2);
          c.hline(x + 1, x + 15, y + 1, F_B3);
        }
      break;
    case CASTLE:
      c.fill(F_G2);
      c.rect(1, 1, 14, 2, F_G3), c.rect(1, 1, 2, 14, F_G3);
      c.rect(1, 13, 14, 2, F_G1), c.rect(13, 1, 2, 14, F_G1);
      break;
    case ICE:
      c.fill(F_B2);
      c.rect(0, 0, 16, 1, F_B3), c.rect(0, 0, 1, 16, F_B3);
      c.line(3, 12, 12, 3, F_B3), c.line(4, 12, 12, 4, F_HI);
      c.rect(0, 15, 16, 1, F_B1), c.rect(15, 0, 1, 16, F_B1);
      break;
    case DESERT:
      c.fill(F_B2);
      c.rect(1, 1, 14, 1, F_B3), c.rect(1, 1, 1, 14, F_B3);
      c.rect(1, 14, 14, 1, F_B1), c.rect(14, 1, 1, 14, F_B1);
      c.ascii(4, 4, {"8888888", "8.....8", "8.888.8", "8.8.8.8", "8...8.8", "88888.8", "......8"});
      break;
    case MOON:
      c.fill(F_W2);
      c.frame(1, 1, 14, 14, F_W1);
      c.line(2, 2, 13, 13, F_W1), c.line(2, 13, 13, 2, F_W1);
      c.set(1, 1, F_HI);
      break;
  }
  c.frame(0, 0, 16, 16, F_OUT);
  return c;
}

Canvas water_tile(bool surface, int variant) {
  Canvas c(16, 16, W_DEEP);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) {
      if ((y + variant * 3) % 6 == 0 && (x + y / 2 + variant * 5) % 11 < 4) c.set(x, y, W_MID);
    }
  if (surface) {
    for (int x = 0; x < 16; ++x) {
      int crest = 4 + static_cast<int>(std::lround(1.2 * std::sin((x + variant * 8) * 0.3927)));
      for (int y = 0; y < crest; ++y) c.set(x, y, 0);
      c.set(x, crest, W_FOAM);
      c.set(x, crest + 1, W_LIGHT);
      c.set(x, crest + 2, W_LIGHT);
      c.set(x, crest + 3, W_MID);
    }
  }
  return c;
}

Canvas bridge_tile(int theme) {
  Canvas c(16, 16);
  const uint8_t light = theme == ICE ? F_B3 : F_W2, dark = theme == ICE ? F_B1 : F_W1;
  for (int x = 0; x < 16; x += 4) {
    c.rect(x, 8, 3, 5, light);
    c.hline(x, x + 2, 12, dark);
  }
  c.hline(0, 15, 2, dark);
  c.vline(1, 2, 8, dark);
  c.vline(9, 3, 8, dark);
  c.outline(F_OUT);
  return c;
}

Canvas spike_tile(int theme) {
  Canvas c(16, 16);
  const uint8_t fill = theme == ICE ? F_B3 : F_G3, shade = theme == ICE ? F_B2 : F_G2;
  c.polygon({{1, 16}, {5, 3}, {9, 16}}, fill);
  c.polygon({{8, 16}, {12, 6}, {15, 16}}, fill);
  c.line(5, 5, 7, 15, shade), c.line(12, 8, 13, 15, shade);
  c.outline(F_OUT);
  return c;
}

}  // namespace sample
