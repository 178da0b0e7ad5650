// The .lvl and .itm commands of the main menu: loading a layout plane or a chunkmap from a
// file (packed or plain) and saving them back as packed blocks, with their questions and
// messages.
#pragma once
#include <string>

#include "gamedata/level_state.h"

extern const char* const OVERWRITE_QUESTION;  // "FILE \"%s\" EXISTS. OVERWRITE? (Y/N)"
extern const char* const UNSAVED_QUESTION;
extern const char* const UNSAVED_BUILD_QUESTION;
extern const char* const BACK_PLANE_NOT_SAVED;

// Whether a save may write path: it does not exist, this level owns it (as `part`:
// CHANGED_FRONT, CHANGED_BACK or CHANGED_CHUNKS; 0 for no part of the level), or the user answers Y to the overwrite
// question.
bool may_replace(const std::string& path, uint8_t part);

// Before a command that replaces the level in memory: true when it may go on. With
// unsaved changes it asks UNSAVED_QUESTION: Y saves as SAVE LEVEL / SAVE CHUNKMAP would
// (false when a save did not happen), N discards, Escape cancels (false).
bool settle_unsaved_changes(const char* question = UNSAVED_QUESTION);
// Before a build from the project: when the level in memory is a project level with unsaved
// edits, the same with UNSAVED_BUILD_QUESTION (N builds without them).
bool settle_unsaved_before_build();

// Loads front_layout / chunkmap from path and remembers the path. Returns 0, or -1 after
// an error message with the model unchanged. A chunkmap load re-renders every chunk image
// and rebuilds the thumbnails.
int load_level_file(const std::string& path);
int load_chunkmap_file(const std::string& path);

// Write front_layout / chunkmap, packed, to the remembered file or "New.lvl" / "New.itm";
// SaveLevel also writes back_layout when it has unsaved changes. A file of someone else
// is replaced only after the overwrite question. Shows "WROTE <files>". Returns 0, or -1
// after an error message or a declined overwrite (files not written are left as they were).
int SaveLevel();
int SaveChunkmap();

// The menu commands with the file selector ("LOAD LEVEL FROM LVL FILE"/"LVL",
// "LOAD CHUNKMAP FROM ITM FILE"/"ITM"). Cancelling the selector changes nothing (0).
int load_level_from_lvl_file();
int load_chunkmap_from_itm_file();

// Leaving the level editor: unsaved layout and chunk edits are offered for saving, naming
// the files that SAVE LEVEL and SAVE CHUNKMAP would write. Y saves (a part whose save
// failed stays unsaved, so the question comes again); N keeps the edits in memory.
void offer_unsaved_saves();
