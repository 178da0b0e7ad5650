// Groups of objects in layout mode: Ctrl+click and Shift+drag selection, Ctrl+A, the group
// keys (Delete, Ctrl+C / X / V / D) and the frames of the selected objects. The selection and
// the group edits themselves are files/layout_selection.h and files/layout_clipboard.h.
#include <algorithm>
#include <string>

#include "files/layout_clipboard.h"
#include "gamedata/level_state.h"
#include "leveledit/level_editor.h"
#include "leveledit/level_editor_state.h"
#include "leveledit/level_undo.h"
#include "render/layer_bands.h"
#include "render/view_state.h"
#include "ui/input.h"
#include "ui/messages.h"
#include "ui/screen_state.h"
#include "ui/settings.h"

LayoutClipboard layout_clipboard;

namespace {

constexpr uint32_t FRAME_LIGHT = 0xFFFFFF00u, FRAME_DARK = 0xFF000000u;

bool layout_mode() { return !(ledit.edit_flags & EDIT_METABLOCK); }

// Chunk placements are drawn one block left of their x on every map but the map screen.
bool placement_shift() { return map_header.map_front != 0; }

// True once per press of Ctrl with the key.
bool ctrl_pressed(int scancode) {
  if (!ctrl_down() || !input().key_down(scancode)) return false;
  wait_key_released(scancode);
  return true;
}

// Each group edit is one undo step of its own.
void touch_rows(LayoutPlane& plane, int32_t first, int32_t count) {
  level_step_end();
  for (int32_t r = std::max(first, 1); r < first + count; ++r) level_step_touch_row(plane, r);
}

void touch_selected_rows(LayoutPlane& plane, int32_t offset) {
  if (!(ledit.mouse_b & 1)) level_step_end();  // a drag stays one step from button down to up
  for (int32_t r : selected_rows(plane)) {
    level_step_touch_row(plane, r);
    level_step_touch_row(plane, r + offset);
  }
}

// The selection and the single-object selection of the panel both changed: the panel's
// object is found again under the cursor.
void group_edited() {
  mark_edited_plane_changed();
  level_step_end();
  rebuild_hover_from_cursor();
}

void copy_group(bool cut) {
  LayoutPlane& plane = edited_plane();
  std::vector<uint8_t> block;
  std::string error;
  if (!copy_selection(plane, front_layout.theme, block, error)) return;
  layout_clipboard.block.swap(block);
  layout_clipboard.theme_notice_shown = false;
  if (!cut) return;
  touch_selected_rows(plane, 0);
  delete_selection(plane);
  group_edited();
}

void report_paste(const PasteResult& r) {
  if (r.dropped > 0) show_message(objects_not_pasted_text(r.dropped));
  if (r.has_placements && r.theme != front_layout.theme && !layout_clipboard.theme_notice_shown) {
    layout_clipboard.theme_notice_shown = true;
    show_message("CHUNK NUMBERS REFER TO THEME " + std::to_string(r.theme));
  }
}

void paste_group() {
  if (layout_clipboard.block.empty()) return;
  LayoutPlane& plane = edited_plane();
  // Where Insert would put a new object under the cursor.
  int32_t level_x = level_pixel(world_mouse_x());
  if (snap_to_grid) level_x &= ~15;
  const int32_t row = (level_pixel(world_mouse_y()) >> 4) + 1;
  touch_rows(plane, row, block_row_count(layout_clipboard.block));
  const PasteResult r = paste_block(plane, layout_clipboard.block, row, level_x + 16);
  if (r.pasted > 0) group_edited();
  report_paste(r);
}

void duplicate_group() {
  LayoutPlane& plane = edited_plane();
  if (selected_count(plane) == 0) return;
  touch_selected_rows(plane, 0);
  const PasteResult r = duplicate_selection(plane, 16);
  if (r.pasted > 0) group_edited();
  report_paste(r);
}

void delete_group() {
  LayoutPlane& plane = edited_plane();
  touch_selected_rows(plane, 0);
  delete_selection(plane);
  group_edited();
}

void finish_rectangle() {
  ledit.rect_active = false;
  LayoutPlane& plane = edited_plane();
  if (!ledit.rect_adds) clear_selection(plane);
  select_in_rect(plane, chunkmap, placement_shift(), level_pixel(ledit.rect_x), level_pixel(ledit.rect_y),
                 level_pixel(world_mouse_x()), level_pixel(world_mouse_y()));
}

void handle_group_click() {
  ledit.group_press = ctrl_down() || shift_down();
  if (!ledit.group_press) {
    // A plain click on no object ends the selection.
    if (!ledit.marker_hovered && !object_at(edited_plane(), chunkmap, placement_shift(), level_pixel(world_mouse_x()),
                                            level_pixel(world_mouse_y())))
      clear_group_selection();
    return;
  }
  if (!layout_mode() || !object_editing_allowed()) return;
  LayoutPlane& plane = edited_plane();
  if (shift_down()) {
    if (level_pixel(world_mouse_x()) >= plane.width || level_pixel(world_mouse_y()) >= plane.height) return;
    ledit.rect_active = true;
    ledit.rect_adds = ctrl_down();
    ledit.rect_x = world_mouse_x();
    ledit.rect_y = world_mouse_y();
  } else if (!ledit.marker_hovered && ledit.hover_count >= 1 && selected_object()) {
    toggle_selected(plane, {ledit.selected_row, ledit.selected_index});
  }
}

// Two nested rectangles, light outside and dark inside, read over any scenery.
void draw_two_tone_rect(BITMAP* layer, int x1, int y1, int x2, int y2) {
  if (x1 > x2) std::swap(x1, x2);
  if (y1 > y2) std::swap(y1, y2);
  mark_drawn(layer, x1, y1, x2 - x1 + 1, y2 - y1 + 1);
  rect(layer, x1, y1, x2, y2, static_cast<int>(FRAME_LIGHT));
  if (x2 - x1 >= 2 && y2 - y1 >= 2) rect(layer, x1 + 1, y1 + 1, x2 - 1, y2 - 1, static_cast<int>(FRAME_DARK));
}

}  // namespace

std::string objects_not_pasted_text(int32_t dropped) {
  return dropped == 1 ? "1 OBJECT OUTSIDE THE PLANE WAS NOT PASTED"
                      : std::to_string(dropped) + " OBJECTS OUTSIDE THE PLANE WERE NOT PASTED";
}

void clear_group_selection() {
  clear_selection(front_layout);
  clear_selection(back_layout);
  ledit.rect_active = false;
}

void draw_selected_frame(int32_t x, int32_t y, int32_t w, int32_t h) {
  if (x + w < 0 || y + h < 0 || x > 2 * MARGIN + screen_width || y > 2 * MARGIN + screen_height) return;
  draw_two_tone_rect(layer_4.get(), x, y, x + w - 1, y + h - 1);
}

void handle_group_input(bool draw) {
  if (click_event & 1) handle_group_click();
  if (ledit.rect_active) {
    if (!(ledit.mouse_b & 1))
      finish_rectangle();
    else if (draw)
      draw_two_tone_rect(layer_4.get(), ledit.rect_x - (camera_x >> 3) + MARGIN, ledit.rect_y - (camera_y >> 3) + MARGIN,
                         ledit.mouse_x + MARGIN, ledit.mouse_y + MARGIN);
  }
  if (!layout_mode()) return;
  InputSource& in = input();
  if (ctrl_pressed(KEY_A)) select_all(edited_plane());
  if (ctrl_pressed(KEY_C)) copy_group(false);
  if (ctrl_pressed(KEY_X)) copy_group(true);
  if (ctrl_pressed(KEY_V)) paste_group();
  if (ctrl_pressed(KEY_D)) duplicate_group();
  if ((in.key_down(KEY_DEL) || in.key_down(KEY_DEL_PAD)) && selected_count(edited_plane()) > 0) {
    delete_group();
    wait_key_released(KEY_DEL);
    wait_key_released(KEY_DEL_PAD);
  }
}

bool group_drag(LayoutObject& object, int32_t new_row, int32_t new_x) {
  if (!object.selected) return false;
  LayoutPlane& plane = edited_plane();
  const GroupOffset d = clamp_group_offset(plane, {new_row - ledit.selected_row, new_x - object.x});
  if (d.rows == 0 && d.x == 0) return true;
  touch_selected_rows(plane, d.rows);
  ObjectPlace follow{ledit.selected_row, ledit.selected_index};
  move_selection(plane, d, &follow);
  ledit.selected_row = static_cast<int16_t>(follow.row);
  ledit.selected_index = static_cast<int16_t>(follow.index);
  mark_edited_plane_changed();
  return true;
}
