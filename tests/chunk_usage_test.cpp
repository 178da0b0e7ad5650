// The block analysis: on the sample game through the batch command, whose outputs are compared
// with those recorded from this program, and on small hand-made layouts through the counting
// itself, whose figures are worked out by hand.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "files/atomic_file.h"
#include "files/rom_tables.h"
#include "gamedata/chunk_usage.h"
#include "test_support.h"

// Maps, generated project and damaged inputs: every report byte for byte (by hash), the
// warnings for each map and level left out, and the errors when nothing can be read.
TEST(ChunkUsageSample, ReportsOfRomAndProjectAndWhatIsLeftOut) {
  const std::string dir = scratch_dir("usage_sample");
  const int raw = std::system(("'" MOSSFORGE_BINARY_DIR "/samplegame' '" + dir + "/master' >/dev/null 2>&1").c_str());
  ASSERT_TRUE(WIFEXITED(raw) && WEXITSTATUS(raw) == 0);
  ASSERT_EQ(run_mossforge(dir, "generate-genesis master/genesis/glb.bin").status, 0);
  FrameHashes seen;
  auto report = [&](const std::string& name, const std::string& args) {
    const CommandRun r = run_mossforge(dir, "usage " + args);
    EXPECT_EQ(r.status, 0) << args << ": " << r.err;
    seen.push_back({name, fnv_mix(FNV_START, r.out.data(), r.out.size())});
    return r;
  };
  for (const char* args : {"chunks", "blocks", "chunks GLB-Gen.glp", "blocks GLB-Gen.glp"})
    EXPECT_EQ(report(args, args).err, "") << args;

  // Map 5's front layout pointer leads outside the image, and so for every map sharing its header.
  const std::string rom_path = dir + "/master/genesis/glb.bin";
  std::vector<uint8_t> rom;
  ASSERT_TRUE(read_whole_file(rom_path, rom));
  rom[genesis::LAYOUT_TABLE + 4 * rom[genesis::MAP_HEADERS + 13 * 5]] = 0x7F;
  ASSERT_TRUE(write_file_atomic(rom_path, rom));
  std::set<int> unread, warned;
  for (int map = 0; map < 0x70; ++map)
    if (rom[genesis::MAP_HEADERS + 13 * map] == rom[genesis::MAP_HEADERS + 13 * 5]) unread.insert(map);
  ASSERT_GE(unread.size(), 2u);
  std::istringstream warnings(report("chunks without unread maps", "chunks").err);
  for (std::string line; std::getline(warnings, line);) {
    ASSERT_EQ(line.rfind("WARNING: Map ", 0), 0u) << line;
    EXPECT_NE(line.find("lies outside the file"), std::string::npos) << line;
    warned.insert(std::stoi(line.substr(13, 2), nullptr, 16));
  }
  EXPECT_EQ(warned, unread);

  // A project level whose front layout file is missing: the others are still counted.
  std::filesystem::rename(dir + "/levels/lvl/Lvl03.lvl", dir + "/away.lvl");
  const std::string err = report("chunks GLB-Gen.glp without level 03", "chunks GLB-Gen.glp").err;
  EXPECT_EQ(err.rfind("WARNING: Level 03 is left out: File \"", 0), 0u) << err;
  EXPECT_NE(err.find("not found"), std::string::npos) << err;
  // And theme 0's chunkmap: each other level of the theme is left out, naming it.
  std::filesystem::rename(dir + "/themes/itm/Itm0.itm", dir + "/away.itm");
  const std::string no_set = report("chunks GLB-Gen.glp without theme 0's chunkmap", "chunks GLB-Gen.glp").err;
  std::istringstream lines(no_set);
  int named = 0;
  for (std::string line; std::getline(lines, line);) named += line.find("/Itm0.itm\" not found.") != std::string::npos;
  EXPECT_EQ(named, 4) << no_set;
  expect_frame_hashes("usage reports", seen,
                      {{"chunks", 0x90c974bb2d17ad69ull},
                       {"blocks", 0xb80a44f1531951c4ull},
                       {"chunks GLB-Gen.glp", 0xbc34d9ec0062f086ull},
                       {"blocks GLB-Gen.glp", 0xb80a44f1531951c4ull},
                       {"chunks without unread maps", 0xb01e276f1a6c3e61ull},
                       {"chunks GLB-Gen.glp without level 03", 0x0839e24715553576ull},
                       {"chunks GLB-Gen.glp without theme 0's chunkmap", 0xc9aad9fefc4a3385ull}});

  // Nothing readable at all, and no image: errors, status 1.
  rom.resize(0x1000);
  ASSERT_TRUE(write_file_atomic(rom_path, rom));
  CommandRun r = run_mossforge(dir, "usage blocks");
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

// Each case of counting in one small game: the expected figures are worked out by hand.
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
