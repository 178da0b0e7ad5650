#include "ui/settings.h"

#include <allegro.h>

int16_t screen_width;
int16_t screen_height;
uint8_t full_screen;
uint8_t vsync_enabled;
int8_t frame_skip;
uint8_t fps_counter_enabled;
uint16_t level_undo_size;
uint16_t meta_undo_size;
uint8_t level_editor_modes;
uint8_t meta_editor_modes;
uint8_t analysis_tool_modes;
uint8_t key_scroll_up;
uint8_t key_scroll_down;
uint8_t key_scroll_left;
uint8_t key_scroll_right;
uint8_t background_default;
uint8_t tips_enabled;
uint8_t debug_info_flags;

void settings_set_defaults() {
  screen_width = 640;
  screen_height = 480;
  full_screen = 0;
  vsync_enabled = 0;
  frame_skip = 0;
  fps_counter_enabled = 0;
  level_undo_size = 50;
  meta_undo_size = 50;
  level_editor_modes = 0x10;
  meta_editor_modes = 0x11;
  analysis_tool_modes = 0x10;
  key_scroll_up = KEY_UP;
  key_scroll_down = KEY_DOWN;
  key_scroll_left = KEY_LEFT;
  key_scroll_right = KEY_RIGHT;
  background_default = 0;
  tips_enabled = 1;
  debug_info_flags = 0;
}

// The settings hold their defaults from the start, before any file is read.
static const bool defaults_set = (settings_set_defaults(), true);
