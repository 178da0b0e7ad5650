// Leaving the level editor: the key that left is released, an open undo step and layer
// tracking end. The main menu then offers unsaved edits for saving.
#include "leveledit/level_editor.h"
#include "leveledit/level_undo.h"
#include "render/layer_bands.h"
#include "render/view_state.h"
#include "ui/input.h"
#include "ui/screen_state.h"

void level_editor_leave() {
  wait_key_released(KEY_ESC);
  level_step_end();
  clear_group_selection();
  layer_tracking_end();
  level_view.layers = 3;  // the other screens draw every block
  editor_mode = 0;
}
