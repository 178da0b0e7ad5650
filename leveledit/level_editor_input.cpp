// Toggle keys, texts, debug overlays and the cursor of the level editor.
#include <cmath>
#include <string>

#include "files/layout_selection.h"
#include "gamedata/level_state.h"
#include "leveledit/level_editor.h"
#include "leveledit/level_editor_state.h"
#include "leveledit/level_undo.h"
#include "render/layer_bands.h"
#include "render/view_state.h"
#include "render/panel_writers.h"
#include "render/status_bar.h"
#include "render/undo_readout.h"
#include "ui/font.h"
#include "ui/frame.h"
#include "ui/input.h"
#include "ui/screen_state.h"
#include "ui/settings.h"

namespace {

// True once per press: the key is down, and the wait for its release is done.
bool pressed(int scancode) {
  if (!input().key_down(scancode)) return false;
  wait_key_released(scancode);
  return true;
}

void toggle(uint8_t& flag) { flag = flag ? 0 : 1; }

}  // namespace

void handle_toggles() {
  InputSource& in = input();
  if (pressed(KEY_F5)) toggle(ledit.show_camera_coords);
  if (pressed(KEY_F6)) toggle(ledit.show_mouse_coords);
  if (pressed(KEY_F7)) toggle(ledit.show_unit_coords);
  if (pressed(KEY_F9)) layer_visibility ^= 1;
  if (pressed(KEY_F10)) layer_visibility ^= 2;
  pressed(KEY_F11);
  if (pressed(KEY_F8) && level_editor_play) level_editor_play();
  if (in.key_down(KEY_TAB)) {
    if (ctrl_down())
      toggle(ledit.background_shown);
    else {
      ledit.edit_flags ^= EDIT_BACK_PLANE;
      clear_group_selection();
    }
    wait_key_released(KEY_TAB);
  } else if (in.key_down(KEY_M) && !ctrl_down()) {
    ledit.edit_flags ^= EDIT_METABLOCK;
    wait_key_released(KEY_M);
  }
  if (in.key_down(KEY_F1)) help_requested = 1;
  if (pressed(KEY_F4)) toggle(snap_to_grid);
}

void handle_undo_keys() {
  if (!ctrl_down()) return;
  InputSource& in = input();
  const bool redo = in.key_down(KEY_Y) || (in.key_down(KEY_Z) && shift_down());
  if (!redo && !in.key_down(KEY_Z)) return;
  if (redo)
    level_redo();
  else
    level_undo();
  show_undo_readout(level_history.undo_count(), level_history.redo_count(), timer_ticks);
  wait_key_released(KEY_Z);
  wait_key_released(KEY_Y);
}

// The zoom in percent as the read-out shows it: s / 16 * 100, rounded half up.
static int zoom_percent() {
  const double p = block_size_on_screen() * 100.0 / 16.0;
  int v = static_cast<int>(p);
  if (p - v >= 0.5) ++v;
  return v;
}

LevelStatus level_editor_status() {
  LevelStatus s;
  s.back_plane = (ledit.edit_flags & EDIT_BACK_PLANE) != 0;
  s.metablock = (ledit.edit_flags & EDIT_METABLOCK) != 0;
  s.camera_state = camera_state;
  s.zoom_percent = zoom_percent();
  s.snap = snap_to_grid != 0;
  s.origin = level_origin_text(level_origin);
  s.unsaved = level_changed_flags != 0;
  s.selected = selected_count(edited_plane());
  return s;
}

void draw_overlay_texts() {
  if (!frame_skip_open(display)) return;
  BITMAP* overlay = layer_4.get();
  draw_status_bar(display, overlay, level_status_text(level_editor_status(), status_bar_chars(screen_width)));
  if (!help_requested && tips_enabled) layer_text(display, overlay, 0, screen_width - 160, 8, "press F1 for help.");
  if (timer_ticks - zoom_changed_at < 150) {
    layer_text(display, overlay, 1, 16, 8, "ZOOM:");
    layer_number(display, overlay, 80, 8, 1, zoom_percent());
  }
  const std::string readout = undo_readout_text(timer_ticks);
  if (!readout.empty()) layer_text(display, overlay, 1, 128, 8, readout.c_str());  // beside the zoom read-out
  const int32_t s = block_size_on_screen();
  const int32_t wx = world_mouse_x(), wy = world_mouse_y();
  int16_t y = 24;
  if (ledit.show_camera_coords) {
    layer_text(display, overlay, 0, 16, y, "CX:");
    hex_at(display, overlay, 0, 80, y, 1, static_cast<uint32_t>((camera_x >> 3) * 64 / (level_zoom + 64)));
    layer_text(display, overlay, 0, 112, y, "CY:");
    hex_at(display, overlay, 0, 176, y, 1, static_cast<uint32_t>((camera_y >> 3) * 64 / (level_zoom + 64)));
    y += 8;
  }
  if (ledit.show_mouse_coords) {
    layer_text(display, overlay, 0, 16, y, "MX:");
    hex_at(display, overlay, 0, 80, y, 1, static_cast<uint32_t>(wx * 16 / s));
    layer_text(display, overlay, 0, 112, y, "MY:");
    hex_at(display, overlay, 0, 176, y, 1, static_cast<uint32_t>(wy * 16 / s));
    y += 8;
  }
  if (ledit.show_unit_coords) {
    y = static_cast<int16_t>(8 * (3 + (ledit.show_camera_coords ? 1 : 0) + (ledit.show_mouse_coords ? 1 : 0)));
    layer_text(display, overlay, 0, 16, y, "BX:");
    hex_at(display, overlay, 0, 80, y, 1, static_cast<uint32_t>(wx / s));
    layer_text(display, overlay, 0, 112, y, "BY:");
    hex_at(display, overlay, 0, 176, y, 1, static_cast<uint32_t>(wy / s));
  }
}

void draw_level_cursor() {
  if (!frame_skip_open(display)) return;
  BITMAP* overlay = layer_4.get();
  const int mx = ledit.mouse_x, my = ledit.mouse_y;
  if (fast_scroll_latch == 1 && cursor_alt) {
    // Turned towards the scrolling direction, seen from the screen centre.
    const double angle = std::atan2(static_cast<double>(my - screen_height / 2), static_cast<double>(mx - screen_width / 2));
    const fixed turn = static_cast<fixed>(angle * 128.0 / M_PI * 65536.0);
    // Turned about its centre, the picture stays within the circle through its corners.
    const int reach = (cursor_alt->w + cursor_alt->h) / 2 + 2;
    mark_drawn(overlay, mx + MARGIN - reach, my + MARGIN - reach, 2 * reach, 2 * reach);
    pivot_sprite(overlay, cursor_alt.get(), mx + MARGIN, my + MARGIN, cursor_alt->w / 2, cursor_alt->h / 2, turn);
  } else if (cursor_arrow) {
    mark_drawn(overlay, mx + 53, my + 53, 22, 22);
    masked_blit(cursor_arrow.get(), overlay, 0, 0, mx + 53, my + 53, 22, 22);
  }
}
