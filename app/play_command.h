// Playing the game being edited: the Genesis build of the project, then an emulator started
// on it. The emulator's command line is MOSSFORGE_EMULATOR ({rom} in it stands for the
// image's path, which is otherwise appended), or blastem when it is on the PATH.
#pragma once
#include <string>

extern const char* const NO_EMULATOR;          // "ERROR: No emulator: ..."
extern const char* const LOAD_PROJECT_FIRST;   // the play key without a project

// Starts the emulator on rom and returns without waiting for it; false after the error
// message (no emulator, a command line that cannot be used, a start that failed).
bool start_emulator(const std::string& rom);

// The level editor's play key: with a project loaded, unsaved edits of its level in memory
// are offered for saving as before every build ("UNSAVED CHANGES. SAVE THEM BEFORE THE
// BUILD? (Y/N)"; N builds what is on disk, Escape cancels), then the Genesis game is built as BUILD GENESIS GAME FROM PROJECT builds it and
// the emulator started on it.
void play_loaded_project();

// Batch: play PROJECT.glp. Status 1 after any error.
int run_play(int argc, char** argv);
