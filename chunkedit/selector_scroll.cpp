#include "chunkedit/selector_scroll.h"

#include <algorithm>

#include "chunkedit/chunk_editor_state.h"
#include "render/strip_band.h"
#include "render/view_state.h"
#include "ui/input.h"
#include "ui/prompts.h"
#include "ui/screen_state.h"
#include "ui/settings.h"

// Largest block bar position: just under 511 blocks of 320 units.
constexpr int32_t BLOCK_BAR_TOP = 163519;

StripScroll tile_strip_scroll(int tile_count) {
  return {704, (tile_count - 1) * 704, std::max(tile_count - 1, 0), 88};
}

StripScroll block_bar_scroll() { return {320, BLOCK_BAR_TOP, 511, 40}; }

int32_t strip_item(const StripScroll& strip) {
  const int32_t pixels = strip.step / 8;
  return ((camera_x >> 3) + pixels / 2) / pixels;
}

namespace {

bool slash_down() { return input().key_down(KEY_SLASH) || input().key_down(KEY_SLASH_PAD); }

void go_to(const StripScroll& strip) {
  InputSource& in = input();
  wait_key_released(KEY_SLASH);
  wait_key_released(KEY_SLASH_PAD);
  const int32_t current = std::clamp(strip_item(strip), 0, strip.last_item);
  const int16_t answer =
      prompt_number(display, 0, static_cast<int16_t>(strip.last_item), static_cast<int16_t>(current), "GO TO:");
  camera_x = answer * strip.step;
  in.position_mouse(screen_width / 2, in.mouse_y());
  for (int k : {KEY_ENTER, KEY_ENTER_PAD, KEY_ESC}) wait_key_released(k);
}

}  // namespace

void scroll_strip(const StripScroll& strip) {
  InputSource& in = input();
  const bool left_held = (in.mouse_b() & 1) != 0;
  if (fast_scroll_latch && !left_held) fast_scroll_latch = 0;

  camera_x += (wheel_now - wheel_before) * strip.step;

  const int32_t key_step = shift_down() ? 2 * strip.key_step : strip.key_step;
  if (in.key_down(key_scroll_left))
    camera_x -= key_step;
  else if (in.key_down(key_scroll_right))
    camera_x += key_step;

  camera_x += strip_band_scroll(in.mouse_x(), screen_width / 2, 96, left_held, chunk_selection_mode == MODE_ROAMING,
                                fast_scroll_latch);

  if (camera_x > strip.top) camera_x = strip.top;
  if (camera_x < 0) camera_x = 0;

  if (slash_down()) go_to(strip);
}

void draw_selector_cursor(BITMAP* target) {
  InputSource& in = input();
  const int x = in.mouse_x() + MARGIN - 11, y = in.mouse_y() + MARGIN - 11;
  if (fast_scroll_latch && cursor_alt) {
    if (screen_width / 2 < in.mouse_x())
      draw_sprite(target, cursor_alt.get(), x, y);
    else
      draw_sprite_h_flip(target, cursor_alt.get(), x, y);
  } else if (cursor_arrow) {
    masked_blit(cursor_arrow.get(), target, 0, 0, x, y, 22, 22);
  }
}
