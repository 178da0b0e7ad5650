// The chunk editor's undo history: one step per user action, each step the cell words
// (and the width and height) it changed, old and new. Capacity meta_undo_size steps.
// The records and their undo and redo are the model's (gamedata/chunk_undo_records.h).
#pragma once
#include <cstdint>

#include "gamedata/chunk_undo_records.h"

extern ChunkUndoHistory chunk_history;

// Holds `size` steps and is empty.
void allocate_chunk_undo(uint16_t size);
// Forgets every step; the present chunk is the state without unsaved changes.
void empty_chunk_undo();
void release_chunk_undo();
