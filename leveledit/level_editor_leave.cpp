// Leaving the level editor: unsaved edits are offered for saving, as SAVE LEVEL and
// SAVE CHUNKMAP of the main menu would write them.
#include "gamedata/change_flags.h"
#include "gamedata/level_files.h"
#include "leveledit/layer_bands.h"
#include "leveledit/level_editor.h"
#include "leveledit/level_undo.h"
#include "ui/input.h"
#include "ui/prompts.h"
#include "ui/screen_state.h"

namespace {

// Y saves (the flag stays set when the save fails, so the question comes again);
// N keeps the edits in memory only.
void offer(uint8_t flag, bool (*ask)(), int (*save)()) {
  if (!(level_changed_flags & flag)) return;
  if (ask() && save() != 0) return;
  level_changed_flags &= static_cast<uint8_t>(~flag);
}

}  // namespace

void level_editor_leave() {
  wait_key_released(KEY_ESC);
  level_step_end();
  layer_tracking_end();
  offer(CHANGED_LAYOUT, ask_save_layout, SaveLevel);
  offer(CHANGED_CHUNKS, ask_save_metablocks, SaveChunkmap);
  editor_mode = 0;
}
