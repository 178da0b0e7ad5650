#include "chunkedit/chunk_editor_drawing.h"

#include "render/layer_bands.h"
#include "render/map_render.h"
#include "ui/font.h"
#include "ui/screen_state.h"

void draw_selection_frame(BITMAP* target, int x, int y, int size) {
  if (!target || !frame_top_left || size < 4) return;
  const int left = x + MARGIN, top = y + MARGIN, right = left + size - 2, bottom = top + size - 2;
  const int edge = size - 4;
  mark_drawn(target, left, top, size, size);
  draw_sprite(target, frame_top_left.get(), left, top);
  draw_sprite(target, frame_top_right.get(), right, top);
  draw_sprite(target, frame_bottom_left.get(), left, bottom);
  draw_sprite(target, frame_bottom_right.get(), right, bottom);
  if (edge < 1) return;
  stretch_sprite(target, frame_top.get(), left + 2, top, edge, 2);
  stretch_sprite(target, frame_bottom.get(), left + 2, bottom, edge, 2);
  stretch_sprite(target, frame_left.get(), left, top + 2, 2, edge);
  stretch_sprite(target, frame_right.get(), right, top + 2, 2, edge);
}

void draw_block_masked(BITMAP* block, BITMAP* target, int x, int y, int flip, int size) {
  if (!block || !target || size < 1 || size > 64 || block->w < 16 || block->h < 16) return;
  const int left = x + MARGIN, top = y + MARGIN;
  if (left < 0 || top < 0 || left > target->w - size || top > target->h - size) return;
  const float step = 16.0f / static_cast<float>(size);
  for (int r = 0; r < size; ++r) {
    int src_row = static_cast<int>(r * step);
    if (flip & FLIP_VERTICAL) src_row = 15 - src_row;
    const uint32_t* in = reinterpret_cast<const uint32_t*>(block->line[src_row]);
    uint32_t* out = reinterpret_cast<uint32_t*>(target->line[top + r]) + left;
    for (int c = 0; c < size; ++c) {
      int src_col = static_cast<int>(c * step);
      if (flip & FLIP_MIRROR) src_col = 15 - src_col;
      const uint32_t p = in[src_col];
      if ((p & 0xFFFFFF) != MASK_COLOUR) out[c] = p;
    }
  }
}

BitmapPtr frozen_editor_view() {
  BITMAP* bb = back_buffer.get();
  if (!bb) return nullptr;
  BitmapPtr view = make_bitmap(bb->w, bb->h);
  if (!view) return view;
  fill_rect32(view.get(), 0, 0, view->w, view->h, 0xFF000000u);
  for (BITMAP* layer : {layer_1.get(), layer_2.get(), layer_3.get(), layer_4.get()})
    if (layer) masked_blit(layer, view.get(), 0, 0, 0, 0, layer->w, layer->h);
  return view;
}
