#include "gamedata/bitmap.h"

#include <cerrno>
#include <cstdlib>

BitmapPtr make_bitmap(int w, int h) {
  if (w <= 0 || h <= 0) return nullptr;
  BitmapPtr b(create_bitmap_ex(32, w, h));
  if (b) clear_to_color(b.get(), 0);
  return b;
}

void use_program_channel_order() {
  _rgb_r_shift_32 = 16;
  _rgb_g_shift_32 = 8;
  _rgb_b_shift_32 = 0;
  _rgb_a_shift_32 = 24;
}

bool init_headless_graphics() {
  static bool done = false;
  if (!done) {
    if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0) return false;
    done = true;
  }
  set_color_depth(32);
  use_program_channel_order();
  return true;
}
