#include "chunkedit/chunk_cell_edits.h"

#include <algorithm>


namespace {

void record(const CellEditState& state, uint16_t target, uint16_t old_value, uint16_t new_value) {
  state.changed = 1;
  state.history.record({target, old_value, new_value});
}

}  // namespace

bool set_cell_recorded(const CellEditState& state, Chunk& chunk, uint16_t cell, uint16_t word) {
  if (cell >= 256 || chunk.cells[cell] == word) return false;
  record(state, cell, chunk.cells[cell], word);
  chunk.cells[cell] = word;
  return true;
}

bool clear_cell(const CellEditState& state, Chunk& chunk, uint16_t cell) { return set_cell_recorded(state, chunk, cell, 0); }

void copy_cell(const CellEditState& state, const Chunk& chunk, uint16_t cell) {
  if (cell < 256) state.held = chunk.cells[cell];
}

bool cut_cell(const CellEditState& state, Chunk& chunk, uint16_t cell) {
  copy_cell(state, chunk, cell);
  return clear_cell(state, chunk, cell);
}

bool paste_cell(const CellEditState& state, Chunk& chunk, uint16_t cell) {
  if (state.held == NOTHING_HELD) return false;
  return set_cell_recorded(state, chunk, cell, static_cast<uint16_t>(state.held));
}

namespace {

int used_width(const Chunk& chunk) { return std::clamp<int>(chunk.width, 0, 16); }
int used_height(const Chunk& chunk) { return std::clamp<int>(chunk.height, 0, 16); }

// Rebuilds the used area from a copy: cell (c, r) takes the old cell at the mirrored or
// flipped position, with `toggle` applied (an empty cell stays empty); each changed cell
// is recorded.
int transform_chunk(const CellEditState& state, Chunk& chunk, bool reverse_rows, bool reverse_columns, uint16_t toggle) {
  const int w = used_width(chunk), h = used_height(chunk);
  const Chunk before = chunk;
  int changed = 0;
  for (int r = 0; r < h; ++r) {
    for (int c = 0; c < w; ++c) {
      const int from_c = reverse_columns ? w - 1 - c : c;
      const int from_r = reverse_rows ? h - 1 - r : r;
      const uint16_t from = before.cell(from_c, from_r);
      const uint16_t word = from == 0 ? 0 : static_cast<uint16_t>(from ^ toggle);
      if (set_cell_recorded(state, chunk, cell_index(c, r), word)) ++changed;
    }
  }
  return changed;
}

bool change_size(const CellEditState& state, int8_t& value, uint16_t target, int delta) {
  const int wanted = std::clamp(value + delta, 1, 16);
  if (wanted == value) return false;
  record(state, target, static_cast<uint16_t>(value), static_cast<uint16_t>(wanted));
  value = static_cast<int8_t>(wanted);
  return true;
}

}  // namespace

int fill_marked_cells(const CellEditState& state, Chunk& chunk, const std::array<uint8_t, 256>& marks, uint16_t word) {
  int changed = 0;
  for (int r = 0; r < used_height(chunk); ++r)
    for (int c = 0; c < used_width(chunk); ++c)
      if (marks[cell_index(c, r)] && set_cell_recorded(state, chunk, cell_index(c, r), word)) ++changed;
  return changed;
}

int mirror_chunk(const CellEditState& state, Chunk& chunk) { return transform_chunk(state, chunk, false, true, 0); }
int flip_chunk(const CellEditState& state, Chunk& chunk) { return transform_chunk(state, chunk, true, false, CELL_VFLIP); }
int rotate_chunk(const CellEditState& state, Chunk& chunk) { return transform_chunk(state, chunk, true, true, CELL_VFLIP); }

bool change_chunk_width(const CellEditState& state, Chunk& chunk, int delta) { return change_size(state, chunk.width, UNDO_WIDTH, delta); }
bool change_chunk_height(const CellEditState& state, Chunk& chunk, int delta) { return change_size(state, chunk.height, UNDO_HEIGHT, delta); }

void clear_cells_outside(Chunk& chunk) {
  const int w = used_width(chunk), h = used_height(chunk);
  for (int r = 0; r < 16; ++r)
    for (int c = 0; c < 16; ++c)
      if (r >= h || c >= w) chunk.cell(c, r) = 0;
}

void apply_menu_action(const CellEditState& state, uint8_t result, Chunk& chunk, uint16_t cell) {
  if (cell >= 256) return;
  const uint16_t word = chunk.cells[cell];
  switch (result) {
    case MENU_MIRROR: set_cell_recorded(state, chunk, cell, word ^ 0x0400); break;
    case MENU_FLIP: set_cell_recorded(state, chunk, cell, word ^ 0x0800); break;
    case MENU_PLATFORM_A: set_cell_recorded(state, chunk, cell, word ^ 0x1000); break;
    case MENU_PLATFORM_B: set_cell_recorded(state, chunk, cell, word ^ 0x4000); break;
    case MENU_SOLID_A: set_cell_recorded(state, chunk, cell, word ^ 0x2000); break;
    case MENU_SOLID_B: set_cell_recorded(state, chunk, cell, word ^ 0x8000); break;
    case MENU_CUT: cut_cell(state, chunk, cell); break;
    case MENU_COPY: copy_cell(state, chunk, cell); break;
    case MENU_PASTE: paste_cell(state, chunk, cell); break;
    case MENU_DELETE: clear_cell(state, chunk, cell); break;
    default: break;
  }
}
