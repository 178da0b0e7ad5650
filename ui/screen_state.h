// State shared by every screen: the mode byte, the screen-sized bitmaps, the interface
// images and the frame timing values written by the 60 Hz timer.
#pragma once
#include <array>
#include <cstdint>

#include "gamedata/bitmap.h"
#include "ui/interface_images.h"
#include "ui/screen_layers.h"
#include "ui/settings.h"

// Main-menu mode: 0 menu, 1..15 a screen or command, 255 quit (setup uses bits 4-6).
extern uint8_t editor_mode;
// Result of the menu widget in the current frame.
extern uint8_t menu_choice;

// Screen-sized bitmaps with a 64-pixel margin on every side; every drawing position is +64.
extern BitmapPtr back_buffer;
extern BitmapPtr layer_1, layer_2, layer_3, layer_4;
// The five bitmaps and the screen size, as the drawing code takes them.
inline ScreenLayers screen_layers() {
  return ScreenLayers{back_buffer.get(), {layer_1.get(), layer_2.get(), layer_3.get(), layer_4.get()}, screen_width,
                      screen_height};
}

// Creates the five screen bitmaps at the current screen size (layer_4 first, back_buffer
// last). All or nothing: when one cannot be made, the old ones stay and the result is false.
bool create_screen_bitmaps();
// How create_screen_bitmaps makes each bitmap (tests replace it to make creation fail).
extern BitmapPtr (*make_screen_bitmap)(int w, int h);
void destroy_screen_bitmaps();

// Interface images cut at start-up; they live until the process ends.
extern std::array<BitmapPtr, 256> glyphs;
extern BitmapPtr cursor_arrow, cursor_alt;
// Selection frame pieces; frame_top_left .. frame_right name them.
extern FramePieces frame_pieces;
extern BitmapPtr &frame_top_left, &frame_top_right, &frame_bottom_left, &frame_bottom_right;
extern BitmapPtr &frame_top, &frame_bottom, &frame_left, &frame_right;
extern BitmapPtr swatch_red, swatch_green, swatch_blue;

// Frame timing, shared with the timer callback.
extern volatile int32_t timer_ticks;
extern volatile uint32_t screen_ticks;
extern volatile int32_t frame_counter;
extern volatile uint32_t frames_this_second;
extern volatile uint8_t fps_value;
extern volatile int16_t wheel_now;
extern volatile int16_t wheel_before;
extern uint8_t mouse_needs_polling;

// Mouse click edges (see read_click).
extern uint8_t click_event;
extern uint8_t buttons_before;
