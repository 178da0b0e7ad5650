// Pictures of the five level themes: ground, platforms, blocks, water, bridges, scenery
// (palette line 1, water in line 3) and the sky of the back plane (line 2).
#pragma once
#include "tools/samplegame/canvas.h"

namespace sample {

enum ThemeId { MEADOW = 0, CASTLE = 1, ICE = 2, DESERT = 3, MOON = 4 };

// Colour slots of a front palette (line 1).
enum FrontInk : uint8_t {
  F_OUT = 1, F_G1, F_G2, F_G3, F_S1, F_S2, F_S3, F_B1, F_B2, F_B3, F_W1, F_W2, F_A1, F_A2, F_HI
};
// Colour slots of a back palette (line 2).
enum BackInk : uint8_t {
  B_SKY1 = 1, B_SKY2, B_SKY3, B_SKY4, B_SKY5, B_SKY6, B_CLOUD_SHADE, B_CLOUD, B_FAR1, B_FAR2, B_NEAR1, B_NEAR2,
  B_SUN, B_ACCENT, B_WHITE
};
// Colour slots of a flash palette (line 3) used by water.
enum FlashInk : uint8_t { W_DEEP = 1, W_MID, W_LIGHT, W_FOAM, W_WHITE };

enum class Edge { Left, None, Right };

// One 16x16 ground tile; top tiles carry the theme's surface, variant picks the details.
Canvas ground_tile(int theme, bool top, Edge edge, int variant);
Canvas platform_tile(int theme, int part);  // 0 left end, 1 middle, 2 right end
Canvas solid_block_tile(int theme);
Canvas water_tile(bool surface, int variant);  // line 3
Canvas bridge_tile(int theme);
Canvas spike_tile(int theme);  // pointing up; icicles use it flipped

// Scenery standing on the ground, each a few blocks in size (multiples of 16 pixels).
std::vector<Canvas> scenery_pictures(int theme);
Canvas small_scenery_picture(int theme, int variant);  // 16x16

// Sky chunks of 256x256 pixels: kind 0 high sky, 1 middle sky, 2 low sky with the horizon
// (variant 0 or 1, seamless in any order).
Canvas sky_picture(int theme, int kind, int variant);
// Clouds (or the planet) on the top sky colour: variant 0 64x32, 1 96x32, 2 the sun (48x48).
Canvas sky_feature_picture(int theme, int variant);

}  // namespace sample
