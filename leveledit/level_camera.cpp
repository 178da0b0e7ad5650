// Zoom, keyboard and mouse scrolling and the camera states of the level editor.
#include <cstdlib>

#include "leveledit/level_editor.h"
#include "render/view_state.h"
#include "ui/input.h"
#include "ui/screen_state.h"
#include "ui/settings.h"

namespace {

// Zoom steps asked for by PgUp / PgDn this frame, with their auto-repeat: a press acts on
// its first frame and again on every frame from the seventh on; with Shift every frame,
// two steps at a time.
int zoom_key_steps() {
  InputSource& in = input();
  const bool up = in.key_down(KEY_PGUP), down = in.key_down(KEY_PGDN);
  if (!up && !down) {
    zoom_repeat_count = zoom_repeat_step = 0;
    return 0;
  }
  const int direction = up ? 1 : -1;
  if (shift_down()) return 2 * direction;
  int steps = 0;
  if (zoom_repeat_count == 0) {
    steps = direction;
  } else if (zoom_repeat_count > 5) {
    if (++zoom_repeat_step == 1) {
      steps = direction;
      zoom_repeat_step = 0;
    }
  }
  if (zoom_repeat_count < 1000) ++zoom_repeat_count;
  return steps;
}

}  // namespace

void handle_zoom_input() {
  const int16_t old_zoom = level_zoom;
  int steps = zoom_key_steps();
  steps += wheel_now - wheel_before;
  if (input().key_down(KEY_HOME)) {
    zoom_repeat_count = zoom_repeat_step = 0;
    steps = -old_zoom;
  }
  if (steps == 0) return;
  zoom_changed_at = timer_ticks;
  int new_zoom = old_zoom + steps;
  if (new_zoom < MIN_ZOOM) new_zoom = MIN_ZOOM;
  if (new_zoom > MAX_ZOOM) new_zoom = MAX_ZOOM;
  level_zoom = static_cast<int16_t>(new_zoom);
  // The level point under the cursor stays where it is.
  const float ratio_num = static_cast<float>(new_zoom + 16), ratio_den = static_cast<float>(old_zoom + 16);
  const int32_t mx8 = 8 * ledit.mouse_x, my8 = 8 * ledit.mouse_y;
  camera_x = static_cast<int32_t>(static_cast<float>(camera_x + mx8) * ratio_num / ratio_den - static_cast<float>(mx8));
  camera_y = static_cast<int32_t>(static_cast<float>(camera_y + my8) * ratio_num / ratio_den - static_cast<float>(my8));
}

void handle_scrolling() {
  InputSource& in = input();
  const int32_t amount = shift_down() ? 512 : 256;
  if (in.key_down(key_scroll_up))
    camera_y -= amount;
  else if (in.key_down(key_scroll_down))
    camera_y += amount;
  if (in.key_down(key_scroll_left))
    camera_x -= amount;
  else if (in.key_down(key_scroll_right))
    camera_x += amount;

  if (camera_state == 0) {
    const int cx = screen_width / 2, cy = screen_height / 2;
    const int mx = ledit.mouse_x, my = ledit.mouse_y;
    if (std::abs(mx - cx) > 96 || std::abs(my - cy) > 72) fast_scroll_latch = 1;
    // Held outside the central box, or held since it was left there: four times as fast.
    const int32_t factor = ((ledit.mouse_b & 1) && fast_scroll_latch == 1) ? 4 : 1;
    if (mx > cx + 7)
      camera_x += (mx - cx - 8) * factor;
    else if (mx < cx - 8)
      camera_x -= (cx - 8 - mx) * factor;
    if (my > cy + 7)
      camera_y += (my - cy - 8) * factor;
    else if (my < cy - 8)
      camera_y -= (cy - 8 - my) * factor;
  }
  clamp_camera(level_view, screen_width, screen_height);
}

void update_camera_state() {
  // A click that selects a group (Ctrl or Shift held) leaves a fixed camera as it is.
  if (!(click_event & 1) || ((camera_state & 0x7F) != 0 && (ctrl_down() || shift_down()))) {
    camera_state &= 0x7F;
    return;
  }
  switch (camera_state & 0x7F) {
    case 1:
      camera_state = 0x82;
      break;
    case 2:
      camera_state = 0x81;
      break;
    case 0:
      // A click outside the central box speeds the camera up instead of stopping it.
      if (fast_scroll_latch == 0) camera_state = (level_editor_modes & EDITING_ROAMING) ? 0x82 : 0x81;
      break;
    default:
      break;
  }
}
