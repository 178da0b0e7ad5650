// The user's settings: read from and written to mossforge.cfg, changed by the setup screens.
// The program's one instance; only the screens and app/ include this header (the code
// below them takes the settings as a parameter). Defined in app/program_state.cpp.
#pragma once
#include <cstdint>

#include "ui/settings_record.h"

extern Settings settings;
extern int16_t& screen_width;
extern int16_t& screen_height;
extern uint8_t& full_screen;
extern uint8_t& vsync_enabled;
extern int8_t& frame_skip;
extern uint8_t& fps_counter_enabled;
extern uint16_t& level_undo_size;
extern uint16_t& meta_undo_size;
extern uint8_t& level_editor_modes;
extern uint8_t& meta_editor_modes;
extern uint8_t& analysis_tool_modes;
extern uint8_t& key_scroll_up;
extern uint8_t& key_scroll_down;
extern uint8_t& key_scroll_left;
extern uint8_t& key_scroll_right;
extern uint8_t& background_default;
extern uint8_t& tips_enabled;
extern uint8_t& debug_info_flags;

// Every setting to its built-in default (the values used when there is no file).
inline void settings_set_defaults() { settings = Settings(); }
