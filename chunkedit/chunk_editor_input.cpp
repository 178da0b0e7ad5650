#include <algorithm>
#include <initializer_list>

#include "chunkedit/block_context_menu.h"
#include "chunkedit/block_selector.h"
#include "chunkedit/chunk_cell_edits.h"
#include "chunkedit/chunk_editor.h"
#include "chunkedit/chunk_editor_drawing.h"
#include "chunkedit/chunk_editor_state.h"
#include "chunkedit/chunk_history.h"
#include "chunkedit/chunk_undo.h"
#include "render/layer_bands.h"
#include "render/view_state.h"
#include "render/undo_readout.h"
#include "ui/frame.h"
#include "ui/input.h"
#include "ui/screen_state.h"
#include "ui/settings.h"

namespace {

bool enter_down() { return input().key_down(KEY_ENTER) || input().key_down(KEY_ENTER_PAD); }

void wait_enter_released() {
  wait_key_released(KEY_ENTER);
  wait_key_released(KEY_ENTER_PAD);
}

// Zoom steps from PgUp/PgDn: the zoom follows wheel_now - wheel_before, so a step moves
// wheel_before.
void zoom_keys() {
  InputSource& in = input();
  const bool up = in.key_down(KEY_PGUP), down = in.key_down(KEY_PGDN);
  if (!up && !down) {
    zoom_repeat_count = zoom_repeat_step = 0;
    return;
  }
  const int direction = (up ? 1 : 0) - (down ? 1 : 0);
  if (shift_down()) {
    wheel_before = static_cast<int16_t>(wheel_before - 2 * direction);
    return;
  }
  // The first frame of a press acts, then every frame from the seventh on.
  if (zoom_repeat_count == 0 || zoom_repeat_step == 1) {
    wheel_before = static_cast<int16_t>(wheel_before - direction);
    zoom_repeat_step = 0;
  }
  if (zoom_repeat_count > 4) zoom_repeat_step = 1;
  if (zoom_repeat_count < 1000) ++zoom_repeat_count;
}

void toggle_mark(uint16_t idx) { cell_marks[idx] = cell_marks[idx] ? 0 : 1; }

void draw_marked_frames(BITMAP* layer, const Chunk& chunk, int s) {
  const int view_y = camera_y >> 3;
  const int w = std::clamp<int>(chunk.width, 0, 16), h = std::clamp<int>(chunk.height, 0, 16);
  for (int r = 0; r < h; ++r)
    for (int c = 0; c < w; ++c)
      if (cell_marks[cell_index(c, r)]) draw_selection_frame(layer, c * s, r * s - view_y, s);
}

void open_context_menu(Chunk& chunk, const CellUnderCursor& cell, int s) {
  const uint16_t idx = cell_index(cell.column, cell.row);
  if (!cell_marks[idx]) clear_cell_marks();
  draw_selection_frame(layer_4.get(), cell.column * s, cell.row * s - (camera_y >> 3), s);
  draw_marked_frames(layer_4.get(), chunk, s);
  BitmapPtr picture = frozen_editor_view();
  chunk_editor_screen = ChunkEditorScreen::BlockMenu;
  block_context_menu(input().mouse_x(), input().mouse_y(), chunk, idx, picture.get());
  chunk_editor_screen = ChunkEditorScreen::Editing;
  mark_all_drawn();
}

void undo_or_redo(Chunk& chunk, bool redo) {
  if (redo)
    redo_chunk_change(chunk);
  else
    undo_chunk_change(chunk);
  show_undo_readout(chunk_history.undo_count(), chunk_history.redo_count(), timer_ticks);
}

// The first of `keys` that is down, or 0.
int first_key_down(std::initializer_list<int> keys) {
  for (int k : keys)
    if (input().key_down(k)) return k;
  return 0;
}

// Ctrl with C or V on the cell under the mouse, once per press.
void cell_ctrl_keys(Chunk& chunk, uint16_t idx) {
  const int key = first_key_down({KEY_C, KEY_V});
  if (key == KEY_C) copy_cell(chunk_edit_state(), chunk, idx);
  if (key == KEY_V) paste_cell(chunk_edit_state(), chunk, idx);
  if (key) wait_key_released(key);
}

}  // namespace

void update_editing_zoom() {
  InputSource& in = input();
  const int16_t start = level_zoom;
  zoom_keys();
  int base = start;
  if (in.key_down(KEY_HOME)) {
    zoom_repeat_count = zoom_repeat_step = 0;
    base = 0;
    level_zoom = 0;
    zoom_changed_at = timer_ticks;
  }
  if (wheel_now != wheel_before) {
    zoom_changed_at = timer_ticks;
    level_zoom = static_cast<int16_t>(std::clamp(base + wheel_now - wheel_before, -1000, 1000));
  }
  level_zoom = std::clamp(level_zoom, MIN_ZOOM, MAX_ZOOM);
}

int zoom_percent(int16_t zoom) {
  const int hundredfold = (zoom + 16) * 100;
  const int q = hundredfold / 16, r = hundredfold % 16;
  if (r > 8 || (r == 8 && (q & 1))) return q + 1;
  return q;
}

void scroll_editing_view() {
  InputSource& in = input();
  const int s = block_size_on_screen();
  const int32_t amount = shift_down() ? 512 : 256;
  if (in.key_down(key_scroll_up))
    camera_y -= amount;
  else if (in.key_down(key_scroll_down))
    camera_y += amount;
  if (camera_state == 0) {
    if (screen_height < 512) {
      if (!(in.mouse_b() & 2)) {
        const int my = in.mouse_y(), half = screen_height / 2;
        if (my > half + 8) camera_y += my - (half + 8);
        if (my < half - 8) camera_y -= (half - 8) - my;
      }
    } else {
      camera_y = 0;
    }
  }
  const int32_t top = (16 * s - screen_height) * 8;
  if (camera_y > top) camera_y = top;
  if (camera_y < 0) camera_y = 0;
  camera_x = 0;
}

void update_camera_state(bool left_click, bool over_cell) {
  if (!left_click) {
    camera_state &= 0x7F;
    return;
  }
  const bool roaming = chunk_editing_mode() == MODE_ROAMING;
  switch (camera_state & 0x7F) {
    case 0:
      if (!roaming)
        camera_state = 0x81;
      else if (over_cell)
        camera_state = 0x82;
      break;
    case 1:
      if (over_cell) camera_state = 0x82;
      break;
    case 2: camera_state = 0x81; break;
    default: break;
  }
}

bool click_selects_cell() { return camera_state == (chunk_editing_mode() == MODE_ROAMING ? 0 : 1); }

void size_keys(Chunk& chunk) {
  InputSource& in = input();
  for (int key : {KEY_CLOSEBRACE, KEY_OPENBRACE}) {
    if (!in.key_down(key)) continue;
    const int delta = key == KEY_CLOSEBRACE ? 1 : -1;
    if (shift_down())
      change_chunk_height(chunk_edit_state(), chunk, delta);
    else
      change_chunk_width(chunk_edit_state(), chunk, delta);
    wait_key_released(key);
    return;
  }
}

CellUnderCursor cell_under_cursor(const Chunk& chunk, int s) {
  CellUnderCursor cell;
  if (s < 1) return cell;
  const int mx = input().mouse_x(), my = input().mouse_y() + (camera_y >> 3);
  const int w = std::clamp<int>(chunk.width, 0, 16), h = std::clamp<int>(chunk.height, 0, 16);
  if (mx < 0 || my < 0 || mx >= w * s || my >= h * s) return cell;
  cell.inside = true;
  cell.column = mx / s;
  cell.row = my / s;
  return cell;
}

void cell_actions(Chunk& chunk, const CellUnderCursor& cell, int s, bool left_click, bool right_click) {
  InputSource& in = input();
  const uint16_t idx = cell_index(cell.column, cell.row);
  if (enter_down() || camera_state == 2) {
    select_block_on_cell(chunk, cell.column, cell.row, s);
  } else if (in.key_down(KEY_ESC) && any_cell_marked()) {
    clear_cell_marks();
    wait_key_released(KEY_ESC);
  } else if (right_click && click_selects_cell()) {
    open_context_menu(chunk, cell, s);
  } else if (in.key_down(KEY_DEL) || in.key_down(KEY_DEL_PAD)) {
    clear_cell(chunk_edit_state(), chunk, idx);
    wait_key_released(KEY_DEL);
    wait_key_released(KEY_DEL_PAD);
  } else if (ctrl_down()) {
    if (left_click && click_selects_cell()) toggle_mark(idx);
    cell_ctrl_keys(chunk, idx);
  }
}

void whole_tile_keys(Chunk& chunk) {
  if (!ctrl_down()) return;
  const int key = first_key_down({KEY_Z, KEY_Y, KEY_M, KEY_F, KEY_R});
  switch (key) {
    case KEY_Z: undo_or_redo(chunk, shift_down()); break;
    case KEY_Y: undo_or_redo(chunk, true); break;
    case KEY_M: mirror_chunk(chunk_edit_state(), chunk); break;
    case KEY_F: flip_chunk(chunk_edit_state(), chunk); break;
    case KEY_R: rotate_chunk(chunk_edit_state(), chunk); break;
    default: return;
  }
  wait_key_released(key);
}

void select_block_on_cell(Chunk& chunk, int column, int row, int s) {
  InputSource& in = input();
  const uint16_t idx = cell_index(column, row);
  uint16_t& word = chunk.cells[idx];
  const uint16_t remembered = word;
  const int32_t saved_camera_x = camera_x;
  camera_x = (word & CELL_BLOCK_MASK) * 320;
  const int mx = in.mouse_x(), my = in.mouse_y();
  bar_at_top = my >= screen_height / 2 ? 1 : 0;
  click_event = 0;
  buttons_before = 3;
  wait_enter_released();

  const bool marks = any_cell_marked();
  if (!in.key_down(KEY_ESC) && !(marks && !cell_marks[idx])) {
    // The bar starts still: the mouse goes to the centre of its band, and comes back to
    // the cell afterwards.
    in.position_mouse(screen_width / 2, my);
    BlockSelectorView view{s, camera_y >> 3, &chunk, layer_4.get()};
    const BitmapPtr frozen = compose_selector_view(view);
    view.frozen = frozen.get();
    const int16_t x = static_cast<int16_t>(column * s), y = static_cast<int16_t>(row * s - (camera_y >> 3));
    chunk_editor_screen = ChunkEditorScreen::BlockSelector;
    do {
      end_editor_frame(display);
      block_selector(x, y, word, view);
      wheel_before = wheel_now;
    } while (!enter_down() && !in.key_down(KEY_ESC) && !((click_event & 1) && !fast_scroll_latch));
    in.position_mouse(mx, my);
  }

  if (in.key_down(KEY_ESC)) {
    word = remembered;
  } else {
    // The marked cells take the cell's word, each change recorded; then the cell itself.
    const uint16_t chosen = word;
    word = remembered;
    if (marks) {
      fill_marked_cells(chunk_edit_state(), chunk, cell_marks, chosen);
      clear_cell_marks();
    }
    set_cell_recorded(chunk_edit_state(), chunk, idx, chosen);
  }
  click_event = 0;
  buttons_before = 3;
  wait_enter_released();
  wait_key_released(KEY_ESC);
  camera_state = chunk_editing_mode() == MODE_ROAMING ? 0x80 : 0x81;
  camera_x = saved_camera_x;
  chunk_editor_screen = ChunkEditorScreen::Editing;
  mark_all_drawn();  // the selector drew into the overlay layer
}
