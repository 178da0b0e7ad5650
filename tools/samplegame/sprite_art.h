// The game-wide pictures drawn in palette line 0 (and the marker icons of lines 1 and 2):
// common blocks, the moon, pickups, block-object icons, the large object and the markers.
#pragma once
#include <vector>

#include "tools/samplegame/canvas.h"
#include "tools/samplegame/sample_game.h"

namespace sample {

// Colour indices of the sprite palette (line 0), as in SPRITE_LEGEND.
enum Ink : uint8_t {
  INK_BLACK = 1, INK_WHITE, INK_LGREY, INK_DGREY, INK_RED, INK_DRED, INK_YELLOW, INK_ORANGE,
  INK_BROWN, INK_DBROWN, INK_GREEN, INK_DGREEN, INK_BLUE, INK_CYAN, INK_PINK
};

// Common block numbers the editor relies on.
constexpr int COMMON_SWITCH_OFF = 6, COMMON_SWITCH_ON = 7, COMMON_ROCK = 22;
constexpr int COMMON_POST_TOP = 15, COMMON_POLE = 16, COMMON_BASE_LEFT = 17, COMMON_BASE = 18, COMMON_BASE_RIGHT = 19;

std::vector<Canvas> common_block_pictures();  // 24 of 16x16
Canvas moon_picture();                        // 16x16

// One 16x16 picture per pickup type; types that share graphics get the same picture index.
struct PickupArt {
  std::vector<Canvas> pictures;
  std::vector<int> picture_of_type;  // 58 entries
};
PickupArt pickup_pictures();

std::vector<Canvas> block_icon_pictures();   // 10 of 16x16, then 2 of 32x32
std::vector<Canvas> large_object_frames();   // 3 of 32x40
// Marker pictures in pattern order: 16x16 icons and one 8x16 strip, 126 patterns in all.
std::vector<Canvas> marker_pictures();

// A bevelled square block: light top-left edge, dark bottom-right edge, black outline.
Canvas bevel_block(int size, uint8_t light, uint8_t mid, uint8_t dark);

}  // namespace sample
