// The block selector: a bar of all 512 blocks slid over the frozen editing view, which
// sets the block number and the attribute bits of one chunk cell.
#pragma once
#include <allegro.h>

#include <cstdint>

#include "files/level_records.h"
#include "gamedata/bitmap.h"

// What the selector shows besides the bar: the edited chunk at cell size `cell_size`
// scrolled up by `view_y` pixels (the chunk layer itself is left as the editor drew it)
// and the editor's overlay as it was when the selector opened: a copy, or the overlay layer
// (layer_4) itself, which the selector then only draws its previews into.
// `frozen`, when given, is compose_selector_view of the view, made when the selector opened:
// the frames copy it instead of composing the chunk layer and the overlay each time.
struct BlockSelectorView {
  int cell_size = 16;
  int view_y = 0;
  const Chunk* chunk = nullptr;
  BITMAP* overlay = nullptr;
  BITMAP* frozen = nullptr;
};

// The chunk layer (layer_2) over opaque black with the view's overlay over it, in a bitmap
// the size of back_buffer; null without an overlay.
BitmapPtr compose_selector_view(const BlockSelectorView& view);

// Attribute keys of the bar: 1 toggles bits 9-11, 2 bit 12, 3 bit 14, 4 bit 15.
constexpr uint16_t CELL_NOC_BITS = 0x0E00, CELL_FLI_BIT = 0x1000, CELL_COL_BIT = 0x4000, CELL_PRI_BIT = 0x8000;

// One frame at the edited cell's screen position (x, y); rewrites `cell` in place with
// selected_block and the toggled attribute bits, and shows the frame.
void block_selector(int16_t x, int16_t y, uint16_t& cell, const BlockSelectorView& view);
