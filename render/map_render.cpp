#include "render/map_render.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

#include "gamedata/bitmap.h"
#include "gamedata/level_bitmap_set.h"
#include "gamedata/level_data.h"
#include "ui/font.h"
#include "ui/frame.h"
#include "ui/input.h"

namespace {

// Source index of target pixel i at size s: trunc(i * (16 / s)) in single precision.
// repeat[s] is k when that index is i / k at every i (each source pixel k times), else 0.
struct ScaleTables {
  std::array<std::array<uint8_t, 64>, 65> index{};
  std::array<int, 65> repeat{};
  ScaleTables() {
    for (int s = 1; s <= 64; ++s) {
      const float q = 16.0f / static_cast<float>(s);
      for (int i = 0; i < s; ++i) index[s][i] = static_cast<uint8_t>(std::min(15, static_cast<int>(i * q)));
      if (s % 16 != 0) continue;
      const int k = s / 16;
      bool whole = true;
      for (int i = 0; i < s; ++i) whole = whole && index[s][i] == i / k;
      repeat[s] = whole ? k : 0;
    }
  }
};
const ScaleTables scale_tables;

uint32_t blend(uint32_t src, uint32_t dst, int opacity) {
  if ((src & 0xFFFFFF) == MASK_COLOUR) return dst;
  uint32_t out = 0xFF000000u;
  for (int shift = 0; shift <= 16; shift += 8) {
    const int s = (src >> shift) & 0xFF, d = (dst >> shift) & 0xFF;
    out |= static_cast<uint32_t>((s * opacity + d * (255 - opacity)) / 255) << shift;
  }
  return out;
}

}  // namespace

namespace {

// The 16 pixels of in, each K times.
template <int K>
void repeat_pixels(const uint32_t* in, uint32_t* out) {
  for (int i = 0; i < 16; ++i)
    for (int j = 0; j < K; ++j) out[i * K + j] = in[i];
}

// One row of a block scaled to size pixels (mirrored: read right to left); with backdrop
// the mask colour becomes opaque black.
void scale_row(const uint32_t* in, uint32_t* out, int size, bool mirror, bool backdrop) {
  switch (mirror ? 0 : scale_tables.repeat[size]) {
    case 1: std::memcpy(out, in, 16 * sizeof(uint32_t)); break;
    case 2: repeat_pixels<2>(in, out); break;
    case 3: repeat_pixels<3>(in, out); break;
    case 4: repeat_pixels<4>(in, out); break;
    default: {
      const uint8_t* idx = scale_tables.index[size].data();
      for (int c = 0; c < size; ++c) out[c] = in[mirror ? 15 - idx[c] : idx[c]];
    }
  }
  if (backdrop)
    for (int c = 0; c < size; ++c) out[c] = out[c] == MASK_COLOUR ? 0xFF000000u : out[c];
}

// draw_block; with backdrop, the mask colour lands as opaque black (the copy into the
// backdrop of what a masked blit of the block's layer onto black would leave).
// Returns whether it drew.
bool draw_block_into(BITMAP* source, BITMAP* target, int sx, int sy, int x, int y, int flip, int size, int opacity,
                     bool backdrop) {
  if (!source || !target || size < 1 || size > 64) return false;
  if (x < 0 || y < 0 || x > target->w - size || y > target->h - size) return false;
  if (sx < 0 || sy < 0 || sx > source->w - 16 || sy > source->h - 16) return false;
  const bool mirror = (flip & FLIP_MIRROR) != 0, vflip = (flip & FLIP_VERTICAL) != 0;
  const uint8_t* idx = scale_tables.index[size].data();
  for (int r = 0; r < size; ++r) {
    const int src_row = vflip ? 15 - idx[r] : idx[r];
    const uint32_t* in = reinterpret_cast<const uint32_t*>(source->line[sy + src_row]) + sx;
    uint32_t* out = reinterpret_cast<uint32_t*>(target->line[y + r]) + x;
    if (opacity < 255) {
      for (int c = 0; c < size; ++c) out[c] = blend(in[mirror ? 15 - idx[c] : idx[c]], out[c], opacity);
    } else if (r > 0 && idx[r] == idx[r - 1]) {
      // Enlarged blocks repeat source rows: the row above is copied whole.
      std::memcpy(out, reinterpret_cast<uint32_t*>(target->line[y + r - 1]) + x, static_cast<size_t>(size) * sizeof(uint32_t));
    } else {
      scale_row(in, out, size, mirror, backdrop);
    }
  }
  return true;
}

// A rectangle of the backdrop wholly drawn by blocks (bitmap coordinates, ends excluded).
struct CoveredRun {
  int32_t top, bottom, left, right;
};

// While back-plane chunks are drawn straight into the backdrop (see
// draw_background_into_backdrop): the runs of blocks they drew, row by row of blocks.
std::vector<CoveredRun>* backdrop_cover = nullptr;

void cover_block(int32_t x, int32_t y, int32_t size) {
  std::vector<CoveredRun>& runs = *backdrop_cover;
  if (!runs.empty() && runs.back().top == y && runs.back().right == x)
    runs.back().right = x + size;
  else
    runs.push_back({y, y + size, x, x + size});
}

// Clears to opaque black the visible area of bb outside the covered runs, strip by strip of
// rows over which the same runs lie.
void clear_uncovered(BITMAP* bb, std::vector<CoveredRun>& runs, int width, int height) {
  const int32_t left = MARGIN, right = std::min<int32_t>(MARGIN + width, bb->w);
  const int32_t bottom = std::min<int32_t>(MARGIN + height, bb->h);
  std::sort(runs.begin(), runs.end(), [](const CoveredRun& a, const CoveredRun& b) { return a.top < b.top; });
  std::vector<CoveredRun> active;
  size_t next = 0;
  for (int32_t y = MARGIN, end; y < bottom; y = end) {
    while (next < runs.size() && runs[next].top <= y) active.push_back(runs[next++]);
    active.erase(std::remove_if(active.begin(), active.end(), [y](const CoveredRun& r) { return r.bottom <= y; }),
                 active.end());
    end = next < runs.size() ? std::min(bottom, runs[next].top) : bottom;
    for (const CoveredRun& r : active) end = std::min(end, r.bottom);
    std::sort(active.begin(), active.end(), [](const CoveredRun& a, const CoveredRun& b) { return a.left < b.left; });
    int32_t x = left;
    for (const CoveredRun& r : active) {
      if (r.left > x) fill_rect32(bb, x, y, std::min(r.left, right) - x, end - y, 0xFF000000u);
      x = std::max(x, r.right);
    }
    if (x < right) fill_rect32(bb, x, y, right - x, end - y, 0xFF000000u);
  }
}

}  // namespace

void draw_block(BITMAP* source, BITMAP* target, int sx, int sy, int x, int y, int flip, int size, int opacity) {
  draw_block_into(source, target, sx, sy, x, y, flip, size, opacity, false);
}

void draw_chunk_at(const Display& display, const LevelModel& level, const LevelBitmaps& bitmaps, BITMAP* target,
                   int chunk, int x, int y, bool flipped, int32_t view_x, int32_t view_y, int size, uint8_t layers) {
  const int s = size;
  if (!target || s <= 0 || !frame_skip_open(display) || !(layers & 3)) return;
  if (chunk < 0 || chunk >= level.chunkmap.count()) return;
  const Chunk& c = level.chunkmap.chunks[chunk];
  if (c.width < 1 || c.height < 1) return;
  const int32_t left = static_cast<int32_t>(x) - view_x, top = static_cast<int32_t>(y) - view_y;
  // Positions stay in 32 bits: a chunk wholly off the bitmap draws nothing.
  if (left >= target->w || top >= target->h || left + s * c.width <= 0 || top + s * c.height <= 0) return;
  for (int r = 0; r < c.height; ++r) {
    const int32_t ty = top + s * (flipped ? c.height - 1 - r : r);
    if (ty < 0 || ty > target->h - s) continue;
    for (int col = 0; col < c.width; ++col) {
      const uint16_t cell = c.cell(col, r);
      const int block = cell & CELL_BLOCK_MASK;
      if (block == 0 || !(layers & ((cell & CELL_PRIORITY) ? 2 : 1))) continue;
      const int32_t tx = left + s * col;
      if (tx < 0 || tx > target->w - s) continue;
      const bool vflip = ((cell & CELL_VFLIP) != 0) != flipped;
      const bool drawn = draw_block_into(bitmaps.block_bitmaps[block].get(), target, 0, 0, tx, ty,
                                         vflip ? FLIP_VERTICAL : FLIP_NONE, s, 255, backdrop_cover != nullptr);
      if (drawn && backdrop_cover) cover_block(tx, ty, s);
    }
  }
}

void draw_chunk(const Display& display, const LevelView& view, BITMAP* target, int chunk, int x, int y, bool flipped) {
  if (!view.level || !view.bitmaps) return;
  draw_chunk_at(display, *view.level, *view.bitmaps, target, chunk, x, y, flipped, view.camera_x >> 3,
                view.camera_y >> 3, view.block_size(), view.layers);
}

void draw_back_chunk(const Display& display, const LevelView& view, BITMAP* target, int chunk, int x, int y,
                     bool flipped) {
  if (!view.level || !view.bitmaps) return;
  if (view.level->map_header.map_front == 0) {
    draw_chunk(display, view, target, chunk, x, y, flipped);
    return;
  }
  draw_chunk_at(display, *view.level, *view.bitmaps, target, chunk, x, y, flipped,
                (view.camera_x >> 8) + (view.camera_x >> 7), (view.camera_y >> 8) + (view.camera_y >> 7),
                view.block_size(), view.layers);
}

int32_t placement_x(const LevelView& view, const LayoutObject& o) {
  const bool world_map = view.level && view.level->map_header.map_front != 0;
  return view.zoomed(o.x) + 64 - (world_map ? view.block_size() : 0);
}

int32_t placement_y(const LevelView& view, int row) { return view.zoomed(16 * row) - view.block_size() + 64; }

void draw_background_pass(const Display& display, const LevelView& view, BITMAP* layer) {
  if (!view.level || view.level->back_layout.height < 16) return;
  const LayoutPlane& back = view.level->back_layout;
  for (size_t r = 0; r < back.rows.size(); ++r)
    for (const LayoutObject& o : back.rows[r].objects)
      if (o.code < OBJECT_CHUNK_LIMIT)
        draw_back_chunk(display, view, layer, o.code & PLACEMENT_CHUNK_MASK, view.zoomed(o.x) + 64,
                        placement_y(view, static_cast<int>(r)), (o.code & PLACEMENT_VFLIP) != 0);
}

void draw_background_into_backdrop(const Display& display, const LevelView& view, const ScreenLayers& screen) {
  BITMAP* bb = screen.back_buffer;
  if (!bb) return;
  // Blocks draw every pixel of their square (the mask colour as black): only the rest of
  // the visible area is cleared, afterwards.
  std::vector<CoveredRun> runs;
  backdrop_cover = &runs;
  draw_background_pass(display, view, bb);
  backdrop_cover = nullptr;
  clear_uncovered(bb, runs, screen.width, screen.height);
}

void draw_plane_chunks(const Display& display, const LevelView& view, BITMAP* layer, const LayoutPlane& plane) {
  for (size_t r = 0; r < plane.rows.size(); ++r)
    for (const LayoutObject& o : plane.rows[r].objects)
      if (o.code < OBJECT_CHUNK_LIMIT)
        draw_chunk(display, view, layer, o.code & PLACEMENT_CHUNK_MASK, placement_x(view, o),
                   placement_y(view, static_cast<int>(r)), (o.code & PLACEMENT_VFLIP) != 0);
}

void clear_layers(const ScreenLayers& screen) {
  if (!screen.back_buffer) return;
  fill_rect32(screen.back_buffer, MARGIN, MARGIN, screen.width, screen.height, 0xFF000000u);
  for (BITMAP* b : screen.layers)
    if (b) fill_rect32(b, MARGIN, MARGIN, screen.width, screen.height, MASK_COLOUR);
}

void compose_layers(const Display& display) {
  const ScreenLayers screen = display.layers();
  if (display.settings.vsync_enabled) input().vsync();
  if (!frame_skip_open(display) || !screen.back_buffer) return;
  BITMAP* out = screen.back_buffer;
  const std::array<BITMAP*, 4>& layers = screen.layers;
  const int width = screen.width, height = screen.height;
  for (BITMAP* b : layers)
    if (!b || b->w != out->w || b->h != out->h) {
      for (BITMAP* l : layers)
        if (l) masked_blit(l, out, MARGIN, MARGIN, MARGIN, MARGIN, width, height);
      input().present(out, MARGIN, MARGIN, 0, 0, width, height);
      return;
    }
  // One pass with the result of the four masked blits in order: the topmost layer whose
  // pixel is not the mask colour wins, else the backdrop stays.
  for (int y = MARGIN; y < MARGIN + height && y < out->h; ++y) {
    uint32_t* dst = reinterpret_cast<uint32_t*>(out->line[y]);
    const uint32_t* l1 = reinterpret_cast<const uint32_t*>(layers[0]->line[y]);
    const uint32_t* l2 = reinterpret_cast<const uint32_t*>(layers[1]->line[y]);
    const uint32_t* l3 = reinterpret_cast<const uint32_t*>(layers[2]->line[y]);
    const uint32_t* l4 = reinterpret_cast<const uint32_t*>(layers[3]->line[y]);
    const int end = std::min<int>(MARGIN + width, out->w);
    for (int x = MARGIN; x < end; ++x) {
      uint32_t c = dst[x];
      c = l1[x] != MASK_COLOUR ? l1[x] : c;
      c = l2[x] != MASK_COLOUR ? l2[x] : c;
      c = l3[x] != MASK_COLOUR ? l3[x] : c;
      c = l4[x] != MASK_COLOUR ? l4[x] : c;
      dst[x] = c;
    }
  }
  input().present(out, MARGIN, MARGIN, 0, 0, width, height);
}
