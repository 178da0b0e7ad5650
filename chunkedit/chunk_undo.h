// The chunk editor's undo history: one step per user action, each step the cell words
// (and the width and height) it changed, old and new. Capacity meta_undo_size steps.
#pragma once
#include <cstdint>

#include "files/undo_history.h"

// What one record changed: a cell (16 * row + column), or the chunk's width or height.
constexpr uint16_t UNDO_WIDTH = 256;
constexpr uint16_t UNDO_HEIGHT = 257;
struct ChunkUndoRecord {
  uint16_t target = 0;
  uint16_t old_value = 0, new_value = 0;
};

extern UndoHistory<ChunkUndoRecord> chunk_history;

// Holds `size` steps and is empty.
void allocate_chunk_undo(uint16_t size);
// Forgets every step; the present chunk is the state without unsaved changes.
void empty_chunk_undo();
void release_chunk_undo();
