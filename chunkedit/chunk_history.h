// Undoing and redoing changes of the edited chunk as steps of chunk_history (chunk_undo.h):
// the cell edits record the changes of one action into the open step, which the editor
// closes at the end of every frame.
#pragma once
#include <cstdint>

#include "files/level_records.h"

// Closes the open step (nothing when the action changed nothing).
void end_chunk_step();

// Take back / apply again one whole step (an open step is closed first); false at the
// start / end of the history. chunks_changed follows: clear exactly when the chunk is back
// at the state the editing pass began with.
bool undo_chunk_change(Chunk& chunk);
bool redo_chunk_change(Chunk& chunk);

// Capacity in steps; the newest steps stay.
void resize_chunk_undo(uint16_t size);
