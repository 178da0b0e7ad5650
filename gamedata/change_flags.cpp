#include "gamedata/change_flags.h"

#include "ui/messages.h"

uint8_t level_changed_flags = 0;
const char* const MARKER_NOTICE = "MARKER CHANGES ARE NOT SAVED TO ANY FILE.";

namespace {
bool marker_notice_shown = false;
}

void level_replaced() {
  level_changed_flags = 0;
  marker_notice_shown = false;
}

void note_marker_edit() {
  if (marker_notice_shown) return;
  marker_notice_shown = true;
  show_message(MARKER_NOTICE);
}
