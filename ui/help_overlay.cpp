#include "ui/help_overlay.h"

#include <cstdint>

#include "ui/font.h"
#include "ui/frame.h"
#include "ui/input.h"

namespace {

constexpr int DARKENING_STEPS = 12;

// Every colour byte c of the visible area loses c >> 3; alpha stays.
void darken_visible_area(const Display& display, BITMAP* b) {
  for (int y = MARGIN; y < MARGIN + display.settings.screen_height && y < b->h; ++y) {
    uint32_t* row = reinterpret_cast<uint32_t*>(b->line[y]);
    for (int x = MARGIN; x < MARGIN + display.settings.screen_width && x < b->w; ++x) {
      const uint32_t p = row[x];
      row[x] = p - ((p >> 3) & 0x001F1F1F);
    }
  }
}

bool any_key_down() {
  for (int k = 1; k < KEY_MAX; ++k)
    if (input().key_down(k)) return true;
  return false;
}

}  // namespace

void run_help_overlay_screen(Display& display, const char* text) {
  InputSource& in = input();
  BITMAP* bb = display.back_buffer.get();
  if (!bb) return;
  const int saved_x = in.mouse_x(), saved_y = in.mouse_y();
  bool f1_released = false;
  for (int step = 0;; ++step) {
    if (step < DARKENING_STEPS) darken_visible_area(display, bb);
    text_out_if_shown(display, bb, 0, 16, 60, text);
    if (display.settings.vsync_enabled) in.vsync();
    in.present(bb, MARGIN, MARGIN, 0, 0, display.settings.screen_width, display.settings.screen_height);
    end_editor_frame(display);
    in.poll();
    if (!f1_released) {
      // F1 itself and its repeats in the key buffer are not the key that ends the help.
      in.clear_keybuf();
      f1_released = !in.key_down(KEY_F1);
      continue;
    }
    if (in.keypressed()) {
      in.readkey();
      break;
    }
    if (in.mouse_b() & 3) break;
  }
  in.clear_keybuf();
  while (any_key_down()) in.poll();
  in.position_mouse(saved_x, saved_y);
  // A button that ended the help is not a click on the screen below.
  display.buttons_before = 3;
}
