// The world map (map 0): a winding continent crossing the five lands, with a road that links
// the 131 markers, side paths to secret markers and tunnels; the sea lies in the back plane.
#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "tools/samplegame/sample_game.h"
#include "tools/samplegame/theme_art.h"

namespace sample {
namespace {

constexpr int MAP_W = 160, MAP_H = 96;  // blocks
constexpr int PASSES = 7, ROAD_LEFT = 8, ROAD_RIGHT = 151;
constexpr int PIECE = 8;  // the map is cut into pieces of 8x8 blocks
int pass_row(int k) { return 7 + 13 * k; }

// Lands along the road, by pass; each draws in its own palette line and colours.
struct Land {
  int line;
  uint8_t outline, beach, ground, ground_dark, ground_light, road, road_dark;
};
const Land LANDS[5] = {
    {1, 1, 5, 3, 2, 4, 8, 7},     // meadow: grass
    {1, 1, 6, 2, 11, 3, 10, 9},   // castle hills: dark grass, stone roads
    {3, 1, 2, 3, 2, 4, 2, 9},     // snow
    {3, 1, 7, 6, 5, 7, 5, 1},     // desert
    {3, 1, 10, 9, 8, 10, 8, 1},   // moon
};
const int LAND_OF_PASS[PASSES] = {0, 0, 1, 2, 2, 3, 4};

struct Cell {
  int x, y;
};

struct MapPlan {
  std::vector<Cell> road;      // the main road, in walking order
  std::vector<Cell> spurs;     // side paths to secret markers
  std::vector<bool> is_road;   // MAP_W x MAP_H, main road and side paths
  std::vector<bool> land;
  std::vector<int> pass_of;    // land of each cell
};

MapPlan plan_map() {
  MapPlan p;
  for (int k = 0; k < PASSES; ++k) {
    const int y = pass_row(k);
    const bool right = k % 2 == 0;
    for (int i = 0; i <= ROAD_RIGHT - ROAD_LEFT; ++i) p.road.push_back({right ? ROAD_LEFT + i : ROAD_RIGHT - i, y});
    if (k + 1 < PASSES) {
      const int x = right ? ROAD_RIGHT : ROAD_LEFT;
      for (int yy = y + 1; yy < pass_row(k + 1); ++yy) p.road.push_back({x, yy});
    }
  }
  p.is_road.assign(MAP_W * MAP_H, false);
  for (const Cell& c : p.road) p.is_road[c.y * MAP_W + c.x] = true;
  return p;
}

void shape_land(MapPlan& p) {
  p.land.assign(MAP_W * MAP_H, false);
  p.pass_of.assign(MAP_W * MAP_H, 0);
  for (int y = 0; y < MAP_H; ++y)
    for (int x = 0; x < MAP_W; ++x) {
      double best = 1e9;
      for (int k = 0; k < PASSES; ++k) {
        double dx = std::max({0.0, static_cast<double>(ROAD_LEFT - x), static_cast<double>(x - ROAD_RIGHT)});
        best = std::min(best, std::hypot(dx, static_cast<double>(y - pass_row(k))));
        if (k + 1 < PASSES && y >= pass_row(k) && y <= pass_row(k + 1))
          best = std::min(best, std::fabs(static_cast<double>(x - (k % 2 == 0 ? ROAD_RIGHT : ROAD_LEFT))));
      }
      for (const Cell& c : p.spurs) best = std::min(best, std::hypot(x - c.x, y - c.y));
      const double radius = 4.7 + 1.3 * std::sin(0.11 * x + 1.7 * std::floor((y + 6) / 13.0)) +
                            0.6 * std::sin(0.37 * x + 0.9 * y) + 0.4 * std::sin(0.23 * y - 0.5 * x);
      p.land[y * MAP_W + x] = best <= radius;
      int k = std::clamp(static_cast<int>(std::lround((y - 7) / 13.0)), 0, PASSES - 1);
      p.pass_of[y * MAP_W + x] = LAND_OF_PASS[k];
    }
}

bool at(const std::vector<bool>& grid, int x, int y) {
  return x >= 0 && y >= 0 && x < MAP_W && y < MAP_H && grid[y * MAP_W + x];
}

// A land tile: ground with a beach and an outline where it meets the sea.
Canvas land_tile(const MapPlan& p, int cx, int cy, const Land& land) {
  const bool n = at(p.land, cx, cy - 1), s = at(p.land, cx, cy + 1), w = at(p.land, cx - 1, cy),
             e = at(p.land, cx + 1, cy);
  Canvas c(16, 16);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) {
      const double px = x + 0.5, py = y + 0.5, R = 6;
      double d = 99;
      if (!n) d = std::min(d, py);
      if (!s) d = std::min(d, 16 - py);
      if (!w) d = std::min(d, px);
      if (!e) d = std::min(d, 16 - px);
      auto corner = [&](bool side_a, bool side_b, double cxp, double cyp, bool diagonal) {
        // Rounded outer corner where both sides face the sea; a notch where only the diagonal does.
        const double dx = std::fabs(px - cxp), dy = std::fabs(py - cyp);
        if (!side_a && !side_b && dx < R && dy < R) d = std::max(0.0, R - std::hypot(R - dx, R - dy));
        if (side_a && side_b && !diagonal) d = std::min(d, std::hypot(dx, dy) - 1);
      };
      corner(n, w, 0, 0, at(p.land, cx - 1, cy - 1));
      corner(n, e, 16, 0, at(p.land, cx + 1, cy - 1));
      corner(s, w, 0, 16, at(p.land, cx - 1, cy + 1));
      corner(s, e, 16, 16, at(p.land, cx + 1, cy + 1));
      // Three speckle patterns for open land, one along the coast, so that tiles repeat.
      const uint32_t variant = n && s && w && e ? static_cast<uint32_t>(cx * 3 + cy) % 3 : 3;
      uint8_t ink = land.ground;
      if ((hash3(x, y, 5 + variant) % 19) == 0) ink = land.ground_light;
      if ((hash3(x, y, 9 + variant) % 23) == 0) ink = land.ground_dark;
      if (d < 1.5) ink = 0;
      else if (d < 2.5) ink = land.outline;
      else if (d < 5.5) ink = land.beach;
      c.set(x, y, ink);
    }
  return c;
}

void draw_road(Canvas& c, const MapPlan& p, int cx, int cy, const Land& land) {
  const bool n = at(p.is_road, cx, cy - 1), s = at(p.is_road, cx, cy + 1), w = at(p.is_road, cx - 1, cy),
             e = at(p.is_road, cx + 1, cy);
  Canvas r(16, 16);
  r.rect(5, 5, 6, 6, land.road);
  if (n) r.rect(5, 0, 6, 6, land.road);
  if (s) r.rect(5, 10, 6, 6, land.road);
  if (w) r.rect(0, 5, 6, 6, land.road);
  if (e) r.rect(10, 5, 6, 6, land.road);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x)
      if (r.at(x, y) && (x + 2 * y) % 5 == 0) r.set(x, y, land.road_dark);
  Canvas edge = r;
  edge.outline(land.road_dark);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x)
      if (edge.at(x, y)) c.set(x, y, edge.at(x, y));
}

// Small landmarks on open land, by land.
void draw_landmark(Canvas& c, int land, int kind) {
  Canvas d(16, 16);
  switch (land) {
    case 0:
      if (kind == 0) {  // tree
        d.rect(7, 10, 2, 5, 12);
        d.ellipse(8, 7, 5, 5, 11);
        d.ellipse(7, 6, 3, 3, 3);
        d.outline(1);
      } else {  // flowers
        d.set(4, 5, 13), d.set(10, 9, 14), d.set(6, 11, 13), d.set(12, 4, 14);
      }
      break;
    case 1:
      if (kind == 0) {  // a small castle
        d.rect(3, 6, 10, 8, 10);
        d.rect(3, 3, 3, 4, 10), d.rect(10, 3, 3, 4, 10);
        d.rect(7, 9, 2, 5, 1);
        d.line(11, 3, 11, 0, 1), d.rect(12, 0, 3, 2, 13);
        d.outline(1);
      } else {  // rocks
        d.ellipse(6, 10, 4, 3, 9);
        d.ellipse(5, 9, 2, 1.5, 10);
        d.outline(1);
      }
      break;
    case 2:
      if (kind == 0) {  // snowy pine
        d.polygon({{8, 1}, {14, 13}, {2, 13}}, 11);
        d.polygon({{8, 1}, {11, 7}, {5, 7}}, 4);
        d.rect(7, 13, 2, 2, 1);
        d.outline(1);
      } else {
        d.ellipse(8, 11, 6, 3, 4);
        d.ellipse(9, 12, 4, 1.5, 2);
      }
      break;
    case 3:
      if (kind == 0) {  // cactus
        d.rect(7, 3, 3, 11, 13);
        d.rect(3, 6, 2, 4, 13), d.rect(3, 9, 4, 2, 13);
        d.rect(12, 5, 2, 4, 13), d.rect(10, 8, 3, 2, 13);
        d.outline(1);
      } else {  // small pyramid
        d.polygon({{8, 3}, {15, 14}, {1, 14}}, 7);
        d.polygon({{8, 3}, {15, 14}, {9, 14}}, 5);
        d.outline(1);
      }
      break;
    default:
      if (kind == 0) {  // crystal
        d.polygon({{8, 2}, {11, 7}, {10, 14}, {6, 14}, {5, 7}}, 14);
        d.line(8, 3, 7, 13, 15);
        d.outline(1);
      } else {  // crater
        d.ellipse(8, 9, 6, 4, 10);
        d.ellipse(8.5, 9.5, 4.5, 2.8, 8);
      }
      break;
  }
  c.blit(d, 0, 0);
}

Canvas mountain_part(int part) {  // 2x2 blocks in the meadow and castle lands, line 1
  Canvas m(32, 32);
  m.polygon({{16, 2}, {31, 30}, {1, 30}}, 9);
  m.polygon({{16, 2}, {31, 30}, {18, 30}}, 10);
  m.polygon({{16, 2}, {21, 12}, {11, 12}}, 15);
  m.outline(1);
  return m.crop(16 * (part % 2), 16 * (part / 2), 16, 16);
}

Canvas sea_picture(int variant) {  // line 2, opaque
  Canvas c(256, 256, 2);
  for (int y = 0; y < 256; ++y)
    for (int x = 0; x < 256; ++x) {
      const int u = (x + variant * 32) % 64, v = y % 32;
      if (v == 8 && u >= 10 && u < 18) c.set(x, y, 4);
      if (v == 9 && (u == 9 || u == 18)) c.set(x, y, 3);
      if (v == 24 && ((u + 32) % 64) >= 10 && ((u + 32) % 64) < 16) c.set(x, y, 4);
      if ((x / 64 + y / 64 + variant) % 2 == 0 && (x + y) % 4 == 0 && v > 12 && v < 20) c.set(x, y, 3);
    }
  return c;
}

}  // namespace

void build_world_map(GameContent& game) {
  Theme t;
  t.id = MAP_THEME;
  t.name = "WORLD MAP";
  t.plain_chunk_set = false;
  t.plain_block_map = false;

  MapPlan p = plan_map();
  const int main_markers = MARKER_COUNT - 6;
  const int road_length = static_cast<int>(p.road.size()) - 1;
  std::vector<int> main_cell(main_markers);
  for (int j = 0; j < main_markers; ++j) main_cell[j] = static_cast<int>(std::lround(j * road_length / double(main_markers - 1)));
  const int forks[6] = {9, 27, 44, 63, 83, 101};  // main-road ordinals with a side path upwards
  for (int f : forks) {
    const Cell c = p.road[main_cell[f]];
    for (int i = 1; i <= 3; ++i) p.spurs.push_back({c.x, c.y - i});
  }
  for (const Cell& c : p.spurs) p.is_road[c.y * MAP_W + c.x] = true;
  shape_land(p);

  // Markers in index order: main-road markers, each fork followed by its secret marker.
  const std::vector<std::string> names = marker_names();
  std::vector<int> road_order;  // marker indices along the main road
  auto place = [&](Marker& m, Cell c) {
    m.x = static_cast<int16_t>(16 * c.x);
    m.y = static_cast<int16_t>(16 * c.y + 3);
  };
  for (int j = 0, f = 0; j < main_markers; ++j) {
    Marker m;
    place(m, p.road[main_cell[j]]);
    const bool fork = f < 6 && forks[f] == j;
    m.type = fork ? 0xFF : 0;
    road_order.push_back(static_cast<int>(game.markers.size()));
    game.markers.push_back(m);
    if (fork) {
      Marker s;
      place(s, p.spurs[3 * f + 2]);
      s.type = 0xFE;
      const int fi = static_cast<int>(game.markers.size()) - 1;
      s.down = static_cast<uint8_t>(fi);
      game.markers[fi].up = static_cast<uint8_t>(fi + 1);
      game.markers.push_back(s);
      ++f;
    }
  }
  auto link = [&](int a, int b) {
    Marker &ma = game.markers[a], &mb = game.markers[b];
    const int dx = mb.x - ma.x, dy = mb.y - ma.y;
    uint8_t *ab, *ba;
    if (std::abs(dx) >= std::abs(dy)) ab = dx > 0 ? &ma.right : &ma.left, ba = dx > 0 ? &mb.left : &mb.right;
    else ab = dy > 0 ? &ma.down : &ma.up, ba = dy > 0 ? &mb.up : &mb.down;
    if (*ab == 255) *ab = static_cast<uint8_t>(b);
    if (*ba == 255) *ba = static_cast<uint8_t>(a);
  };
  for (size_t i = 1; i < road_order.size(); ++i) link(road_order[i - 1], road_order[i]);
  const int tunnels[3][2] = {{15, 40}, {52, 96}, {70, 118}};
  for (const auto& pair : tunnels) {
    Marker &a = game.markers[road_order[pair[0]]], &b = game.markers[road_order[pair[1]]];
    a.type = b.type = 1;
    a.tunnel = static_cast<uint8_t>(road_order[pair[1]]);
    b.tunnel = static_cast<uint8_t>(road_order[pair[0]]);
  }
  for (size_t i = 0; i < game.markers.size(); ++i) {
    game.markers[i].name = names[i];
    game.markers[i].spare = static_cast<uint8_t>(i + 1);
  }
  if (game.markers.size() != MARKER_COUNT) throw std::runtime_error("wrong marker count");

  // Paint the map block by block, then cut it into pieces.
  std::vector<uint16_t> grid(MAP_W * MAP_H, 0);
  for (int cy = 0; cy < MAP_H; ++cy)
    for (int cx = 0; cx < MAP_W; ++cx) {
      if (!at(p.land, cx, cy)) continue;
      const int li = p.pass_of[cy * MAP_W + cx];
      const Land& land = LANDS[li];
      Canvas c = land_tile(p, cx, cy, land);
      bool near_road = false;
      for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) near_road = near_road || at(p.is_road, cx + dx, cy + dy);
      bool inland = true;
      for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) inland = inland && at(p.land, cx + dx, cy + dy);
      int line = land.line;
      if (at(p.is_road, cx, cy)) {
        draw_road(c, p, cx, cy, land);
      } else if (inland && !near_road) {
        const uint32_t h = hash3(cx, cy, 21) % 100;
        const bool mountain_spot = li <= 1 && hash3(cx, cy, 33) % 9 == 0 && grid[cy * MAP_W + cx] == 0 &&
                                   grid[cy * MAP_W + cx + 1] == 0 &&
                                   at(p.land, cx + 2, cy + 2) && !at(p.is_road, cx + 2, cy + 2) &&
                                   !at(p.is_road, cx + 1, cy + 2) && !at(p.is_road, cx + 2, cy + 1);
        if (mountain_spot) {
          for (int part = 0; part < 4; ++part) {
            const int mx = cx + part % 2, my = cy + part / 2;
            Canvas base = land_tile(p, mx, my, land);
            base.blit(mountain_part(part), 0, 0);
            grid[my * MAP_W + mx] = static_cast<uint16_t>(COMMON_BLOCKS + t.blocks.add(base, line, Solid::None));
          }
          continue;
        }
        if (h < 14) draw_landmark(c, li, 0);
        else if (h < 20) draw_landmark(c, li, 1);
      }
      if (grid[cy * MAP_W + cx] == 0)
        grid[cy * MAP_W + cx] = static_cast<uint16_t>(COMMON_BLOCKS + t.blocks.add(c, line, Solid::None));
    }

  Layout front(MAP_THEME, MAP_W * 16, MAP_H * 16);
  for (int py = 0; py < MAP_H; py += PIECE)
    for (int px = 0; px < MAP_W; px += PIECE) {
      Chunk piece{PIECE, PIECE, {}};
      bool any = false;
      for (int r = 0; r < PIECE; ++r)
        for (int c = 0; c < PIECE; ++c) {
          uint16_t cell = grid[(py + r) * MAP_W + px + c];
          piece.cells.push_back(cell);
          any = any || cell != 0;
        }
      if (!any) continue;
      // On the map screen placements are drawn at their own x.
      front.add(py + 1, static_cast<uint16_t>(t.chunks.add(piece)), static_cast<uint16_t>(16 * px));
    }

  Layout back(MAP_THEME, MAP_W * 16, MAP_H * 16);
  int sea[2];
  for (int v = 0; v < 2; ++v) {
    Canvas pic = sea_picture(v);
    Chunk ch{16, 16, {}};
    for (int r = 0; r < 16; ++r)
      for (int c = 0; c < 16; ++c)
        ch.cells.push_back(static_cast<uint16_t>(COMMON_BLOCKS + t.blocks.add(pic.crop(16 * c, 16 * r, 16, 16), 2)));
    sea[v] = t.chunks.add(ch);
  }
  for (int y = 0; y < MAP_H / 16; ++y)
    for (int x = 0; x < MAP_W / 16; ++x) back.add(16 * y + 1, static_cast<uint16_t>(sea[(x + y) % 2]), static_cast<uint16_t>(256 * x));

  game.fronts.insert(game.fronts.begin(), front);
  game.front_packed.insert(game.front_packed.begin(), true);
  game.backs.insert(game.backs.begin(), back);
  game.back_packed.insert(game.back_packed.begin(), false);
  MapHeader h;
  h.bytes = {0, 0x80, 0, static_cast<uint8_t>(pal_front(MAP_THEME)), static_cast<uint8_t>(pal_back(MAP_THEME)),
             static_cast<uint8_t>(pal_flash(MAP_THEME)), 0, 0, 0, 0, 0, 0x80, 0x10};
  game.headers.insert(game.headers.begin(), h);
  game.themes.push_back(std::move(t));
}

}  // namespace sample
