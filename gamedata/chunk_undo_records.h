// The undo records of chunk edits, and taking a step of them back or applying it again, on
// any history and any chunk: the chunk editor's history (chunkedit/chunk_undo.h) is one
// instance.
#pragma once
#include <cstdint>

#include "files/level_records.h"
#include "files/undo_history.h"

// What one record changed: a cell (16 * row + column), or the chunk's width or height.
constexpr uint16_t UNDO_WIDTH = 256;
constexpr uint16_t UNDO_HEIGHT = 257;
struct ChunkUndoRecord {
  uint16_t target = 0;
  uint16_t old_value = 0, new_value = 0;
};
using ChunkUndoHistory = UndoHistory<ChunkUndoRecord>;

// Takes back / applies again one whole step of history on chunk (an open step is closed
// first); false at the start / end of the history.
bool undo_chunk_step(ChunkUndoHistory& history, Chunk& chunk);
bool redo_chunk_step(ChunkUndoHistory& history, Chunk& chunk);
