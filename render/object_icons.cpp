// Icons of the layout objects other than chunk placements, by object kind.
#include <algorithm>

#include "gamedata/level_bitmaps.h"
#include "gamedata/level_model.h"
#include "render/layer_bands.h"
#include "render/object_icons.h"
#include "render/panel_writers.h"
#include "ui/screen_state.h"

namespace {

constexpr int MAX_SCALED = 512;

BITMAP* icon(const BitmapPtr* set, size_t count, int i) {
  return i >= 0 && static_cast<size_t>(i) < count ? set[i].get() : nullptr;
}

BITMAP* pickup_icon(int type) { return icon(pickup_icons.data(), pickup_icons.size(), type); }

// The two bytes of an object code written as hex over the icon's block: the high byte,
// and 8 pixels lower the low byte, last digits 8 pixels right of the icon position.
void draw_code_as_hex(BITMAP* layer, uint16_t code, int x, int y) {
  const int sx = x - MARGIN + 8, sy = y - MARGIN;
  hex_plain_at(layer, 0, sx, sy, code >> 8);
  hex_plain_at(layer, 0, sx, sy + 8, code & 0xFF);
}

const BlockType* block_type_entry(int index) {
  if (index < 0 || index >= block_type_count || static_cast<size_t>(index) >= block_types.size()) return nullptr;
  return &block_types[static_cast<size_t>(index)];
}

// Pickups shown above or below a block object by its effect, on ticks where bit 1 is clear.
void draw_effect_extras(BITMAP* layer, const BlockType& entry, int x, int y, int s) {
  if (timer_ticks & 2) return;
  const int effect = entry.param >> 8, attribute = entry.param & 0xFF;
  if (effect == 0xFD) draw_scaled_masked(pickup_icon(8), layer, x, y + s, s, s);
  if (effect == 0xFE) draw_scaled_masked(pickup_icon(29), layer, x, y + s, s, s);
  if (effect == 0x08) draw_scaled_masked(pickup_icon(attribute), layer, x, y - s, s, s);
}

// The icon of a block-type entry by its kind; a reference (kind 4 or 5) blinks and shows
// the entry it names, unless that is a reference too.
void draw_block_type(BITMAP* layer, const BlockType& entry, int x, int y, int s, bool follow_reference) {
  BITMAP* picture = nullptr;
  int size = s;
  switch (entry.kind) {
    case 0: picture = block_type_icons[2].get(); break;
    case 1: picture = block_type_icons[3].get(); break;
    case 2: picture = block_type_icons[0].get(); break;
    case 3: picture = block_type_icons[1].get(); break;
    case 4:
    case 5: {
      if (!follow_reference || (timer_ticks & 2)) return;
      const BlockType* target = block_type_entry(entry.param & 0xFF);
      if (target) draw_block_type(layer, *target, x, y, s, false);
      return;
    }
    case 6: picture = block_type_icons[4].get(); break;
    case 7: picture = block_type_icons[5].get(); break;
    case 8: picture = block_type_icons[6].get(); break;
    case 9: picture = block_type_icons[7].get(); break;
    case 10:
      picture = block_type_large_icons[0].get();
      size = 2 * s;
      break;
    case 11:
      picture = block_type_large_icons[1].get();
      size = 2 * s;
      break;
    case 12: picture = block_type_icons[8].get(); break;
    case 13: picture = block_type_icons[(timer_ticks >> 3) & 3].get(); break;
    case 14: picture = block_bitmaps[6].get(); break;
    case 15: picture = block_bitmaps[7].get(); break;
    case 16: picture = block_bitmaps[22].get(); break;
    default: return;
  }
  draw_scaled_masked(picture, layer, x, y, size, size);
  draw_effect_extras(layer, entry, x, y, s);
}

// The fixed post: block 15 on top, six of block 16 below it and a seven-block base.
void draw_post(BITMAP* layer, int x, int y, int s) {
  draw_scaled_masked(block_bitmaps[15].get(), layer, x, y, s, s);
  for (int i = 1; i <= 6; ++i) draw_scaled_masked(block_bitmaps[16].get(), layer, x, y + 16 * i, s, s);
  const int base = y + 112;
  draw_scaled_masked(block_bitmaps[17].get(), layer, x - 48, base, s, s);
  for (int dx = -32; dx <= 32; dx += 16) draw_scaled_masked(block_bitmaps[18].get(), layer, x + dx, base, s, s);
  draw_scaled_masked(block_bitmaps[19].get(), layer, x + 48, base, s, s);
}

// The animated large object: frames 0, 1, 2, 1, each for 12 ticks.
void draw_large_object(BITMAP* layer, int x, int y, int s) {
  int frame = (timer_ticks / 12) & 3;
  if (frame == 3) frame = 1;
  const int w = 32 * s / 16, h = 40 * s / 16;
  draw_scaled_masked(large_object_frames[static_cast<size_t>(frame)].get(), layer, x - 12 * s / 16, y - 24 * s / 16, w,
                     h);
}

}  // namespace

void draw_scaled_masked(BITMAP* source, BITMAP* target, int x, int y, int w, int h) {
  if (!source || !target || w < 1 || h < 1 || w > MAX_SCALED || source->w < 1 || source->h < 1) return;
  if (x < 0 || y < 0 || x > target->w - w || y > target->h - h) return;
  mark_drawn(target, x, y, w, h);
  int columns[MAX_SCALED];
  const float qx = static_cast<float>(source->w) / static_cast<float>(w);
  const float qy = static_cast<float>(source->h) / static_cast<float>(h);
  for (int c = 0; c < w; ++c) columns[c] = std::min(source->w - 1, static_cast<int>(static_cast<float>(c) * qx));
  for (int r = 0; r < h; ++r) {
    const int sy = std::min(source->h - 1, static_cast<int>(static_cast<float>(r) * qy));
    const uint32_t* in = reinterpret_cast<const uint32_t*>(source->line[sy]);
    uint32_t* out = reinterpret_cast<uint32_t*>(target->line[y + r]) + x;
    for (int c = 0; c < w; ++c) {
      const uint32_t p = in[columns[c]];
      if ((p & 0xFFFFFF) != MASK_COLOUR) out[c] = p;
    }
  }
}

void draw_object_icon(const LevelView& view, BITMAP* layer, const LayoutObject& object, int x, int y) {
  if (!layer) return;
  const int s = view.block_size();
  const uint16_t code = object.code;
  const int low = code & 0xFF;
  if (code < OBJECT_CHUNK_LIMIT) return;
  if ((code & 0xFF00) == OBJECT_PICKUP) {
    // Pickup numbers past the 58 types have no icon: their code is shown instead.
    if (low < PICKUP_TYPE_COUNT)
      draw_scaled_masked(pickup_icon(low), layer, x, y, s, s);
    else
      draw_code_as_hex(layer, code, x, y);
  } else if ((code & 0xFF00) == OBJECT_BLOCK) {
    const BlockType* entry = block_type_entry(low);
    if (entry)
      draw_block_type(layer, *entry, x, y, s, true);
    else
      draw_code_as_hex(layer, code, x, y);
  } else if (code == OBJECT_POST) {
    draw_post(layer, x, y, s);
  } else if ((code & 0xFF00) == OBJECT_LARGE) {
    draw_large_object(layer, x, y, s);
  } else {
    draw_code_as_hex(layer, code, x, y);
  }
}

void draw_selection_frame(BITMAP* target, int x, int y, int w, int h) {
  if (!target || !frame_top_left || w < 4 || h < 4) return;
  mark_drawn(target, x, y, w, h);
  masked_blit(frame_top_left.get(), target, 0, 0, x, y, 2, 2);
  masked_blit(frame_top_right.get(), target, 0, 0, x + w - 2, y, 2, 2);
  masked_blit(frame_bottom_left.get(), target, 0, 0, x, y + h - 2, 2, 2);
  masked_blit(frame_bottom_right.get(), target, 0, 0, x + w - 2, y + h - 2, 2, 2);
  if (w > 4) {
    masked_stretch_blit(frame_top.get(), target, 0, 0, 1, 2, x + 2, y, w - 4, 2);
    masked_stretch_blit(frame_bottom.get(), target, 0, 0, 1, 2, x + 2, y + h - 2, w - 4, 2);
  }
  if (h > 4) {
    masked_stretch_blit(frame_left.get(), target, 0, 0, 2, 1, x, y + 2, 2, h - 4);
    masked_stretch_blit(frame_right.get(), target, 0, 0, 2, 1, x + w - 2, y + 2, 2, h - 4);
  }
}
