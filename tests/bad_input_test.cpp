// Every reader against damaged input, one table row per case: the level and chunk set files
// cut short at each structural boundary, offsets pointing outside, counts too large,
// inconsistent sizes, chunks over 16 blocks, empty files, directories and unreadable files in
// their place; the ROM import, the project files and descriptors, the project level load
// (LOAD LEVEL...), project generation from a Genesis ROM image and from an AGA CODE file, and
// both game builds. Each row must be refused with one "ERROR: ..." message that names the
// file and says what is wrong, write nothing, and leave the level (model, bitmaps, file names,
// editor_mode) and the project tables exactly as they were.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>
#include <filesystem>
#include <functional>

#include "app/file_choice.h"
#include "app/level_commands.h"
#include "app/level_file_commands.h"
#include "app/problem_text.h"
#include "files/byte_order.h"
#include "files/chunk_set_block.h"
#include "files/game_build.h"
#include "files/packed_block.h"
#include "files/project_generate.h"
#include "game_fixtures.h"
#include "model_snapshot.h"
#include "test_support.h"
#include "ui/messages.h"

namespace fs = std::filesystem;

namespace {

using Bytes = std::vector<uint8_t>;

enum class Reader {
  Lvl, Itm, LvlMenu, ItmMenu, Rom, Project, ThemeDescriptor, LevelDescriptor,
  ProjectLevel, GenesisProject, AgaProject, GenesisBuild, AgaBuild
};

// One row: how to put the bad input in place (at the reader's path, or at the file the row
// names, in the test's directory) and a part of the message that says what is wrong.
struct BadInput {
  std::string name;
  Reader reader;
  std::function<void(const std::string& path)> make;
  std::string reason;
  std::string shown = "";   // the file made and named in the message, when not the reader's
  bool unreadable = false;  // skipped where file permissions do not stop reads
  int map = 0;              // Rom: the map imported; ProjectLevel: the level loaded
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
    case Reader::GenesisProject: return "game.bin";
    case Reader::AgaProject: return "game/CODE";
    default: return "";
  }
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

auto file(Bytes b) {
  return [b](const std::string& path) { write_bytes(path, b); };
}
void replace_with_directory(const std::string& path) {
  fs::remove(path);
  fs::create_directories(path);
}
auto directory() {
  return [](const std::string& path) { replace_with_directory(path); };
}
auto unreadable(Bytes b) {
  return [b](const std::string& path) {
    write_bytes(path, b);
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
    write_bytes(path, t.rom);
  };
}

std::vector<BadInput> layout_rows() {
  std::vector<BadInput> rows;
  const Bytes plain = plain_layout(), pk = pack_block(plain);
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
      {"Unreadable", Reader::Lvl, unreadable(plain), "cannot be read", "", true},
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
      {"PackedStatesMoreThanItHolds", Reader::Lvl, file(pack_block(set16(plain, 14, 32))), "states 32 bytes but holds 28"},
      {"PackedTableCutShort", Reader::Lvl, file(pack_block(cut(plain, 12))), "runs past its end"},
      {"PackedHeaderOnly", Reader::Lvl, file(pack_block(text_bytes("MAP\2"))), "too short"},
      {"PackedChunkSet", Reader::Lvl, file(pack_block(plain_chunks())), "does not start with \"MAP\""},
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
  const Bytes plain = plain_chunks(), pk = pack_block(plain);
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
      {"Unreadable", Reader::Itm, unreadable(plain), "cannot be read", "", true},
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
      {"PackedCellsCutShort", Reader::Itm, file(pack_block(cut(plain, 28))), "cells of chunk 2 run past the end"},
      {"PackedTableCutShort", Reader::Itm, file(pack_block(cut(plain, 8))), "offset table of the chunk set runs past"},
      {"PackedLayout", Reader::Itm, file(pack_block(plain_layout())), "does not start with \"ITMS\""},
      {"PackedHeaderOnly", Reader::Itm, file(pack_block(text_bytes("ITM"))), "too short"},
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
      {"Unreadable", Reader::Rom, [](const std::string& path) { unreadable(build_test_rom().rom)(path); }, "cannot be read", "", true},
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
       "layout 0x2", "", false, 2},
      {"PackedLayoutAbove512KiB", Reader::Rom, ptr(0x100800, 0x90000), "more than 524288", "", false, 2},
      {"PackedLayoutCorrupt", Reader::Rom,
       rom([](R t) {
         const size_t s = read_be32(&t.rom[t.packed_layout_at]);
         Bytes b(t.rom.begin() + t.packed_layout_at, t.rom.begin() + t.packed_layout_at + s);
         b = unpacked_size_plus_one(b);
         std::copy(b.begin(), b.end(), t.rom.begin() + t.packed_layout_at);
       }),
       "does not decode", "", false, 2},
      {"BlockMapTooShort", Reader::Rom,
       rom([](R t) {
         const Bytes b = pack_block(Bytes(100, 1));
         std::copy(b.begin(), b.end(), t.rom.begin() + t.blockmap_at);
       }),
       "the block map of theme 0 holds 100 bytes, fewer than its 496 mappings need"},
      {"CommonBlockMapTooShort", Reader::Rom,
       rom([](R t) {
         const Bytes b = pack_block(Bytes(64, 1));
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
      {"ProjectVersionNine", Reader::Project, file(text_bytes("glb_project_file_version = 9\n")),
       "Unknown project version 9"},
      {"ProjectVersionTen", Reader::Project, file(text_bytes("glb_project_file_version = 10\n")),
       "Unknown project version 10"},
  };
  const std::pair<const char*, Reader> readers[] = {{"Project", Reader::Project},
                                                    {"ThemeDescriptor", Reader::ThemeDescriptor},
                                                    {"LevelDescriptor", Reader::LevelDescriptor}};
  for (const auto& [name, reader] : readers) {
    const std::string n = name;
    rows.push_back({n + "Missing", reader, nothing(), "not found"});
    rows.push_back({n + "Empty", reader, file({}), "is empty"});
    rows.push_back({n + "Directory", reader, directory(), "is a directory"});
    rows.push_back({n + "Unreadable", reader, unreadable(text_bytes("chunkmap = a.itm\n")), "cannot be read", "", true});
    rows.push_back({n + "Binary", reader, file(binary), "is not a text file (a zero byte at 0x8)"});
    rows.push_back({n + "TooLarge", reader, file(Bytes(PROJECT_TEXT_LIMIT + 1, '\n')), "is too large"});
  }
  return rows;
}

// A chunk set whose first chunk is 17 blocks wide.
Bytes wide_chunk_set() {
  Bytes b = chunk_set_bytes(fixture_chunks(3, 0));
  b[read_be16(&b[6])] = 17;
  return b;
}

// --- the project level load: level 2 (Genesis theme 0), level 1 (planar theme 1) ---

void write_level_project() { write_level_project(build_test_rom()); }

void load_level_project() {
  ProjectMessages m;
  project = ProjectTables();
  ASSERT_TRUE(LoadProject("proj/p.glp", project, m));
  ASSERT_TRUE(m.all().empty()) << problem_texts(m)[0];
}

const char* const FRONT = "proj/levels/lvl/Front.lvl";
const char* const BACK = "proj/levels/lvl/Back.lvl";
const char* const CHUNKS = "proj/themes/itm/T0.itm";
const char* const PALETTE = "proj/levels/pal/P2.pal";
const char* const PATTERNS = "proj/themes/pat/T0.pat";
const char* const BLOCKMAP = "proj/themes/bma/T0.bma";
const char* const GRAPHICS = "proj/themes/glv/G1.GLV";

// The path the loader opens: the descriptor's directory ("proj/levels/" or "proj/themes/")
// joined with the record's path ("./lvl/Front.lvl").
std::string shown(const char* path) {
  const std::string p = path;
  return p.substr(0, 12) + "./" + p.substr(12);
}

// A row of the level project with the file at path changed (given that path) before the load.
BadInput level_row(std::string name, const char* path, std::function<void(const std::string&)> change,
                   std::string reason, int level = 2) {
  const auto make = [path, change](const std::string&) {
    write_level_project();
    change(path);
    load_level_project();
  };
  return {name, Reader::ProjectLevel, make, reason, shown(path), false, level};
}
// The same with the ROM image changed after the load.
BadInput rom_row(std::string name, std::function<void(const std::string&)> change, std::string reason) {
  const auto make = [change](const std::string&) {
    write_level_project();
    load_level_project();
    change(ROM_PATH);
  };
  return {name, Reader::ProjectLevel, make, reason, ROM_PATH, false, 2};
}
auto removed() {
  return [](const std::string& path) { fs::remove(path); };
}

std::vector<BadInput> project_level_rows() {
  Bytes themed = layout_bytes(fixture_plane(0, 5, 1));
  themed[3] = 20;
  const Bytes front = pack_block(layout_bytes(fixture_plane(0, 5, 1)));
  return {
      level_row("FrontMissing", FRONT, removed(), "not found"),
      level_row("FrontDirectory", FRONT, directory(), "is a directory"),
      level_row("FrontEmpty", FRONT, file({}), "is empty"),
      level_row("FrontTooLarge", FRONT, file(Bytes(PACKED_BLOCK_LIMIT + 1, 0)), "is too large"),
      level_row("FrontCutShort", FRONT, file(cut(front, 20)), "runs past the end of the file"),
      level_row("FrontStreamCorrupt", FRONT, file(unpacked_size_plus_one(front)), "does not decode"),
      level_row("FrontThemeBeyond16", FRONT, file(themed), "theme 20 is beyond"),
      level_row("BackDirectory", BACK, directory(), "is a directory"),
      level_row("BackCutShort", BACK, file(cut(layout_bytes(fixture_plane(0, 3, 2)), 20)), "is truncated"),
      level_row("ChunkmapMissing", CHUNKS, removed(), "not found"),
      level_row("ChunkmapDirectory", CHUNKS, directory(), "is a directory"),
      level_row("ChunkmapWideChunk", CHUNKS, file(pack_block(wide_chunk_set())), "17x2 blocks, more than 16x16"),
      level_row("ChunkmapUnpacksTooLarge", CHUNKS, file(fake_packed(32, 200000)), "more than 133124"),
      level_row("PaletteShort", PALETTE, file(Bytes(31, 1)), "a palette needs 32 bytes, the file has 31"),
      level_row("PaletteDirectory", PALETTE, directory(), "is a directory"),
      level_row("PatternsMissing", PATTERNS, removed(), "not found"),
      level_row("PatternsNotPacked", PATTERNS, file(Bytes(2048, 0x11)), "is not a packed block"),
      level_row("BlockMapMissing", BLOCKMAP, removed(), "not found"),
      level_row("BlockMapTooShort", BLOCKMAP, file(pack_block(Bytes(100, 1))),
                "holds 100 bytes, fewer than its 496 mappings need"),
      level_row("PlanarGraphicsCorrupt", GRAPHICS, file(unpacked_size_plus_one(pack_block(Bytes(1280, 0x5A)))),
                "does not decode", 1),
      level_row("PlanarGraphicsDirectory", GRAPHICS, directory(), "is a directory", 1),
      rom_row("RomMissing", removed(), "not found"),
      rom_row("RomDirectory", directory(), "is a directory"),
      rom_row("RomCutBeforeTheCommonPatterns",
              [](const std::string& p) { write_bytes(p, cut(build_test_rom().rom, genesis::COMMON_PATTERNS + 10)); },
              "the common patterns"),
  };
}

// --- project generation ---

auto genesis_game(std::function<void(GenesisFixture&)> change) {
  return [change](const std::string& path) {
    GenesisFixture f = make_genesis_fixture();
    change(f);
    write_bytes(path, f.rom);
  };
}

std::vector<BadInput> genesis_project_rows() {
  const Reader R = Reader::GenesisProject;
  using F = GenesisFixture&;
  auto entry = [](size_t table, int i, uint32_t v) { return genesis_game([=](F f) { write_be32(&f.rom[table + 4 * i], v); }); };
  return {
      {"Missing", R, nothing(), "not found"},
      {"Directory", R, directory(), "is a directory"},
      {"Empty", R, file({}), "the table entry of the chunkmap of theme 0"},
      {"LargerThan4MiB", R, genesis_game([](F f) { f.rom.resize(0x400001); }), "is too large"},
      {"CutInTheChunkmapTable", R, genesis_game([](F f) { f.rom.resize(genesis::CHUNKMAP_TABLE + 2); }),
       "the table entry of the chunkmap of theme 0"},
      {"CutInsideTheFirstChunkSet", R, genesis_game([](F f) { f.rom.resize(f.chunkmap_offset[0] + 10); }),
       "the chunkmap of theme 0"},
      {"ChunkmapPointerOutside", R, entry(genesis::CHUNKMAP_TABLE, 0, 0x7FFFFFF0), "the chunkmap of theme 0"},
      {"ChunkOf17Columns", R, genesis_game([](F f) { f.rom[f.chunkmap_offset[0] + 6 + 2 * 3] = 17; }), "17x2 blocks"},
      {"PackedChunkSetCorrupt", R,
       genesis_game([](F f) {
         const size_t at = f.chunkmap_offset[1], s = read_be32(&f.rom[at]);
         const Bytes b = unpacked_size_plus_one(Bytes(f.rom.begin() + at, f.rom.begin() + at + s));
         std::copy(b.begin(), b.end(), f.rom.begin() + at);
       }),
       "the chunkmap of theme 1"},
      {"ChunkmapTableWithoutEnd", R,
       genesis_game([](F f) {
         for (int t = 2; t < 16; ++t) write_be32(&f.rom[genesis::CHUNKMAP_TABLE + 4 * t], f.chunkmap_offset[0]);
       }),
       "has no end mark within 16 entries"},
      {"SolidityOutside", R, entry(genesis::SOLIDITY_TABLE, 0, 0x7FFFFFF0), "the solidity data of theme 0"},
      {"PatternsNotPacked", R, genesis_game([](F f) {
         write_be32(&f.rom[genesis::PATTERN_TABLE], static_cast<uint32_t>(f.chunkmap_offset[0]));
       }),
       "the patterns of theme 0"},
      {"BlockMapAtTheEnd", R, genesis_game([](F f) {
         write_be32(&f.rom[genesis::BLOCKMAP_TABLE], static_cast<uint32_t>(f.rom.size() - 100));
       }),
       "the block map of theme 0"},
      {"LayoutRowOutside", R, genesis_game([](F f) { write_be16(&f.rom[f.layout_offset[0] + 8], 0x7000); }),
       "layout 00"},
      {"LayoutPointerOutside", R, entry(genesis::LAYOUT_TABLE, 3, 0x7FFFFFF0), "layout 03"},
      {"PalettePointerOutside", R, entry(genesis::PALETTE_TABLE, 50, 0x7FFFFFF0), "palette 50"},
  };
}

// The AGA fixture under game/, its CODE data changed and packed again.
auto aga_game(std::function<void(Bytes&)> change) {
  return [change](const std::string& path) {
    fs::create_directories("game");
    AgaFixture f = write_aga_fixture("game/");
    change(f.code_data);
    write_bytes(path, pack_block(f.code_data));
  };
}
auto aga_code_file(Bytes bytes) {
  return [bytes](const std::string& path) {
    fs::create_directories("game");
    write_aga_fixture("game/");
    write_bytes(path, bytes);
  };
}

size_t name_offset(const Bytes& code, size_t table, int i) { return read_be32(&code[table + 4 * i]) - aga::ADDRESS_BASE; }

std::vector<BadInput> aga_project_rows() {
  const Reader R = Reader::AgaProject;
  auto address = [](size_t table, int i, uint32_t offset) {
    return aga_game([=](Bytes& c) { write_be32(&c[table + 4 * i], offset + aga::ADDRESS_BASE); });
  };
  auto name = [](size_t table, int i, std::string n) {
    return aga_game([=](Bytes& c) {
      const size_t at = name_offset(c, table, i);
      std::copy(n.begin(), n.end(), c.begin() + at);
      c[at + n.size()] = 0;
    });
  };
  return {
      {"Missing", R, nothing(), "not found"},
      {"Directory", R, directory(), "is a directory"},
      {"Empty", R, aga_code_file({}), "the packed block lies outside the file"},
      {"TextFile", R, aga_code_file(text_bytes("this is no CODE file\n")), "more than 524288"},
      {"LargerThan512KiB", R, aga_code_file(Bytes(PACKED_BLOCK_LIMIT + 1, 0)), "is too large"},
      {"UnpacksBeyondTheCodeBuffer", R, aga_code_file(fake_packed(32, aga::CODE_LIMIT + 1)), "more than 647168"},
      {"StreamCorrupt", R,
       [](const std::string& path) {
         fs::create_directories("game");
         const AgaFixture f = write_aga_fixture("game/");
         write_bytes(path, unpacked_size_plus_one(pack_block(f.code_data)));
       },
       "does not decode"},
      {"DataEndsBeforeTheTables", R, aga_game([](Bytes& c) { c.resize(0x30000); }),
       "the table entry of the chunkmap of theme 0"},
      {"ChunkmapNameOutside", R, address(aga::CHUNKMAP_NAMES, 0, 0x100000), "the name of the chunkmap of theme 0"},
      {"ChunkmapNameOf13Characters", R, name(aga::CHUNKMAP_NAMES, 0, "Jungle12.ITMS"), "longer than 12 characters"},
      {"ChunkmapNameWithADirectory", R, name(aga::CHUNKMAP_NAMES, 1, "../a/b.ITM"), "is not a plain file name"},
      {"LayoutNameUnterminated", R, aga_game([](Bytes& c) {
         std::fill(c.end() - 3, c.end(), 'A');
         write_be32(&c[aga::LAYOUT_NAMES], static_cast<uint32_t>(c.size() - 3 + aga::ADDRESS_BASE));
       }),
       "runs past the end of the data"},
      {"SolidityListEndsEarly", R, aga_game([](Bytes& c) { write_be32(&c[aga::SOLIDITY_NAMES + 4], 0); }),
       "the solidity name list ends at theme 1, the chunkmap name list at theme 2"},
      {"ChunkmapListWithoutEnd", R, aga_game([](Bytes& c) {  // nor in the entry after the scan
         for (int t = 2; t <= 16; ++t)
           std::copy(c.begin() + aga::CHUNKMAP_NAMES, c.begin() + aga::CHUNKMAP_NAMES + 4,
                     c.begin() + aga::CHUNKMAP_NAMES + 4 * t);
       }),
       "has no end mark within 16 entries"},
      {"ChunkmapListEndsAtItsLastScannedEntry", R,  // entries 11 .. 15 are the solidity list's 0 .. 4
       aga_game([](Bytes& c) {
         for (int t = 2; t < 15; ++t)
           std::copy(c.begin() + aga::CHUNKMAP_NAMES, c.begin() + aga::CHUNKMAP_NAMES + 4,
                     c.begin() + aga::CHUNKMAP_NAMES + 4 * t);
       }),
       "the solidity name list ends at theme 0, the chunkmap name list at theme 15"},
      {"PaletteOutside", R, address(aga::PALETTE_TABLE, 5, 0x100000), "palette 5"},
  };
}

// --- game builds, from a project generated from the fixtures, with the file the row names changed ---

auto genesis_build(std::function<void(const std::string&)> change) {
  return [change](const std::string& path) {
    write_bytes("game.bin", make_genesis_fixture().rom);
    fs::create_directories("master/genesis");
    fs::copy_file("game.bin", MASTER_ROM_PATH, fs::copy_options::overwrite_existing);
    ProjectMessages m;
    ASSERT_EQ(GenerateGenesisProject("game.bin", project, m), 0);
    project.project_file = "GLB-Gen.glp";
    change(path);
  };
}

auto aga_build(std::function<void(const std::string&)> change) {
  return [change](const std::string& path) {
    fs::create_directories("master/aga");
    write_aga_fixture("master/aga/");
    ProjectMessages m;
    ASSERT_EQ(GenerateAgaProject(MASTER_CODE_PATH, project, m), 0) << problem_texts(m).at(0);
    project.project_file = "GLB-AGA.glp";
    change(path);
  };
}

// The file cut to its first n bytes.
auto cut_to(size_t n) {
  return [n](const std::string& path) { write_bytes(path, cut(read_bytes(path), n)); };
}

std::vector<BadInput> build_rows() {
  const char* layout = "./levels/./lvl/Lvl00.lvl";
  const char* chunks = "./themes/./itm/Itm0.itm";
  const char* aga_layout = "./levels/./lvl/Lev00Top.LVL";
  const char* aga_chunks = "./themes/./itm/Jungle.itm";
  const Reader G = Reader::GenesisBuild, A = Reader::AgaBuild;
  return {
      {"GenesisMasterMissing", G, genesis_build(removed()), "not found", MASTER_ROM_PATH},
      {"GenesisMasterDirectory", G, genesis_build(directory()), "is a directory", MASTER_ROM_PATH},
      {"GenesisMasterLargerThan4MiB", G, genesis_build(file(Bytes(0x400001, 0))), "is too large", MASTER_ROM_PATH},
      {"GenesisLayoutMissing", G, genesis_build(removed()), "not found", layout},
      {"GenesisLayoutDirectory", G, genesis_build(directory()), "is a directory", layout},
      {"GenesisLayoutCutShort", G, genesis_build(cut_to(20)), "runs past the end of the file", layout},
      {"GenesisLayoutTooLarge", G, genesis_build(file(Bytes(PACKED_BLOCK_LIMIT + 1, 0))), "is too large", layout},
      {"GenesisChunkmapEmpty", G, genesis_build(file({})), "neither a chunk-set block nor a packed block", chunks},
      {"GenesisChunkmapWideChunk", G, genesis_build(file(pack_block(wide_chunk_set()))), "17x2 blocks", chunks},
      {"GenesisChunkmapUnpacksTooLarge", G, genesis_build(file(fake_packed(32, 133125))),
       "more than a chunk set can hold", chunks},
      {"AgaMasterMissing", A, aga_build(removed()), "not found", MASTER_CODE_PATH},
      {"AgaMasterDirectory", A, aga_build(directory()), "is a directory", MASTER_CODE_PATH},
      {"AgaMasterNotPacked", A, aga_build(file(text_bytes("no CODE\n"))), "is not a packed block", MASTER_CODE_PATH},
      {"AgaMasterUnpacksBeyondTheBuffer", A, aga_build(file(fake_packed(32, aga::CODE_LIMIT + 1))), "more than 647168",
       MASTER_CODE_PATH},
      {"AgaMasterCorrupt", A,
       aga_build([](const std::string& path) { write_bytes(path, unpacked_size_plus_one(read_bytes(path))); }),
       "does not decode", MASTER_CODE_PATH},
      {"AgaLayoutMissing", A, aga_build(removed()), "not found", aga_layout},
      {"AgaLayoutCutShort", A, aga_build(cut_to(20)), "runs past the end of the file", aga_layout},
      // Level 0's "Lev00Top.LVL" has 12 characters: it goes in.
      {"AgaLayoutNameOf13Characters", A, aga_build([=](const std::string&) {
         fs::copy_file(aga_layout, "levels/lvl/Lev00Top1.LVL");
         project.levels[1].map_front = "./lvl/Lev00Top1.LVL";
       }),
       "\"Lev00Top1.LVL\" of \"./levels/./lvl/Lev00Top1.LVL\" must have 1 to 12", "./levels/./lvl/Lev00Top1.LVL"},
      {"AgaChunkmapWideChunk", A, aga_build(file(pack_block(wide_chunk_set()))), "17x2 blocks", aga_chunks},
  };
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
  add("ProjectLevel", project_level_rows());
  add("GenesisProject", genesis_project_rows());
  add("AgaProject", aga_project_rows());
  add("", build_rows());
  return rows;
}

// What a refused generation or build must not have written.
std::vector<std::string> outputs(Reader r) {
  switch (r) {
    case Reader::GenesisProject: return {"themes", "levels", "GLB-Gen.glp"};
    case Reader::AgaProject: return {"themes", "levels", "GLB-AGA.glp"};
    case Reader::GenesisBuild: return {"GLB-Gen.bin", "Newrom.bin"};
    case Reader::AgaBuild: return {"GLB-AGA"};
    default: return {};
  }
}

class BadInputTable : public ScratchTest, public ::testing::WithParamInterface<BadInput> {
 protected:
  void SetUp() override {
    ScratchTest::SetUp();
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
  }
  void TearDown() override {
    chmod(file_of(GetParam().reader), 0700);
    ScratchTest::TearDown();
  }
};

TEST_P(BadInputTable, IsRefusedWithAMessageAndChangesNothing) {
  const BadInput& c = GetParam();
  const std::string path = !c.shown.empty() ? c.shown : file_of(c.reader);
  if (c.reader == Reader::Rom) fs::remove(path);  // the image SetUp imported from
  c.make(path);
  if (HasFatalFailure()) return;
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
  captured_messages().clear();

  int result = 0;
  ProjectMessages project_messages;
  const bool menu = c.reader == Reader::LvlMenu || c.reader == Reader::ItmMenu;
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
    case Reader::ProjectLevel: result = project_level_load_number(static_cast<uint8_t>(c.map)); break;
    case Reader::GenesisProject: result = GenerateGenesisProject(path, project, project_messages); break;
    case Reader::AgaProject: result = GenerateAgaProject(path, project, project_messages); break;
    case Reader::GenesisBuild: result = BuildGenesisGame(project, project_messages); break;
    case Reader::AgaBuild: result = BuildAgaGame(project, project_messages); break;
  }
  as_user.reset();
  EXPECT_EQ(result, -1);

  // The menu loads show the chosen path first, as the selector left it; nothing else.
  std::vector<std::string> errors = captured_messages();
  if (menu && !errors.empty()) errors.erase(errors.begin());
  for (const std::string& m : problem_texts(project_messages)) errors.push_back(m);
  ASSERT_EQ(errors.size(), 1u) << (errors.empty() ? "no error message" : errors[0] + " | " + errors.back());
  const std::string& m = errors[0];
  EXPECT_EQ(m.rfind("ERROR: ", 0), 0u) << m;
  const std::string shown = c.reader == Reader::Rom ? ROM_PATH : path;
  EXPECT_NE(m.find("\"" + shown + "\""), std::string::npos) << "the message does not name " << shown << ": " << m;
  EXPECT_NE(m.find(c.reason), std::string::npos) << "expected \"" << c.reason << "\" in: " << m;
  if (menu) {
    EXPECT_EQ(captured_messages(), (std::vector<std::string>{path, m}));
  }

  EXPECT_EQ(difference(LevelSnapshot::take(), level_before), "");
  EXPECT_EQ(difference(project, project_before), "");
  for (const std::string& out : outputs(c.reader)) EXPECT_FALSE(fs::exists(out)) << out << " was written";
}

INSTANTIATE_TEST_SUITE_P(Readers, BadInputTable, ::testing::ValuesIn(all_rows()),
                         [](const ::testing::TestParamInfo<BadInput>& info) { return info.param.name; });

}  // namespace
