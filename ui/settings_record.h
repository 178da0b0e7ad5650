// The user's settings as one value: what mossforge.cfg holds and the setup screens change.
#pragma once
#include <allegro.h>

#include <cstdint>

struct Settings {
  int16_t screen_width = 640;
  int16_t screen_height = 480;
  uint8_t full_screen = 0;
  uint8_t vsync_enabled = 0;
  int8_t frame_skip = 0;
  uint8_t fps_counter_enabled = 0;
  uint16_t level_undo_size = 50;
  uint16_t meta_undo_size = 50;
  uint8_t level_editor_modes = 0x10;
  uint8_t meta_editor_modes = 0x11;
  uint8_t analysis_tool_modes = 0x10;
  uint8_t key_scroll_up = KEY_UP;
  uint8_t key_scroll_down = KEY_DOWN;
  uint8_t key_scroll_left = KEY_LEFT;
  uint8_t key_scroll_right = KEY_RIGHT;
  uint8_t background_default = 0;
  uint8_t tips_enabled = 1;
  uint8_t debug_info_flags = 0;
};
