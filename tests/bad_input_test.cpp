// Every reader against damaged input, one table row per case: files cut short at each
// structural boundary, offsets pointing outside, counts too large, inconsistent sizes,
// chunks over 16 blocks, empty files, directories and unreadable files in their place.
// Each row must be refused with one "ERROR: ..." message that names the file and says what
// is wrong, and must leave the level (model, bitmaps, file names, editor_mode) and the
// project tables exactly as they were.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>
#include <filesystem>
#include <functional>

#include "app/level_file_commands.h"
#include "app/level_commands.h"
#include "app/problem_text.h"
#include "files/byte_order.h"
#include "files/chunk_set_block.h"
#include "files/packed_block.h"
#include "game_fixtures.h"
#include "model_snapshot.h"
#include "test_support.h"
#include "app/file_choice.h"
#include "ui/messages.h"

namespace {

using Bytes = std::vector<uint8_t>;

enum class Reader { Lvl, Itm, LvlMenu, ItmMenu, Rom, Project, ThemeDescriptor, LevelDescriptor };

// One row: how to put the bad input in place (at the reader's path, in the test's
// directory) and a part of the message that says what is wrong.
struct BadInput {
  std::string name;
  Reader reader;
  std::function<void(const std::string& path)> make;
  std::string reason;
  bool unreadable = false;  // skipped where file permissions do not stop reads
  int map = 0;              // Rom: the map imported
  const char* path = nullptr;  // menu loads: the selector's answer, when not the usual file
};

void PrintTo(const BadInput& c, std::ostream* os) { *os << c.name; }

const char* file_of(Reader r) {
  switch (r) {
    case Reader::Lvl:
    case Reader::LvlMenu: return "bad.lvl";
    case Reader::Itm:
    case Reader::ItmMenu: return "bad.itm";
    case Reader::Rom: return "master/genesis/glb.bin";
    case Reader::Project: return "bad.glp";
    case Reader::ThemeDescriptor: return "bad.glt";
    case Reader::LevelDescriptor: return "bad.gll";
  }
  return "";
}

void put(const std::string& path, const Bytes& b) {
  FILE* f = std::fopen(path.c_str(), "wb");
  ASSERT_TRUE(f) << path;
  if (!b.empty()) {
    ASSERT_EQ(std::fwrite(b.data(), 1, b.size(), f), b.size());
  }
  std::fclose(f);
}

Bytes set16(Bytes b, size_t at, uint16_t v) {
  write_be16(&b[at], v);
  return b;
}
Bytes set8(Bytes b, size_t at, uint8_t v) {
  b[at] = v;
  return b;
}

// Three chunks 2x1, 1x2, 3x1. 32 bytes: "ITMS", C = 3, offsets 12, 18, 24, then the entries.
Bytes plain_chunks() {
  ChunkMap m;
  m.chunks.resize(3);
  const int w[3] = {2, 1, 3}, h[3] = {1, 2, 1};
  for (int i = 0; i < 3; ++i) {
    m.chunks[i].width = static_cast<int8_t>(w[i]);
    m.chunks[i].height = static_cast<int8_t>(h[i]);
    for (int r = 0; r < h[i]; ++r)
      for (int c = 0; c < w[i]; ++c) m.chunks[i].cell(c, r) = static_cast<uint16_t>(24 + i + c + r);
  }
  Bytes b;
  std::string error;
  build_chunk_set_block(m, b, error);
  return b;
}

Bytes packed(const Bytes& b) { return pack_block(b); }

auto file(Bytes b) {
  return [b](const std::string& path) { put(path, b); };
}
auto directory() {
  return [](const std::string& path) { std::filesystem::create_directory(path); };
}
auto unreadable(Bytes b) {
  return [b](const std::string& path) {
    put(path, b);
    chmod(path.c_str(), 0);
  };
}
auto nothing() {
  return [](const std::string&) {};
}
// The test ROM image with a change.
auto rom(std::function<void(TestRom&)> change) {
  return [change](const std::string& path) {
    TestRom t = build_test_rom();
    change(t);
    put(path, t.rom);
  };
}

std::vector<BadInput> layout_rows() {
  std::vector<BadInput> rows;
  const Bytes plain = plain_layout(), pk = packed(plain);
  // Cut at every boundary: inside and after "MAP", theme, width, height, each table entry,
  // the first row, inside an object, the last row.
  for (size_t n : {2, 3, 4, 6, 8, 10, 12, 14, 16, 20, 24, 26}) {
    const char* reason = n < 4 ? "the file ends first" : n < 10 ? "is truncated" : n < 16 ? "runs past the end" : "is truncated";
    rows.push_back({"PlainCutAt" + std::to_string(n), Reader::Lvl, file(cut(plain, n)), reason});
  }
  for (size_t n : {size_t(2), size_t(4), size_t(8), pk.size() / 2, pk.size() - 4, pk.size() - 1})
    rows.push_back({"PackedCutAt" + std::to_string(n), Reader::Lvl, file(cut(pk, n)),
                    n < 4 ? "the file ends first" : "runs past the end of the file"});
  const std::vector<BadInput> more = {
      {"Empty", Reader::Lvl, file({}), "is empty"},
      {"Missing", Reader::Lvl, nothing(), "not found"},
      {"Directory", Reader::Lvl, directory(), "is a directory"},
      {"Unreadable", Reader::Lvl, unreadable(plain), "cannot be read", true},
      {"LargerThanAPackedBlock", Reader::Lvl, file(Bytes(PACKED_BLOCK_LIMIT + 1, 'M')), "is too large"},
      {"TextFile", Reader::Lvl, file(text_bytes("hello, this is no level\n")), "more than 524288"},
      {"FirstRowBeyondTheBlock", Reader::Lvl, file(set16(plain, 8, 0x7000)), "row 1 of the layout block points outside"},
      {"FirstRowInsideTheTable", Reader::Lvl, file(set16(plain, 8, 8)), "row 1 of the layout block points outside"},
      {"RowTableGoingBackwards", Reader::Lvl, file(set16(plain, 10, 12)), "row 1 of the layout block points outside"},
      {"MiddleRowBeyondTheBlock", Reader::Lvl, file(set16(plain, 12, 0x7000)), "row 2 of the layout block points outside"},
      {"TotalSizeBeyondTheFile", Reader::Lvl, file(set16(plain, 14, 0x7000)), "is truncated (28672 bytes, 28 in"},
      {"TotalSizeInsideTheTable", Reader::Lvl, file(set16(plain, 14, 12)), "runs past its end"},
      {"HeightOf16Rows", Reader::Lvl, file(set16(plain, 6, 0x100)), "(height 256) runs past the end"},
      {"RowOfSixBytes", Reader::Lvl, file(set16(plain, 10, 22)), "not a whole number of 4-byte objects"},
      {"PackedStatesMoreThanItHolds", Reader::Lvl, file(packed(set16(plain, 14, 32))), "states 32 bytes but holds 28"},
      {"PackedTableCutShort", Reader::Lvl, file(packed(cut(plain, 12))), "runs past its end"},
      {"PackedHeaderOnly", Reader::Lvl, file(packed(text_bytes("MAP\2"))), "too short"},
      {"PackedChunkSet", Reader::Lvl, file(packed(plain_chunks())), "does not start with \"MAP\""},
      {"PackedSizeBelowHeader", Reader::Lvl, file(fake_packed(8, 28)), "smaller than 12 bytes"},
      {"PackedSizeAbove512KiB", Reader::Lvl, file(fake_packed(PACKED_BLOCK_LIMIT + 1, 28)), "more than 524288"},
      {"PackedUnpackedSizeAbove64KiB", Reader::Lvl, file(fake_packed(32, 0x10000)), "more than 65535"},
      {"PackedStreamCorrupt", Reader::Lvl, file(unpacked_size_plus_one(pk)), "does not decode"},
  };
  rows.insert(rows.end(), more.begin(), more.end());
  return rows;
}

std::vector<BadInput> chunk_set_rows() {
  std::vector<BadInput> rows;
  const Bytes plain = plain_chunks(), pk = packed(plain);
  // Cut inside and after "ITMS", C, each table entry, each entry's size bytes, inside cells.
  for (size_t n : {3, 4, 5, 6, 8, 10, 12, 14, 18, 24, 26, 30})
    rows.push_back({"PlainCutAt" + std::to_string(n), Reader::Itm, file(cut(plain, n)),
                    n < 6 ? "the file ends first" : "is truncated"});
  for (size_t n : {size_t(5), size_t(8), pk.size() / 2, pk.size() - 1})
    rows.push_back({"PackedCutAt" + std::to_string(n), Reader::Itm, file(cut(pk, n)),
                    n < 6 ? "the file ends first" : "runs past the end of the file"});
  const std::vector<BadInput> more = {
      {"Empty", Reader::Itm, file({}), "is empty"},
      {"Missing", Reader::Itm, nothing(), "not found"},
      {"Directory", Reader::Itm, directory(), "is a directory"},
      {"Unreadable", Reader::Itm, unreadable(plain), "cannot be read", true},
      {"LargerThanAPackedBlock", Reader::Itm, file(Bytes(PACKED_BLOCK_LIMIT + 1, 'I')), "is too large"},
      {"FirstEntryInsideTheTable", Reader::Itm, file(set16(plain, 6, 2)), "chunk 0 of the chunk set points outside"},
      {"FirstEntryAtTheTablesLastWord", Reader::Itm, file(set16(plain, 6, 10)), "chunk 0 of the chunk set points outside"},
      {"MiddleEntryBeyondTheBlock", Reader::Itm, file(set16(plain, 8, 0xFFF0)), "chunk 1 of the chunk set points outside"},
      {"MiddleEntryAtTheLastByte", Reader::Itm, file(set16(plain, 8, 31)), "chunk 1 of the chunk set points outside"},
      {"LastEntryBeyondTheFile", Reader::Itm, file(set16(plain, 10, 0xFFF0)), "is truncated"},
      {"CountOf2049", Reader::Itm, file(set16(plain, 4, 2049)), "2049 chunks, more than 2048"},
      {"CountOneTooMany", Reader::Itm, file(set16(plain, 4, 4)), "is truncated"},
      {"ChunkOf17Columns", Reader::Itm, file(set8(plain, 12, 17)), "17x1 blocks, more than 16x16"},
      {"ChunkOf17Rows", Reader::Itm, file(set8(plain, 19, 17)), "1x17 blocks, more than 16x16"},
      {"PackedCellsCutShort", Reader::Itm, file(packed(cut(plain, 28))), "cells of chunk 2 run past the end"},
      {"PackedTableCutShort", Reader::Itm, file(packed(cut(plain, 8))), "offset table of the chunk set runs past"},
      {"PackedLayout", Reader::Itm, file(packed(plain_layout())), "does not start with \"ITMS\""},
      {"PackedHeaderOnly", Reader::Itm, file(packed(text_bytes("ITM"))), "too short"},
      {"PackedSizeAbove512KiB", Reader::Itm, file(fake_packed(0x7FFFFFFF, 28)), "more than 524288"},
      {"PackedUnpackedSizeAboveTheBuffer", Reader::Itm, file(fake_packed(32, CHUNK_SET_LIMIT + 1)), "more than 133124"},
      {"PackedStreamCorrupt", Reader::Itm, file(unpacked_size_plus_one(pk)), "does not decode"},
  };
  rows.insert(rows.end(), more.begin(), more.end());
  return rows;
}

std::vector<BadInput> menu_rows() {
  return {
      {"LvlMissing", Reader::LvlMenu, nothing(), "not found"},
      {"ItmDirectory", Reader::ItmMenu, directory(), "is a directory"},
  };
}

std::vector<BadInput> rom_rows() {
  using R = TestRom&;
  auto resize = [](size_t n) { return rom([n](R t) { t.rom.resize(n); }); };
  auto ptr = [](size_t at, uint32_t v) { return rom([at, v](R t) { write_be32(&t.rom[at], v); }); };
  return {
      {"Empty", Reader::Rom, file({}), "is empty"},
      {"Missing", Reader::Rom, nothing(), "not found"},
      {"Directory", Reader::Rom, directory(), "is a directory"},
      {"Unreadable", Reader::Rom, [](const std::string& path) { unreadable(build_test_rom().rom)(path); }, "cannot be read", true},
      {"LargerThan4MiB", Reader::Rom, rom([](R t) { t.rom.resize(0x400001); }), "is too large"},
      {"CutBeforeTheMapTable", Reader::Rom, resize(0x1000), "the map table entry of map 0x0"},
      {"CutInsideTheMapEntry", Reader::Rom, resize(genesis::MAP_HEADERS + 6), "the map table entry of map 0x0"},
      {"CutInsideTheLayoutPointers", Reader::Rom, resize(genesis::LAYOUT_TABLE + 2), "the pointer to layout 0x0"},
      {"CutInsideTheFrontLayout", Reader::Rom, resize(0x100000 + 50), "layout 0x0: the layout block at 0x100000 is truncated"},
      {"CutInsideTheFrontLayoutTable", Reader::Rom, resize(0x100000 + 20), "layout 0x0: the row table"},
      {"CutInsideTheBackLayout", Reader::Rom, resize(0x100400 + 12), "layout 0x1"},
      {"CutInsideTheChunkSet", Reader::Rom, resize(0x101000 + 10), "the chunkmap of theme 0"},
      {"CutInsideThePatterns", Reader::Rom, resize(0x102000 + 40), "the patterns of theme 0"},
      {"CutInsideTheBlockMap", Reader::Rom, resize(0x104000 + 100), "the block map of theme 0"},
      {"CutBeforeThePalettePointers", Reader::Rom, resize(0x106000 + 40), "the pointer to palette 0x0"},
      {"CutInsideThePalettePointers", Reader::Rom, resize(genesis::PALETTE_TABLE + 6), "the pointer to palette 0x1"},
      {"FrontLayoutPointerOutside", Reader::Rom, ptr(genesis::LAYOUT_TABLE, 0x7FFFFFF0), "layout 0x0"},
      {"BackLayoutPointerZero", Reader::Rom, ptr(genesis::LAYOUT_TABLE + 4, 0), "the pointer to layout 0x1"},
      {"ChunkmapPointerAtTheEnd", Reader::Rom, ptr(genesis::CHUNKMAP_TABLE, 0x120000), "the chunkmap of theme 0"},
      {"PatternPointerNearTheEnd", Reader::Rom, ptr(genesis::PATTERN_TABLE, 0x120000 - 4), "the patterns of theme 0"},
      {"BlockMapPointerNearTheEnd", Reader::Rom, ptr(genesis::BLOCKMAP_TABLE, 0x120000 - 100), "the block map of theme 0"},
      {"PalettePointerOutside", Reader::Rom, ptr(genesis::PALETTE_TABLE + 12, 0xFFFFFFFF), "palette 0x3"},
      {"MarkerNameOutside", Reader::Rom, rom([](R t) { t.rom[genesis::MARKERS + 14 * 3 + 1] = 0xFF; }), "marker 3"},
      {"PickupGraphicsOutside", Reader::Rom,
       rom([](R t) { write_be32(&t.rom[genesis::PICKUP_BASE + 0x200 + 8 * 5 + 2], 0x00FFFF00); }), "pickup 5"},
      {"FrontLayoutPointsAtTheChunkSet", Reader::Rom, ptr(genesis::LAYOUT_TABLE, 0x101000), "layout 0x0"},
      {"ChunkmapPointsAtALayout", Reader::Rom, ptr(genesis::CHUNKMAP_TABLE, 0x100000), "the chunkmap of theme 0"},
      {"PatternsPointAtALayout", Reader::Rom, ptr(genesis::PATTERN_TABLE, 0x100000), "is not a packed block"},
      {"CommonPatternsNotPacked", Reader::Rom, rom([](R t) { t.rom[genesis::COMMON_PATTERNS + 4] = 0; }),
       "the common patterns at 0xCF166 is not a packed block"},
      {"FrontLayoutRowOfSixBytes", Reader::Rom,
       rom([](R t) { write_be16(&t.rom[0x100000 + 10], read_be16(&t.rom[0x100000 + 8]) + 6); }), "not a whole number"},
      {"ChunkOf17Columns", Reader::Rom, rom([](R t) { t.rom[t.chunkmap_at + 18] = 17; }), "17x2 blocks"},
      {"PackedLayoutAbove64KiB", Reader::Rom,
       rom([](R t) {
         const size_t s = read_be32(&t.rom[t.packed_layout_at]);
         write_be32(&t.rom[t.packed_layout_at + s - 4], 0x20000u << 8);
       }),
       "layout 0x2", false, 2},
      {"PackedLayoutAbove512KiB", Reader::Rom, ptr(0x100800, 0x90000), "more than 524288", false, 2},
      {"PackedLayoutCorrupt", Reader::Rom,
       rom([](R t) {
         const size_t s = read_be32(&t.rom[t.packed_layout_at]);
         Bytes b(t.rom.begin() + t.packed_layout_at, t.rom.begin() + t.packed_layout_at + s);
         b = unpacked_size_plus_one(b);
         std::copy(b.begin(), b.end(), t.rom.begin() + t.packed_layout_at);
       }),
       "does not decode", false, 2},
      {"BlockMapTooShort", Reader::Rom,
       rom([](R t) {
         const Bytes b = packed(Bytes(100, 1));
         std::copy(b.begin(), b.end(), t.rom.begin() + t.blockmap_at);
       }),
       "the block map of theme 0 holds 100 bytes, fewer than its 496 mappings need"},
      {"CommonBlockMapTooShort", Reader::Rom,
       rom([](R t) {
         const Bytes b = packed(Bytes(64, 1));
         std::copy(b.begin(), b.end(), t.rom.begin() + genesis::COMMON_BLOCKMAP);
       }),
       "the common block map holds 64 bytes"},
  };
}

std::vector<BadInput> project_rows() {
  const Bytes binary = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13};
  std::vector<BadInput> rows = {
      {"ProjectUnknownVersion", Reader::Project, file(text_bytes("glb_project_file_version = 1\r\ntheme_0 = t.glt\r\n")),
       "Unknown project version 1"},
      {"ProjectNegativeVersion", Reader::Project, file(text_bytes("glb_project_file_version = -3\n")),
       "Unknown project version -3"},
  };
  const std::pair<const char*, Reader> readers[] = {{"Project", Reader::Project},
                                                    {"ThemeDescriptor", Reader::ThemeDescriptor},
                                                    {"LevelDescriptor", Reader::LevelDescriptor}};
  for (const auto& [name, reader] : readers) {
    const std::string n = name;
    rows.push_back({n + "Missing", reader, nothing(), "not found"});
    rows.push_back({n + "Empty", reader, file({}), "is empty"});
    rows.push_back({n + "Directory", reader, directory(), "is a directory"});
    rows.push_back({n + "Unreadable", reader, unreadable(text_bytes("chunkmap = a.itm\n")), "cannot be read", true});
    rows.push_back({n + "Binary", reader, file(binary), "is not a text file (a zero byte at 0x8)"});
    rows.push_back({n + "TooLarge", reader, file(Bytes(PROJECT_TEXT_LIMIT + 1, '\n')), "is too large"});
  }
  return rows;
}

std::vector<BadInput> all_rows() {
  std::vector<BadInput> rows;
  auto add = [&](const std::string& prefix, std::vector<BadInput> part) {
    for (BadInput& c : part) {
      c.name = prefix + c.name;
      rows.push_back(std::move(c));
    }
  };
  add("Layout", layout_rows());
  add("ChunkSet", chunk_set_rows());
  add("Menu", menu_rows());
  add("Rom", rom_rows());
  add("", project_rows());
  return rows;
}

class BadInputTable : public ::testing::TestWithParam<BadInput> {
 protected:
  void SetUp() override {
    headless_screen();
    dir = scratch_dir("bad_input_" + GetParam().name);
    cwd = std::make_unique<ScopedCwd>(dir);
    // A whole level imported from the test ROM, files remembered, and a filled project.
    write_test_rom(build_test_rom().rom, dir);
    ASSERT_EQ(level_import_map(2), 0);
    level_file_name = "previous.lvl";
    chunkmap_file_name = "previous.itm";
    project.theme_paths[3] = "themes/theme3.glt";
    project.themes[3] = {"itm/a.itm", "", "pat/a.pat", "bma/a.bma", "ins/a.ins"};
    project.level_paths[5] = "levels/level05.gll";
    project.levels[5].map_front = "lvl/Lvl05.lvl";
    project.levels[5].flags = 9;
    project.project_file = "old.glp";
    editor_mode = 7;
    captured_messages().clear();
  }
  void TearDown() override {
    chmod(file_of(GetParam().reader), 0700);
    cwd.reset();
  }
  std::string dir;
  std::unique_ptr<ScopedCwd> cwd;
};

TEST_P(BadInputTable, IsRefusedWithAMessageAndChangesNothing) {
  const BadInput& c = GetParam();
  const std::string path = c.path ? c.path : file_of(c.reader);
  if (c.reader == Reader::Rom) std::filesystem::remove(path);  // the image SetUp imported from
  c.make(path);
  // Root reads whatever the permissions say: the unreadable rows run as an ordinary user.
  std::unique_ptr<ScopedUnprivileged> as_user;
  if (c.unreadable) {
    as_user = std::make_unique<ScopedUnprivileged>();
    if (FILE* f = std::fopen(path.c_str(), "rb")) {
      std::fclose(f);
      GTEST_SKIP() << "this process reads files whatever their permissions: an unreadable file cannot be made here";
    }
  }
  const LevelSnapshot level_before = LevelSnapshot::take();
  const ProjectTables project_before = project;

  int result = 0;
  ProjectMessages project_messages;
  switch (c.reader) {
    case Reader::Lvl: result = load_level_file(path); break;
    case Reader::Itm: result = load_chunkmap_file(path); break;
    case Reader::LvlMenu:
    case Reader::ItmMenu:
      file_selector_hook = [path](const char*, const char*, std::string& out) {
        out = path;
        return !path.empty();
      };
      result = c.reader == Reader::LvlMenu ? load_level_from_lvl_file() : load_chunkmap_from_itm_file();
      break;
    case Reader::Rom: result = level_import_map(static_cast<uint8_t>(c.map)); break;
    case Reader::Project: result = LoadProject(path, project, project_messages) ? 0 : -1; break;
    case Reader::ThemeDescriptor: result = ReadThemeDescriptor(path, 3, project, project_messages) ? 0 : -1; break;
    case Reader::LevelDescriptor: result = ReadLevelDescriptor(path, 5, project, project_messages) ? 0 : -1; break;
  }
  as_user.reset();
  EXPECT_EQ(result, -1);

  std::vector<std::string> errors;
  for (const std::string& m : captured_messages())
    if (m.rfind("ERROR: ", 0) == 0) errors.push_back(m);
  for (const std::string& m : problem_texts(project_messages)) errors.push_back(m);
  ASSERT_EQ(errors.size(), 1u) << (errors.empty() ? "no error message" : errors[0] + " | " + errors.back());
  const std::string& m = errors[0];
  EXPECT_EQ(m.rfind("ERROR: ", 0), 0u) << m;
  const std::string shown = c.reader == Reader::Rom ? ROM_PATH : path;
  EXPECT_NE(m.find("\"" + shown + "\""), std::string::npos) << "the message does not name the file: " << m;
  EXPECT_NE(m.find(c.reason), std::string::npos) << "expected \"" << c.reason << "\" in: " << m;
  // The menu loads show the chosen path first, as the selector left it; nothing else.
  if (c.reader == Reader::LvlMenu || c.reader == Reader::ItmMenu) {
    EXPECT_EQ(captured_messages(), (std::vector<std::string>{path, m}));
  }

  EXPECT_EQ(difference(LevelSnapshot::take(), level_before), "");
  EXPECT_EQ(difference(project, project_before), "");
}

INSTANTIATE_TEST_SUITE_P(Readers, BadInputTable, ::testing::ValuesIn(all_rows()),
                         [](const ::testing::TestParamInfo<BadInput>& info) { return info.param.name; });

}  // namespace
