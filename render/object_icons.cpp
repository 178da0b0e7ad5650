// Icons of the layout objects other than chunk placements, by object kind.
#include <algorithm>

#include "gamedata/bitmap.h"
#include "gamedata/level_bitmap_set.h"
#include "gamedata/level_data.h"
#include "render/layer_bands.h"
#include "render/object_icons.h"
#include "render/panel_writers.h"
#include "ui/screen_layers.h"

namespace {

constexpr int MAX_SCALED = 512;

// What an icon is drawn from: the level's records and pictures, and the animation clock.
struct Icons {
  const LevelModel& level;
  const LevelBitmaps& pictures;
  int32_t ticks;

  BITMAP* pickup_icon(int type) const {
    return type >= 0 && static_cast<size_t>(type) < pictures.pickup_icons.size() ? pictures.pickup_icons[type].get()
                                                                                  : nullptr;
  }
  BITMAP* block(int i) const { return pictures.block_bitmaps[static_cast<size_t>(i)].get(); }
  BITMAP* block_type_icon(int i) const { return pictures.block_type_icons[static_cast<size_t>(i)].get(); }
};

// The two bytes of an object code written as hex over the icon's block: the high byte,
// and 8 pixels lower the low byte, last digits 8 pixels right of the icon position.
void draw_code_as_hex(const Display& display, BITMAP* layer, uint16_t code, int x, int y) {
  const int sx = x - MARGIN + 8, sy = y - MARGIN;
  hex_plain_at(display, layer, 0, sx, sy, code >> 8);
  hex_plain_at(display, layer, 0, sx, sy + 8, code & 0xFF);
}

const BlockType* block_type_entry(const LevelModel& level, int index) {
  if (index < 0 || index >= level.block_type_count || static_cast<size_t>(index) >= level.block_types.size())
    return nullptr;
  return &level.block_types[static_cast<size_t>(index)];
}

// Pickups shown above or below a block object by its effect, on ticks where bit 1 is clear.
void draw_effect_extras(const Icons& icons, BITMAP* layer, const BlockType& entry, int x, int y, int s) {
  if (icons.ticks & 2) return;
  const int effect = entry.param >> 8, attribute = entry.param & 0xFF;
  if (effect == 0xFD) draw_scaled_masked(icons.pickup_icon(8), layer, x, y + s, s, s);
  if (effect == 0xFE) draw_scaled_masked(icons.pickup_icon(29), layer, x, y + s, s, s);
  if (effect == 0x08) draw_scaled_masked(icons.pickup_icon(attribute), layer, x, y - s, s, s);
}

// The icon of a block-type entry by its kind; a reference (kind 4 or 5) blinks and shows
// the entry it names, unless that is a reference too.
void draw_block_type(const Icons& icons, BITMAP* layer, const BlockType& entry, int x, int y, int s,
                     bool follow_reference) {
  BITMAP* picture = nullptr;
  int size = s;
  switch (entry.kind) {
    case 0: picture = icons.block_type_icon(2); break;
    case 1: picture = icons.block_type_icon(3); break;
    case 2: picture = icons.block_type_icon(0); break;
    case 3: picture = icons.block_type_icon(1); break;
    case 4:
    case 5: {
      if (!follow_reference || (icons.ticks & 2)) return;
      const BlockType* target = block_type_entry(icons.level, entry.param & 0xFF);
      if (target) draw_block_type(icons, layer, *target, x, y, s, false);
      return;
    }
    case 6: picture = icons.block_type_icon(4); break;
    case 7: picture = icons.block_type_icon(5); break;
    case 8: picture = icons.block_type_icon(6); break;
    case 9: picture = icons.block_type_icon(7); break;
    case 10:
      picture = icons.pictures.block_type_large_icons[0].get();
      size = 2 * s;
      break;
    case 11:
      picture = icons.pictures.block_type_large_icons[1].get();
      size = 2 * s;
      break;
    case 12: picture = icons.block_type_icon(8); break;
    case 13: picture = icons.block_type_icon((icons.ticks >> 3) & 3); break;
    case 14: picture = icons.block(6); break;
    case 15: picture = icons.block(7); break;
    case 16: picture = icons.block(22); break;
    default: return;
  }
  draw_scaled_masked(picture, layer, x, y, size, size);
  draw_effect_extras(icons, layer, entry, x, y, s);
}

// The fixed post: block 15 on top, six of block 16 below it and a seven-block base.
void draw_post(const Icons& icons, BITMAP* layer, int x, int y, int s) {
  draw_scaled_masked(icons.block(15), layer, x, y, s, s);
  for (int i = 1; i <= 6; ++i) draw_scaled_masked(icons.block(16), layer, x, y + 16 * i, s, s);
  const int base = y + 112;
  draw_scaled_masked(icons.block(17), layer, x - 48, base, s, s);
  for (int dx = -32; dx <= 32; dx += 16) draw_scaled_masked(icons.block(18), layer, x + dx, base, s, s);
  draw_scaled_masked(icons.block(19), layer, x + 48, base, s, s);
}

// The animated large object: frames 0, 1, 2, 1, each for 12 ticks.
void draw_large_object(const Icons& icons, BITMAP* layer, int x, int y, int s) {
  int frame = (icons.ticks / 12) & 3;
  if (frame == 3) frame = 1;
  const int w = 32 * s / 16, h = 40 * s / 16;
  draw_scaled_masked(icons.pictures.large_object_frames[static_cast<size_t>(frame)].get(), layer, x - 12 * s / 16, y - 24 * s / 16, w,
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

void draw_object_icon(const Display& display, const LevelView& view, BITMAP* layer, const LayoutObject& object, int x,
                      int y) {
  if (!layer || !view.level || !view.bitmaps) return;
  const Icons icons{*view.level, *view.bitmaps, display.timer_ticks};
  const int s = view.block_size();
  const uint16_t code = object.code;
  const int low = code & 0xFF;
  if (code < OBJECT_CHUNK_LIMIT) return;
  if ((code & 0xFF00) == OBJECT_PICKUP) {
    // Pickup numbers past the 58 types have no icon: their code is shown instead.
    if (low < PICKUP_TYPE_COUNT)
      draw_scaled_masked(icons.pickup_icon(low), layer, x, y, s, s);
    else
      draw_code_as_hex(display, layer, code, x, y);
  } else if ((code & 0xFF00) == OBJECT_BLOCK) {
    const BlockType* entry = block_type_entry(icons.level, low);
    if (entry)
      draw_block_type(icons, layer, *entry, x, y, s, true);
    else
      draw_code_as_hex(display, layer, code, x, y);
  } else if (code == OBJECT_POST) {
    draw_post(icons, layer, x, y, s);
  } else if ((code & 0xFF00) == OBJECT_LARGE) {
    draw_large_object(icons, layer, x, y, s);
  } else {
    draw_code_as_hex(display, layer, code, x, y);
  }
}

void draw_selection_frame(const FramePieces& frame, BITMAP* target, int x, int y, int w, int h) {
  if (!target || !frame.top_left || w < 4 || h < 4) return;
  mark_drawn(target, x, y, w, h);
  masked_blit(frame.top_left.get(), target, 0, 0, x, y, 2, 2);
  masked_blit(frame.top_right.get(), target, 0, 0, x + w - 2, y, 2, 2);
  masked_blit(frame.bottom_left.get(), target, 0, 0, x, y + h - 2, 2, 2);
  masked_blit(frame.bottom_right.get(), target, 0, 0, x + w - 2, y + h - 2, 2, 2);
  if (w > 4) {
    masked_stretch_blit(frame.top.get(), target, 0, 0, 1, 2, x + 2, y, w - 4, 2);
    masked_stretch_blit(frame.bottom.get(), target, 0, 0, 1, 2, x + 2, y + h - 2, w - 4, 2);
  }
  if (h > 4) {
    masked_stretch_blit(frame.left.get(), target, 0, 0, 2, 1, x, y + 2, 2, h - 4);
    masked_stretch_blit(frame.right.get(), target, 0, 0, 2, 1, x + w - 2, y + 2, 2, h - 4);
  }
}
