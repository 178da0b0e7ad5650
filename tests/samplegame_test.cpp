// The sample master ROM image written by tools/samplegame: run as a program, then read back
// through the tables the editor's import, project generation and game build walk.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "files/atomic_file.h"
#include "files/pp20.h"
#include "test_support.h"

namespace {

using Bytes = std::vector<uint8_t>;

// Offsets of the Genesis image the editor reads.
constexpr uint32_t MARKERS = 0x0A2BF2, BLOCK_TYPES = 0x0A725A, MAP_TABLE = 0x0CB895, LAYOUT_TABLE = 0x0CEC8A,
                   CHUNK_SET_TABLE = 0x0CF08A, SOLIDITY_TABLE = 0x0CF0B6, PATTERN_TABLE = 0x0CF0E2,
                   BLOCK_MAP_TABLE = 0x0CF10E, PALETTE_TABLE = 0x111726, PLACEMENT_BEGIN = 0x1128AC,
                   PLACEMENT_END = 0x164904;

int run_generator(const std::string& out_dir) {
  const std::string cmd = "'" MOSSFORGE_BINARY_DIR "/samplegame' '" + out_dir + "' >/dev/null 2>&1";
  const int raw = std::system(cmd.c_str());
  return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}

bool packed_at(const Bytes& b, uint32_t p) {
  return p + 8 <= b.size() && b[p + 4] == 9 && b[p + 5] == 10 && b[p + 6] == 12 && b[p + 7] == 13;
}

class SampleImage : public ::testing::Test {
 protected:
  // One image per test process (tests may run in parallel processes, each in its own directory).
  static void SetUpTestSuite() {
    trace_ = pp20_trace;
    pp20_trace = nullptr;
    dir_ = new std::string(scratch_dir("samplegame"));
    rom_ = new Bytes;
    if (run_generator(*dir_) != 0 || !read_whole_file(*dir_ + "/genesis/glb.bin", *rom_)) rom_->clear();
  }
  static void TearDownTestSuite() {
    pp20_trace = trace_;
    std::filesystem::remove_all(*dir_);
    delete rom_;
    delete dir_;
    rom_ = nullptr;
    dir_ = nullptr;
  }
  void SetUp() override { ASSERT_GE(rom_->size(), 0x100000u) << "the generator wrote no image"; }

  const Bytes& rom() const { return *rom_; }
  uint32_t u8(uint32_t p) const { return rom().at(p); }
  uint32_t u16(uint32_t p) const { return rom().at(p) << 8 | rom().at(p + 1); }
  uint32_t u24(uint32_t p) const { return u8(p) << 16 | u16(p + 1); }
  uint32_t u32(uint32_t p) const { return u16(p) << 16 | u16(p + 2); }

  // The bytes of a block at p: decoded when packed, else `plain_size` bytes (or none).
  Bytes block(uint32_t p, size_t plain_size, bool* was_packed = nullptr) const {
    const bool packed = packed_at(rom(), p);
    if (was_packed) *was_packed = packed;
    if (!packed) {
      if (p > rom().size() || plain_size > rom().size() - p) return {};
      return Bytes(rom().begin() + p, rom().begin() + p + plain_size);
    }
    raw_data out;
    std::string error;
    EXPECT_TRUE(pp20_load(rom().data(), rom().size(), p, out, &error)) << "block at " << p << ": " << error;
    return out.buffer;
  }

  // Size of a plain layout block, as its loader works it out.
  uint32_t plain_layout_size(uint32_t p) const { return u16(p + 8 + (u16(p + 6) >> 3)); }
  // Size of a plain chunk set: the last entry's offset plus its cells.
  uint32_t plain_chunk_set_size(uint32_t p) const {
    const uint32_t c = u16(p + 4);
    if (c == 0) return 6;
    const uint32_t last = u16(p + 4 + 2 * c);
    return last + 2 + 2 * u8(p + last) * u8(p + last + 1);
  }
  Bytes layout(int n, bool* packed = nullptr) const {
    const uint32_t p = u32(LAYOUT_TABLE + 4 * n);
    const bool plain = rom().at(p) == 'M' && rom().at(p + 1) == 'A' && rom().at(p + 2) == 'P';
    return block(p, plain ? plain_layout_size(p) : 0, packed);
  }
  Bytes chunk_set(int t, bool* packed = nullptr) const {
    const uint32_t p = u32(CHUNK_SET_TABLE + 4 * t);
    const bool plain = std::string(rom().begin() + p, rom().begin() + p + 4) == "ITMS";
    return block(p, plain ? plain_chunk_set_size(p) : 0, packed);
  }
  int theme_count() const {
    int t = 0;
    while (t < 11 && u32(CHUNK_SET_TABLE + 4 * t) > 0) ++t;
    return t;
  }

  static std::string* dir_;
  static Bytes* rom_;
  static FILE* trace_;
};
std::string* SampleImage::dir_ = nullptr;
Bytes* SampleImage::rom_ = nullptr;
FILE* SampleImage::trace_ = nullptr;

uint32_t be16(const Bytes& b, size_t p) { return b.at(p) << 8 | b.at(p + 1); }

// Checks a decoded layout block the way its loader and the canonical writer see it; returns
// the chunk placements' chunk numbers.
std::vector<int> check_layout(const Bytes& b, int n) {
  SCOPED_TRACE("layout " + std::to_string(n));
  std::vector<int> chunks;
  EXPECT_GE(b.size(), 10u);
  if (b.size() < 10) return chunks;
  EXPECT_EQ(std::string(b.begin(), b.begin() + 3), "MAP");
  const uint32_t h = be16(b, 6), rows = h >> 4;
  EXPECT_EQ(h % 16, 0u);
  EXPECT_EQ(be16(b, 8), 10 + (h >> 3)) << "first row directly behind the table";
  EXPECT_EQ(be16(b, 8 + 2 * rows), b.size()) << "last table entry is the block size";
  for (uint32_t k = 1; k <= rows; ++k) {
    const uint32_t from = be16(b, 8 + 2 * (k - 1)), to = be16(b, 8 + 2 * k);
    EXPECT_LE(from, to);
    EXPECT_EQ((to - from) % 4, 0u);
    for (uint32_t o = from; o + 4 <= to && to <= b.size(); o += 4)
      if (be16(b, o) < 0x400) chunks.push_back(be16(b, o) & 0x1FF);
  }
  return chunks;
}

struct ChunkInfo {
  int w, h;
  std::vector<uint16_t> cells;
};

std::vector<ChunkInfo> check_chunk_set(const Bytes& b, int t) {
  SCOPED_TRACE("chunk set of theme " + std::to_string(t));
  std::vector<ChunkInfo> chunks;
  EXPECT_GE(b.size(), 6u);
  if (b.size() < 6) return chunks;
  EXPECT_EQ(std::string(b.begin(), b.begin() + 4), "ITMS");
  const uint32_t c = be16(b, 4);
  uint32_t expected = 6 + 2 * c;
  for (uint32_t i = 0; i < c; ++i) {
    const uint32_t at = be16(b, 6 + 2 * i);
    EXPECT_EQ(at, expected) << "chunk " << i << " follows the previous one";
    if (at + 2 > b.size()) return chunks;
    ChunkInfo info{b[at], b[at + 1], {}};
    EXPECT_TRUE(info.w >= 1 && info.w <= 16 && info.h >= 1 && info.h <= 16) << "chunk " << i;
    for (int k = 0; k < info.w * info.h && at + 4 + 2 * k <= b.size(); ++k) info.cells.push_back(be16(b, at + 2 + 2 * k));
    expected = at + 2 + 2 * info.w * info.h;
    chunks.push_back(info);
  }
  EXPECT_EQ(expected, b.size()) << "the entries fill the block exactly";
  return chunks;
}

TEST(SampleGameGenerator, WritesTheSameBytesOnEveryRun) {
  const std::string a = scratch_dir("samplegame_run_a"), b = scratch_dir("samplegame_run_b");
  ASSERT_EQ(run_generator(a), 0);
  ASSERT_EQ(run_generator(b), 0);
  Bytes first, second;
  ASSERT_TRUE(read_whole_file(a + "/genesis/glb.bin", first));
  ASSERT_TRUE(read_whole_file(b + "/genesis/glb.bin", second));
  EXPECT_EQ(first.size(), second.size());
  EXPECT_TRUE(first == second);
}

TEST(SampleGameGenerator, RefusesAnOutputItCannotWrite) {
  const std::string dir = scratch_dir("samplegame_blocked");
  ASSERT_TRUE(write_file_atomic(dir + "/genesis", Bytes{1, 2, 3}));  // a file where the directory goes
  EXPECT_NE(run_generator(dir), 0);
}

TEST_F(SampleImage, LayoutNotesMatchTheGeneratorAndEveryOtherByteIsZero) {
  // tools/samplegame/LAYOUT.md carries the generator's own listing; other tests rely on it.
  const std::string dir = scratch_dir("samplegame_layout");
  const std::string cmd = "'" MOSSFORGE_BINARY_DIR "/samplegame' --layout >'" + dir + "/layout.txt'";
  ASSERT_EQ(std::system(cmd.c_str()), 0);
  Bytes listing, notes;
  ASSERT_TRUE(read_whole_file(dir + "/layout.txt", listing));
  ASSERT_TRUE(read_whole_file(source_path("tools/samplegame/LAYOUT.md"), notes));
  const std::string text(notes.begin(), notes.end());
  const std::string begin = "<!-- samplegame --layout begins -->\n", end = "<!-- samplegame --layout ends -->";
  const size_t from = text.find(begin), to = text.find(end);
  ASSERT_NE(from, std::string::npos);
  ASSERT_NE(to, std::string::npos);
  auto lines = [](const std::string& t) {
    std::vector<std::string> out;
    for (size_t at = 0; at < t.size();) {
      size_t nl = t.find('\n', at);
      if (nl == std::string::npos) nl = t.size();
      out.push_back(t.substr(at, nl - at));
      at = nl + 1;
    }
    return out;
  };
  const std::vector<std::string> noted = lines(text.substr(from + begin.size(), to - from - begin.size()));
  const std::vector<std::string> actual = lines(std::string(listing.begin(), listing.end()));
  for (size_t i = 0; i < std::max(noted.size(), actual.size()); ++i) {
    const std::string a = i < noted.size() ? noted[i] : "(none)", b = i < actual.size() ? actual[i] : "(none)";
    ASSERT_EQ(a, b) << "line " << i + 1 << " of the listing; run build/samplegame --layout and paste its output into LAYOUT.md";
  }
  // The offset table lists every piece of data: the bytes outside it are zero.
  std::vector<bool> listed(rom().size(), false);
  size_t pieces = 0;
  for (const std::string& line : actual) {
    unsigned offset = 0, size = 0;
    if (std::sscanf(line.c_str(), "| 0x%x | %u |", &offset, &size) != 2) continue;
    ++pieces;
    for (size_t k = offset; k < offset + size && k < listed.size(); ++k) listed[k] = true;
  }
  EXPECT_GT(pieces, 50u);
  size_t stray = 0;
  for (size_t k = 0; k < rom().size(); ++k) stray += !listed[k] && rom()[k] != 0;
  EXPECT_EQ(stray, 0u) << "non-zero bytes outside the listed pieces";
}

TEST_F(SampleImage, FitsTwoMegabytesAndLeavesThePlacementAreaZero) {
  EXPECT_LE(rom().size(), 0x200000u);
  ASSERT_GE(rom().size(), PLACEMENT_END);
  for (uint32_t p = PLACEMENT_BEGIN; p < PLACEMENT_END; ++p)
    ASSERT_EQ(rom()[p], 0) << "placement area byte at " << std::hex << p;
}

TEST_F(SampleImage, ThemeTablesPointAtDecodableBlocksAndEndWithAZeroEntry) {
  const int themes = theme_count();
  EXPECT_GE(themes, 4);
  EXPECT_EQ(u32(CHUNK_SET_TABLE + 4 * themes), 0u);
  EXPECT_EQ(u32(SOLIDITY_TABLE + 4 * themes), 0u);
  EXPECT_EQ(u32(PATTERN_TABLE + 4 * themes), 0u);
  EXPECT_EQ(u32(BLOCK_MAP_TABLE + 4 * themes), 0u);
  std::set<bool> chunk_forms, map_forms;
  for (int t = 0; t < themes; ++t) {
    SCOPED_TRACE("theme " + std::to_string(t));
    for (uint32_t table : {CHUNK_SET_TABLE, SOLIDITY_TABLE, PATTERN_TABLE, BLOCK_MAP_TABLE}) {
      const uint32_t p = u32(table + 4 * t);
      EXPECT_GT(p, 0u);
      EXPECT_LT(p, rom().size());
    }
    const uint32_t solidity = u32(SOLIDITY_TABLE + 4 * t);
    EXPECT_LE(solidity + 4160, rom().size());
    EXPECT_FALSE(packed_at(rom(), solidity)) << "solidity is stored plain";

    ASSERT_TRUE(packed_at(rom(), u32(PATTERN_TABLE + 4 * t))) << "patterns are always packed";
    const Bytes patterns = block(u32(PATTERN_TABLE + 4 * t), 0);
    EXPECT_GT(patterns.size(), 0u);
    EXPECT_EQ(patterns.size() % 32, 0u);
    const size_t pattern_count = patterns.size() / 32;

    bool packed = false;
    const Bytes map = block(u32(BLOCK_MAP_TABLE + 4 * t), 3968, &packed);
    map_forms.insert(packed);
    ASSERT_EQ(map.size(), 3968u);
    for (size_t i = 0; i < map.size(); i += 2) EXPECT_LT(be16(map, i) & 0x7FF, pattern_count) << "mapping word " << i / 2;

    const std::vector<ChunkInfo> chunks = check_chunk_set(chunk_set(t, &packed), t);
    chunk_forms.insert(packed);
    EXPECT_GT(chunks.size(), 0u);
    EXPECT_LE(chunks.size(), 512u);
    // Every block a chunk names is a common block or a level block with a mapping drawn.
    for (const ChunkInfo& c : chunks)
      for (uint16_t cell : c.cells) {
        const int n = cell & 0x1FF;
        if (n < 24) continue;
        const size_t m = 8 * static_cast<size_t>(n - 24);
        EXPECT_TRUE(be16(map, m) || be16(map, m + 2) || be16(map, m + 4) || be16(map, m + 6)) << "block " << n;
      }
  }
  EXPECT_EQ(chunk_forms.size(), 2u) << "chunk sets both plain and packed";
  EXPECT_EQ(map_forms.size(), 2u) << "block maps both plain and packed";
}

TEST_F(SampleImage, LayoutsDecodeInCanonicalFormAndNameExistingChunks) {
  std::vector<size_t> chunk_counts;
  for (int t = 0; t < theme_count(); ++t) chunk_counts.push_back(check_chunk_set(chunk_set(t), t).size());
  std::set<bool> forms;
  std::set<uint32_t> bank_pointers[2];
  int repeats[2] = {0, 0};
  for (int n = 0; n < 256; ++n) {
    const uint32_t p = u32(LAYOUT_TABLE + 4 * n);
    ASSERT_LT(p, rom().size());
    if (!bank_pointers[n / 128].insert(p).second) {
      ++repeats[n / 128];
      continue;
    }
    bool packed = false;
    const Bytes b = layout(n, &packed);
    forms.insert(packed);
    const std::vector<int> used = check_layout(b, n);
    ASSERT_GE(b.size(), 4u);
    ASSERT_LT(b[3], chunk_counts.size()) << "theme of layout " << n;
    for (int c : used) EXPECT_LT(static_cast<size_t>(c), chunk_counts[b[3]]) << "layout " << n;
  }
  EXPECT_EQ(forms.size(), 2u) << "layouts both plain and packed";
  EXPECT_GT(repeats[0], 0) << "repeated pointers in the first bank";
  EXPECT_GT(repeats[1], 0) << "repeated pointers in the second bank";
}

TEST_F(SampleImage, MapHeadersNameLayoutsAndPalettesThatExist) {
  for (int p = 0; p < 107; ++p) {
    const uint32_t at = u32(PALETTE_TABLE + 4 * p);
    EXPECT_LE(at + 32, rom().size());
    for (int i = 0; i < 16; ++i) EXPECT_EQ(u16(at + 2 * i) & 0xF111, 0u) << "colour word of palette " << p;
  }
  int levels = 0;
  for (int m = 0; m < 256; ++m) {
    const uint32_t h = MAP_TABLE + 13 * m;
    for (int i = 2; i < 6; ++i) EXPECT_LT(u8(h + i), 107u) << "palette of map " << m;
    const Bytes front = layout(static_cast<int>(u8(h)));
    ASSERT_GE(front.size(), 8u);
    if (m > 0 && m < 112 && u8(h) == static_cast<uint32_t>(m)) {
      ++levels;
      EXPECT_GE(u8(h + 1), 0x80u) << "back layouts of levels are in the second bank";
      const Bytes back = layout(static_cast<int>(u8(h + 1)));
      EXPECT_EQ(back[3], front[3]) << "back plane of map " << m << " in the level's theme";
      EXPECT_GE(be16(back, 4), be16(front, 4)) << "back plane covers the front plane";
      EXPECT_GE(be16(back, 6), be16(front, 6));
    }
  }
  EXPECT_GE(levels, 20);
  // Map 0 is the world map: map_front 0, a large plane.
  EXPECT_EQ(u8(MAP_TABLE), 0u);
  const Bytes world = layout(0);
  EXPECT_GE(be16(world, 4), 2048u);
  EXPECT_GE(be16(world, 6), 1024u);
}

TEST_F(SampleImage, MarkersHaveNamesTypesAndLinksInRange) {
  const Bytes world = layout(0);
  std::set<uint32_t> types;
  for (int i = 0; i < 131; ++i) {
    SCOPED_TRACE("marker " + std::to_string(i));
    const uint32_t e = MARKERS + 14 * i;
    types.insert(u8(e));
    EXPECT_TRUE(u8(e) == 0 || u8(e) == 1 || u8(e) == 0xFE || u8(e) == 0xFF);
    EXPECT_LT(u24(e + 1) + 25, rom().size());
    const int16_t x = static_cast<int16_t>(u16(e + 4)), y = static_cast<int16_t>(u16(e + 6));
    EXPECT_TRUE(x >= 0 && x < static_cast<int>(be16(world, 4)) && y >= 3 && y < static_cast<int>(be16(world, 6)));
    int linked = 0;
    for (int k = 8; k <= 11; ++k) {
      EXPECT_TRUE(u8(e + k) <= 130 || u8(e + k) == 255);
      linked += u8(e + k) != 255;
    }
    EXPECT_GE(linked, 1) << "every marker is reachable";
    if (u8(e) == 1) {
      const uint32_t other = u8(e + 13);
      ASSERT_LE(other, 130u);
      EXPECT_EQ(u8(MARKERS + 14 * other), 1u) << "tunnels lead to tunnels";
      EXPECT_EQ(u8(MARKERS + 14 * other + 13), static_cast<uint32_t>(i)) << "and back";
    }
  }
  EXPECT_EQ(types, (std::set<uint32_t>{0, 1, 0xFE, 0xFF}));
}

TEST_F(SampleImage, BlockObjectsInLevelsReferToValidBlockTypes) {
  // The editor deletes a selected block object whose entry has a negative kind; the sample
  // places none of those.
  for (int n = 0; n < 128; ++n) {
    const Bytes b = layout(n);
    const uint32_t rows = be16(b, 6) >> 4;
    for (uint32_t o = be16(b, 8); o + 4 <= be16(b, 8 + 2 * rows); o += 4) {
      const uint32_t code = be16(b, o);
      if ((code & 0xFF00) != 0x0900) continue;
      ASSERT_LT(code & 0xFF, 105u);
      EXPECT_GE(static_cast<int16_t>(u16(BLOCK_TYPES + 4 * (code & 0xFF))), 0) << "layout " << n;
    }
  }
}

}  // namespace
