// Leaving the level editor: unsaved edits are offered for saving, naming the files that
// SAVE LEVEL and SAVE CHUNKMAP of the main menu would write.
#include "gamedata/change_flags.h"
#include "gamedata/level_files.h"
#include "leveledit/level_editor.h"
#include "leveledit/level_undo.h"
#include "render/layer_bands.h"
#include "ui/input.h"
#include "ui/prompts.h"
#include "ui/screen_state.h"

namespace {

// Y saves (a part whose save failed stays unsaved, so the question comes again); N keeps
// the edits in memory, still unsaved.
void offer(uint8_t parts, const char* what, const std::string& files, int (*save)()) {
  if (!(level_changed_flags & parts)) return;
  if (ask_save_to(what, files)) save();
}

}  // namespace

void level_editor_leave() {
  wait_key_released(KEY_ESC);
  level_step_end();
  layer_tracking_end();
  offer(CHANGED_LAYOUT, "THE LEVEL LAYOUT", level_save_files(), SaveLevel);
  offer(CHANGED_CHUNKS, "THE METABLOCK DATA", chunkmap_save_file(), SaveChunkmap);
  editor_mode = 0;
}
