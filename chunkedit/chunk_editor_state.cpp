#include "chunkedit/chunk_editor_state.h"

#include <algorithm>

#include "chunkedit/chunk_undo.h"
#include "ui/settings.h"

int16_t current_chunk = 0;
int32_t held_block = NOTHING_HELD;
int16_t selected_block = 0;
std::array<uint8_t, 256> cell_marks{};
Chunk chunk_backup;
uint8_t chunks_changed = 0;

int16_t selection_bar_y = SELECTION_BAR_HEIGHT;
uint8_t selection_bar_shown = 1;
uint8_t bar_at_top = 0;

bool tile_memory_full = false;
Chunk tile_memory;

uint8_t chunk_selection_mode = MODE_ROAMING;
ChunkEditorScreen chunk_editor_screen = ChunkEditorScreen::None;

CellEditState chunk_edit_state() { return CellEditState{chunk_history, chunks_changed, held_block}; }

uint8_t chunk_editing_mode() { return meta_editor_modes & 0x0F; }

bool any_cell_marked() {
  return std::any_of(cell_marks.begin(), cell_marks.end(), [](uint8_t m) { return m != 0; });
}

void clear_cell_marks() { cell_marks.fill(0); }

void reset_chunk_editor_state() {
  current_chunk = 0;
  held_block = NOTHING_HELD;
  selected_block = 0;
  clear_cell_marks();
  chunks_changed = 0;
  tile_memory_full = false;
  tile_memory = Chunk();
  empty_chunk_undo();
}
