// The 23 levels (maps 1..23): front layouts designed from each theme's kit, shared back
// layouts, and the map headers.
#include <algorithm>
#include <stdexcept>

#include "tools/samplegame/sample_game.h"
#include "tools/samplegame/theme_art.h"

namespace sample {
namespace {

struct LevelPlan {
  int theme, width, height;  // size in blocks
  bool dusk, alternative, ceiling;
};

const LevelPlan LEVELS[LEVEL_COUNT - 1] = {
    {MEADOW, 224, 32, false, false, false}, {MEADOW, 256, 32, false, false, false},
    {MEADOW, 240, 32, false, false, false}, {MEADOW, 256, 32, true, false, false},
    {MEADOW, 288, 32, false, true, false},  {CASTLE, 224, 32, false, false, false},
    {CASTLE, 256, 32, false, false, true},  {CASTLE, 160, 48, false, false, false},
    {CASTLE, 272, 32, false, true, true},   {ICE, 224, 32, false, false, false},
    {ICE, 240, 32, false, false, true},     {ICE, 256, 32, true, false, false},
    {ICE, 176, 48, false, false, false},    {ICE, 272, 32, false, true, false},
    {DESERT, 224, 32, false, false, false}, {DESERT, 256, 32, false, false, false},
    {DESERT, 240, 32, true, false, false},  {DESERT, 288, 32, false, true, false},
    {MOON, 224, 32, false, false, false},   {MOON, 240, 32, false, false, false},
    {MOON, 256, 32, false, true, false},    {MOON, 272, 32, true, false, false},
    {MOON, 288, 32, false, false, false},
};

// Block-type entries that levels place, by purpose (see block_types.cpp).
const int PRIZE_BLOCKS[] = {0, 1, 2, 3, 4, 7, 8, 9, 16, 17, 20, 22, 23, 29, 30, 31, 36, 37, 41, 42};
const int EMPTY_BLOCKS[] = {5, 6, 10, 21, 25, 40};
const int HIDDEN_BLOCKS[] = {11, 12, 13, 14, 15};
const int LARGE_BLOCKS[] = {26, 27, 28};
const int SPECIAL_BLOCKS[] = {32, 33, 34, 35, 19, 18};
const int FLOATING_PICKUPS[] = {4, 5, 21, 22, 23, 24, 25, 6, 1, 2, 27, 29, 32, 10, 34, 41, 42, 37, 44, 47};

enum class Pit { None, Open, Water, Bridge };

// Places chunks and objects by block column and block row, keeping chunks from overlapping.
class FrontBuilder {
 public:
  FrontBuilder(const Theme& theme, int wb, int hb)
      : theme_(theme), wb_(wb), hb_(hb), layout_(static_cast<uint8_t>(theme.id), static_cast<uint16_t>(wb * 16),
                                                 static_cast<uint16_t>(hb * 16)),
        used_(static_cast<size_t>(wb * hb), false) {}

  Layout& layout() { return layout_; }
  int width() const { return wb_; }
  int height() const { return hb_; }

  bool free(int c, int r, int w, int h) const {
    if (c < 0 || r < 0 || c + w > wb_ || r + h > hb_) return false;
    for (int j = r; j < r + h; ++j)
      for (int i = c; i < c + w; ++i)
        if (used_[j * wb_ + i]) return false;
    return true;
  }
  void mark(int c, int r, int w, int h) {
    for (int j = std::max(0, r); j < std::min(hb_, r + h); ++j)
      for (int i = std::max(0, c); i < std::min(wb_, c + w); ++i) used_[j * wb_ + i] = true;
  }
  // A chunk with its top-left block at (c, r).
  void chunk(const ChunkRef& ref, int c, int r, bool flip = false) {
    if (ref.id < 0) throw std::runtime_error("missing chunk in theme " + theme_.name);
    layout_.add(r + 1, static_cast<uint16_t>(ref.id | (flip ? OBJ_CHUNK_FLIP : 0)), static_cast<uint16_t>(16 * c + 16));
    mark(c, r, ref.w, ref.h);
  }
  bool try_chunk(const ChunkRef& ref, int c, int r) {
    if (!free(c, r, ref.w, ref.h)) return false;
    chunk(ref, c, r);
    return true;
  }
  // Any other object, its icon on block (c, r).
  void object(uint16_t code, int c, int r) { layout_.add(r + 1, code, static_cast<uint16_t>(16 * c + 16)); }
  bool try_object(uint16_t code, int c, int r, int w = 1, int h = 1) {
    if (!free(c, r, w, h)) return false;
    object(code, c, r);
    mark(c, r, w, h);
    return true;
  }

 private:
  const Theme& theme_;
  int wb_, hb_;
  Layout layout_;
  std::vector<bool> used_;
};

struct Run {
  int a, b, d;  // columns [a, b), depth in blocks
};

Layout design_front(const Theme& theme, const LevelPlan& plan, int map) {
  const ThemeKit& k = theme.kit;
  Rng rng(static_cast<uint32_t>(map * 7919 + 17));
  FrontBuilder f(theme, plan.width, plan.height);
  const int hb = plan.height;

  // The ground profile: runs of one depth separated by steps or pits.
  std::vector<int> depth(plan.width, 0);
  std::vector<Pit> pit(plan.width, Pit::None);
  int x = 0, di = 1;
  auto fill = [&](int w, int d) {
    for (int i = 0; i < w && x < plan.width; ++i, ++x) depth[x] = d;
  };
  fill(18, ThemeKit::DEPTHS[di]);
  while (x < plan.width - 60) {
    if (x > 24 && rng.chance(45)) {
      Pit kind = static_cast<Pit>(rng.range(1, 3));
      int w = rng.chance(50) ? 4 : 6;
      for (int i = 0; i < w; ++i, ++x) pit[x] = kind;
      if (kind != Pit::Open) {  // water and bridges join ground of equal depth
        fill(2 * rng.range(4, 9), ThemeKit::DEPTHS[di]);
        continue;
      }
    }
    di = std::clamp(di + rng.range(-1, 1), 0, 2);
    fill(2 * rng.range(4, 9), ThemeKit::DEPTHS[di]);
  }
  fill(plan.width - x, ThemeKit::DEPTHS[di]);

  std::vector<Run> runs;
  for (int c = 0; c < plan.width;) {
    if (pit[c] != Pit::None) {
      ++c;
      continue;
    }
    int e = c;
    while (e < plan.width && pit[e] == Pit::None && depth[e] == depth[c]) ++e;
    runs.push_back({c, e, depth[c]});
    c = e;
  }

  // Ground pieces.
  auto index_of = [](int d) { return d == 4 ? 0 : d == 6 ? 1 : 2; };
  for (const Run& run : runs) {
    const int g = hb - run.d, di2 = index_of(run.d);
    int a = run.a, b = run.b;
    auto side = [&](int col, int neighbour, bool left) {
      const ChunkRef* step = left ? k.step_left : k.step_right;
      if (pit[neighbour] == Pit::Water) {
        f.chunk(step[1], col, g);
        f.chunk(k.body[run.d - 1], col, g + 1);
      } else if (pit[neighbour] != Pit::None) {
        f.chunk(left ? k.ground_left[di2] : k.ground_right[di2], col, g);
      } else {
        const int lower = depth[neighbour];
        f.chunk(step[run.d - lower], col, g);
        f.chunk(k.body[lower], col, g + run.d - lower);
      }
    };
    if (a > 0 && (pit[a - 1] != Pit::None || depth[a - 1] < run.d)) side(a, a - 1, true), a += 2;
    if (b < plan.width && (pit[b] != Pit::None || depth[b] < run.d)) side(b - 2, b, false), b -= 2;
    for (int c = a, n = 0; c < b; ++n) {
      if (b - c >= 4) {
        f.chunk(n % 3 == 2 ? k.ground_mid_b[di2] : k.ground_mid[di2], c, g);
        c += 4;
      } else {
        f.chunk(k.ground_half[di2], c, g);
        c += 2;
      }
    }
  }

  // Pits: water, bridges, or spikes at the bottom with coins arching over them.
  for (int c = 0; c < plan.width;) {
    if (pit[c] == Pit::None) {
      ++c;
      continue;
    }
    int e = c;
    while (e < plan.width && pit[e] == pit[c]) ++e;
    const int g = hb - std::max(depth[c - 1], depth[e < plan.width ? e : c - 1]);
    for (int i = c; i < e; i += 2) {
      if (pit[c] == Pit::Water) f.chunk(k.water[index_of(depth[c - 1])], i, g);
      if (pit[c] == Pit::Bridge) f.chunk(k.bridge, i, g);
      if (pit[c] == Pit::Open) f.chunk(k.spikes, i, hb - 1);
    }
    if (pit[c] != Pit::Bridge)
      for (int i = c - 1; i <= e; ++i) {
        int lift = std::min(i - (c - 1), e - i);
        f.try_object(obj_pickup(0), i, g - 2 - std::min(lift, 3));
      }
    c = e;
  }

  auto ground_row = [&](int c) { return pit[c] == Pit::None ? hb - depth[c] : -1; };
  auto flat = [&](int c, int w) {
    if (c < 0 || c + w > plan.width) return -1;
    int g = ground_row(c);
    for (int i = c; i < c + w; ++i)
      if (ground_row(i) != g) return -1;
    return g;
  };

  // Start: a sign and a post; end: stairs, the goal post and the door.
  const int g0 = hb - depth[0];
  f.chunk(k.sign, 2, g0 - 1);
  f.object(OBJ_POST, 9, g0 - 8);
  f.mark(6, g0 - 8, 7, 8);
  const int ge = hb - depth[plan.width - 1];
  f.chunk(k.door, plan.width - 3, ge - 1);
  f.object(OBJ_POST, plan.width - 9, ge - 8);
  f.mark(plan.width - 12, ge - 8, 7, 8);
  if (flat(plan.width - 20, 4) == ge) f.try_chunk(k.stairs, plan.width - 20, ge - 4);

  // A ceiling with chains for castle halls and ice caverns.
  if (plan.ceiling) {
    for (int c = 0; c + 4 <= plan.width; c += 4) f.chunk(c % 12 == 8 ? k.ground_mid_b[0] : k.ground_mid[0], c, 0, true);
    for (int c = 7; c < plan.width; c += 13)
      if (theme.id == CASTLE) f.try_chunk(k.chain, c, 4);
      else f.try_chunk(k.hanging, c, 4);
  }

  // Scenery on the ground.
  for (int c = 4; c < plan.width - 4;) {
    const ChunkRef& s = rng.chance(70) ? k.scenery[rng.range(0, static_cast<int>(k.scenery.size()) - 1)]
                                       : k.small[rng.range(0, 1)];
    int g = flat(c, s.w);
    if (g > 0 && f.try_chunk(s, c, g - s.h)) c += s.w + rng.range(2, 6);
    else c += 1;
  }

  // Platforms with coins above and, in cold and dark places, icicles below.
  const int tiers = hb > 32 ? 3 : 1;
  for (int c = 10; c < plan.width - 14; c += rng.range(9, 16)) {
    const ChunkRef& p = k.platform[rng.range(0, 2)];
    int g = hb;
    for (int i = c; i < c + p.w; ++i) g = std::min(g, ground_row(i) < 0 ? hb - 6 : ground_row(i));
    for (int tier = 0; tier < tiers; ++tier) {
      int r = g - 5 - 5 * tier - rng.range(0, 1);
      if (r < (plan.ceiling ? 7 : 3) || !f.free(c, r - 1, p.w, 3)) continue;
      f.chunk(p, c, r);
      for (int i = 0; i < p.w; ++i) f.try_object(obj_pickup(i == 1 && rng.chance(30) ? 5 : 0), c + i, r - 1);
      if ((theme.id == ICE || theme.id == CASTLE) && rng.chance(50)) f.try_chunk(k.hanging, c, r + 1);
      c += rng.range(0, 3);
    }
  }

  // Rows of blocks and block objects, crates, monsters, other objects and pickups.
  int placed_rows = 0;
  for (int c = 14; c < plan.width - 16; c += rng.range(12, 22)) {
    int g = flat(c, 5);
    if (g < 0) continue;
    const int r = g - 4;
    if (!f.free(c, r - 1, 5, 2)) continue;
    for (int i = 0; i < 5; ++i) {
      if (i % 2 == 0) {
        f.chunk(k.block, c + i, r);
      } else {
        const int* list = i == 1 ? PRIZE_BLOCKS : (placed_rows % 3 == 0 ? HIDDEN_BLOCKS : EMPTY_BLOCKS);
        const int n = i == 1 ? 20 : (placed_rows % 3 == 0 ? 5 : 6);
        f.try_object(obj_block(list[rng.range(0, n - 1)]), c + i, r);
      }
    }
    if (placed_rows % 2 == 1) f.try_object(obj_block(LARGE_BLOCKS[rng.range(0, 2)]), c + 1, r - 3, 2, 2);
    ++placed_rows;
  }
  for (int n = 0, c = 30; n < 3 && c < plan.width - 20; c += rng.range(25, 50)) {
    int g = flat(c - 1, 3);
    if (g > 0 && f.try_object(obj_large(n), c, g - 1)) f.mark(c - 1, g - 3, 3, 3), ++n;
  }
  for (int n = 0, c = 22; n < 4 && c < plan.width - 16; c += rng.range(18, 40)) {
    int g = flat(c, 1);
    if (g > 0 && f.try_object(static_cast<uint16_t>(0x0C00 | (1 + (n + map) % 4)), c, g - 1)) ++n;
  }
  for (int c = 16; c < plan.width - 12; c += rng.range(6, 12)) {
    int g = flat(c, 1);
    if (g < 0) continue;
    if (rng.chance(25)) f.try_object(obj_block(SPECIAL_BLOCKS[rng.range(0, 5)]), c, g - 1);
    else if (rng.chance(30)) f.try_chunk(k.crates, c, g - 2);
    else {
      // The height is drawn before the pickup, in the order the sample has always been made.
      const int lift = rng.range(0, 2);
      f.try_object(obj_pickup(FLOATING_PICKUPS[rng.range(0, 19)]), c, g - 2 - lift);
    }
  }
  return f.layout();
}

// A back plane: the sky chunks side by side, clouds (or stars) and the sun placed over them.
Layout design_back(const Theme& theme, int variant, int wb, int hb) {
  const ThemeKit& k = theme.kit;
  Layout back(static_cast<uint8_t>(theme.id), static_cast<uint16_t>(wb * 16), static_cast<uint16_t>(hb * 16));
  const int columns = (wb + 15) / 16;
  const int mid_row = hb > 32 ? 16 : 0;
  for (int i = 0; i < columns; ++i) {
    if (hb > 32) back.add(1, static_cast<uint16_t>(k.sky_high.id), static_cast<uint16_t>(256 * i));
    back.add(mid_row + 1, static_cast<uint16_t>(k.sky_mid.id), static_cast<uint16_t>(256 * i));
    const int low = (i * (variant ? 3 : 5) / 2 + variant) % 2;
    back.add(mid_row + 17, static_cast<uint16_t>(k.sky_low[low].id), static_cast<uint16_t>(256 * i));
  }
  // Features sit in the top band of one colour (block rows 1..3 of the middle sky, or anywhere
  // in the high sky), never overlapping each other.
  Rng rng(static_cast<uint32_t>(theme.id * 31 + variant * 7 + hb));
  const int top_row = 1, bottom_row = hb > 32 ? 14 : 3;
  int x = 40 + variant * 90;
  back.add(mid_row + 2, static_cast<uint16_t>(k.sun.id), static_cast<uint16_t>(180 + variant * 260));
  const int sun_left = 180 + variant * 260, sun_right = sun_left + 48;
  while (x < wb * 16 - 100) {
    const ChunkRef& cl = k.cloud[rng.range(0, 1)];
    const int w = cl.w * 16;
    const int row = rng.range(top_row, bottom_row - cl.h + 1);
    const bool clear_of_sun = x + w + 8 < sun_left || x > sun_right + 8;
    if (theme.id != MOON && clear_of_sun) back.add(row + 1, static_cast<uint16_t>(cl.id), static_cast<uint16_t>(x));
    x += w + rng.range(60, 220);
  }
  return back;
}

}  // namespace

void build_levels(GameContent& game) {
  // Back layouts 0x81..: one per theme, variant (odd or even map) and height, in order of first use.
  struct BackKey {
    int theme, variant, height;
  };
  std::vector<BackKey> keys;
  std::vector<int> widths;
  auto back_of = [&](const LevelPlan& s, int map) {
    BackKey key{s.theme, s.height > 32 ? 0 : map % 2, s.height};
    for (size_t i = 0; i < keys.size(); ++i)
      if (keys[i].theme == key.theme && keys[i].variant == key.variant && keys[i].height == key.height) {
        widths[i] = std::max(widths[i], s.width);
        return static_cast<int>(i);
      }
    keys.push_back(key);
    widths.push_back(s.width);
    return static_cast<int>(keys.size()) - 1;
  };
  std::vector<int> back_index(LEVEL_COUNT, 0);
  for (int map = 1; map < LEVEL_COUNT; ++map) back_index[map] = back_of(LEVELS[map - 1], map);
  const int first_back = static_cast<int>(game.backs.size());  // after the world map's sea
  for (size_t i = 0; i < keys.size(); ++i) {
    game.backs.push_back(design_back(game.themes[keys[i].theme], keys[i].variant, widths[i], keys[i].height));
    game.back_packed.push_back(i % 3 == 1);
  }

  for (int map = 1; map < LEVEL_COUNT; ++map) {
    const LevelPlan& s = LEVELS[map - 1];
    game.fronts.push_back(design_front(game.themes[s.theme], s, map));
    game.front_packed.push_back(map % 2 == 1);
    MapHeader h;
    const int t = s.theme;
    h.bytes = {static_cast<uint8_t>(map),
               static_cast<uint8_t>(0x80 + first_back + back_index[map]),
               0,
               static_cast<uint8_t>(s.alternative ? pal_front_alt(t) : pal_front(t)),
               static_cast<uint8_t>(s.dusk ? pal_back_dusk(t) : pal_back(t)),
               static_cast<uint8_t>(pal_flash(t)),
               3,
               32,
               static_cast<uint8_t>(s.height > 32 ? 1 : 0),
               0,
               1,
               static_cast<uint8_t>((s.ceiling ? 2 : 0) | (s.dusk ? 4 : 0)),
               static_cast<uint8_t>(1 + t)};
    game.headers.push_back(h);
  }
}

}  // namespace sample
