// The menu opened with the right mouse button on a chunk cell: attribute toggles and
// cut, copy, paste and delete of the cell.
#pragma once
#include <allegro.h>

#include <cstdint>

#include "files/level_records.h"

extern const char* const BLOCK_MENU_TEXT;
constexpr int BLOCK_MENU_WIDTH = 144, BLOCK_MENU_HEIGHT = 172;  // outer box

struct MenuPlace {
  int x, y;
};
// Top-left corner of the menu for the mouse at (mx, my): right of and below the mouse,
// or left of / above it when the box would pass the screen's right or bottom edge.
MenuPlace block_menu_place(int mx, int my);

// Runs the menu at the mouse over `picture` (a screen-sized bitmap with margin) until
// Escape or any mouse button closes it; a clicked entry acts on cell `cell` of `chunk`.
void block_context_menu(int mx, int my, Chunk& chunk, uint16_t cell, BITMAP* picture);
