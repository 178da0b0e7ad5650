// Editing keys of the selected layout object: chunk number, flip and drawing order of chunk
// placements, chunk cells in metablock mode, pickup types and block-object entries.
#include <algorithm>

#include "gamedata/level_state.h"
#include "gamedata/chunk_graphics.h"
#include "leveledit/layout_objects.h"
#include "leveledit/layout_rows.h"
#include "leveledit/level_editor.h"
#include "leveledit/level_undo.h"
#include "render/view_state.h"
#include "ui/input.h"
#include "ui/messages.h"

namespace {

// Chunk placements can name chunks 0..511, chunk cells blocks 0..511.
constexpr int NUMBER_LIMIT = 512;

// Steps a number within 0..count-1: +1 / -1 wrap at the ends, +16 / -16 wrap modulo count.
int step_number(int value, int count, int delta) {
  if (count <= 0) return value;
  if (value >= count) value = delta > 0 ? count - 1 : 0;
  return ((value + delta) % count + count) % count;
}

// Change asked for by the plain editing keys this frame (0 none; 1, -1, 16, -16; 2 the flip key).
constexpr int FLIP_KEY = 2;
int edit_key() {
  if (plus_down()) return 1;
  if (minus_down()) return -1;
  if (star_down()) return 16;
  if (slash_down()) return -16;
  if (input().key_down(KEY_TILDE)) return FLIP_KEY;
  return 0;
}

void rebuild_chunk_pictures(int chunk) {
  render_chunk(chunkmap, level_bitmaps, chunk);
  if (chunk >= 0 && static_cast<size_t>(chunk) < chunk_thumbnails.size() && chunk_thumbnails[static_cast<size_t>(chunk)])
    make_chunk_thumbnail(chunk_bitmaps[static_cast<size_t>(chunk)].get(), chunk_thumbnails[static_cast<size_t>(chunk)].get());
}

LayoutRow& selected_row_list() { return edited_plane().rows[static_cast<size_t>(ledit.selected_row)]; }

void set_code(LayoutObject& object, uint16_t code) {
  if (object.code == code) return;
  level_step_touch_row(edited_plane(), ledit.selected_row);
  object.code = code;
  mark_edited_plane_changed();
}

// Ctrl with an editing key: the placement's drawing order within its row.
void reorder_placement(int key) {
  level_step_touch_row(edited_plane(), ledit.selected_row);
  LayoutRow& row = selected_row_list();
  const int32_t index = ledit.selected_index, last = row.count() - 1;
  int32_t moved_to = index;
  if (key == 1 && index < last) {
    layout_row_swap(row, index, index + 1);
    moved_to = index + 1;
  } else if (key == -1 && index > 0) {
    layout_row_swap(row, index, index - 1);
    moved_to = index - 1;
  } else if (key == 16 && index < last) {
    moved_to = layout_row_send_to_end(row, index);
  } else if (key == -16 && index > 0) {
    layout_row_send_to_start(row, index);
    moved_to = 0;
  }
  if (moved_to == index) return;
  ledit.selected_index = static_cast<int16_t>(moved_to);
  mark_edited_plane_changed();
}

void edit_chunk_placement(LayoutObject& object, int key) {
  if (ctrl_down()) {
    if (key != FLIP_KEY) reorder_placement(key);
    return;
  }
  if (key == FLIP_KEY) {
    set_code(object, object.code ^ PLACEMENT_VFLIP);
    return;
  }
  const int count = std::min<int>(chunkmap.count(), NUMBER_LIMIT);
  const int chunk = step_number(object.code & PLACEMENT_CHUNK_MASK, count, key);
  set_code(object, static_cast<uint16_t>((object.code & ~PLACEMENT_CHUNK_MASK) | chunk));
}

void edit_chunk_cell(const LayoutObject& object, int key) {
  if (!ledit.cell_located) return;
  const int chunk = object.code & PLACEMENT_CHUNK_MASK;
  if (chunk >= chunkmap.count()) return;
  uint16_t& cell = chunkmap.chunks[static_cast<size_t>(chunk)].cell(ledit.cell_column, ledit.cell_row);
  uint16_t changed = cell;
  if (key == FLIP_KEY) {
    changed = cell ^ CELL_VFLIP;
  } else {
    const int count = std::min<int>(level_blockmap.count, NUMBER_LIMIT);
    changed = static_cast<uint16_t>((cell & ~CELL_BLOCK_MASK) | step_number(cell & CELL_BLOCK_MASK, count, key));
  }
  if (changed == cell) return;
  level_step_touch_chunk(chunk);
  cell = changed;
  mark_changed(CHANGED_CHUNKS);
  rebuild_chunk_pictures(chunk);
}

void edit_pickup(LayoutObject& object, int key) {
  if (key == 0 || key == FLIP_KEY) return;
  const int type = step_number(object.code & 0xFF, PICKUP_TYPE_COUNT, key);
  set_code(object, static_cast<uint16_t>(OBJECT_PICKUP | type));
}

void edit_block_object(LayoutObject& object, int key) {
  InputSource& in = input();
  if (ledit.panel_line > 1) ledit.panel_line = 0;
  if (in.key_down(KEY_COMMA) || in.key_down(KEY_STOP)) {
    ledit.panel_line ^= 1;
    wait_key_released(KEY_COMMA);
    wait_key_released(KEY_STOP);
  }
  if (key != 1 && key != -1) return;
  const int index = object.code & 0xFF;
  const int next = ledit.panel_line == 0 ? step_block_kind(index, key) : step_block_index(index, key);
  if (next >= 0) set_code(object, static_cast<uint16_t>(OBJECT_BLOCK | next));
}

// A block object whose entry has a negative kind is not a valid object: it goes.
void delete_invalid_block_object() {
  LayoutObject* object = selected_object();
  if (!object || (object->code & 0xFF00) != OBJECT_BLOCK) return;
  const int index = object->code & 0xFF;
  if (index >= block_type_count || static_cast<size_t>(index) >= block_types.size()) return;
  if (block_types[static_cast<size_t>(index)].kind >= 0) return;
  remove_selected_object();
}

}  // namespace

void mark_edited_plane_changed() { mark_changed(editing_back_plane() ? CHANGED_BACK : CHANGED_FRONT); }

void remove_selected_object() {
  level_step_touch_row(edited_plane(), ledit.selected_row);
  if (layout_row_delete(selected_row_list(), ledit.selected_index) == ROW_OUT_OF_MEMORY) {
    report_error(DELETE_MEMORY_ERROR);
    return;
  }
  mark_edited_plane_changed();
  clear_selection();
  ledit.hover_count = 0;
}

int block_kind_of(int index) {
  if (index < 0 || index >= block_type_count || static_cast<size_t>(index) >= block_types.size()) return -1;
  const int kind = block_types[static_cast<size_t>(index)].kind;
  return kind == 5 ? 4 : kind;
}

int step_block_kind(int index, int direction) {
  int kind = block_kind_of(index);
  for (int tries = 0; tries < 17; ++tries) {
    kind += direction;
    if (kind == 5) kind += direction;
    if (kind > 16) kind = 0;
    if (kind < 0) kind = 16;
    for (int i = 0; i < block_type_count && static_cast<size_t>(i) < block_types.size(); ++i)
      if (block_kind_of(i) == kind) return i;
  }
  return -1;
}

int step_block_index(int index, int direction) {
  const int count = std::min<int>(block_type_count, static_cast<int>(block_types.size()));
  if (count <= 0 || index < 0 || index >= count) return -1;
  const int kind = block_kind_of(index);
  for (int j = 1; j < count; ++j) {
    const int candidate = ((index + direction * j) % count + count) % count;
    if (block_kind_of(candidate) == kind) return candidate;
  }
  return -1;
}

void edit_object() {
  LayoutObject* object = selected_object();
  if (!object) return;
  const int key = edit_key();
  if (key != 0) {
    if (object->code < OBJECT_CHUNK_LIMIT) {
      if (ledit.edit_flags & EDIT_METABLOCK)
        edit_chunk_cell(*object, key);
      else
        edit_chunk_placement(*object, key);
    } else if ((object->code & 0xFF00) == OBJECT_PICKUP) {
      edit_pickup(*object, key);
    } else if ((object->code & 0xFF00) == OBJECT_BLOCK) {
      edit_block_object(*object, key);
    }
    wait_edit_keys_released();
  } else if ((object->code & 0xFF00) == OBJECT_BLOCK) {
    edit_block_object(*object, 0);
  }
  const LayoutObject* now = selected_object();
  if (now && (now->code & 0xFF00) == OBJECT_PICKUP) ledit.panel_line = 0;
  delete_invalid_block_object();
}
