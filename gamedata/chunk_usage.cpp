#include "gamedata/chunk_usage.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <map>
#include <memory>

#include "files/byte_order.h"
#include "gamedata/project_level_load.h"

const ChunkUsage* ThemeUsage::chunk(int number) const {
  auto it = std::lower_bound(chunks.begin(), chunks.end(), number,
                             [](const ChunkUsage& c, int n) { return c.chunk < n; });
  return it != chunks.end() && it->chunk == number ? &*it : nullptr;
}

const ThemeUsage* UsageReport::theme(int number) const {
  for (const ThemeUsage& t : themes)
    if (t.theme == number) return &t;
  return nullptr;
}

namespace {

constexpr int CHUNK_NUMBERS = PLACEMENT_CHUNK_MASK + 1;  // a placement names chunks 0 .. 511
constexpr int BLOCK_NUMBERS = CELL_BLOCK_MASK + 1;       // a cell names blocks 0 .. 511

// Per-theme tallies while the levels are counted.
struct ThemeTally {
  const ChunkMap* chunk_set = nullptr;
  uint8_t first_level = 0;
  // Chunk number -> level -> front / back placements.
  std::array<std::map<uint8_t, ChunkLevelUse>, CHUNK_NUMBERS> uses;
};

void count_plane(const LayoutPlane* plane, bool back, uint8_t level, ThemeTally& tally) {
  if (!plane) return;
  for (const LayoutRow& row : plane->rows)
    for (const LayoutObject& o : row.objects) {
      if (o.code >= OBJECT_CHUNK_LIMIT) continue;
      ChunkLevelUse& use = tally.uses[o.code & PLACEMENT_CHUNK_MASK][level];
      use.level = level;
      ++(back ? use.back : use.front);
    }
}

void add_blocks(const ChunkMap& set, ThemeUsage& out) {
  std::array<int, BLOCK_NUMBERS> cells{};
  std::array<std::vector<uint16_t>, BLOCK_NUMBERS> holders;
  for (size_t n = 0; n < set.chunks.size(); ++n) {
    const Chunk& c = set.chunks[n];
    const int w = std::min<int>(c.width, 16), h = std::min<int>(c.height, 16);
    for (int r = 0; r < h; ++r)
      for (int col = 0; col < w; ++col) {
        const int block = c.cell(col, r) & CELL_BLOCK_MASK;
        ++cells[block];
        // Chunks are visited in ascending order, so each appears once, at the end.
        if (holders[block].empty() || holders[block].back() != n) holders[block].push_back(static_cast<uint16_t>(n));
      }
  }
  for (int b = 0; b <= USAGE_LISTED_BLOCKS; ++b) {
    const bool listed = b >= 1 || cells[b] > 0;
    if (!listed) continue;
    BlockUsage u;
    u.block = static_cast<uint16_t>(b);
    if (b < BLOCK_NUMBERS) {
      u.cells = cells[b];
      u.chunks = std::move(holders[b]);
    }
    out.blocks.push_back(std::move(u));
  }
}

// A reader's results by number, each read once; a failure is kept with its reason.
template <typename T>
struct ReadOnce {
  std::map<int, std::pair<std::unique_ptr<T>, std::string>> results;
  template <typename Read>
  const T* get(int n, std::string& error, Read read) {
    auto it = results.find(n);
    if (it == results.end()) {
      auto value = std::make_unique<T>();
      std::string why;
      if (!read(*value, why)) value.reset();
      it = results.emplace(n, std::make_pair(std::move(value), why)).first;
    }
    if (!it->second.first) error = it->second.second;
    return it->second.first.get();
  }
};

}  // namespace

void count_usage(const std::vector<UsageLevel>& levels, UsageReport& report) {
  std::map<int, std::unique_ptr<ThemeTally>> tallies;
  for (const UsageLevel& l : levels) {
    std::unique_ptr<ThemeTally>& t = tallies[l.theme];
    if (!t) {
      t = std::make_unique<ThemeTally>();
      t->chunk_set = l.chunk_set;
      t->first_level = l.level;
    }
    t->first_level = std::min(t->first_level, l.level);
    count_plane(l.front, false, l.level, *t);
    count_plane(l.back, true, l.level, *t);
    ++report.levels_read;
  }
  for (auto& [theme, tally] : tallies) {
    ThemeUsage out;
    out.theme = static_cast<uint8_t>(theme);
    out.first_level = tally->first_level;
    const int set_size = tally->chunk_set ? tally->chunk_set->count() : 0;
    const int top = std::max(set_size, CHUNK_NUMBERS);
    for (int n = 0; n < top; ++n) {
      const bool placed = n < CHUNK_NUMBERS && !tally->uses[n].empty();
      if (n >= set_size && !placed) continue;
      ChunkUsage c;
      c.chunk = static_cast<uint16_t>(n);
      c.in_set = n < set_size;
      if (placed)
        for (const auto& [level, use] : tally->uses[n]) {
          c.placements += use.front + use.back;
          c.levels.push_back(use);
        }
      out.chunks.push_back(std::move(c));
    }
    if (tally->chunk_set) add_blocks(*tally->chunk_set, out);
    report.themes.push_back(std::move(out));
  }
}

void analyse_rom_usage(const RomImage& rom, UsageReport& report) {
  // Layouts and chunk sets are shared between maps: each is read once.
  ReadOnce<LayoutPlane> layouts;
  ReadOnce<ChunkMap> chunk_sets;
  auto layout = [&](int n, std::string& error) {
    return layouts.get(n, error, [&](LayoutPlane& out, std::string& why) { return read_layout(rom, n, out, why); });
  };
  auto chunk_set = [&](int theme, std::string& error) {
    return chunk_sets.get(theme, error,
                          [&](ChunkMap& out, std::string& why) { return read_theme_chunkmap(rom, theme, out, why); });
  };
  static const LayoutPlane empty_plane;

  std::vector<UsageLevel> levels;
  for (int map = 0; map < MAP_HEADER_COUNT; ++map) {
    std::string error;
    MapHeader h;
    const LayoutPlane* front = nullptr;
    const LayoutPlane* back = &empty_plane;
    const ChunkMap* set = nullptr;
    bool ok = read_map_header(rom, static_cast<uint8_t>(map), h, error) && (front = layout(h.map_front, error));
    if (ok) {
      // A back layout entry of 0 names no layout: the level has an empty back plane.
      const size_t entry = genesis::LAYOUT_TABLE + 4 * static_cast<size_t>(h.map_back);
      const bool absent = entry + 4 <= rom.size() && read_be32(&rom[entry]) == 0;
      if (!absent) ok = (back = layout(h.map_back, error)) != nullptr;
    }
    if (ok) ok = (set = chunk_set(front->theme, error)) != nullptr;
    if (!ok) {
      report.unread.push_back(
          {static_cast<uint8_t>(map), LoadFailure{LoadFailure::Kind::Contents, ROM_PATH, error, {}}});
      continue;
    }
    levels.push_back({static_cast<uint8_t>(map), front, back, front->theme, set});
  }
  count_usage(levels, report);
}

void analyse_project_usage(const ProjectTables& tables, UsageReport& report) {
  struct Planes {
    LayoutPlane front, back;
  };
  std::vector<std::unique_ptr<Planes>> planes;
  std::map<int, std::unique_ptr<ChunkMap>> chunk_sets;
  std::vector<UsageLevel> levels;
  for (int level = 0; level < PROJECT_LEVELS; ++level) {
    if (tables.level_paths[level].empty()) continue;
    const uint8_t n = static_cast<uint8_t>(level);
    auto p = std::make_unique<Planes>();
    LoadFailure failure;
    if (!read_project_layouts(tables, n, p->front, p->back, failure)) {
      report.unread.push_back({n, failure});
      continue;
    }
    const int theme = p->front.theme;
    auto it = chunk_sets.find(theme);
    if (it == chunk_sets.end()) {
      auto set = std::make_unique<ChunkMap>();
      if (!read_project_chunkmap(tables, theme, n, *set, failure)) {
        report.unread.push_back({n, failure});
        continue;  // the next level of the theme tries again and is reported alike
      }
      it = chunk_sets.emplace(theme, std::move(set)).first;
    }
    levels.push_back({n, &p->front, &p->back, theme, it->second.get()});
    planes.push_back(std::move(p));
  }
  count_usage(levels, report);
}

std::vector<PlacementRef> chunk_placements(const LayoutPlane& plane, int chunk) {
  std::vector<PlacementRef> out;
  for (size_t r = 0; r < plane.rows.size(); ++r) {
    const std::vector<LayoutObject>& objects = plane.rows[r].objects;
    for (size_t i = 0; i < objects.size(); ++i)
      if (objects[i].code < OBJECT_CHUNK_LIMIT && (objects[i].code & PLACEMENT_CHUNK_MASK) == chunk)
        out.push_back({static_cast<int>(r), static_cast<int>(i)});
  }
  return out;
}

std::string usage_chunks_csv(const UsageReport& report) {
  std::string out = "theme,chunk,placements,levels\n";
  char buf[48];
  for (const ThemeUsage& t : report.themes)
    for (const ChunkUsage& c : t.chunks) {
      std::snprintf(buf, sizeof buf, "%d,%d,%d,", t.theme, c.chunk, c.placements);
      out += buf;
      for (size_t i = 0; i < c.levels.size(); ++i) {
        std::snprintf(buf, sizeof buf, i ? " %02X" : "%02X", c.levels[i].level);
        out += buf;
      }
      out += '\n';
    }
  return out;
}

std::string usage_blocks_csv(const UsageReport& report) {
  std::string out = "theme,block,cells,chunks\n";
  for (const ThemeUsage& t : report.themes)
    for (const BlockUsage& b : t.blocks) {
      out += std::to_string(t.theme) + ',' + std::to_string(b.block) + ',' + std::to_string(b.cells) + ',';
      for (size_t i = 0; i < b.chunks.size(); ++i) {
        if (i) out += ' ';
        out += std::to_string(b.chunks[i]);
      }
      out += '\n';
    }
  return out;
}
