#include "ui/frame.h"

#include "ui/input.h"
#include "ui/screen_state.h"
#include "ui/settings.h"

void frame_timer_tick() {
  timer_ticks = timer_ticks + 1;
  screen_ticks = screen_ticks + 1;
  if (timer_ticks % 60 == 0) {
    fps_value = static_cast<uint8_t>(frames_this_second);
    frames_this_second = 0;
  }
  if (mouse_needs_polling) poll_mouse();
  wheel_before = wheel_now;
  wheel_now = static_cast<int16_t>(2 * input().mouse_z());
}

static int frame_divisor() { return frame_skip + 1 > 0 ? frame_skip + 1 : 1; }

bool frame_skip_open() { return frame_counter % frame_divisor() == 0; }

void align_frame_counter() { frame_counter = frame_counter - frame_counter % frame_divisor(); }

void present_frame() {
  BITMAP* bb = back_buffer.get();
  if (cursor_arrow) masked_blit(cursor_arrow.get(), bb, 0, 0, input().mouse_x() + 53, input().mouse_y() + 53, 22, 22);
  if (vsync_enabled) input().vsync();
  input().present(bb, MARGIN, MARGIN, 0, 0, screen_width, screen_height);
}

void present_message_band() {
  if (vsync_enabled) input().vsync();
  input().present(back_buffer.get(), MARGIN, MARGIN, 0, screen_height / 2 - 18, screen_width, 36);
}

void end_editor_frame() {
  frames_this_second = frames_this_second + 1;
  frame_counter = frame_counter + 1;
  input().wait_tick();
}
