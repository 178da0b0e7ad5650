#include "ui/input.h"

namespace {

class AllegroInput final : public InputSource {
 public:
  void poll() override {
    if (mouse_needs_poll()) poll_mouse();
    if (keyboard_needs_poll()) poll_keyboard();
    rest(0);
    if (poll_hook) poll_hook();
  }
  // Scancodes come from settings a file can hold: none outside the key array is ever down.
  bool key_down(int k) override { return k > 0 && k < KEY_MAX && key[k] != 0; }
  void release_key(int k) override {
    if (k > 0 && k < KEY_MAX) key[k] = 0;
  }
  int shifts() override { return key_shifts; }
  bool keypressed() override { return ::keypressed() != 0; }
  int readkey() override { return ::readkey(); }
  void clear_keybuf() override { ::clear_keybuf(); }
  int mouse_x() override { return ::mouse_x; }
  int mouse_y() override { return ::mouse_y; }
  int mouse_b() override { return ::mouse_b; }
  int mouse_z() override { return ::mouse_z; }
  void position_mouse(int x, int y) override { ::position_mouse(x, y); }
  void present(BITMAP* src, int sx, int sy, int dx, int dy, int w, int h) override {
    if (screen) blit(src, screen, sx, sy, dx, dy, w, h);
  }
  void vsync() override { ::vsync(); }
  void wait_tick(Display& display) override {
    while (display.screen_ticks == 0) rest(1);
    display.screen_ticks = 0;
    if (frame_hook) frame_hook();
  }
  bool set_graphics_mode(bool full, int w, int h) override {
    return set_gfx_mode(full ? GFX_AUTODETECT : GFX_AUTODETECT_WINDOWED, w, h, 0, 0) == 0;
  }

  void (*frame_hook)() = nullptr;
  void (*poll_hook)() = nullptr;
};

AllegroInput allegro_input;
InputSource* fallback = &allegro_input;
InputSource* current = &allegro_input;

}  // namespace

InputSource& input() { return *current; }

void set_window_hooks(void (*frame_hook)(), void (*poll_hook)()) {
  allegro_input.frame_hook = frame_hook;
  allegro_input.poll_hook = poll_hook;
}

void set_input(InputSource* source) { current = source ? source : fallback; }

void set_fallback_input(InputSource* source) {
  fallback = source ? source : &allegro_input;
  current = fallback;
}

void wait_key_released(int scancode) {
  while (input().key_down(scancode)) input().poll();
}

bool ctrl_down() { return (input().shifts() & KB_CTRL_FLAG) != 0; }
bool shift_down() { return (input().shifts() & KB_SHIFT_FLAG) != 0; }
