// Program-wide state of the chunk editor and its tile and block selectors. Plain data:
// the cell operations and their tests use it without any screen.
#pragma once
#include <array>
#include <cstdint>

#include "chunkedit/chunk_cell_edits.h"
#include "files/level_records.h"

// The chunk chosen in the tile selector.
extern int16_t current_chunk;
// The cell word held for pasting; NOTHING_HELD (chunk_cell_edits.h) when nothing is held.
extern int32_t held_block;
// The block under the centre of the block selector's bar.
extern int16_t selected_block;
// One byte per cell of the edited chunk, nonzero when marked with Ctrl+click.
extern std::array<uint8_t, 256> cell_marks;
// The edited chunk as it was when the editing pass began.
extern Chunk chunk_backup;
// Set by every change to the edited chunk's cells or size; cleared after the save question.
extern uint8_t chunks_changed;

// Block selector bar: the height it is slid in to (0..64), where the slide goes, and
// whether the bar sits at the top of the screen instead of the bottom.
constexpr int16_t SELECTION_BAR_HEIGHT = 64;
extern int16_t selection_bar_y;
extern uint8_t selection_bar_shown;
extern uint8_t bar_at_top;

// The tile selector's copy memory (Ctrl+C / Ctrl+V).
extern bool tile_memory_full;
extern Chunk tile_memory;

// Editing and selection modes: the low and high nibbles of meta_editor_modes.
constexpr uint8_t MODE_HYBRID = 0, MODE_ROAMING = 1, MODE_STATIC = 2;
uint8_t chunk_editing_mode();
// The selection mode copied when the chunk editor starts.
extern uint8_t chunk_selection_mode;

// Which part of the chunk editor is running (None outside it).
enum class ChunkEditorScreen : uint8_t { None, TileSelector, Editing, BlockSelector, BlockMenu };
extern ChunkEditorScreen chunk_editor_screen;

bool any_cell_marked();
void clear_cell_marks();

// Start-up values: chunk 0, nothing held, block 0, empty undo history and copy memory.
void reset_chunk_editor_state();
