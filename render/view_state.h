// The view state shared by the level editor, the chunk editor and their selectors. Only the
// screens and app/ include this header; the objects are defined in app/program_state.cpp.
#pragma once
#include <cstdint>

#include "render/view.h"

// The view of the editors and their selectors, of the level in memory; level_zoom,
// camera_x and camera_y name its fields.
extern LevelView level_view;
extern int16_t& level_zoom;
extern int32_t& camera_x;
extern int32_t& camera_y;
extern uint8_t fast_scroll_latch;

inline int block_size_on_screen() { return level_view.block_size(); }

// Editor-screen state shared by the level editor and the chunk editor.
// camera_state: 0 the camera follows the mouse, 1 fixed, 2 fixed with Esc ignored;
// bit 7 marks a change made by a click in this frame.
extern uint8_t camera_state;
// Bit 0 layer L, bit 1 layer H.
extern uint8_t layer_visibility;
// timer_ticks of the last zoom input (the zoom read-out shows for 150 ticks after it).
extern int32_t zoom_changed_at;
// Auto-repeat counters of PgUp and PgDn.
extern int16_t zoom_repeat_count, zoom_repeat_step;
// Set by F1; the screen shows its help overlay at the end of the frame.
extern uint8_t help_requested;
