// What a frame draws into: the back buffer and the four layers, screen-sized bitmaps with a
// 64-pixel margin on every side (every drawing position is +64), and the size of their
// visible area.
#pragma once
#include <allegro.h>

#include <array>

constexpr int MARGIN = 64;

struct ScreenLayers {
  BITMAP* back_buffer = nullptr;
  std::array<BITMAP*, 4> layers{};  // layer_1 .. layer_4, bottom to top
  int width = 0, height = 0;        // visible area
};
