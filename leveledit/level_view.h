// The zoom and camera shared by the level editor, the chunk editor and their selectors.
#pragma once
#include <cstdint>

constexpr int16_t MIN_ZOOM = -12;
constexpr int16_t MAX_ZOOM = 48;

// A 16-pixel block is drawn level_zoom + 16 pixels square.
extern int16_t level_zoom;
// View offset in eighths of a zoomed pixel.
extern int32_t camera_x, camera_y;
extern uint8_t fast_scroll_latch;

inline int block_size_on_screen() { return level_zoom + 16; }

// Keeps the camera inside the 1024 x 512 block world (upper bound first, so a world
// narrower than the screen pins the camera at 0).
void clamp_camera();
