#include "gamedata/chunk_graphics.h"

#include <algorithm>
#include <cstring>

BitmapPtr render_chunk_bitmap(const Chunk& chunk, const std::array<BitmapPtr, BLOCK_SLOTS>& blocks) {
  if (chunk.width < 1 || chunk.height < 1) return nullptr;
  BitmapPtr image = make_bitmap(16 * chunk.width, 16 * chunk.height);
  if (!image) return image;
  for (int r = 0; r < chunk.height; ++r) {
    for (int c = 0; c < chunk.width; ++c) {
      const uint16_t cell = chunk.cell(c, r);
      BITMAP* block = blocks[cell & CELL_BLOCK_MASK].get();
      const bool flip = (cell & CELL_VFLIP) != 0;
      for (int y = 0; y < 16; ++y) {
        uint32_t* out = reinterpret_cast<uint32_t*>(image->line[16 * r + y]) + 16 * c;
        if (block)
          std::memcpy(out, block->line[flip ? 15 - y : y], 16 * sizeof(uint32_t));
        else
          std::fill(out, out + 16, MASK_COLOUR);
      }
    }
  }
  return image;
}

void render_all_chunks(const ChunkMap& map, LevelBitmaps& bitmaps) {
  for (int i = 0; i < CHUNK_SLOTS; ++i)
    bitmaps.chunk_bitmaps[i] = i < map.count() ? render_chunk_bitmap(map.chunks[i], bitmaps.block_bitmaps) : nullptr;
}

void render_chunk(const ChunkMap& map, LevelBitmaps& bitmaps, int i) {
  if (i < 0 || i >= CHUNK_SLOTS) return;
  bitmaps.chunk_bitmaps[i] = i < map.count() ? render_chunk_bitmap(map.chunks[i], bitmaps.block_bitmaps) : nullptr;
}

namespace {
// Transparent parts of a chunk show the screens' black background in its thumbnail.
uint32_t shown(uint32_t p) { return (p & 0xFFFFFF) == MASK_COLOUR ? 0u : p; }
}  // namespace

void make_chunk_thumbnail(BITMAP* src, BITMAP* dst, int size) {
  const int w = src ? src->w : 0, h = src ? src->h : 0;
  const int m = std::max(w, h);
  const float ratio = static_cast<float>(m) / static_cast<float>(size);
  float scale = 1.0f, step = 1.0f;
  if (ratio >= 1.0f) {
    scale = 1.0f / ratio;
    step = ratio;
  }
  const int dw = static_cast<int>(w * scale), dh = static_cast<int>(h * scale);
  const int ox = static_cast<int>((size - w * scale) * 0.5f), oy = static_cast<int>((size - h * scale) * 0.5f);
  for (int y = 0; y < size && y < dst->h; ++y)
    std::fill_n(reinterpret_cast<uint32_t*>(dst->line[y]), std::min(size, dst->w), 0u);
  if (dw < 2 || dh < 2) return;
  float sy = 0.0f;
  for (int j = 0; j <= dh - 2; ++j, sy += step) {
    const int y0 = std::min(static_cast<int>(sy), h - 1), y1 = std::min(y0 + 1, h - 1);
    const float fy = sy - static_cast<float>(static_cast<int>(sy));
    const uint32_t* upper = reinterpret_cast<const uint32_t*>(src->line[y0]);
    const uint32_t* lower = reinterpret_cast<const uint32_t*>(src->line[y1]);
    const int ty = oy + j;
    if (ty < 0 || ty >= dst->h) continue;
    uint32_t* out = reinterpret_cast<uint32_t*>(dst->line[ty]);
    float sx = 0.0f;
    for (int i = 0; i <= dw - 2; ++i, sx += step) {
      const int x0 = std::min(static_cast<int>(sx), w - 1), x1 = std::min(x0 + 1, w - 1);
      const float fx = sx - static_cast<float>(static_cast<int>(sx));
      uint32_t pixel = 0xFF000000u;
      const uint32_t p00 = shown(upper[x0]), p01 = shown(upper[x1]), p10 = shown(lower[x0]), p11 = shown(lower[x1]);
      for (int shift = 0; shift <= 16; shift += 8) {
        const int a = (p00 >> shift) & 0xFF, b = (p01 >> shift) & 0xFF;
        const int c = (p10 >> shift) & 0xFF, d = (p11 >> shift) & 0xFF;
        const int top = static_cast<int>(a + (b - a) * fx);
        const int bottom = static_cast<int>(c + (d - c) * fx);
        const int value = static_cast<int>(top + (bottom - top) * fy);
        pixel |= static_cast<uint32_t>(value & 0xFF) << shift;
      }
      const int tx = ox + i;
      if (tx >= 0 && tx < dst->w) out[tx] = pixel;
    }
  }
}

void build_chunk_thumbnails(const ChunkMap& map, LevelBitmaps& bitmaps) {
  const int count = std::min<int>(map.count(), CHUNK_SLOTS);
  bitmaps.chunk_thumbnails.clear();
  bitmaps.chunk_thumbnails.resize(count);
  for (int i = 0; i < count; ++i) {
    bitmaps.chunk_thumbnails[i] = make_bitmap(THUMBNAIL_SIZE, THUMBNAIL_SIZE);
    if (bitmaps.chunk_thumbnails[i])
      make_chunk_thumbnail(bitmaps.chunk_bitmaps[i].get(), bitmaps.chunk_thumbnails[i].get(), THUMBNAIL_SIZE);
  }
  bitmaps.chunk_thumbnail_count = count;
}

