#include "ui/screen_state.h"

#include "ui/settings.h"

uint8_t editor_mode = 0;
uint8_t menu_choice = 0;

BitmapPtr back_buffer;
BitmapPtr layer_1, layer_2, layer_3, layer_4;

std::array<BitmapPtr, 256> glyphs;
BitmapPtr cursor_arrow, cursor_alt;
FramePieces frame_pieces;
BitmapPtr &frame_top_left = frame_pieces.top_left, &frame_top_right = frame_pieces.top_right;
BitmapPtr &frame_bottom_left = frame_pieces.bottom_left, &frame_bottom_right = frame_pieces.bottom_right;
BitmapPtr &frame_top = frame_pieces.top, &frame_bottom = frame_pieces.bottom;
BitmapPtr &frame_left = frame_pieces.left, &frame_right = frame_pieces.right;
BitmapPtr swatch_red, swatch_green, swatch_blue;

volatile int32_t timer_ticks = 0;
volatile uint32_t screen_ticks = 0;
volatile int32_t frame_counter = 0;
volatile uint32_t frames_this_second = 0;
volatile uint8_t fps_value = 0;
volatile int16_t wheel_now = 0;
volatile int16_t wheel_before = 0;
uint8_t mouse_needs_polling = 0;

uint8_t click_event = 0;
uint8_t buttons_before = 0;

BitmapPtr (*make_screen_bitmap)(int w, int h) = make_bitmap;

bool create_screen_bitmaps() {
  const int w = screen_width + 2 * MARGIN, h = screen_height + 2 * MARGIN;
  BitmapPtr made[5];
  for (BitmapPtr& b : made)
    if (!(b = make_screen_bitmap(w, h))) return false;
  layer_4 = std::move(made[0]);
  layer_3 = std::move(made[1]);
  layer_2 = std::move(made[2]);
  layer_1 = std::move(made[3]);
  back_buffer = std::move(made[4]);
  return true;
}

void destroy_screen_bitmaps() {
  layer_4.reset();
  layer_3.reset();
  layer_2.reset();
  layer_1.reset();
  back_buffer.reset();
}
