#include <cstring>
#include <string>

#include "chunkedit/chunk_editor_state.h"
#include "chunkedit/chunk_images.h"
#include "chunkedit/chunkmap_edits.h"
#include "chunkedit/tile_selector.h"
#include "gamedata/level_state.h"
#include "render/view_state.h"
#include "ui/input.h"
#include "ui/messages.h"
#include "ui/prompts.h"
#include "ui/screen_state.h"
#include "ui/settings.h"

namespace {

constexpr int32_t TILE_STEP = 704;

bool ask(const char* question) {
  return ask_yes_no(display, question, screen_width / 2 - 4 * static_cast<int>(std::strlen(question)));
}

void chunkmap_changed(int i) {
  refresh_chunk_images(i);
  mark_changed(CHANGED_CHUNKS);
}

void insert_tile() {
  const int i = append_empty_chunk(chunkmap);
  if (i < 0) {
    show_message(format_text("THE CHUNKMAP HOLDS %d TILES: NO MORE CAN BE ADDED.", MAX_EDITABLE_CHUNKS));
    return;
  }
  chunkmap_changed(i);
  current_chunk = static_cast<int16_t>(i);
  camera_x = i * TILE_STEP;
}

void clear_tile() {
  if (current_chunk >= chunkmap.count()) return;
  if (!ask("DO YOU WISH TO CLEAR THIS TILE")) return;
  Chunk& chunk = chunkmap.chunks[current_chunk];
  const Chunk before = chunk;
  std::memset(chunk.cells, 0, sizeof chunk.cells);
  if (std::memcmp(&before, &chunk, sizeof chunk) != 0) chunkmap_changed(current_chunk);
}

void delete_tile() {
  const std::string refusal = chunk_removal_refusal(chunkmap, front_layout, back_layout, current_chunk);
  if (!refusal.empty()) {
    show_message(refusal);
    return;
  }
  // The other levels of the theme use the chunk set too (they are read from the project).
  const int level = project_level_placing(project, front_layout.theme, current_chunk);
  if (level >= 0) {
    show_message(format_text("TILE %d IS PLACED IN LEVEL %02X OF THE PROJECT AND CANNOT BE DELETED.", current_chunk,
                             level));
    return;
  }
  chunkmap.chunks.pop_back();
  trim_chunk_images();
  mark_changed(CHANGED_CHUNKS);
  current_chunk = static_cast<int16_t>(chunkmap.count() - 1);
  camera_x = current_chunk * TILE_STEP;
}

void copy_tile() {
  if (current_chunk >= chunkmap.count()) return;
  tile_memory = chunkmap.chunks[current_chunk];
  tile_memory_full = true;
}

void paste_tile() {
  if (!tile_memory_full || current_chunk >= chunkmap.count()) return;
  if (!ask("DO YOU WISH TO PASTE THE TILE FROM MEMORY OVER THIS TILE")) return;
  chunkmap.chunks[current_chunk] = tile_memory;
  chunkmap_changed(current_chunk);
}

}  // namespace

void tile_selector_keys() {
  InputSource& in = input();
  const bool ctrl = ctrl_down();
  int key = 0;
  if (in.key_down(KEY_INSERT) || (!ctrl && in.key_down(KEY_I))) {
    key = in.key_down(KEY_INSERT) ? KEY_INSERT : KEY_I;
    wait_key_released(key);
    insert_tile();
  } else if (in.key_down(KEY_DEL) || in.key_down(KEY_DEL_PAD)) {
    const bool shift = shift_down();
    wait_key_released(KEY_DEL);
    wait_key_released(KEY_DEL_PAD);
    if (shift)
      delete_tile();
    else
      clear_tile();
  } else if (ctrl && in.key_down(KEY_C)) {
    wait_key_released(KEY_C);
    copy_tile();
  } else if (ctrl && in.key_down(KEY_V)) {
    wait_key_released(KEY_V);
    paste_tile();
  } else if (in.key_down(KEY_F12)) {
    wait_key_released(KEY_F12);
    save_chunk_png(current_chunk);
  }
}
