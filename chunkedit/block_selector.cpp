#include "chunkedit/block_selector.h"

#include <algorithm>

#include "chunkedit/chunk_editor_drawing.h"
#include "chunkedit/chunk_editor_help.h"
#include "chunkedit/chunk_editor_state.h"
#include "chunkedit/selector_scroll.h"
#include "gamedata/level_state.h"
#include "render/view_state.h"
#include "render/map_render.h"
#include "ui/font.h"
#include "ui/frame.h"
#include "ui/input.h"
#include "ui/menu.h"
#include "ui/screen_state.h"
#include "ui/settings.h"

namespace {

constexpr int BLOCK_PITCH = 40;
constexpr int BAR_SLIDE_STEP = 8;
constexpr int BLOCK_COUNT = 512;

void slide_bar() {
  if (input().key_down(KEY_SPACE) && (selection_bar_y == 0 || selection_bar_y == SELECTION_BAR_HEIGHT))
    selection_bar_shown = !selection_bar_shown;
  const int target = selection_bar_shown ? SELECTION_BAR_HEIGHT : 0;
  if (selection_bar_y < target) selection_bar_y = static_cast<int16_t>(std::min(selection_bar_y + BAR_SLIDE_STEP, target));
  if (selection_bar_y > target) selection_bar_y = static_cast<int16_t>(std::max(selection_bar_y - BAR_SLIDE_STEP, target));
}

uint16_t attribute_toggles() {
  InputSource& in = input();
  uint16_t toggles = 0;
  const struct {
    int key;
    uint16_t bits;
  } keys[] = {{KEY_1, CELL_NOC_BITS}, {KEY_2, CELL_FLI_BIT}, {KEY_3, CELL_COL_BIT}, {KEY_4, CELL_PRI_BIT}};
  for (const auto& k : keys) {
    if (!in.key_down(k.key)) continue;
    wait_key_released(k.key);
    toggles ^= k.bits;
  }
  return toggles;
}

// The edited cell and the marked cells inside the used area show the selected block.
void draw_previews(BITMAP* layer, int16_t x, int16_t y, uint16_t cell, const BlockSelectorView& view) {
  BITMAP* block = block_bitmaps[selected_block & CELL_BLOCK_MASK].get();
  const int s = view.cell_size;
  const int flip = (cell & CELL_VFLIP) ? FLIP_VERTICAL : FLIP_NONE;
  auto preview = [&](int px, int py) {
    if (px < -MARGIN || py < -MARGIN) return;
    fill_rect32(layer, px + MARGIN, py + MARGIN, s, s, 0xFF000000u);
    draw_block_masked(block, layer, px, py, flip, s);
  };
  if (view.chunk) {
    const int w = std::clamp<int>(view.chunk->width, 0, 16), h = std::clamp<int>(view.chunk->height, 0, 16);
    for (int r = 0; r < h; ++r)
      for (int c = 0; c < w; ++c)
        if (cell_marks[16 * r + c]) preview(c * s, r * s - view.view_y);
  }
  preview(x, y);
}

// Each colour channel of the strip's rows halved.
void darken_rows(BITMAP* b, int first_row, int rows) {
  for (int y = first_row; y < first_row + rows; ++y) {
    if (y < 0 || y >= screen_height) continue;
    uint32_t* row = reinterpret_cast<uint32_t*>(b->line[y + MARGIN]) + MARGIN;
    for (int x = 0; x < screen_width; ++x) row[x] = (row[x] & 0xFF000000u) | ((row[x] >> 1) & 0x7F7F7Fu);
  }
}

// The visible area of back_buffer: the overlay over the chunk layer over black, as masked
// blits of the two onto black would leave it, in one pass.
void compose_frozen_view(BITMAP* bb, BITMAP* chunk_layer, BITMAP* overlay) {
  const bool both = chunk_layer && chunk_layer->w == bb->w && chunk_layer->h == bb->h && overlay->w == bb->w &&
                    overlay->h == bb->h;
  if (!both) {
    fill_rect32(bb, MARGIN, MARGIN, screen_width, screen_height, 0xFF000000u);
    for (BITMAP* layer : {chunk_layer, overlay})
      if (layer) masked_blit(layer, bb, MARGIN, MARGIN, MARGIN, MARGIN, screen_width, screen_height);
    return;
  }
  const int end = std::min<int>(MARGIN + screen_width, bb->w);
  for (int y = MARGIN; y < MARGIN + screen_height && y < bb->h; ++y) {
    uint32_t* out = reinterpret_cast<uint32_t*>(bb->line[y]);
    const uint32_t* under = reinterpret_cast<const uint32_t*>(chunk_layer->line[y]);
    const uint32_t* over = reinterpret_cast<const uint32_t*>(overlay->line[y]);
    for (int x = MARGIN; x < end; ++x) {
      const uint32_t c = under[x] != MASK_COLOUR ? under[x] : 0xFF000000u;
      out[x] = over[x] != MASK_COLOUR ? over[x] : c;
    }
  }
}

void draw_bar(BITMAP* bb) {
  if (selection_bar_y <= 0) return;
  darken_rows(bb, bar_at_top ? 0 : screen_height - selection_bar_y, selection_bar_y);
  const int centre_y = bar_at_top ? selection_bar_y - 24 : screen_height - (selection_bar_y - 24);
  const int view = camera_x >> 3, centre = screen_width / 2 - 12;
  const int first = std::max(0, (view - centre - 32) / BLOCK_PITCH);
  const int last = std::min(BLOCK_COUNT - 1, (view + screen_width - centre + 32) / BLOCK_PITCH);
  for (int i = first; i <= last; ++i) {
    const int size = i == selected_block ? 32 : 16;
    const int x = centre + BLOCK_PITCH * i - view - size / 2, y = centre_y - size / 2;
    if (x + size <= 0 || x >= screen_width || y < -MARGIN) continue;
    draw_block_masked(block_bitmaps[i].get(), bb, x, y, FLIP_NONE, size);
  }
}

void draw_texts(BITMAP* bb, uint16_t cell) {
  if (!frame_skip_open(display)) return;
  text_out(display, bb, 1, 16, 8, "BLOCK:");
  number_out(display, bb, 48, 20, 4, selected_block);
  const char* keys[] = {"1", "2", "3", "4"};
  for (int k = 0; k < 4; ++k) text_out(display, bb, 1, static_cast<int16_t>(104 + 32 * k), 8, keys[k]);
  text_out(display, bb, static_cast<uint8_t>((cell >> 9) & 7), 96, 20, "NOC");
  text_out(display, bb, static_cast<uint8_t>((cell >> 12) & 1), 128, 20, "FLI");
  text_out(display, bb, static_cast<uint8_t>((cell >> 14) & 1), 160, 20, "COL");
  text_out(display, bb, static_cast<uint8_t>((cell >> 15) & 1), 192, 20, "PRI");
  if (tips_enabled) {
    text_out(display, bb, 0, static_cast<int16_t>(screen_width - 160), 8, "press F1 for help.");
    text_out(display, bb, 0, static_cast<int16_t>(screen_width / 2 - 216), static_cast<int16_t>(screen_height - 10),
             "PRESS THE space bar TO SHOW OR HIDE THE SELECTION BAR.");
  }
}

}  // namespace

BitmapPtr compose_selector_view(const BlockSelectorView& view) {
  BITMAP* bb = back_buffer.get();
  if (!bb || !view.overlay) return nullptr;
  BitmapPtr frozen = make_bitmap(bb->w, bb->h);
  if (frozen) compose_frozen_view(frozen.get(), layer_2.get(), view.overlay);
  return frozen;
}

void block_selector(int16_t x, int16_t y, uint16_t& cell, const BlockSelectorView& view) {
  InputSource& in = input();
  in.poll();
  read_click(display);
  BITMAP* bb = back_buffer.get();
  BITMAP* overlay_layer = layer_4.get();
  if (!bb || !overlay_layer) return;

  const StripScroll bar = block_bar_scroll();
  scroll_strip(bar);
  slide_bar();
  selected_block = static_cast<int16_t>(std::clamp(strip_item(bar), 0, BLOCK_COUNT - 1));
  const uint16_t attributes = static_cast<uint16_t>((cell & 0xFE00) ^ attribute_toggles());
  cell = static_cast<uint16_t>(attributes | selected_block);

  // The frozen view: the chunk layer as the editor left it, its overlay, the previews.
  // Only the visible area is ever shown, so only that is copied. The editor passes the
  // overlay layer itself: the preview squares are the same on every frame, so each frame's
  // previews cover the last one's and the overlay needs no copy.
  if (!view.overlay)
    fill_rect32(overlay_layer, MARGIN, MARGIN, screen_width, screen_height, MASK_COLOUR);
  else if (view.overlay != overlay_layer)
    blit(view.overlay, overlay_layer, MARGIN, MARGIN, MARGIN, MARGIN, screen_width, screen_height);
  // The overlay layer keeps the previews for the editor's frame after the selector closes.
  draw_previews(overlay_layer, x, y, cell, view);
  if (view.frozen) {
    // The previews are opaque squares on top: drawn over the composed view they leave what
    // composing the overlay with them would.
    blit(view.frozen, bb, MARGIN, MARGIN, MARGIN, MARGIN, screen_width, screen_height);
    draw_previews(bb, x, y, cell, view);
  } else {
    compose_frozen_view(bb, layer_2.get(), overlay_layer);
  }

  draw_bar(bb);
  draw_texts(bb, cell);
  draw_selector_cursor(bb);
  show_editor_frame(display);
  if (in.key_down(KEY_F1)) run_help_overlay(BLOCK_SELECTOR_HELP);
}
