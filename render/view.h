// The view record: what one view of the level shows.
#pragma once
#include <cstdint>

constexpr int16_t MIN_ZOOM = -12;
constexpr int16_t MAX_ZOOM = 48;

struct LevelModel;
struct LevelBitmaps;

// What a view shows: a level with its pictures, at its zoom, through its camera. Rendering
// draws through the view it is given (a view without a level draws nothing).
struct LevelView {
  int16_t zoom = 0;                    // a 16-pixel block is drawn zoom + 16 pixels square
  int32_t camera_x = 0, camera_y = 0;  // view offset in eighths of a zoomed pixel
  const LevelModel* level = nullptr;
  const LevelBitmaps* bitmaps = nullptr;
  // The block layers drawn: bit 0 layer L (cells whose priority bit is clear), bit 1 layer H.
  uint8_t layers = 3;
  int block_size() const { return zoom + 16; }
  // Zoomed position of a level coordinate: trunc(v * (zoom + 16) / 16) (the factor is
  // exact in binary, so the integer quotient equals it).
  int32_t zoomed(int32_t v) const { return v * block_size() / 16; }
};

// Keeps the view's camera inside the 1024 x 512 block world on a screen_width x
// screen_height screen (upper bound first, so a world narrower than the screen pins the
// camera at 0).
inline void clamp_camera(LevelView& view, int screen_width, int screen_height) {
  const int32_t s = view.block_size();
  const int32_t max_x = (s * 1024 - screen_width) * 8, max_y = (s * 512 - screen_height) * 8;
  if (view.camera_x > max_x) view.camera_x = max_x;
  if (view.camera_y > max_y) view.camera_y = max_y;
  if (view.camera_x < 0) view.camera_x = 0;
  if (view.camera_y < 0) view.camera_y = 0;
}
