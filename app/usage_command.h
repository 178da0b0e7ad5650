// The block analysis of the game: of the loaded project when there is one, otherwise of
// the master ROM image. The batch command `usage chunks|blocks [PROJECT.glp]` and the
// BLOCK ANALYSIS TOOL of the main menu share it.
#pragma once
#include <string>

#include "gamedata/chunk_usage.h"

// Analyses the loaded project, or the master ROM image when no project is loaded. False
// after an "ERROR: ..." message when the ROM image cannot be read.
bool analyse_loaded_game(UsageReport& report);
// The warning for a level that was left out: "WARNING: Map 05 is left out: ...".
std::string unread_level_text(const UsageReport& report, const UnreadLevel& unread, bool from_project);

// BLOCK ANALYSIS TOOL (main menu mode 3): analyses the game, runs the screen on the theme
// of the level in memory and returns to the menu with editor_mode 0.
void run_block_analysis_tool();

// Batch: usage chunks|blocks [PROJECT.glp]. CSV on stdout, a warning per level left out on
// stderr; status 1 when no level could be read or the source cannot be read.
int run_usage_command(int argc, char** argv);
