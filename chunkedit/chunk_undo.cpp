#include "chunkedit/chunk_undo.h"

ChunkUndoHistory chunk_history;

void allocate_chunk_undo(uint16_t size) {
  chunk_history.set_capacity(size);
  empty_chunk_undo();
}

void empty_chunk_undo() {
  chunk_history.clear();
  chunk_history.mark_saved();
}

void release_chunk_undo() { empty_chunk_undo(); }
