// Edits of the cells of one chunk, each change recorded into the open undo step. Plain C++ on
// the Chunk record; the chunk editor's keys, selectors and menu call these.
#pragma once
#include <array>
#include <cstdint>

#include "files/level_records.h"

// Cell index 16 * row + column, as stored in the undo history.
inline uint16_t cell_index(int column, int row) { return static_cast<uint16_t>(16 * row + column); }

// Sets a cell to `word`, recording the change; nothing happens (and nothing is recorded)
// when the cell already holds it. Returns whether the cell changed.
bool set_cell_recorded(Chunk& chunk, uint16_t cell, uint16_t word);
// Delete: the cell becomes 0.
bool clear_cell(Chunk& chunk, uint16_t cell);
// Copy, cut and paste through held_block.
void copy_cell(const Chunk& chunk, uint16_t cell);
bool cut_cell(Chunk& chunk, uint16_t cell);
// Writes held_block into the cell; nothing when nothing is held.
bool paste_cell(Chunk& chunk, uint16_t cell);
// Copies `word` into every marked cell inside the used area, each change recorded.
// Returns the number of cells changed.
int fill_marked_cells(Chunk& chunk, const std::array<uint8_t, 256>& marks, uint16_t word);

// Whole-tile transforms over the used area, each changed cell recorded:
// mirror reverses every row and toggles bit 10, flip reverses the order of the rows and
// toggles bit 11, rotate does both (a half turn, bits 10 and 11 toggled). Empty cells
// stay empty.
constexpr uint16_t CELL_MIRROR_BIT = 0x0400;
constexpr uint16_t CELL_FLIP_BIT = 0x0800;
int mirror_chunk(Chunk& chunk);
int flip_chunk(Chunk& chunk);
int rotate_chunk(Chunk& chunk);

// Size keys: width or height changed by delta within 1..16, recorded for undo.
// Sets chunks_changed and returns true when the size changed.
bool change_chunk_width(Chunk& chunk, int delta);
bool change_chunk_height(Chunk& chunk, int delta);

// After a kept editing pass: every cell outside the used area becomes 0, as a saved
// chunkmap would have it.
void clear_cells_outside(Chunk& chunk);

// Block context menu results (menu_widget values) and the actions on the cell word.
constexpr uint8_t MENU_MIRROR = 129, MENU_FLIP = 130, MENU_PLATFORM_A = 132, MENU_PLATFORM_B = 133,
                  MENU_SOLID_A = 134, MENU_SOLID_B = 135, MENU_CUT = 137, MENU_COPY = 138, MENU_PASTE = 139,
                  MENU_DELETE = 140;
// Applies one clicked entry to cell `cell`; other results change nothing. The attribute
// toggles are cell changes like any other: recorded for undo and kept or dropped by the
// save question.
void apply_menu_action(uint8_t result, Chunk& chunk, uint16_t cell);
