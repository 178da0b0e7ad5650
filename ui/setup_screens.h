// SETUP: the tree of screens through which every setting is changed.
#pragma once
#include <cstdint>

#include "ui/display.h"

// What the program does when a setting changes: resize the editors' undo arrays after an
// undo size was entered.
struct SetupActions {
  void (*level_undo_size_changed)() = nullptr;
  void (*meta_undo_size_changed)() = nullptr;
};

// The top SETUP screen (main-menu mode 4); returns with the display's editor_mode 0.
void setup_screen(Display& display, const SetupActions& actions = {});
// The setup menu: the menu widget at y 96 with 16-pixel lines.
uint8_t setup_menu(Display& display, int16_t x, int16_t width, const char* text);

// Mode bytes: editing mode in the low four bits, selection mode in the high four.
void set_editing_mode(uint8_t& modes, uint8_t value);
void set_selection_mode(uint8_t& modes, uint8_t value);
// Star row (0, 1, 2) of the editing and selection option screens.
int editing_star_row(uint8_t modes);
int selection_star_row(uint8_t modes);

// Applies a pending resolution and screen mode: nothing when they equal the current
// ones; otherwise sets the mode and re-creates the screen bitmaps, or when the mode is
// refused or its bitmaps cannot be made (said in a message) restores the previous mode
// and keeps the old values and bitmaps. Returns true when changed.
bool apply_display_settings(Display& display, int16_t width, int16_t height, uint8_t full);
