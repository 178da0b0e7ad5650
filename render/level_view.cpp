#include "render/level_view.h"
#include "ui/settings.h"

LevelView level_view;
int16_t& level_zoom = level_view.zoom;
int32_t& camera_x = level_view.camera_x;
int32_t& camera_y = level_view.camera_y;
uint8_t fast_scroll_latch = 0;

uint8_t camera_state = 0;
uint8_t layer_visibility = 0x7F;
int32_t zoom_changed_at = 0;
int16_t zoom_repeat_count = 0, zoom_repeat_step = 0;
uint8_t help_requested = 0;

void clamp_camera() {
  const int32_t s = block_size_on_screen();
  const int32_t max_x = (s * 1024 - screen_width) * 8, max_y = (s * 512 - screen_height) * 8;
  if (camera_x > max_x) camera_x = max_x;
  if (camera_y > max_y) camera_y = max_y;
  if (camera_x < 0) camera_x = 0;
  if (camera_y < 0) camera_y = 0;
}
