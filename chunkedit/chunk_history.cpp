#include "chunkedit/chunk_history.h"

#include "chunkedit/chunk_editor_state.h"
#include "chunkedit/chunk_undo.h"
#include "render/undo_readout.h"

// A new step leaves nothing to redo: the read-out of the last undo no longer holds.
void end_chunk_step() {
  if (chunk_history.commit()) hide_undo_readout();
}

bool undo_chunk_change(Chunk& chunk) {
  if (!undo_chunk_step(chunk_history, chunk)) return false;
  chunks_changed = chunk_history.at_saved() ? 0 : 1;
  return true;
}

bool redo_chunk_change(Chunk& chunk) {
  if (!redo_chunk_step(chunk_history, chunk)) return false;
  chunks_changed = chunk_history.at_saved() ? 0 : 1;
  return true;
}

void resize_chunk_undo(uint16_t size) {
  end_chunk_step();
  chunk_history.set_capacity(size);
}
