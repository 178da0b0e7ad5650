#include "gamedata/change_flags.h"

#include <cstring>

bool LevelChanges::first_marker_edit() {
  if (marker_notice_shown) return false;
  marker_notice_shown = true;
  return true;
}

// The parts a recovery snapshot names, from the changed flags and back.
uint8_t LevelChanges::unsaved_parts() const {
  uint8_t parts = 0;
  if (flags & CHANGED_FRONT) parts |= UNSAVED_FRONT;
  if (flags & CHANGED_BACK) parts |= UNSAVED_BACK;
  if (flags & CHANGED_CHUNKS) parts |= UNSAVED_CHUNKS;
  return parts;
}

void LevelChanges::mark_parts_unsaved(uint8_t parts) {
  if (parts & UNSAVED_FRONT) flags |= CHANGED_FRONT;
  if (parts & UNSAVED_BACK) flags |= CHANGED_BACK;
  if (parts & UNSAVED_CHUNKS) flags |= CHANGED_CHUNKS;
}

void LevelChanges::parts_saved(uint8_t parts, const LayoutPlane& front, const LayoutPlane& back, const ChunkMap& chunks) {
  if (parts & CHANGED_FRONT) saved_front = front;
  if (parts & CHANGED_BACK) saved_back = back;
  if (parts & CHANGED_CHUNKS) saved_chunks = chunks;
  saved_known |= parts;
  clear(parts);
}

void LevelChanges::parts_unknown(uint8_t parts) {
  saved_known &= static_cast<uint8_t>(~parts);
  mark(parts);
}

static bool same_chunks(const ChunkMap& a, const ChunkMap& b) {
  return a.chunks.size() == b.chunks.size() &&
         (a.chunks.empty() || std::memcmp(a.chunks.data(), b.chunks.data(), a.chunks.size() * sizeof(Chunk)) == 0);
}

void LevelChanges::compare_with_saved(const LayoutPlane& front, const LayoutPlane& back, const ChunkMap& chunks) {
  const bool same[3] = {front == saved_front, same_chunks(chunks, saved_chunks), back == saved_back};
  const uint8_t parts[3] = {CHANGED_FRONT, CHANGED_CHUNKS, CHANGED_BACK};
  for (int i = 0; i < 3; ++i) {
    if ((saved_known & parts[i]) && same[i])
      clear(parts[i]);
    else
      mark(parts[i]);
  }
}
