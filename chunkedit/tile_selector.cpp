#include "chunkedit/tile_selector.h"

#include <algorithm>

#include "chunkedit/chunk_editor_help.h"
#include "chunkedit/chunk_editor_state.h"
#include "chunkedit/selector_scroll.h"
#include "gamedata/level_state.h"
#include "render/view_state.h"
#include "ui/font.h"
#include "ui/frame.h"
#include "ui/input.h"
#include "ui/menu.h"
#include "ui/screen_state.h"
#include "ui/settings.h"

namespace {

constexpr int TILE_PITCH = 88;   // pixels from one thumbnail slot to the next
constexpr int STRIP_CENTRE_Y = 64;
constexpr int CURRENT_TILE_SIZE = 80;

// Tiles that have both a chunk and a thumbnail.
int selectable_tile_count() { return std::min<int>(static_cast<int>(chunk_thumbnails.size()), chunkmap.count()); }

void draw_strip(BITMAP* bb) {
  const int view = camera_x >> 3;
  const int centre = screen_width / 2 - 12;
  const int count = selectable_tile_count();
  // Only slots that can reach the screen are looked at.
  const int first = std::max(0, (view - centre - CURRENT_TILE_SIZE) / TILE_PITCH);
  const int last = std::min(count - 1, (view + screen_width - centre + CURRENT_TILE_SIZE) / TILE_PITCH);
  for (int i = first; i <= last; ++i) {
    BITMAP* thumbnail = chunk_thumbnails[i].get();
    if (!thumbnail) continue;
    const int size = i == current_chunk ? CURRENT_TILE_SIZE : THUMBNAIL_SIZE;
    const int x = centre + TILE_PITCH * i - view - size / 2, y = STRIP_CENTRE_Y - size / 2;
    if (x + size <= 0 || x >= screen_width) continue;
    if (size == THUMBNAIL_SIZE)
      blit(thumbnail, bb, 0, 0, x + MARGIN, y + MARGIN, size, size);
    else
      stretch_blit(thumbnail, bb, 0, 0, thumbnail->w, thumbnail->h, x + MARGIN, y + MARGIN, size, size);
  }
}

void draw_texts(BITMAP* bb) {
  if (!frame_skip_open(display)) return;
  number_out(display, bb, 40, 20, 3, current_chunk);
  if (tips_enabled) text_out(display, bb, 0, static_cast<int16_t>(screen_width - 160), 8, "press F1 for help.");
  text_out(display, bb, 1, static_cast<int16_t>(screen_width / 2 - 120), static_cast<int16_t>(screen_height / 2),
           "* SELECT A TILE TO WORK WITH *");
  text_out(display, bb, 1, 16, 8, "TILE:");
}

}  // namespace

void tile_selector() {
  InputSource& in = input();
  in.poll();
  read_click(display);
  const StripScroll strip = tile_strip_scroll(selectable_tile_count());
  scroll_strip(strip);
  current_chunk = static_cast<int16_t>(std::clamp(strip_item(strip), 0, std::max(strip.last_item, 0)));

  tile_selector_keys();

  BITMAP* bb = back_buffer.get();
  if (!bb) return;
  fill_rect32(bb, MARGIN, MARGIN, screen_width, screen_height, 0xFF000000u);
  draw_strip(bb);
  draw_texts(bb);
  draw_selector_cursor(bb);
  show_editor_frame(display);
  if (in.key_down(KEY_F1)) run_help_overlay(TILE_SELECTOR_HELP);
}
