#include "gamedata/change_flags.h"

uint8_t level_changed_flags = 0;

// One flag covers both layouts (and the markers, which no file holds).
uint8_t unsaved_parts() {
  uint8_t parts = 0;
  if (level_changed_flags & CHANGED_LAYOUT) parts |= UNSAVED_FRONT | UNSAVED_BACK;
  if (level_changed_flags & CHANGED_CHUNKS) parts |= UNSAVED_CHUNKS;
  return parts;
}

void mark_parts_unsaved(uint8_t parts) {
  if (parts & (UNSAVED_FRONT | UNSAVED_BACK)) level_changed_flags |= CHANGED_LAYOUT;
  if (parts & UNSAVED_CHUNKS) level_changed_flags |= CHANGED_CHUNKS;
}
