#include "ui/frame.h"

#include "ui/input.h"

void advance_frame_timer(Display& display) {
  display.timer_ticks = display.timer_ticks + 1;
  display.screen_ticks = display.screen_ticks + 1;
  if (display.timer_ticks % 60 == 0) {
    display.fps_value = static_cast<uint8_t>(display.frames_this_second);
    display.frames_this_second = 0;
  }
  if (display.mouse_needs_polling) poll_mouse();
  display.wheel_before = display.wheel_now;
  display.wheel_now = static_cast<int16_t>(2 * input().mouse_z());
}

static int frame_divisor(const Display& display) {
  const int divisor = display.settings.frame_skip + 1;
  return divisor > 0 ? divisor : 1;
}

bool frame_skip_open(const Display& display) { return display.frame_counter % frame_divisor(display) == 0; }

void align_frame_counter(Display& display) {
  display.frame_counter = display.frame_counter - display.frame_counter % frame_divisor(display);
}

namespace {

// The retrace wait when VSYNC is on, then, when `shown`, the visible area of the back buffer
// to the screen.
void wait_and_show(const Display& display, bool shown) {
  if (display.settings.vsync_enabled) input().vsync();
  if (shown)
    input().present(display.back_buffer.get(), MARGIN, MARGIN, 0, 0, display.settings.screen_width,
                    display.settings.screen_height);
}

}  // namespace

void present_frame(Display& display) {
  if (display.cursor_arrow)
    masked_blit(display.cursor_arrow.get(), display.back_buffer.get(), 0, 0, input().mouse_x() + 53,
                input().mouse_y() + 53, 22, 22);
  wait_and_show(display, true);
}

void show_editor_frame(const Display& display) { wait_and_show(display, frame_skip_open(display)); }

void present_message_band(const Display& display, int height) {
  if (display.settings.vsync_enabled) input().vsync();
  input().present(display.back_buffer.get(), MARGIN, MARGIN, 0, display.settings.screen_height / 2 - height / 2,
                  display.settings.screen_width, height);
}

void end_editor_frame(Display& display) {
  display.frames_this_second = display.frames_this_second + 1;
  display.frame_counter = display.frame_counter + 1;
  input().wait_tick(display);
}
