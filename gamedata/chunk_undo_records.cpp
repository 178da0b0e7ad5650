#include "gamedata/chunk_undo_records.h"

namespace {

void write(Chunk& chunk, uint16_t target, uint16_t value) {
  if (target < 256)
    chunk.cells[target] = value;
  else if (target == UNDO_WIDTH)
    chunk.width = static_cast<int8_t>(value);
  else if (target == UNDO_HEIGHT)
    chunk.height = static_cast<int8_t>(value);
}

}  // namespace

bool undo_chunk_step(ChunkUndoHistory& history, Chunk& chunk) {
  history.commit();
  const auto* step = history.undo();
  if (!step) return false;
  for (auto r = step->rbegin(); r != step->rend(); ++r) write(chunk, r->target, r->old_value);
  return true;
}

bool redo_chunk_step(ChunkUndoHistory& history, Chunk& chunk) {
  history.commit();
  const auto* step = history.redo();
  if (!step) return false;
  for (const ChunkUndoRecord& r : *step) write(chunk, r.target, r.new_value);
  return true;
}
