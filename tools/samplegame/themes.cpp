// The five level themes: their blocks, chunk sets and the kit of chunks the levels use.
#include <stdexcept>

#include "tools/samplegame/sample_game.h"
#include "tools/samplegame/sprite_art.h"
#include "tools/samplegame/theme_art.h"

namespace sample {
namespace {

const char* const THEME_NAMES[] = {"MEADOW", "CASTLE", "ICE", "DESERT", "MOON"};
constexpr int LINE_FRONT = 1, LINE_BACK = 2, LINE_FLASH = 3;

uint16_t cell_of(Theme& t, const Canvas& art, int line, Solid solid, uint16_t bits, bool priority = false) {
  if (art.empty_picture()) return 0;
  int block = COMMON_BLOCKS + t.blocks.add(art, line, solid, priority);
  if (block > 511) throw std::runtime_error("theme " + t.name + " has more blocks than chunk cells can name");
  return static_cast<uint16_t>(block | bits);
}

ChunkRef add_chunk(Theme& t, const Chunk& c) { return {t.chunks.add(c), c.w, c.h}; }

// Cuts a picture (multiples of 16 pixels) into a chunk; empty blocks become cell 0.
ChunkRef picture_chunk(Theme& t, const Canvas& pic, int line, Solid solid, uint16_t bits) {
  Chunk c;
  c.w = pic.w() / 16;
  c.h = pic.h() / 16;
  for (int r = 0; r < c.h; ++r)
    for (int col = 0; col < c.w; ++col) c.cells.push_back(cell_of(t, pic.crop(16 * col, 16 * r, 16, 16), line, solid, bits));
  return add_chunk(t, c);
}

// kind 0 left end, 1 middle, 2 right end, 3 second middle, 4 body without surface.
ChunkRef ground_chunk(Theme& t, int width, int depth, int kind) {
  Chunk c;
  c.w = width;
  c.h = depth;
  for (int r = 0; r < depth; ++r)
    for (int col = 0; col < width; ++col) {
      Edge edge = kind == 0 && col == 0 ? Edge::Left : kind == 2 && col == width - 1 ? Edge::Right : Edge::None;
      const bool top = r == 0 && kind != 4;
      int variant = top ? (col + kind) % 2 : static_cast<int>(hash3(col + 4 * kind, r, 11) % 3);
      c.cells.push_back(cell_of(t, ground_tile(t.id, top, edge, variant), LINE_FRONT, Solid::Solid, CELL_SOLID_A));
    }
  return add_chunk(t, c);
}

ChunkRef common_chunk(Theme& t, int w, int h, int block, uint16_t bits = 0) {
  Chunk c;
  c.w = w;
  c.h = h;
  c.cells.assign(static_cast<size_t>(w * h), static_cast<uint16_t>(block | bits));
  return add_chunk(t, c);
}

}  // namespace

Theme build_level_theme(int id) {
  Theme t;
  t.id = id;
  t.name = THEME_NAMES[id];
  t.plain_chunk_set = id % 2 == 0;
  t.plain_block_map = id == MEADOW || id == DESERT || id == MOON;
  ThemeKit& k = t.kit;

  for (int d = 0; d < 3; ++d) {
    const int depth = ThemeKit::DEPTHS[d];
    k.ground_left[d] = ground_chunk(t, 2, depth, 0);
    k.ground_mid[d] = ground_chunk(t, 4, depth, 1);
    k.ground_right[d] = ground_chunk(t, 2, depth, 2);
    k.ground_mid_b[d] = ground_chunk(t, 4, depth, 3);
    k.ground_half[d] = ground_chunk(t, 2, depth, 1);
    Chunk w;
    w.w = 2;
    w.h = depth;
    for (int r = 0; r < w.h; ++r)
      for (int col = 0; col < 2; ++col)
        w.cells.push_back(cell_of(t, water_tile(r == 0, col), LINE_FLASH, Solid::Water, 0, r == 0));
    k.water[d] = add_chunk(t, w);
  }

  for (int h = 1; h <= 4; ++h) {
    k.step_left[h] = ground_chunk(t, 2, h, 0);
    k.step_right[h] = ground_chunk(t, 2, h, 2);
  }
  for (int h = 1; h <= 8; ++h) k.body[h] = ground_chunk(t, 2, h, 4);

  const int widths[3] = {3, 4, 6};
  for (int i = 0; i < 3; ++i) {
    Chunk p;
    p.w = widths[i];
    p.h = 1;
    for (int col = 0; col < p.w; ++col) {
      int part = col == 0 ? 0 : col == p.w - 1 ? 2 : 1;
      p.cells.push_back(cell_of(t, platform_tile(id, part), LINE_FRONT, Solid::Platform, CELL_PLATFORM_B));
    }
    k.platform[i] = add_chunk(t, p);
  }

  const uint16_t block_cell = cell_of(t, solid_block_tile(id), LINE_FRONT, Solid::Solid, CELL_SOLID_A);
  k.block = add_chunk(t, Chunk{1, 1, {block_cell}});
  Chunk stairs{4, 4, {}};
  for (int r = 0; r < 4; ++r)
    for (int col = 0; col < 4; ++col) stairs.cells.push_back(col >= 3 - r ? block_cell : 0);
  k.stairs = add_chunk(t, stairs);

  const uint16_t bridge_cell = cell_of(t, bridge_tile(id), LINE_FRONT, Solid::Platform, CELL_PLATFORM_B, true);
  k.bridge = add_chunk(t, Chunk{2, 1, {bridge_cell, bridge_cell}});
  // Hanging spikes: the upward spike drawn upside down by the cell's flip bit.
  const uint16_t spike_cell = cell_of(t, spike_tile(id), LINE_FRONT, Solid::Hazard, 0);
  k.hanging = add_chunk(t, Chunk{2, 1, {static_cast<uint16_t>(spike_cell | CELL_FLIP), static_cast<uint16_t>(spike_cell | CELL_FLIP)}});
  k.spikes = common_chunk(t, 2, 1, 8);
  k.chain = common_chunk(t, 1, 3, 10);
  k.door = common_chunk(t, 1, 1, 23);
  k.sign = common_chunk(t, 1, 1, 11);
  k.crates = common_chunk(t, 2, 2, 13, CELL_SOLID_A);

  for (const Canvas& pic : scenery_pictures(id)) k.scenery.push_back(picture_chunk(t, pic, LINE_FRONT, Solid::None, 0));
  for (int v = 0; v < 2; ++v) k.small.push_back(picture_chunk(t, small_scenery_picture(id, v), LINE_FRONT, Solid::None, 0));

  k.sky_high = picture_chunk(t, sky_picture(id, 0, 0), LINE_BACK, Solid::None, 0);
  k.sky_mid = picture_chunk(t, sky_picture(id, 1, 0), LINE_BACK, Solid::None, 0);
  k.sky_low[0] = picture_chunk(t, sky_picture(id, 2, 0), LINE_BACK, Solid::None, 0);
  k.sky_low[1] = picture_chunk(t, sky_picture(id, 2, 1), LINE_BACK, Solid::None, 0);
  k.cloud[0] = picture_chunk(t, sky_feature_picture(id, 0), LINE_BACK, Solid::None, 0);
  k.cloud[1] = picture_chunk(t, sky_feature_picture(id, 1), LINE_BACK, Solid::None, 0);
  k.sun = picture_chunk(t, sky_feature_picture(id, 2), LINE_BACK, Solid::None, 0);
  return t;
}

std::vector<uint8_t> Theme::solidity(const BlockSet& common) const {
  // Per block: the collision kind, then for seven columns (x = 1, 3, ..., 13) the first row
  // from the top that is drawn (16 when the column is empty).
  std::vector<uint8_t> out;
  for (int b = 0; b < COMMON_BLOCKS + LEVEL_BLOCK_COUNT; ++b) {
    const BlockSet& set = b < COMMON_BLOCKS ? common : blocks;
    const int i = b < COMMON_BLOCKS ? b : b - COMMON_BLOCKS;
    if (i >= set.count()) {
      out.insert(out.end(), 8, 0);
      continue;
    }
    out.push_back(static_cast<uint8_t>(set.solid(i)));
    for (int col = 0; col < 7; ++col) {
      int top = 16;
      for (int y = 15; y >= 0; --y)
        if (set.art(i).at(1 + 2 * col, y)) top = y;
      out.push_back(static_cast<uint8_t>(top));
    }
  }
  return out;
}

}  // namespace sample
