#include "chunkedit/chunk_undo.h"

std::vector<uint16_t> chunk_undo_cells;
std::vector<uint32_t> chunk_undo_values;
int32_t chunk_undo_position = 0;
int32_t chunk_undo_count = 0;

void allocate_chunk_undo(uint16_t size) {
  // Every slot starts empty (no record).
  chunk_undo_cells.assign(size, 0xFFFF);
  chunk_undo_values.assign(size, 0xFFFFFFFFu);
  empty_chunk_undo();
}

void empty_chunk_undo() { chunk_undo_position = chunk_undo_count = 0; }

void release_chunk_undo() {
  chunk_undo_cells = {};
  chunk_undo_values = {};
  empty_chunk_undo();
}
