#include "gamedata/change_flags.h"

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
