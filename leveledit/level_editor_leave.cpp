// Leaving the level editor.
#include "gamedata/change_flags.h"
#include "leveledit/level_editor.h"
#include "ui/input.h"
#include "ui/screen_state.h"

void level_editor_leave() {
  wait_key_released(KEY_ESC);
  editor_mode = 0;
}
