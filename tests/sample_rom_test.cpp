// The import, the block formats and the file commands on the sample game's ROM image.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <set>

#include "files/atomic_file.h"
#include "files/byte_order.h"
#include "files/chunk_set_block.h"
#include "files/layout_block.h"
#include "files/packed_block.h"
#include "gamedata/level_bitmaps.h"
#include "gamedata/level_files.h"
#include "gamedata/level_model.h"
#include "gamedata/rom_import.h"
#include "test_rom.h"
#include "test_support.h"
#include "ui/messages.h"

namespace {

// The sample ROM image, generated once per test run.
const RomImage& sample_rom() {
  static RomImage rom;
  if (rom.empty()) {
    const std::string dir = scratch_dir("sample_rom_master");
    const std::string cmd = "'" MOSSFORGE_BINARY_DIR "/samplegame' '" + dir + "' >/dev/null";
    if (std::system(cmd.c_str()) != 0 || !read_whole_file(dir + "/genesis/glb.bin", rom)) rom.clear();
  }
  return rom;
}

class SampleRom : public ::testing::Test {
 protected:
  void SetUp() override {
    headless_screen();
    ASSERT_FALSE(sample_rom().empty()) << "samplegame did not write the ROM image";
    dir = scratch_dir(::testing::UnitTest::GetInstance()->current_test_info()->name());
    cwd = std::make_unique<ScopedCwd>(dir);
    write_test_rom(sample_rom(), dir);
    captured_messages().clear();
  }
  void TearDown() override {
    cwd.reset();
    release_level_model();
    release_level_bitmaps();
    level_file_name.clear();
    chunkmap_file_name.clear();
  }
  std::string dir;
  std::unique_ptr<ScopedCwd> cwd;
};

size_t pointer(const RomImage& rom, size_t table, int index) { return read_be32(&rom[table + 4 * index]); }

// The bytes of a block map as the ROM holds it: decoded when packed, else 3968 plain bytes.
std::vector<uint8_t> blockmap_bytes(const RomImage& rom, size_t at) {
  std::vector<uint8_t> out;
  std::string error;
  if (has_packed_block_mark(rom.data(), rom.size(), at)) {
    EXPECT_TRUE(unpack_block(rom.data(), rom.size(), at, out, error)) << error;
  } else {
    out.assign(rom.begin() + at, rom.begin() + at + 3968);
  }
  return out;
}

std::vector<uint8_t> file_bytes(const std::string& path) {
  std::vector<uint8_t> b;
  EXPECT_TRUE(read_whole_file(path, b)) << path;
  return b;
}

}  // namespace

TEST_F(SampleRom, ImportWritesDumpsOfExactlyTheRomBytes) {
  const RomImage& rom = sample_rom();
  for (int map : {0, 1, 7}) {
    captured_messages().clear();
    ASSERT_EQ(level_import_map(static_cast<uint8_t>(map)), 0) << captured_messages().back();
    ASSERT_EQ(captured_messages().size(), 1u);
    if (map == 0) EXPECT_EQ(captured_messages()[0], "[00] MAP SCREEN");
    else
      EXPECT_EQ(captured_messages()[0], format_text("[%02X] %s", map, markers[map - 1].name.c_str()));
    const int theme = front_layout.theme;
    std::vector<uint8_t> expected;
    std::string error;
    ASSERT_TRUE(unpack_block(rom.data(), rom.size(), pointer(rom, rom::PATTERN_POINTERS, theme), expected, error));
    EXPECT_EQ(file_bytes("dump/vram_tiles.bin"), expected) << map;
    EXPECT_EQ(level_patterns.count, static_cast<int>(expected.size() / 32));
    EXPECT_EQ(file_bytes("dump/block_mappings.bin"), blockmap_bytes(rom, pointer(rom, rom::BLOCKMAP_POINTERS, theme)));
    ASSERT_TRUE(unpack_block(rom.data(), rom.size(), rom::COMMON_PATTERNS, expected, error));
    EXPECT_EQ(file_bytes("dump/vram_common.bin"), expected);
    EXPECT_EQ(file_bytes("dump/common_mappings.bin"), blockmap_bytes(rom, rom::COMMON_BLOCKMAP));
    EXPECT_EQ(file_bytes("dump/vram_moon.bin"),
              std::vector<uint8_t>(rom.begin() + rom::MOON_PATTERNS, rom.begin() + rom::MOON_PATTERNS + 128));
    for (int i = 0; i < BLOCK_SLOTS; ++i) ASSERT_EQ(block_bitmaps[i] != nullptr, i < 520) << i;
    EXPECT_EQ(chunk_thumbnail_count, chunkmap.count());
    EXPECT_EQ(level_blockmap.count, 496);
  }
  // Names: one of exactly 24 characters stays whole, one without a terminator in 25 bytes is empty.
  int whole = 0, emptied = 0;
  for (int i = 0; i < MARKER_COUNT; ++i) {
    const uint8_t* e = &rom[rom::MARKERS + 14 * i];
    const char* text = reinterpret_cast<const char*>(&rom[(e[1] << 16) | (e[2] << 8) | e[3]]);
    const size_t length = strnlen(text, 25);
    if (length == 24) {
      EXPECT_EQ(markers[i].name, std::string(text, 24));
      ++whole;
    }
    if (length == 25) {
      EXPECT_EQ(markers[i].name, "");
      ++emptied;
    }
  }
  EXPECT_GE(whole, 1);
  EXPECT_GE(emptied, 1);
}

TEST_F(SampleRom, CorruptedCopiesAreRefusedAndTheLevelStays) {
  const RomImage& rom = sample_rom();
  ASSERT_EQ(level_import_map(3), 0);
  const LayoutPlane front = front_layout, back = back_layout;
  const int16_t chunks = chunkmap.count();
  const std::vector<Marker> names = markers;
  std::vector<const BITMAP*> blocks;
  for (const BitmapPtr& b : block_bitmaps) blocks.push_back(b.get());

  // Map 1's front layout and theme; the sample packs some layouts and keeps others plain.
  const int layout1 = rom[rom::MAP_TABLE + 13];
  const size_t layout1_at = pointer(rom, rom::LAYOUT_POINTERS, layout1);
  ASSERT_TRUE(has_packed_block_mark(rom.data(), rom.size(), layout1_at)) << "map 1's front layout is packed";
  LayoutPlane plane;
  std::string error;
  ASSERT_TRUE(LoadLevelBlock(rom.data(), rom.size(), layout1_at, plane, error));
  const size_t set_at = pointer(rom, rom::CHUNKMAP_POINTERS, plane.theme);
  ASSERT_EQ(std::memcmp(&rom[set_at], "ITMS", 4), 0) << "map 1's chunk set is plain";

  struct Corruption {
    const char* name;
    const char* expected;
    std::function<void(RomImage&)> apply;
  };
  const std::vector<Corruption> corruptions = {
      {"bad layout pointer", "layout", [&](RomImage& r) { write_be32(&r[rom::LAYOUT_POINTERS + 4 * layout1], 0xFFFFF0); }},
      {"bad chunk-set pointer", "chunkmap of theme",
       [&](RomImage& r) { write_be32(&r[rom::CHUNKMAP_POINTERS + 4 * plane.theme], 0); }},
      {"truncated packed layout", "packed block", [&](RomImage& r) { r.resize(layout1_at + 200); }},
      {"packed block longer than the image", "packed block",
       [&](RomImage& r) { write_be32(&r[layout1_at], static_cast<uint32_t>(r.size())); }},
      {"20-wide chunk", "20x", [&](RomImage& r) { r[set_at + read_be16(&r[set_at + 6])] = 20; }},
  };
  for (const Corruption& c : corruptions) {
    RomImage bad = rom;
    c.apply(bad);
    write_test_rom(bad, dir);
    captured_messages().clear();
    EXPECT_EQ(level_import_map(1), -1) << c.name;
    ASSERT_EQ(captured_messages().size(), 1u) << c.name;
    EXPECT_EQ(captured_messages()[0].rfind("ERROR: File \"./master/genesis/glb.bin\": ", 0), 0u) << captured_messages()[0];
    EXPECT_NE(captured_messages()[0].find(c.expected), std::string::npos) << c.name << ": " << captured_messages()[0];
    EXPECT_EQ(front_layout, front) << c.name;
    EXPECT_EQ(back_layout, back) << c.name;
    EXPECT_EQ(chunkmap.count(), chunks) << c.name;
    EXPECT_EQ(markers.size(), names.size());
    for (size_t i = 0; i < blocks.size(); ++i) ASSERT_EQ(block_bitmaps[i].get(), blocks[i]) << c.name;
  }
}

TEST_F(SampleRom, EveryLayoutAndChunkSetRoundTripsThroughFiles) {
  const RomImage& rom = sample_rom();
  std::set<size_t> layouts, sets;
  for (int i = 0; i < 256; ++i) {
    const size_t p = pointer(rom, rom::LAYOUT_POINTERS, i);
    if (p > 0 && p < rom.size()) layouts.insert(p);
  }
  for (int t = 0; t < 11; ++t) {
    const size_t p = pointer(rom, rom::CHUNKMAP_POINTERS, t);
    if (p > 0 && p < rom.size()) sets.insert(p);
  }
  ASSERT_GE(layouts.size(), 20u);
  ASSERT_GE(sets.size(), 4u);
  int plain = 0, packed = 0;
  for (size_t at : layouts) {
    LayoutPlane original;
    std::string error;
    ASSERT_TRUE(LoadLevelBlock(rom.data(), rom.size(), at, original, error)) << error;
    // The rebuilt block is the ROM's own (decoded) block.
    std::vector<uint8_t> block, source;
    ASSERT_TRUE(build_layout_block(original, block, error));
    if (std::memcmp(&rom[at], "MAP", 3) == 0) {
      source.assign(rom.begin() + at, rom.begin() + at + block.size());
      ++plain;
    } else {
      ASSERT_TRUE(unpack_block(rom.data(), rom.size(), at, source, error));
      ++packed;
    }
    EXPECT_EQ(block, source) << std::hex << at;
    // load -> save -> load -> save: the same plane and the same file.
    front_layout = original;
    set_level_files("a.lvl", "", false, "");
    ASSERT_EQ(SaveLevel(), 0);
    front_layout = LayoutPlane();
    ASSERT_EQ(load_level_file("a.lvl"), 0);
    EXPECT_EQ(front_layout, original);
    set_level_files("b.lvl", "", false, "");
    ASSERT_EQ(SaveLevel(), 0);
    EXPECT_EQ(file_bytes("a.lvl"), file_bytes("b.lvl"));
  }
  EXPECT_GT(plain, 0);
  EXPECT_GT(packed, 0);
  for (size_t at : sets) {
    ChunkMap original;
    std::string error;
    ASSERT_TRUE(LoadChunkSet(rom.data(), rom.size(), at, original, error)) << error;
    std::vector<uint8_t> block, source;
    ASSERT_TRUE(build_chunk_set_block(original, block, error));
    if (std::memcmp(&rom[at], "ITMS", 4) == 0)
      source.assign(rom.begin() + at, rom.begin() + at + block.size());
    else
      ASSERT_TRUE(unpack_block(rom.data(), rom.size(), at, source, error));
    EXPECT_EQ(block, source) << std::hex << at;
    chunkmap = original;
    set_level_files("", "", false, "a.itm");
    ASSERT_EQ(SaveChunkmap(), 0);
    chunkmap = ChunkMap();
    ASSERT_EQ(load_chunkmap_file("a.itm"), 0);
    ASSERT_EQ(chunkmap.count(), original.count());
    EXPECT_EQ(0, std::memcmp(chunkmap.chunks.data(), original.chunks.data(), sizeof(Chunk) * original.chunks.size()));
    set_level_files("", "", false, "b.itm");
    ASSERT_EQ(SaveChunkmap(), 0);
    EXPECT_EQ(file_bytes("a.itm"), file_bytes("b.itm"));
  }
  std::printf("round trips: %zu layouts (%d plain, %d packed), %zu chunk sets\n", layouts.size(), plain, packed,
              sets.size());
  for (const std::string& m : captured_messages()) EXPECT_EQ(m.rfind("WROTE ", 0), 0u) << m;
}
