// The display: the mode of the screen shown, the screen-sized bitmaps every screen draws
// into, the interface images, and the frame timing values written by the 60 Hz timer. The
// font, frame, menu, prompt and setup code takes the display it works on.
#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "gamedata/bitmap.h"
#include "ui/interface_images.h"
#include "ui/screen_layers.h"
#include "ui/settings_record.h"

struct Display {
  explicit Display(Settings& shown_with) : settings(shown_with) {}
  Display(const Display&) = delete;
  Display& operator=(const Display&) = delete;

  // The size, retrace wait and frame skip it shows with.
  Settings& settings;

  // Main-menu mode: 0 menu, 1..15 a screen or command, 255 quit (setup uses bits 4-6).
  uint8_t editor_mode = 0;
  // Result of the menu widget in the current frame.
  uint8_t menu_choice = 0;

  // Screen-sized bitmaps with a 64-pixel margin on every side.
  BitmapPtr back_buffer;
  BitmapPtr layer_1, layer_2, layer_3, layer_4;
  // How create_screen_bitmaps makes each bitmap (tests replace it to make creation fail).
  BitmapPtr (*make_screen_bitmap)(int w, int h) = make_bitmap;

  // Interface images cut at start-up.
  std::array<BitmapPtr, 256> glyphs;
  BitmapPtr cursor_arrow, cursor_alt;
  FramePieces frame_pieces;
  BitmapPtr swatch_red, swatch_green, swatch_blue;

  // Frame timing, shared with the timer callback.
  volatile int32_t timer_ticks = 0;
  volatile uint32_t screen_ticks = 0;
  volatile int32_t frame_counter = 0;
  volatile uint32_t frames_this_second = 0;
  volatile uint8_t fps_value = 0;
  volatile int16_t wheel_now = 0;
  volatile int16_t wheel_before = 0;
  uint8_t mouse_needs_polling = 0;

  // Mouse click edges (see read_click).
  uint8_t click_event = 0;
  uint8_t buttons_before = 0;

  // What the last prompts left: the line of prompt_text and edit_text_field, and whether a
  // prompt_number ended with Escape (it then returned its `current`).
  std::string text_entry;
  bool number_prompt_cancelled = false;

  // The five bitmaps and the visible size, as the drawing code takes them.
  ScreenLayers layers() const {
    return ScreenLayers{back_buffer.get(),
                        {layer_1.get(), layer_2.get(), layer_3.get(), layer_4.get()},
                        settings.screen_width,
                        settings.screen_height};
  }
};

// Creates the five screen bitmaps at the settings' screen size (layer_4 first, back_buffer
// last). All or nothing: when one cannot be made, the old ones stay and the result is false.
bool create_screen_bitmaps(Display& display);
void destroy_screen_bitmaps(Display& display);
