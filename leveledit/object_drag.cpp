// Dragging, deleting and inserting layout objects, and finding the chunk cell under the cursor.
#include <cstdlib>

#include "gamedata/level_state.h"
#include "gamedata/chunk_graphics.h"
#include "leveledit/layout_objects.h"
#include "leveledit/layout_rows.h"
#include "leveledit/level_editor.h"
#include "leveledit/level_editor_state.h"
#include "leveledit/level_undo.h"
#include "render/view_state.h"
#include "render/map_render.h"
#include "ui/input.h"
#include "ui/messages.h"
#include "ui/prompts.h"
#include "ui/screen_state.h"

namespace {

const Chunk* placed_chunk(const LayoutObject& o) {
  if (o.code >= OBJECT_CHUNK_LIMIT) return nullptr;
  const int chunk = o.code & PLACEMENT_CHUNK_MASK;
  if (chunk >= chunkmap.count()) return nullptr;
  const Chunk& c = chunkmap.chunks[static_cast<size_t>(chunk)];
  return c.width > 0 && c.height > 0 ? &c : nullptr;
}

// The selection box follows the object while it is dragged.
void update_selected_box() {
  const LayoutObject* o = selected_object();
  if (!o) return;
  const int32_t s = block_size_on_screen();
  const int32_t row_y = level_view.zoomed(16 * ledit.selected_row) - s;
  const int32_t x = o->code < OBJECT_CHUNK_LIMIT ? placement_x(level_view, *o) - MARGIN : level_view.zoomed(o->x) - s;
  ledit.selected_screen_x = static_cast<float>(x);
  ledit.selected_screen_y = static_cast<float>(row_y);
}

// Applies the cursor's position to the dragged object: a new x within its row, or a new row.
void move_dragged_object(LayoutObject& object) {
  LayoutPlane& plane = edited_plane();
  const int32_t level_x = level_pixel(world_mouse_x());
  int32_t new_x = object.x;
  if (level_x < plane.width) {
    new_x = static_cast<int32_t>(static_cast<float>(level_x) + ledit.drag_origin_x - ledit.drag_click_x);
    // Dragged past the left edge, the object stops at 0 instead of wrapping to the far right.
    if (new_x < 0) new_x = 0;
    if (new_x > 0xFFFF) new_x = 0xFFFF;
    if (snap_to_grid) new_x &= ~15;
  }
  const int32_t level_y = level_pixel(world_mouse_y());
  int32_t new_row = static_cast<int32_t>(static_cast<float>(level_y) + ledit.drag_origin_y - ledit.drag_click_y) >> 4;
  // Row entry 0 is never drawn nor saved: an object dragged above row 1 stays in row 1.
  if (new_row < 1) new_row = 1;
  if (group_drag(object, level_y < plane.height ? new_row : ledit.selected_row, new_x)) {
    update_selected_box();
    return;
  }
  level_step_touch_row(plane, ledit.selected_row);
  LayoutRow& row = plane.rows[static_cast<size_t>(ledit.selected_row)];
  if (new_row == ledit.selected_row) {
    const uint16_t old_x = object.x;
    const int32_t index = layout_row_move(row, ledit.selected_index, static_cast<uint16_t>(new_x));
    if (index == ROW_OUT_OF_MEMORY) {
      report_error(DELETE_MEMORY_ERROR);
      return;
    }
    if (index < 0) return;
    if (index != ledit.selected_index || old_x != new_x) mark_edited_plane_changed();
    ledit.selected_index = static_cast<int16_t>(index);
  } else if (level_y < plane.height && static_cast<size_t>(new_row) < plane.rows.size()) {
    level_step_touch_row(plane, new_row);
    const int32_t index = layout_row_transfer(row, ledit.selected_index, plane.rows[static_cast<size_t>(new_row)],
                                              static_cast<uint16_t>(new_x));
    if (index == ROW_OUT_OF_MEMORY) {
      report_error(INSERT_MEMORY_ERROR);
      return;
    }
    if (index < 0) return;
    mark_edited_plane_changed();
    ledit.selected_row = static_cast<int16_t>(new_row);
    ledit.selected_index = static_cast<int16_t>(index);
  }
  update_selected_box();
}

void delete_selected() {
  LayoutObject* object = selected_object();
  if (!object) return;
  if (!(ledit.edit_flags & EDIT_METABLOCK)) {
    remove_selected_object();
    return;
  }
  if (!placed_chunk(*object) || !ledit.cell_located) return;
  const int chunk = object->code & PLACEMENT_CHUNK_MASK;
  uint16_t& cell = chunkmap.chunks[static_cast<size_t>(chunk)].cell(ledit.cell_column, ledit.cell_row);
  if (cell == 0) return;
  level_step_touch_chunk(chunk);
  cell = 0;
  mark_changed(CHANGED_CHUNKS);
  render_chunk(chunkmap, level_bitmaps, chunk);
  if (static_cast<size_t>(chunk) < chunk_thumbnails.size() && chunk_thumbnails[static_cast<size_t>(chunk)])
    make_chunk_thumbnail(chunk_bitmaps[static_cast<size_t>(chunk)].get(), chunk_thumbnails[static_cast<size_t>(chunk)].get());
}

int hex_digit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

}  // namespace

ObjectNumber parse_object_number(const char* text) {
  ObjectNumber n;
  uint32_t value = 0;
  for (int i = 0; i < 4 && text && text[i]; ++i) {
    const int d = hex_digit(text[i]);
    value <<= 4;
    if (d < 0) {
      n.bad = true;
      break;
    }
    value |= static_cast<uint32_t>(d);
  }
  n.value = static_cast<uint16_t>(value);
  return n;
}

void locate_cell() {
  ledit.cell_located = false;
  const LayoutObject* o = selected_object();
  if (!o) return;
  const Chunk* c = placed_chunk(*o);
  if (!c) return;
  const int32_t s = block_size_on_screen();
  const int32_t view_x = camera_x >> 3, view_y = camera_y >> 3;
  // The cursor snapped to the screen's block grid.
  const int32_t gx = (ledit.mouse_x + view_x) / s * s - view_x;
  const int32_t gy = (ledit.mouse_y + view_y) / s * s - view_y;
  ledit.cell_grid_x = gx;
  ledit.cell_grid_y = gy;
  ledit.cell_offset_x = static_cast<int32_t>((static_cast<float>(gx) - (ledit.selected_screen_x - static_cast<float>(view_x))) * 16.0f /
                                             static_cast<float>(s));
  ledit.cell_offset_y = static_cast<int32_t>((static_cast<float>(gy) - (ledit.selected_screen_y - static_cast<float>(view_y))) * 16.0f /
                                             static_cast<float>(s));
  ledit.cell_column = ledit.cell_offset_x >> 4;
  ledit.cell_row = ledit.cell_offset_y >> 4;
  if (o->code & PLACEMENT_VFLIP) ledit.cell_row = c->height - 1 - ledit.cell_row;
  // The grid need not line up with the chunk: a cell outside it is not edited.
  ledit.cell_located =
      ledit.cell_column >= 0 && ledit.cell_column < c->width && ledit.cell_row >= 0 && ledit.cell_row < c->height;
}

void drag_or_delete_object() {
  LayoutObject* object = selected_object();
  if (!object) return;
  if (ledit.group_press) {
    // A press with Ctrl or Shift selects; it drags nothing.
  } else if (click_event & 1) {
    ledit.drag_origin_x = static_cast<float>(object->x);
    ledit.drag_origin_y = static_cast<float>(16 * ledit.selected_row);
    ledit.drag_click_x = static_cast<float>(level_pixel(world_mouse_x()));
    ledit.drag_click_y = static_cast<float>(level_pixel(world_mouse_y()));
    ledit.drag_screen_x = ledit.mouse_x;
    ledit.drag_screen_y = ledit.mouse_y;
    ledit.drag_started = 0;
    ledit.drag_clicked = true;
  } else if ((buttons_before & 1) && ledit.drag_clicked) {
    if (!ledit.drag_started &&
        (std::abs(ledit.mouse_x - ledit.drag_screen_x) >= 4 || std::abs(ledit.mouse_y - ledit.drag_screen_y) >= 4))
      ledit.drag_started = 1;
    if (ledit.drag_started) move_dragged_object(*object);
  }
  InputSource& in = input();
  if (in.key_down(KEY_DEL) || in.key_down(KEY_DEL_PAD)) {
    delete_selected();
    wait_key_released(KEY_DEL);
    wait_key_released(KEY_DEL_PAD);
  }
}

void insert_object() {
  InputSource& in = input();
  if (!in.key_down(KEY_INSERT) && !in.key_down(KEY_I)) return;
  const bool with_prompt = ctrl_down();
  wait_key_released(KEY_INSERT);
  wait_key_released(KEY_I);
  LayoutPlane& plane = edited_plane();
  const int32_t level_y = level_pixel(world_mouse_y());
  if (level_y >= plane.height - 1) return;
  int32_t level_x = level_pixel(world_mouse_x());
  if (snap_to_grid) level_x &= ~15;
  uint16_t code = 0;
  if (with_prompt) {
    if (!prompt_text(display, 4, OBJECT_NUMBER_PROMPT)) return;  // Escape: nothing is inserted
    const ObjectNumber n = parse_object_number(text_entry.c_str());
    if (n.bad) report_error(OBJECT_NUMBER_ERROR);
    code = n.value;
  }
  // The new object's icon covers the block under the cursor.
  const size_t row = static_cast<size_t>((level_y >> 4) + 1);
  if (row >= plane.rows.size() || level_x + 16 > 0xFFFF) return;
  level_step_touch_row(plane, static_cast<int>(row));
  const int32_t index = layout_row_insert(plane.rows[row], code, static_cast<uint16_t>(level_x + 16));
  if (index < 0) {
    report_error(INSERT_MEMORY_ERROR);
    return;
  }
  mark_edited_plane_changed();
  // The selection keeps pointing at the same object.
  if (ledit.object_selected && ledit.selected_back_plane == editing_back_plane() &&
      static_cast<size_t>(ledit.selected_row) == row && index <= ledit.selected_index)
    ++ledit.selected_index;
}
