#include "leveledit/level_editor.h"
#include "leveledit/level_editor_state.h"
#include "render/layer_bands.h"

#include "gamedata/level_state.h"
#include "leveledit/layout_objects.h"
#include "leveledit/level_undo.h"
#include "leveledit/markers_view.h"
#include "leveledit/placement_search.h"
#include "render/view_state.h"
#include "render/map_render.h"
#include "render/undo_readout.h"
#include "ui/font.h"
#include "ui/frame.h"
#include "ui/input.h"
#include "ui/screen_state.h"
#include "ui/settings.h"

LevelEditorState ledit;
uint8_t snap_to_grid = 0;
uint8_t effect_details_shown = 0;

namespace {

uint8_t editing_mode() { return level_editor_modes & 0x0F; }

}  // namespace

bool editing_back_plane() { return (ledit.edit_flags & EDIT_BACK_PLANE) != 0; }

LayoutPlane& edited_plane() { return editing_back_plane() ? back_layout : front_layout; }

LayoutObject* selected_object() {
  if (!ledit.object_selected || ledit.selected_back_plane != editing_back_plane()) return nullptr;
  LayoutPlane& plane = edited_plane();
  if (ledit.selected_row < 0 || static_cast<size_t>(ledit.selected_row) >= plane.rows.size()) return nullptr;
  LayoutRow& row = plane.rows[static_cast<size_t>(ledit.selected_row)];
  if (ledit.selected_index < 0 || ledit.selected_index >= row.count()) return nullptr;
  return &row.objects[static_cast<size_t>(ledit.selected_index)];
}

void clear_selection() { ledit.object_selected = false; }

int32_t world_mouse_x() { return ledit.mouse_x + (camera_x >> 3); }
int32_t world_mouse_y() { return ledit.mouse_y + (camera_y >> 3); }

int32_t level_pixel(int32_t zoomed_world) { return zoomed_world * 16 / block_size_on_screen(); }

bool object_editing_allowed() { return !(camera_state == 0 && (editing_mode() & EDITING_ROAMING) == 0); }

bool plus_down() { return input().key_down(KEY_EQUALS) || input().key_down(KEY_PLUS_PAD); }
bool minus_down() { return input().key_down(KEY_MINUS) || input().key_down(KEY_MINUS_PAD); }
bool star_down() { return input().key_down(KEY_ASTERISK); }
bool slash_down() { return input().key_down(KEY_SLASH) || input().key_down(KEY_SLASH_PAD); }

void wait_edit_keys_released() {
  for (int k : {KEY_EQUALS, KEY_PLUS_PAD, KEY_MINUS, KEY_MINUS_PAD, KEY_ASTERISK, KEY_SLASH, KEY_SLASH_PAD, KEY_TILDE})
    wait_key_released(k);
}

void level_editor_enter() {
  camera_x = camera_y = 0;
  layer_visibility = 0x7F;
  zoom_repeat_count = zoom_repeat_step = 0;
  ledit = LevelEditorState();
  placement_search = PlacementSearch();
  ledit.background_shown = background_default;
  ledit.show_camera_coords = debug_info_flags & 1;
  ledit.show_mouse_coords = (debug_info_flags >> 1) & 1;
  ledit.show_unit_coords = (debug_info_flags >> 2) & 1;
  zoom_changed_at = timer_ticks;
  level_zoom = 0;
  fast_scroll_latch = 0;
  help_requested = 0;
  hide_undo_readout();
  layer_tracking_begin(display.layers());
  rest(100);
  camera_state = (editing_mode() & EDITING_STATIC) ? 1 : 0;
}

bool level_editor_pass() {
  InputSource& in = input();
  if (in.key_down(KEY_ESC) && camera_state == 0) return false;
  if (close_requested) return false;  // the window's close button
  if (camera_state == 0x80 && (editing_mode() & EDITING_STATIC)) return false;
  frame_counter = frame_counter + 1;
  frames_this_second = frames_this_second + 1;
  in.wait_tick(display);
  level_editor_frame();
  wheel_before = wheel_now;
  if (in.key_down(KEY_ESC) && camera_state == 1) {
    camera_state = 0x80;
    wait_key_released(KEY_ESC);
  }
  return true;
}

void (*level_editor_play)() = nullptr;

void level_editor() {
  level_editor_enter();
  while (level_editor_pass()) {
  }
  level_editor_leave();
}

void level_editor_frame() {
  InputSource& in = input();
  in.poll();
  ledit.mouse_x = in.mouse_x();
  ledit.mouse_y = in.mouse_y();
  ledit.mouse_b = in.mouse_b();

  // Click edges of this frame.
  click_event = 0;
  if ((ledit.mouse_b & 1) && !(buttons_before & 1)) click_event |= 1;
  if ((ledit.mouse_b & 2) && !(buttons_before & 2)) click_event |= 2;
  buttons_before = static_cast<uint8_t>(ledit.mouse_b);

  // Nothing is drawn or composed on frames that frame skip leaves out; input still runs.
  // While the layers are tracked they are clean: the last composition cleared what it read.
  const bool draw = frame_skip_open(display);
  if (draw && !layer_tracking_on()) clear_layers(display.layers());
  if (fast_scroll_latch == 1 && !(ledit.mouse_b & 1)) fast_scroll_latch = 0;

  handle_zoom_input();
  handle_scrolling();
  update_camera_state();
  level_view.layers = layer_visibility & 3;  // F9 and F10: layers L and H

  ledit.selection_changed = false;
  draw_plane_and_collect_hover(draw);
  if (!(ledit.mouse_b & 3)) ledit.marker_hovered = 0;
  if (map_header.map_front == 0) draw_markers(layer_4.get(), draw);
  update_hover_count();
  handle_hover_keys();
  handle_placement_keys();
  handle_toggles();
  draw_placement_highlights(draw);
  draw_overlay_texts();
  draw_level_cursor();

  handle_undo_keys();
  insert_object();
  handle_group_input(draw);
  if (ledit.marker_hovered) {
    edit_marker();
    draw_marker_panel();
  } else if (ledit.hover_count >= 1 && object_editing_allowed() && selected_object()) {
    if (ledit.edit_flags & EDIT_METABLOCK) locate_cell();
    edit_object();
    drag_or_delete_object();
    draw_object_panel();
  }
  // A drag goes on while the left button is held: it is one step from button down to up.
  if (!(ledit.mouse_b & 1)) {
    level_step_end();
    ledit.drag_clicked = false;
  }

  if (fps_counter_enabled) layer_number(display, layer_4.get(), frame_rate_x(screen_width), 8, 1, fps_value);
  if (layer_tracking_on())
    compose_tracked_layers(display);
  else
    compose_layers(display);

  if (help_requested) {
    show_help_overlay(LEVEL_EDITOR_HELP);
    help_requested = 0;
  }
}
