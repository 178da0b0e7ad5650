#include "chunkedit/chunk_editor.h"

#include <cstring>

#include "chunkedit/chunk_cell_edits.h"
#include "chunkedit/chunk_editor_state.h"
#include "chunkedit/chunk_images.h"
#include "chunkedit/chunk_undo.h"
#include "chunkedit/tile_selector.h"
#include "gamedata/level_state.h"
#include "render/layer_bands.h"
#include "render/view_state.h"
#include "render/undo_readout.h"
#include "ui/font.h"
#include "ui/frame.h"
#include "ui/input.h"
#include "ui/prompts.h"
#include "ui/screen_state.h"
#include "ui/settings.h"

namespace {

bool enter_down() { return input().key_down(KEY_ENTER) || input().key_down(KEY_ENTER_PAD); }
// The window's close button leaves like Escape.
bool escape_down() { return input().key_down(KEY_ESC) || close_requested; }

void clear_visible_back_buffer() {
  if (back_buffer) fill_rect32(back_buffer.get(), MARGIN, MARGIN, screen_width, screen_height, 0xFF000000u);
}

void start_editing_pass() {
  chunk_backup = chunkmap.chunks[current_chunk];
  clear_cell_marks();
  zoom_repeat_count = zoom_repeat_step = 0;
  selection_bar_y = SELECTION_BAR_HEIGHT;
  selection_bar_shown = 1;
  zoom_changed_at = timer_ticks;
  camera_x = camera_y = 0;
  level_zoom = 0;
  click_event = 0;
  buttons_before = 3;
  camera_state = chunk_editing_mode() == MODE_STATIC ? 1 : 0;
  wait_key_released(KEY_ENTER);
  wait_key_released(KEY_ENTER_PAD);
  // Each frame clears and composes only the parts of the layers it drew.
  layer_tracking_begin(display.layers());
}

}  // namespace

bool run_tile_selector_pass() {
  empty_chunk_undo();
  hide_undo_readout();
  current_chunk = 0;
  camera_x = 0;
  click_event = 0;
  buttons_before = 3;
  chunk_editor_screen = ChunkEditorScreen::TileSelector;
  if (!enter_down() && !escape_down()) {
    do {
      end_editor_frame(display);
      tile_selector();
      wheel_before = wheel_now;
      clear_visible_back_buffer();
    } while (!enter_down() && !escape_down() && !((click_event & 1) && !fast_scroll_latch));
  }
  if (!enter_down() && !(click_event & 1)) {
    wait_key_released(KEY_ESC);
    return false;
  }
  return true;
}

void run_editing_loop() {
  const bool static_mode = chunk_editing_mode() == MODE_STATIC;
  chunk_editor_screen = ChunkEditorScreen::Editing;
  for (;;) {
    if (escape_down() && (camera_state == 0 || close_requested)) break;
    if (camera_state == 0x80 && static_mode) break;
    end_editor_frame(display);
    chunk_editor_frame();
    wheel_before = wheel_now;
    if (escape_down() && camera_state == 1) {
      camera_state = 0x80;
      wait_key_released(KEY_ESC);
    }
  }
}

void finish_editing_pass() {
  layer_tracking_end();
  wait_key_released(KEY_ESC);
  if (chunks_changed && current_chunk >= 0 && current_chunk < chunkmap.count()) {
    Chunk& chunk = chunkmap.chunks[current_chunk];
    if (ask_save_metablocks(display)) {
      clear_cells_outside(chunk);
      refresh_chunk_images(current_chunk);
      // Edits that were undone again before Escape leave nothing unsaved.
      if (std::memcmp(&chunk, &chunk_backup, sizeof chunk) != 0) mark_changed(CHANGED_CHUNKS);
    } else {
      chunk = chunk_backup;
    }
  }
  chunks_changed = 0;
}

void run_editing_pass() {
  if (current_chunk < 0 || current_chunk >= chunkmap.count()) {
    // No such chunk (an empty chunkmap): back to the selector.
    wait_key_released(KEY_ENTER);
    wait_key_released(KEY_ENTER_PAD);
    return;
  }
  start_editing_pass();
  run_editing_loop();
  finish_editing_pass();
}

void chunk_editor() {
  layer_visibility = 0x7F;
  chunk_selection_mode = static_cast<uint8_t>(meta_editor_modes >> 4);
  rest(100);
  while (editor_mode == 2) {
    if (!run_tile_selector_pass()) {
      chunk_editor_screen = ChunkEditorScreen::None;
      editor_mode = 0;
      return;
    }
    run_editing_pass();
  }
}
