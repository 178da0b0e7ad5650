// The back plane's sky: gradient bands, the horizon with hills, mountains, castles, dunes or
// craters, clouds, the sun and the planet. Everything is opaque so that chunks placed over the
// sky never punch holes into it.
#include <cmath>

#include "tools/samplegame/theme_art.h"

namespace sample {
namespace {

constexpr double TAU = 6.283185307179586;

// Sky colour of pixel (x, y) in a chunk of the given kind: bands of one colour with a short
// dithered step between them.
uint8_t sky_colour(int kind, int x, int y) {
  // The middle sky runs from colour 1 to 3 and the low sky from 4 to 6, with steps at block
  // rows 5 and 10 (and row 0 of the low sky, continuing the middle one).
  if (kind == 0) return B_SKY1;
  const int row = y / 16, in = y % 16;
  const int band = row < 5 ? 0 : row < 10 ? 1 : 2;
  const uint8_t c = static_cast<uint8_t>((kind == 1 ? B_SKY1 : B_SKY4) + band);
  const bool step_row = row == 5 || row == 10 || (kind == 2 && row == 0);
  if (step_row && in < 10) {
    const uint8_t above = static_cast<uint8_t>(c - 1);
    if (in < 4) return above;
    return ((x + y) % 2 == 0) == (in < 7) ? above : c;
  }
  return c;
}

bool star_at(int x, int y) { return hash3(x % 48, y % 48, 77) % 97 == 0; }

// Horizon heights (pixels from the chunk top) continuous across chunk borders for both variants.
double far_height(int theme, int variant, int x) {
  const double u = x / 256.0;
  const double sign = variant ? -1 : 1;
  switch (theme) {
    case CASTLE:
    case ICE: {  // jagged mountains: triangle waves of whole periods
      double tri = std::fabs(std::fmod(u * (variant ? 3 : 2) + 0.25, 1.0) - 0.5) * 2;  // 0..1
      return 74 - 46 * (1 - tri) + 6 * std::sin(u * TAU * 8);
    }
    case DESERT: return 80 + sign * 10 * std::sin(u * TAU) + 6 * std::sin(u * TAU * (variant ? 3 : 2));
    case MOON: return 100 + 5 * std::sin(u * TAU * (variant ? 5 : 4));
    default: return 70 + sign * 14 * std::sin(u * TAU) + 8 * std::sin(u * TAU * (variant ? 3 : 2));
  }
}

double near_height(int theme, int variant, int x) {
  const double u = x / 256.0;
  switch (theme) {
    case CASTLE: {  // castle walls and towers
      const int tower_a = variant ? 40 : 150, tower_b = variant ? 170 : 60;
      double h = 120;
      if (std::abs(x - tower_a) < 18) h = 70;
      if (std::abs(x - tower_b) < 14) h = 86;
      if (h < 120 && (x / 6) % 2 == 0) h -= 6;
      if (h == 120 && (x / 8) % 2 == 0) h -= 5;
      return h;
    }
    case DESERT: {  // a pyramid
      const int peak = variant ? 70 : 180;
      double h = 132 + 3 * std::sin(u * TAU * 2);
      return std::min(h, 40.0 + std::abs(x - peak) * 1.1);
    }
    case MOON: return 126 + 8 * std::sin(u * TAU * (variant ? 3 : 2)) + 3 * std::sin(u * TAU * 9);
    case ICE: return 116 + 10 * std::sin(u * TAU * (variant ? 2 : 1)) * (variant ? 1 : -1);
    default: return 116 + 12 * std::sin(u * TAU * (variant ? 3 : 2)) * (variant ? -1 : 1);
  }
}

void paint_horizon(Canvas& c, int theme, int variant) {
  for (int x = 0; x < 256; ++x) {
    const int far = static_cast<int>(far_height(theme, variant, x));
    const int near = static_cast<int>(near_height(theme, variant, x));
    for (int y = far; y < 256; ++y) {
      uint8_t ink = B_FAR1;
      if (theme == ICE && y < far + 6 && far < 50) ink = B_FAR2;           // snow caps
      else if (theme != ICE && y < far + 2) ink = B_FAR2;                 // lit ridge
      else if (theme == DESERT && (x + y) % 9 == 0) ink = B_FAR2;
      if (theme == MOON) ink = y < far + 2 ? B_CLOUD_SHADE : B_NEAR2;  // the planet keeps 9 and 10
      c.set(x, y, ink);
    }
    for (int y = near; y < 256; ++y) {
      uint8_t ink = B_NEAR1;
      if (y < near + 3) ink = B_NEAR2;
      if (theme == DESERT) ink = (x > (variant ? 70 : 180)) ? B_NEAR1 : B_NEAR2;
      if (theme == ICE) ink = y < near + 10 ? B_NEAR2 : B_NEAR1;
      if (theme == MOON) ink = y < near + 2 ? B_NEAR2 : B_NEAR1;
      c.set(x, y, ink);
    }
  }
  if (theme == CASTLE)  // lit windows in the towers
    for (int i = 0; i < 4; ++i) {
      int wx = (variant ? 40 : 150) - 8 + (i % 2) * 12, wy = 84 + (i / 2) * 14;
      c.rect(wx, wy, 3, 5, B_ACCENT);
    }
  if (theme == MEADOW)  // small trees on the near hills
    for (int tx = 20 + variant * 30; tx < 256; tx += 70) {
      int ty = static_cast<int>(near_height(theme, variant, tx));
      c.ellipse(tx, ty - 6, 6, 8, B_NEAR1);
    }
}

}  // namespace

Canvas sky_picture(int theme, int kind, int variant) {
  Canvas c(256, 256);
  for (int y = 0; y < 256; ++y)
    for (int x = 0; x < 256; ++x) {
      uint8_t ink = sky_colour(kind, x, y);
      if ((theme == CASTLE || theme == MOON) && ink <= B_SKY2 && star_at(x, y)) ink = B_WHITE;
      c.set(x, y, ink);
    }
  if (kind == 2) paint_horizon(c, theme, variant);
  return c;
}

Canvas sky_feature_picture(int theme, int variant) {
  if (variant == 2) {  // the sun, the moon over the castle, or the planet
    Canvas c(48, 48, B_SKY1);
    if (theme == MOON) {  // a planet lit from the lower right
      Canvas lit(48, 48);
      lit.ellipse(24, 24, 20, 20, B_FAR1);
      lit.ellipse(18, 18, 8, 6, B_FAR2);
      lit.ellipse(30, 30, 7, 5, B_FAR2);
      lit.ellipse(29, 14, 4, 3, B_FAR2);
      Canvas shadow(48, 48);
      shadow.ellipse(31, 29, 19, 19, 1);
      for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 48; ++x)
          if (lit.at(x, y)) c.set(x, y, shadow.at(x, y) ? lit.at(x, y) : static_cast<uint8_t>(B_NEAR1));
      return c;
    }
    c.ellipse(24, 24, 15, 15, B_ACCENT);
    c.ellipse(24, 24, 13, 13, B_SUN);
    c.ellipse(20, 20, 4, 4, B_WHITE);
    if (theme == CASTLE) c.ellipse(30, 20, 11, 11, B_SKY1);  // a crescent
    return c;
  }
  Canvas c(variant == 0 ? 64 : 96, 32, B_SKY1);
  const double w = c.w();
  Canvas cloud(c.w(), 32);
  cloud.ellipse(w * 0.3, 20, w * 0.22, 9, B_CLOUD_SHADE);
  cloud.ellipse(w * 0.55, 15, w * 0.24, 12, B_CLOUD_SHADE);
  cloud.ellipse(w * 0.78, 21, w * 0.18, 8, B_CLOUD_SHADE);
  cloud.ellipse(w * 0.3, 18, w * 0.2, 8, B_CLOUD);
  cloud.ellipse(w * 0.55, 13, w * 0.22, 10, B_CLOUD);
  cloud.ellipse(w * 0.77, 19, w * 0.16, 7, B_CLOUD);
  cloud.rect(0, 27, c.w(), 5, 0);
  c.blit(cloud, 0, 0);
  return c;
}

}  // namespace sample
