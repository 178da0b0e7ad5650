// The program's one display and what the screens call its parts: the mode byte, the
// screen-sized bitmaps, the interface images and the frame timing values written by the
// 60 Hz timer. Only the screens and app/ include this header; the code below them takes the
// display as a parameter. Defined in app/program_state.cpp.
#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "gamedata/bitmap.h"
#include "ui/display.h"

extern Display display;

// Main-menu mode: 0 menu, 1..15 a screen or command, 255 quit (setup uses bits 4-6).
extern uint8_t& editor_mode;
// Result of the menu widget in the current frame.
extern uint8_t& menu_choice;

// Screen-sized bitmaps with a 64-pixel margin on every side; every drawing position is +64.
extern BitmapPtr& back_buffer;
extern BitmapPtr &layer_1, &layer_2, &layer_3, &layer_4;
// How create_screen_bitmaps makes each bitmap (tests replace it to make creation fail).
extern BitmapPtr (*&make_screen_bitmap)(int w, int h);

// Interface images cut at start-up; they live until the process ends.
extern std::array<BitmapPtr, 256>& glyphs;
extern BitmapPtr &cursor_arrow, &cursor_alt;
extern FramePieces& frame_pieces;
extern BitmapPtr &frame_top_left, &frame_top_right, &frame_bottom_left, &frame_bottom_right;
extern BitmapPtr &frame_top, &frame_bottom, &frame_left, &frame_right;
extern BitmapPtr &swatch_red, &swatch_green, &swatch_blue;

// Frame timing, shared with the timer callback.
extern volatile int32_t& timer_ticks;
extern volatile uint32_t& screen_ticks;
extern volatile int32_t& frame_counter;
extern volatile uint32_t& frames_this_second;
extern volatile uint8_t& fps_value;
extern volatile int16_t& wheel_now;
extern volatile int16_t& wheel_before;
extern uint8_t& mouse_needs_polling;

// Mouse click edges (see read_click).
extern uint8_t& click_event;
extern uint8_t& buttons_before;

// What the last prompts left (see ui/prompts.h).
extern std::string& text_entry;
extern bool& number_prompt_cancelled;

// The timer callback Allegro calls 60 times a second: advances the display's frame timing.
void frame_timer_tick();

// Set when the window's close button was pressed: the screens leave as on Escape and the
// main menu acts as on QUIT.
extern volatile int close_requested;
