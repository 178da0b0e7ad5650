// The chunk editor (main menu CHUNKMAP EDITOR): tile selector passes and editing passes
// on the chosen chunk, with undo, the block selector and the block context menu.
#pragma once
#include <cstdint>

#include "files/level_records.h"

// The screen; returns with editor_mode 0.
void chunk_editor();

// One tile selector pass; true when a tile was chosen (Enter or a click), false on Escape.
bool run_tile_selector_pass();
// One editing pass on current_chunk: start, the frames until Escape ends it, and the save
// question when anything changed.
void run_editing_pass();
// The frames of an editing pass, until Escape ends it.
void run_editing_loop();
// Leaving an editing pass: the save question when the chunk changed (N restores the chunk
// as it was when the pass began, Y keeps it and re-renders its image and thumbnail).
void finish_editing_pass();

// One frame of an editing pass on current_chunk.
void chunk_editor_frame();
// What the status bar shows for the edited chunk.
struct ChunkStatus;
ChunkStatus chunk_editor_status(const Chunk& chunk);

// --- Steps of an editing frame (chunk_editor_input.cpp) ---

// Zoom keys, Home and the wheel; clamps level_zoom.
void update_editing_zoom();
// The zoom read-out: cell size as a percentage of 16 pixels, halves to even (112 at 2).
int zoom_percent(int16_t zoom);
// Scroll keys and the mouse band on camera_y, clamped to the chunk's 16 rows.
void scroll_editing_view();
// camera_state after this frame's left click (or the lack of one). A click that would
// select (state 2) does so only over a cell of the used area; elsewhere it changes nothing.
void update_camera_state(bool left_click, bool over_cell);
// Whether a plain left click would select the cell under the cursor now.
bool click_selects_cell();
// "]" / "[" (Shift: height) on the chunk.
void size_keys(Chunk& chunk);

struct CellUnderCursor {
  bool inside = false;
  int column = 0, row = 0;
};
// The used-area cell under the mouse at cell size s.
CellUnderCursor cell_under_cursor(const Chunk& chunk, int s);
// The actions on the cell under the cursor (selector, marks, menu, Delete, Ctrl+C, Ctrl+V).
void cell_actions(Chunk& chunk, const CellUnderCursor& cell, int s, bool left_click, bool right_click);
// Ctrl+Z, Ctrl+Shift+Z or Ctrl+Y, Ctrl+M, Ctrl+F, Ctrl+R: undo, redo and the whole-tile
// transforms, wherever the mouse is.
void whole_tile_keys(Chunk& chunk);
// Opens the block selector on a cell and applies its result (fills marked cells).
void select_block_on_cell(Chunk& chunk, int column, int row, int s);
