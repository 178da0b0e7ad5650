#include "gamedata/change_flags.h"

uint8_t level_changed_flags = 0;

namespace {
bool marker_notice_shown = false;
}

void level_replaced() {
  level_changed_flags = 0;
  marker_notice_shown = false;
}

bool first_marker_edit() {
  if (marker_notice_shown) return false;
  marker_notice_shown = true;
  return true;
}

// The parts a recovery snapshot names, from the changed flags and back.
uint8_t unsaved_parts() {
  uint8_t parts = 0;
  if (level_changed_flags & CHANGED_FRONT) parts |= UNSAVED_FRONT;
  if (level_changed_flags & CHANGED_BACK) parts |= UNSAVED_BACK;
  if (level_changed_flags & CHANGED_CHUNKS) parts |= UNSAVED_CHUNKS;
  return parts;
}

void mark_parts_unsaved(uint8_t parts) {
  if (parts & UNSAVED_FRONT) level_changed_flags |= CHANGED_FRONT;
  if (parts & UNSAVED_BACK) level_changed_flags |= CHANGED_BACK;
  if (parts & UNSAVED_CHUNKS) level_changed_flags |= CHANGED_CHUNKS;
}
