#include "ui/display.h"

bool create_screen_bitmaps(Display& display) {
  const int w = display.settings.screen_width + 2 * MARGIN, h = display.settings.screen_height + 2 * MARGIN;
  BitmapPtr made[5];
  for (BitmapPtr& b : made)
    if (!(b = display.make_screen_bitmap(w, h))) return false;
  display.layer_4 = std::move(made[0]);
  display.layer_3 = std::move(made[1]);
  display.layer_2 = std::move(made[2]);
  display.layer_1 = std::move(made[3]);
  display.back_buffer = std::move(made[4]);
  return true;
}

void destroy_screen_bitmaps(Display& display) {
  display.layer_4.reset();
  display.layer_3.reset();
  display.layer_2.reset();
  display.layer_1.reset();
  display.back_buffer.reset();
}
