// The main menu and the dispatch from a clicked line to its screen or command.
#pragma once
#include <cstdint>

#include "ui/setup_screens.h"

extern const char* const MAIN_MENU_TEXT;

// Runs until QUIT or Escape.
void main_menu();
// One frame of the main menu (drawing and click handling); returns the widget result.
uint8_t main_menu_frame();
// The mode a clicked menu result selects (0 for results that select nothing).
uint8_t mode_for_menu_result(uint8_t result);
// Calls the screen or command of a mode; returns with editor_mode set by it.
void run_mode(uint8_t mode);

// Start-up values of the editors' state, before the font is loaded.
void reset_editor_state();
// What SETUP does when an undo size changes: resize the editors' undo histories.
extern const SetupActions setup_actions;
// The level that opens the program (a recovered snapshot, or the import from the ROM image
// with its map-number prompt), and the switches set after it.
void import_level_at_start_up();
// Releases the level model, its bitmaps and the editors' undo buffers.
void release_level_data();
