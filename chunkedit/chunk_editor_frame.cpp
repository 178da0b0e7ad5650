#include <algorithm>
#include <string>

#include "chunkedit/chunk_cell_edits.h"
#include "chunkedit/chunk_editor.h"
#include "chunkedit/chunk_editor_drawing.h"
#include "chunkedit/chunk_editor_help.h"
#include "chunkedit/chunk_editor_state.h"
#include "chunkedit/chunk_history.h"
#include "chunkedit/chunk_images.h"
#include "gamedata/level_state.h"
#include "render/layer_bands.h"
#include "render/view_state.h"
#include "render/map_render.h"
#include "render/status_bar.h"
#include "render/undo_readout.h"
#include "ui/font.h"
#include "ui/frame.h"
#include "ui/input.h"
#include "ui/menu.h"
#include "ui/screen_state.h"
#include "ui/settings.h"

namespace {

constexpr uint32_t ZOOM_READOUT_TICKS = 150;

void layer_keys() {
  InputSource& in = input();
  if (in.key_down(KEY_F9)) {
    layer_visibility ^= 1;
    wait_key_released(KEY_F9);
  }
  if (in.key_down(KEY_F10)) {
    layer_visibility ^= 2;
    wait_key_released(KEY_F10);
  }
}

void draw_selection_frames(BITMAP* layer, const Chunk& chunk, const CellUnderCursor& cell, int s) {
  const int view_y = camera_y >> 3;
  const bool hidden = camera_state == 0 && chunk_editing_mode() != MODE_ROAMING;
  if (cell.inside && !hidden) draw_selection_frame(layer, cell.column * s, cell.row * s - view_y, s);
  const int w = std::clamp<int>(chunk.width, 0, 16), h = std::clamp<int>(chunk.height, 0, 16);
  for (int r = 0; r < h; ++r)
    for (int c = 0; c < w; ++c)
      if (cell_marks[cell_index(c, r)]) draw_selection_frame(layer, c * s, r * s - view_y, s);
}

void draw_texts(BITMAP* layer, const Chunk& chunk) {
  InputSource& in = input();
  if (frame_skip_open(display)) {
    draw_status_bar(display, layer, chunk_status_text(chunk_editor_status(chunk), status_bar_chars(screen_width)));
    if (tips_enabled && !in.key_down(KEY_F1))
      layer_text(display, layer, 0, screen_width - 160, 8, "press F1 for help.");
    // The read-outs go in the top right corner, below the F1 tip: at 100 % the tile's 256
    // pixels stay clear of them.
    const int right = screen_width - 160;
    if (static_cast<uint32_t>(timer_ticks - zoom_changed_at) < ZOOM_READOUT_TICKS) {
      layer_text(display, layer, 1, static_cast<int16_t>(right), 20, "ZOOM:");
      layer_number(display, layer, static_cast<int16_t>(right + 64), 20, 1, zoom_percent(level_zoom));
    }
    const std::string readout = undo_readout_text(timer_ticks);
    if (!readout.empty()) layer_text(display, layer, 1, static_cast<int16_t>(right), 32, readout.c_str());
  }
  if (cursor_arrow) {
    const int x = in.mouse_x() + MARGIN - 11, y = in.mouse_y() + MARGIN - 11;
    mark_drawn(layer, x, y, 22, 22);
    masked_blit(cursor_arrow.get(), layer, 0, 0, x, y, 22, 22);
  }
  if (fps_counter_enabled) layer_number(display, layer, static_cast<int16_t>(frame_rate_x(screen_width)), 8, 1, fps_value);
}

}  // namespace

ChunkStatus chunk_editor_status(const Chunk& chunk) {
  ChunkStatus s;
  s.chunk = current_chunk;
  s.width = chunk.width;
  s.height = chunk.height;
  s.marked = static_cast<int>(std::count_if(cell_marks.begin(), cell_marks.end(), [](uint8_t m) { return m != 0; }));
  s.camera_state = camera_state;
  s.unsaved = chunks_changed != 0 || (level_changed_flags & CHANGED_CHUNKS) != 0;
  return s;
}

void chunk_editor_frame() {
  InputSource& in = input();
  in.poll();
  read_click(display);
  const bool left_click = (click_event & 1) != 0, right_click = (click_event & 2) != 0;
  // While the layers are tracked they are clean: the last composition cleared what it read.
  if (!layer_tracking_on()) clear_layers(display.layers());
  if (current_chunk < 0 || current_chunk >= chunkmap.count()) return;
  Chunk& chunk = chunkmap.chunks[current_chunk];

  update_editing_zoom();
  const int s = block_size_on_screen();
  scroll_editing_view();
  const CellUnderCursor cell = cell_under_cursor(chunk, s);
  update_camera_state(left_click && !ctrl_down(), cell.inside);

  if (layer_visibility & 3) {
    draw_chunk(display, level_view, layer_2.get(), current_chunk, MARGIN, MARGIN, false);
    mark_drawn(layer_2.get(), MARGIN - (camera_x >> 3), MARGIN - (camera_y >> 3), s * chunk.width, s * chunk.height);
  }
  layer_keys();
  size_keys(chunk);
  if (in.key_down(KEY_F12)) {
    wait_key_released(KEY_F12);
    save_chunk_png(current_chunk);
  }

  if (cell.inside) cell_actions(chunk, cell, s, left_click, right_click);
  whole_tile_keys(chunk);
  // Whatever this frame's action changed is one undo step.
  end_chunk_step();

  draw_selection_frames(layer_4.get(), chunk, cell, s);
  draw_texts(layer_4.get(), chunk);
  if (!layer_tracking_on())
    compose_layers(display);
  else if (frame_skip_open(display))
    compose_tracked_layers(display);
  else
    clear_tracked_layers(display.layers());  // as the next frame's clearing would have

  if (in.key_down(KEY_F1)) {
    help_requested = 1;
    run_help_overlay(CHUNK_EDITOR_HELP);
  }
}
