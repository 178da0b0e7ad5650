// The block analysis: placements and cell counts per theme, checked against an oracle that
// reads the layout and chunk-set blocks straight from the bytes (its own parser; only the
// PP20 decoder is shared), on the sample game through the batch command and on small
// hand-made layouts through the counting itself.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "files/atomic_file.h"
#include "files/packed_block.h"
#include "files/rom_tables.h"
#include "gamedata/chunk_usage.h"
#include "test_support.h"

namespace {

using Bytes = std::vector<uint8_t>;

uint32_t be16(const Bytes& b, size_t at) { return at + 2 <= b.size() ? (b[at] << 8) | b[at + 1] : 0; }
uint32_t be32(const Bytes& b, size_t at) { return (be16(b, at) << 16) | be16(b, at + 2); }

// A block at `at`: unpacked when packed, else the bytes from there on.
Bytes block_at(const Bytes& file, size_t at) {
  Bytes out;
  if (has_packed_block_mark(file.data(), file.size(), at)) {
    std::string error;
    EXPECT_TRUE(unpack_block(file.data(), file.size(), at, out, error)) << error;
    return out;
  }
  return Bytes(file.begin() + static_cast<long>(at), file.end());
}

// What the oracle knows of a layout block: its theme and its object codes.
struct RawLayout {
  int theme = -1;
  std::vector<uint16_t> codes;
};
RawLayout parse_layout(const Bytes& b) {
  RawLayout l;
  if (b.size() < 10 || b[0] != 'M' || b[1] != 'A' || b[2] != 'P') return l;
  l.theme = b[3];
  const uint32_t n = be16(b, 6) >> 4;
  const uint32_t end = be16(b, 8 + 2 * n);
  for (uint32_t k = 1; k <= n; ++k) {
    const uint32_t from = be16(b, 8 + 2 * (k - 1));
    const uint32_t to = k < n ? be16(b, 8 + 2 * k) : std::min<uint32_t>(end, static_cast<uint32_t>(b.size()));
    for (uint32_t p = from; p + 4 <= to; p += 4) l.codes.push_back(static_cast<uint16_t>(be16(b, p)));
  }
  return l;
}

// Chunk i: the block numbers of its cells inside width x height.
std::vector<std::vector<int>> parse_chunk_set(const Bytes& b) {
  std::vector<std::vector<int>> chunks;
  const uint32_t c = be16(b, 4);
  for (uint32_t i = 0; i < c; ++i) {
    const uint32_t at = be16(b, 6 + 2 * i);
    const int w = b[at], h = b[at + 1];
    std::vector<int> cells;
    for (int k = 0; k < w * h; ++k) cells.push_back(be16(b, at + 2 + 2 * k) & 0x1FF);
    chunks.push_back(cells);
  }
  return chunks;
}

// The oracle's tallies and their CSV texts, written independently of the analysis.
struct Oracle {
  std::map<int, std::vector<std::vector<int>>> sets;             // theme -> chunks
  std::map<std::pair<int, int>, std::map<int, int>> placements;  // (theme, chunk) -> level -> count
  void add_level(int level, const RawLayout& front, const RawLayout* back) {
    for (const RawLayout* l : {&front, back})
      if (l)
        for (uint16_t code : l->codes)
          if (code < 0x400) ++placements[{front.theme, code & 0x1FF}][level];
  }
  std::string chunks_csv() const {
    std::ostringstream out;
    out << "theme,chunk,placements,levels\n";
    for (const auto& [theme, set] : sets) {
      std::set<int> numbers;
      for (size_t i = 0; i < set.size(); ++i) numbers.insert(static_cast<int>(i));
      for (const auto& [key, levels] : placements)
        if (key.first == theme) numbers.insert(key.second);
      for (int n : numbers) {
        auto it = placements.find({theme, n});
        int total = 0;
        std::string list;
        if (it != placements.end())
          for (const auto& [level, count] : it->second) {
            total += count;
            char hex[4];
            std::snprintf(hex, sizeof hex, "%02X", level);
            list += (list.empty() ? "" : " ") + std::string(hex);
          }
        out << theme << ',' << n << ',' << total << ',' << list << '\n';
      }
    }
    return out.str();
  }
  std::string blocks_csv() const {
    std::ostringstream out;
    out << "theme,block,cells,chunks\n";
    for (const auto& [theme, set] : sets) {
      std::map<int, std::pair<int, std::set<int>>> blocks;
      for (int b = 1; b <= 519; ++b) blocks[b];
      for (size_t i = 0; i < set.size(); ++i)
        for (int block : set[i]) {
          ++blocks[block].first;
          blocks[block].second.insert(static_cast<int>(i));
        }
      for (const auto& [block, use] : blocks) {
        out << theme << ',' << block << ',' << use.first << ',';
        bool first = true;
        for (int c : use.second) out << (first ? "" : " ") << c, first = false;
        out << '\n';
      }
    }
    return out.str();
  }
};

// The oracle of maps 0x00 .. 0x6F of a ROM image; maps in `skip` are left out.
Oracle rom_oracle(const Bytes& rom, const std::set<int>& skip = {}) {
  Oracle o;
  for (int map = 0; map < 0x70; ++map) {
    if (skip.count(map)) continue;
    const size_t h = genesis::MAP_HEADERS + 13 * static_cast<size_t>(map);
    const RawLayout front = parse_layout(block_at(rom, be32(rom, genesis::LAYOUT_TABLE + 4 * rom[h])));
    const uint32_t back_at = be32(rom, genesis::LAYOUT_TABLE + 4 * rom[h + 1]);
    const RawLayout back = back_at ? parse_layout(block_at(rom, back_at)) : RawLayout();
    if (!o.sets.count(front.theme))
      o.sets[front.theme] = parse_chunk_set(block_at(rom, be32(rom, genesis::CHUNKMAP_TABLE + 4 * front.theme)));
    o.add_level(map, front, &back);
  }
  return o;
}

// A project's value of `key` in a text file, or "".
std::string text_value(const std::string& path, const std::string& key) {
  std::ifstream in(path);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const size_t eq = line.find('=');
    if (eq == std::string::npos) continue;
    std::string k = line.substr(0, eq), v = line.substr(eq + 1);
    while (!k.empty() && (k.back() == ' ' || k.back() == '\t')) k.pop_back();
    while (!v.empty() && (v.front() == ' ' || v.front() == '\t')) v.erase(0, 1);
    if (k == key) return v;
  }
  return "";
}

Bytes file_bytes(const std::string& path) {
  Bytes b;
  read_whole_file(path, b);
  return b;
}

// The oracle of a project in dir whose project file is `glp`.
Oracle project_oracle(const std::string& dir, const std::string& glp) {
  Oracle o;
  auto folder = [](const std::string& p) { return p.substr(0, p.find_last_of('/') + 1); };
  for (int level = 0; level < 128; ++level) {
    char key[16];
    std::snprintf(key, sizeof key, "level_%02X", level);
    const std::string gll = text_value(dir + "/" + glp, key);
    if (gll.empty()) continue;
    const std::string dl = dir + "/" + folder(gll);
    const RawLayout front = parse_layout(block_at(file_bytes(dl + text_value(dir + "/" + gll, "map_front")), 0));
    const std::string back_name = text_value(dir + "/" + gll, "map_back");
    const bool back_there = !back_name.empty() && std::filesystem::exists(dl + back_name);
    const RawLayout back = back_there ? parse_layout(block_at(file_bytes(dl + back_name), 0)) : RawLayout();
    if (!o.sets.count(front.theme)) {
      std::snprintf(key, sizeof key, "theme_%X", front.theme);
      const std::string glt = text_value(dir + "/" + glp, key);
      o.sets[front.theme] = parse_chunk_set(block_at(file_bytes(dir + "/" + folder(glt) + text_value(dir + "/" + glt, "chunkmap")), 0));
    }
    o.add_level(level, front, &back);
  }
  return o;
}

// A workspace with the sample game's master files.
std::string sample_workspace(const std::string& name) {
  const std::string dir = scratch_dir(name);
  const std::string cmd = "'" MOSSFORGE_BINARY_DIR "/samplegame' '" + dir + "/master' >/dev/null 2>&1";
  const int raw = std::system(cmd.c_str());
  EXPECT_TRUE(WIFEXITED(raw) && WEXITSTATUS(raw) == 0);
  return dir;
}

}  // namespace

TEST(ChunkUsageSample, RomAndGeneratedProjectMatchTheOracle) {
  const std::string dir = sample_workspace("usage_sample");
  const Bytes rom = file_bytes(dir + "/master/genesis/glb.bin");
  const Oracle rom_counts = rom_oracle(rom);
  // The sample game uses every theme and shares layouts between maps: a real test.
  ASSERT_EQ(rom_counts.sets.size(), 6u);
  CommandRun r = run_mossforge(dir, "usage chunks");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(r.out, rom_counts.chunks_csv());
  r = run_mossforge(dir, "usage blocks");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, rom_counts.blocks_csv());

  ASSERT_EQ(run_mossforge(dir, "generate-genesis master/genesis/glb.bin").status, 0);
  const Oracle project_counts = project_oracle(dir, "GLB-Gen.glp");
  r = run_mossforge(dir, "usage chunks GLB-Gen.glp");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, project_counts.chunks_csv());
  r = run_mossforge(dir, "usage blocks GLB-Gen.glp");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, project_counts.blocks_csv());
}

TEST(ChunkUsageSample, UnreadableLevelsAreReportedAndTheOthersCounted) {
  const std::string dir = sample_workspace("usage_unreadable");
  const std::string rom_path = dir + "/master/genesis/glb.bin";
  ASSERT_EQ(run_mossforge(dir, "generate-genesis master/genesis/glb.bin").status, 0);
  Bytes rom = file_bytes(rom_path);
  // Map 5's front layout pointer leads outside the image; map 0x1C repeats map 5's header.
  const size_t entry = genesis::LAYOUT_TABLE + 4 * rom[genesis::MAP_HEADERS + 13 * 5];
  rom[entry] = 0x7F;
  ASSERT_TRUE(write_file_atomic(rom_path, rom));
  std::set<int> unread;
  for (int map = 0; map < 0x70; ++map)
    if (rom[genesis::MAP_HEADERS + 13 * map] == rom[genesis::MAP_HEADERS + 13 * 5]) unread.insert(map);
  ASSERT_GE(unread.size(), 2u);
  CommandRun r = run_mossforge(dir, "usage chunks");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, rom_oracle(rom, unread).chunks_csv());
  std::istringstream warnings(r.err);
  std::string line;
  std::set<int> warned;
  while (std::getline(warnings, line)) {
    ASSERT_EQ(line.rfind("WARNING: Map ", 0), 0u) << line;
    EXPECT_NE(line.find("lies outside the file"), std::string::npos) << line;
    warned.insert(std::stoi(line.substr(13, 2), nullptr, 16));
  }
  EXPECT_EQ(warned, unread);

  // A project level whose front layout file is missing: the others are still counted.
  const std::string gll = dir + "/" + text_value(dir + "/GLB-Gen.glp", "level_03");
  const std::string front = gll.substr(0, gll.find_last_of('/') + 1) + text_value(gll, "map_front");
  const Oracle before = project_oracle(dir, "GLB-Gen.glp");
  std::filesystem::rename(front, front + ".away");
  r = run_mossforge(dir, "usage chunks GLB-Gen.glp");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err.rfind("WARNING: Level 03 is left out: File \"", 0), 0u) << r.err;
  EXPECT_NE(r.err.find("not found"), std::string::npos) << r.err;
  EXPECT_NE(r.out, before.chunks_csv());  // level 03's placements are gone
  std::filesystem::rename(front + ".away", front);
  EXPECT_EQ(run_mossforge(dir, "usage chunks GLB-Gen.glp").out, before.chunks_csv());

  // Nothing readable at all, and no image: errors, status 1.
  rom.resize(0x1000);
  ASSERT_TRUE(write_file_atomic(rom_path, rom));
  r = run_mossforge(dir, "usage blocks");
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("ERROR: No map of the ROM image could be read."), std::string::npos) << r.err;
  std::filesystem::remove(rom_path);
  r = run_mossforge(dir, "usage chunks");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err.rfind("ERROR: ", 0), 0u);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(run_mossforge(dir, "usage tiles").status, 1);
  EXPECT_EQ(run_mossforge(dir, "usage chunks missing.glp").status, 1);
}

namespace {

LayoutPlane plane_of(int theme, const std::vector<std::vector<uint16_t>>& rows) {
  LayoutPlane p;
  p.theme = static_cast<uint8_t>(theme);
  p.rows.resize(rows.size() + 1);
  for (size_t r = 0; r < rows.size(); ++r)
    for (uint16_t code : rows[r]) p.rows[r + 1].objects.push_back({code, static_cast<uint16_t>(16 * r)});
  return p;
}

Chunk chunk_of(int w, int h, std::vector<uint16_t> cells) {
  Chunk c;
  c.width = static_cast<int8_t>(w);
  c.height = static_cast<int8_t>(h);
  for (size_t i = 0; i < cells.size(); ++i) c.cells[i] = cells[i];
  return c;
}

}  // namespace

// Each case of the issue in one small game: the expected figures are worked out by hand.
TEST(ChunkUsageCounts, HandMadeLayoutsCountAsThePlacementsSay) {
  ChunkMap set;
  // Chunk 0: 2x1, blocks 30 and 31; a cell beyond its width (column 2) holds block 40.
  set.chunks.push_back(chunk_of(2, 1, {30, 31 | 0x1000, 40}));
  // Chunk 1: 1x2 (cells 0 and 16), block 30 twice; cell 1 lies outside and holds block 41.
  Chunk c1 = chunk_of(1, 2, {30, 41});
  c1.cells[16] = 30 | 0x2000;
  set.chunks.push_back(c1);
  // Chunk 2 is placed nowhere; it alone holds block 50.
  set.chunks.push_back(chunk_of(1, 1, {50}));
  // Chunk 3 is placed only in a back layout.
  set.chunks.push_back(chunk_of(1, 1, {31}));

  // Level 1 and level 4 share their front layout; chunk 0 also placed flipped (bit 9),
  // chunk 7 is a broken reference, 0x0800 a pickup and 0x0401 no placement.
  const LayoutPlane shared = plane_of(2, {{0x0000, 0x0200}, {0x0001, 0x0800}, {0x0007, 0x0401}});
  const LayoutPlane back = plane_of(9, {{0x0003, 0x0003}});  // its own theme byte does not count
  const LayoutPlane empty;
  UsageReport report;
  count_usage({{4, &shared, &empty, 2, &set}, {1, &shared, &back, 2, &set}}, report);

  ASSERT_EQ(report.themes.size(), 1u);
  EXPECT_EQ(report.levels_read, 2);
  const ThemeUsage& t = report.themes[0];
  EXPECT_EQ(t.theme, 2);
  EXPECT_EQ(t.first_level, 1);
  ASSERT_EQ(t.chunks.size(), 5u);  // chunks 0 .. 3 of the set and the broken reference 7
  auto levels = [](const ChunkUsage* c) {
    std::vector<std::tuple<int, int, int>> out;
    for (const ChunkLevelUse& u : c->levels) out.emplace_back(u.level, u.front, u.back);
    return out;
  };
  using L = std::vector<std::tuple<int, int, int>>;
  EXPECT_EQ(t.chunk(0)->placements, 4);
  EXPECT_EQ(levels(t.chunk(0)), (L{{1, 2, 0}, {4, 2, 0}}));
  EXPECT_EQ(t.chunk(1)->placements, 2);
  EXPECT_EQ(t.chunk(2)->placements, 0);
  EXPECT_TRUE(t.chunk(2)->levels.empty());
  EXPECT_TRUE(t.chunk(2)->in_set);
  EXPECT_EQ(levels(t.chunk(3)), (L{{1, 0, 2}}));
  EXPECT_FALSE(t.chunk(7)->in_set);
  EXPECT_EQ(t.chunk(7)->placements, 2);
  EXPECT_EQ(t.chunk(4), nullptr);

  EXPECT_EQ(usage_chunks_csv(report), "theme,chunk,placements,levels\n2,0,4,01 04\n2,1,2,01 04\n2,2,0,\n"
                                      "2,3,2,01\n2,7,2,01 04\n");
  // Blocks: 1 .. 519 listed; block 30 in chunks 0 and 1 (3 cells), 31 in chunks 0 and 3,
  // 50 only in the unused chunk 2; 40 and 41 lie outside their chunks and count nothing.
  ASSERT_EQ(t.blocks.size(), 519u);
  auto block = [&](int b) { return t.blocks[static_cast<size_t>(b - 1)]; };
  EXPECT_EQ(block(30).cells, 3);
  EXPECT_EQ(block(30).chunks, (std::vector<uint16_t>{0, 1}));
  EXPECT_EQ(block(31).chunks, (std::vector<uint16_t>{0, 3}));
  EXPECT_EQ(block(50).chunks, (std::vector<uint16_t>{2}));
  EXPECT_EQ(block(40).cells, 0);
  EXPECT_EQ(block(41).cells, 0);
  EXPECT_EQ(block(519).block, 519);
  const std::string blocks = usage_blocks_csv(report);
  EXPECT_NE(blocks.find("\n2,30,3,0 1\n"), std::string::npos);
  EXPECT_NE(blocks.find("\n2,519,0,\n"), std::string::npos);

  // An empty cell inside a chunk is block 0, listed only when some cell uses it.
  set.chunks[2].cells[0] = 0x4000;
  UsageReport with_zero;
  count_usage({{1, &shared, &empty, 2, &set}}, with_zero);
  EXPECT_EQ(with_zero.themes[0].blocks.front().block, 0);
  EXPECT_EQ(with_zero.themes[0].blocks.front().cells, 1);
}
