#include "chunkedit/chunk_history.h"

#include <algorithm>

#include "chunkedit/chunk_editor_state.h"
#include "chunkedit/chunk_undo.h"
#include "ui/settings.h"

int chunk_undo_capacity() {
  const size_t arrays = std::min(chunk_undo_cells.size(), chunk_undo_values.size());
  return static_cast<int>(std::min<size_t>(arrays, meta_undo_size));
}

void undo_drop_oldest(uint16_t* cells, uint32_t* values, int count) {
  if (count < 1) return;
  for (int i = 0; i + 1 < count; ++i) {
    cells[i] = cells[i + 1];
    values[i] = values[i + 1];
  }
  cells[count - 1] = EMPTY_UNDO_CELL;
  values[count - 1] = EMPTY_UNDO_VALUE;
}

void push_chunk_undo(uint16_t cell, uint16_t old_word, uint16_t new_word) {
  chunks_changed = 1;
  const int capacity = chunk_undo_capacity();
  if (capacity < 1) return;
  if (chunk_undo_position > capacity) chunk_undo_position = capacity;
  if (chunk_undo_position == capacity) {
    undo_drop_oldest(chunk_undo_cells.data(), chunk_undo_values.data(), capacity);
    --chunk_undo_position;
  }
  chunk_undo_cells[chunk_undo_position] = cell;
  chunk_undo_values[chunk_undo_position] = static_cast<uint32_t>(old_word) << 16 | new_word;
  chunk_undo_count = chunk_undo_position + 1;
  chunk_undo_position = chunk_undo_count;
}

bool undo_chunk_change(Chunk& chunk) {
  if (chunk_undo_position <= 0 || chunk_undo_position > chunk_undo_capacity()) return false;
  --chunk_undo_position;
  const uint16_t cell = chunk_undo_cells[chunk_undo_position];
  if (cell < 256) chunk.cells[cell] = static_cast<uint16_t>(chunk_undo_values[chunk_undo_position] >> 16);
  chunks_changed = 1;
  return true;
}

bool redo_chunk_change(Chunk& chunk) {
  const int reachable = std::min(chunk_undo_count, chunk_undo_capacity());
  if (chunk_undo_position < 0 || chunk_undo_position >= reachable) return false;
  const uint16_t cell = chunk_undo_cells[chunk_undo_position];
  if (cell < 256) chunk.cells[cell] = static_cast<uint16_t>(chunk_undo_values[chunk_undo_position] & 0xFFFF);
  ++chunk_undo_position;
  chunks_changed = 1;
  return true;
}

void resize_chunk_undo(uint16_t size) {
  const int old_size = static_cast<int>(std::min(chunk_undo_cells.size(), chunk_undo_values.size()));
  chunk_undo_position = std::clamp(chunk_undo_position, 0, old_size);
  chunk_undo_count = std::clamp(chunk_undo_count, chunk_undo_position, old_size);
  // Applied records that no longer fit: drop the oldest, so the newest stay undoable.
  const int excess = chunk_undo_position - size;
  if (excess > 0) {
    std::move(chunk_undo_cells.begin() + excess, chunk_undo_cells.begin() + old_size, chunk_undo_cells.begin());
    std::move(chunk_undo_values.begin() + excess, chunk_undo_values.begin() + old_size, chunk_undo_values.begin());
    chunk_undo_position -= excess;
    chunk_undo_count -= excess;
  }
  chunk_undo_count = std::min<int32_t>(chunk_undo_count, size);
  chunk_undo_cells.resize(size, EMPTY_UNDO_CELL);
  chunk_undo_values.resize(size, EMPTY_UNDO_VALUE);
  // Slots past the count hold no record.
  for (int i = chunk_undo_count; i < size; ++i) {
    chunk_undo_cells[i] = EMPTY_UNDO_CELL;
    chunk_undo_values[i] = EMPTY_UNDO_VALUE;
  }
}

void resize_chunk_undo_to_setting() { resize_chunk_undo(meta_undo_size); }
