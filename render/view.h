// The view record: what one view of the level shows.
#pragma once
#include <cstdint>

// What a view of the level shows: its zoom and its camera. Rendering draws through the
// view it is given.
struct LevelView {
  int16_t zoom = 0;                    // a 16-pixel block is drawn zoom + 16 pixels square
  int32_t camera_x = 0, camera_y = 0;  // view offset in eighths of a zoomed pixel
  int block_size() const { return zoom + 16; }
  // Zoomed position of a level coordinate: trunc(v * (zoom + 16) / 16) (the factor is
  // exact in binary, so the integer quotient equals it).
  int32_t zoomed(int32_t v) const { return v * block_size() / 16; }
};
