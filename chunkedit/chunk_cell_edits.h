// Edits of the cells of one chunk, each change recorded into the open step of an undo
// history. Plain C++ on the Chunk record and the state they are given; the chunk editor's
// keys, selectors and menu call these with the editor's state (chunk_edit_state()).
#pragma once
#include <array>
#include <cstdint>

#include "files/level_records.h"
#include "gamedata/chunk_undo_records.h"

// The cell word held for pasting when nothing is held. Held words are wider than a cell
// word so that every word, 0xFFFF included, can be held.
constexpr int32_t NOTHING_HELD = -1;

// What the edits change besides the chunk: the history each change is recorded into, the
// flag every recorded change raises, and the word that copy and cut hold for paste.
struct CellEditState {
  ChunkUndoHistory& history;
  uint8_t& changed;
  int32_t& held;
};
// The chunk editor's: chunk_history, chunks_changed, held_block.
CellEditState chunk_edit_state();

// Cell index 16 * row + column, as stored in the undo history.
inline uint16_t cell_index(int column, int row) { return static_cast<uint16_t>(16 * row + column); }

// Sets a cell to `word`, recording the change; nothing happens (and nothing is recorded)
// when the cell already holds it. Returns whether the cell changed.
bool set_cell_recorded(const CellEditState& state, Chunk& chunk, uint16_t cell, uint16_t word);
// Delete: the cell becomes 0.
bool clear_cell(const CellEditState& state, Chunk& chunk, uint16_t cell);
// Copy, cut and paste through the held word.
void copy_cell(const CellEditState& state, const Chunk& chunk, uint16_t cell);
bool cut_cell(const CellEditState& state, Chunk& chunk, uint16_t cell);
// Writes the held word into the cell; nothing when nothing is held.
bool paste_cell(const CellEditState& state, Chunk& chunk, uint16_t cell);
// Copies `word` into every marked cell inside the used area, each change recorded.
// Returns the number of cells changed.
int fill_marked_cells(const CellEditState& state, Chunk& chunk, const std::array<uint8_t, 256>& marks, uint16_t word);

// Whole-tile transforms over the used area, each changed cell recorded: mirror reverses
// every row, flip reverses the order of the rows and toggles the drawn vertical flip
// (CELL_VFLIP, bit 12) of every non-empty cell, rotate does both (a half turn). No block
// is drawn mirrored, so a mirrored tile's blocks keep their orientation; the game's
// attribute fields (bits 9-11, 13-15) are never changed. Empty cells stay empty.
int mirror_chunk(const CellEditState& state, Chunk& chunk);
int flip_chunk(const CellEditState& state, Chunk& chunk);
int rotate_chunk(const CellEditState& state, Chunk& chunk);

// Size keys: width or height changed by delta within 1..16, recorded for undo.
// Raises the changed flag and returns true when the size changed.
bool change_chunk_width(const CellEditState& state, Chunk& chunk, int delta);
bool change_chunk_height(const CellEditState& state, Chunk& chunk, int delta);

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
void apply_menu_action(const CellEditState& state, uint8_t result, Chunk& chunk, uint16_t cell);
