#include "leveledit/level_undo.h"

std::vector<uint16_t> level_undo_cells;
std::vector<uint32_t> level_undo_values;

void allocate_level_undo(uint16_t size) {
  level_undo_cells.assign(size, 0);
  level_undo_values.assign(size, 0);
}

void resize_level_undo(uint16_t size) {
  // Kept records stay; new slots hold the empty values.
  level_undo_cells.resize(size, 0xFFFF);
  level_undo_values.resize(size, 0xFFFFFFFF);
}

void release_level_undo() {
  level_undo_cells = {};
  level_undo_values = {};
}
