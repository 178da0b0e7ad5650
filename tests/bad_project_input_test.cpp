// The project readers against damaged input, one table row per case: the project level
// load (LOAD LEVEL...), project generation from a Genesis ROM image and from an AGA CODE
// file, and both game builds. Each row must be refused with one "ERROR: ..." message that
// names the file and says what is wrong, write nothing, and leave the level and the project
// tables exactly as they were.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <functional>

#include "app/level_commands.h"
#include "app/problem_text.h"
#include "files/byte_order.h"
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

enum class Reader { ProjectLevel, GenesisProject, AgaProject, GenesisBuild, AgaBuild };

struct BadProjectInput {
  std::string name;
  Reader reader;
  std::function<void()> make;  // writes the game or project and damages it
  std::string shown;           // the file the message must name
  std::string reason;          // part of the message that says what is wrong
  int level = 2;               // ProjectLevel: the level loaded
};

void PrintTo(const BadProjectInput& c, std::ostream* os) { *os << c.name; }

// A chunk set whose first chunk is 17 blocks wide.
Bytes wide_chunk_set() {
  Bytes b = chunk_set_bytes(fixture_chunks(3, 0));
  b[read_be16(&b[6])] = 17;
  return b;
}

void replace_with_directory(const std::string& path) {
  fs::remove(path);
  fs::create_directories(path);
}

// --- the project level load: level 2 (Genesis theme 0), level 1 (planar theme 1) ---

void write_level_project() { write_level_project(build_test_rom()); }

void load_level_project() {
  ProjectMessages m;
  project = ProjectTables();
  ASSERT_TRUE(LoadProject("proj/p.glp", project, m));
  ASSERT_TRUE(m.all().empty()) << problem_texts(m)[0];
}

// A level project with one file replaced (or, with a null content, turned into a directory).
auto level_file(const std::string& path, std::function<Bytes()> content) {
  return [path, content] {
    write_level_project();
    if (content)
      write_bytes(path, content());
    else
      replace_with_directory(path);
    load_level_project();
  };
}
auto level_file_removed(const std::string& path) {
  return [path] {
    write_level_project();
    fs::remove(path);
    load_level_project();
  };
}
auto level_rom(std::function<void()> change) {
  return [change] {
    write_level_project();
    load_level_project();
    change();
  };
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

std::vector<BadProjectInput> project_level_rows() {
  const Reader R = Reader::ProjectLevel;
  Bytes themed = layout_bytes(fixture_plane(0, 5, 1));
  themed[3] = 20;
  return {
      {"FrontMissing", R, level_file_removed(FRONT), shown(FRONT), "not found"},
      {"FrontDirectory", R, level_file(FRONT, nullptr), shown(FRONT), "is a directory"},
      {"FrontEmpty", R, level_file(FRONT, [] { return Bytes(); }), shown(FRONT), "is empty"},
      {"FrontTooLarge", R, level_file(FRONT, [] { return Bytes(PACKED_BLOCK_LIMIT + 1, 0); }), shown(FRONT), "is too large"},
      {"FrontCutShort", R, level_file(FRONT, [] { return cut(pack_block(layout_bytes(fixture_plane(0, 5, 1))), 20); }),
       shown(FRONT), "runs past the end of the file"},
      {"FrontStreamCorrupt", R,
       level_file(FRONT, [] { return unpacked_size_plus_one(pack_block(layout_bytes(fixture_plane(0, 5, 1)))); }), shown(FRONT),
       "does not decode"},
      {"FrontThemeBeyond16", R, level_file(FRONT, [themed] { return themed; }), shown(FRONT), "theme 20 is beyond"},
      {"BackDirectory", R, level_file(BACK, nullptr), shown(BACK), "is a directory"},
      {"BackCutShort", R, level_file(BACK, [] { return cut(layout_bytes(fixture_plane(0, 3, 2)), 20); }), shown(BACK),
       "is truncated"},
      {"ChunkmapMissing", R, level_file_removed(CHUNKS), shown(CHUNKS), "not found"},
      {"ChunkmapDirectory", R, level_file(CHUNKS, nullptr), shown(CHUNKS), "is a directory"},
      {"ChunkmapWideChunk", R, level_file(CHUNKS, [] { return pack_block(wide_chunk_set()); }), shown(CHUNKS),
       "17x2 blocks, more than 16x16"},
      {"ChunkmapUnpacksTooLarge", R, level_file(CHUNKS, [] { return fake_packed(32, 200000); }), shown(CHUNKS),
       "more than 133124"},
      {"PaletteShort", R, level_file(PALETTE, [] { return Bytes(31, 1); }), shown(PALETTE),
       "a palette needs 32 bytes, the file has 31"},
      {"PaletteDirectory", R, level_file(PALETTE, nullptr), shown(PALETTE), "is a directory"},
      {"PatternsMissing", R, level_file_removed(PATTERNS), shown(PATTERNS), "not found"},
      {"PatternsNotPacked", R, level_file(PATTERNS, [] { return Bytes(2048, 0x11); }), shown(PATTERNS),
       "is not a packed block"},
      {"BlockMapMissing", R, level_file_removed(BLOCKMAP), shown(BLOCKMAP), "not found"},
      {"BlockMapTooShort", R, level_file(BLOCKMAP, [] { return pack_block(Bytes(100, 1)); }), shown(BLOCKMAP),
       "holds 100 bytes, fewer than its 496 mappings need"},
      {"PlanarGraphicsCorrupt", R, level_file(GRAPHICS, [] { return unpacked_size_plus_one(pack_block(Bytes(1280, 0x5A))); }),
       shown(GRAPHICS), "does not decode", 1},
      {"PlanarGraphicsDirectory", R, level_file(GRAPHICS, nullptr), shown(GRAPHICS), "is a directory", 1},
      {"RomMissing", R, level_rom([] { fs::remove(ROM_PATH); }), ROM_PATH, "not found"},
      {"RomDirectory", R, level_rom([] { replace_with_directory(ROM_PATH); }), ROM_PATH, "is a directory"},
      {"RomCutBeforeTheCommonPatterns", R,
       level_rom([] { write_bytes(ROM_PATH, cut(build_test_rom().rom, genesis::COMMON_PATTERNS + 10)); }), ROM_PATH,
       "the common patterns"},
  };
}

// --- project generation ---

auto genesis_game(std::function<void(GenesisFixture&)> change) {
  return [change] {
    GenesisFixture f = make_genesis_fixture();
    change(f);
    write_bytes("game.bin", f.rom);
  };
}

std::vector<BadProjectInput> genesis_project_rows() {
  const Reader R = Reader::GenesisProject;
  using F = GenesisFixture&;
  auto entry = [](size_t table, int i, uint32_t v) { return genesis_game([=](F f) { write_be32(&f.rom[table + 4 * i], v); }); };
  return {
      {"Missing", R, [] {}, "game.bin", "not found"},
      {"Directory", R, [] { fs::create_directory("game.bin"); }, "game.bin", "is a directory"},
      {"Empty", R, [] { write_bytes("game.bin", {}); }, "game.bin", "the table entry of the chunkmap of theme 0"},
      {"LargerThan4MiB", R, genesis_game([](F f) { f.rom.resize(0x400001); }), "game.bin", "is too large"},
      {"CutInTheChunkmapTable", R, genesis_game([](F f) { f.rom.resize(genesis::CHUNKMAP_TABLE + 2); }), "game.bin",
       "the table entry of the chunkmap of theme 0"},
      {"CutInsideTheFirstChunkSet", R, genesis_game([](F f) { f.rom.resize(f.chunkmap_offset[0] + 10); }), "game.bin",
       "the chunkmap of theme 0"},
      {"ChunkmapPointerOutside", R, entry(genesis::CHUNKMAP_TABLE, 0, 0x7FFFFFF0), "game.bin", "the chunkmap of theme 0"},
      {"ChunkOf17Columns", R, genesis_game([](F f) { f.rom[f.chunkmap_offset[0] + 6 + 2 * 3] = 17; }), "game.bin",
       "17x2 blocks"},
      {"PackedChunkSetCorrupt", R,
       genesis_game([](F f) {
         const size_t at = f.chunkmap_offset[1], s = read_be32(&f.rom[at]);
         const Bytes b = unpacked_size_plus_one(Bytes(f.rom.begin() + at, f.rom.begin() + at + s));
         std::copy(b.begin(), b.end(), f.rom.begin() + at);
       }),
       "game.bin", "the chunkmap of theme 1"},
      {"ChunkmapTableWithoutEnd", R,
       genesis_game([](F f) {
         for (int t = 2; t < 16; ++t) write_be32(&f.rom[genesis::CHUNKMAP_TABLE + 4 * t], f.chunkmap_offset[0]);
       }),
       "game.bin", "has no end mark within 16 entries"},
      {"SolidityOutside", R, entry(genesis::SOLIDITY_TABLE, 0, 0x7FFFFFF0), "game.bin", "the solidity data of theme 0"},
      {"PatternsNotPacked", R, genesis_game([](F f) {
         write_be32(&f.rom[genesis::PATTERN_TABLE], static_cast<uint32_t>(f.chunkmap_offset[0]));
       }),
       "game.bin", "the patterns of theme 0"},
      {"BlockMapAtTheEnd", R, genesis_game([](F f) {
         write_be32(&f.rom[genesis::BLOCKMAP_TABLE], static_cast<uint32_t>(f.rom.size() - 100));
       }),
       "game.bin", "the block map of theme 0"},
      {"LayoutRowOutside", R, genesis_game([](F f) { write_be16(&f.rom[f.layout_offset[0] + 8], 0x7000); }), "game.bin",
       "layout 00"},
      {"LayoutPointerOutside", R, entry(genesis::LAYOUT_TABLE, 3, 0x7FFFFFF0), "game.bin", "layout 03"},
      {"PalettePointerOutside", R, entry(genesis::PALETTE_TABLE, 50, 0x7FFFFFF0), "game.bin", "palette 50"},
  };
}

// The AGA fixture under game/, its CODE data changed and packed again.
auto aga_game(std::function<void(Bytes&)> change) {
  return [change] {
    fs::create_directories("game");
    AgaFixture f = write_aga_fixture("game/");
    change(f.code_data);
    write_bytes("game/CODE", pack_block(f.code_data));
  };
}
auto aga_code_file(Bytes bytes) {
  return [bytes] {
    fs::create_directories("game");
    write_aga_fixture("game/");
    write_bytes("game/CODE", bytes);
  };
}

size_t name_offset(const Bytes& code, size_t table, int i) { return read_be32(&code[table + 4 * i]) - aga::ADDRESS_BASE; }

std::vector<BadProjectInput> aga_project_rows() {
  const Reader R = Reader::AgaProject;
  const char* code = "game/CODE";
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
      {"Missing", R, [] {}, code, "not found"},
      {"Directory", R, [] { fs::create_directories("game/CODE"); }, code, "is a directory"},
      {"Empty", R, aga_code_file({}), code, "the packed block lies outside the file"},
      {"TextFile", R, aga_code_file(text_bytes("this is no CODE file\n")), code, "more than 524288"},
      {"LargerThan512KiB", R, aga_code_file(Bytes(PACKED_BLOCK_LIMIT + 1, 0)), code, "is too large"},
      {"UnpacksBeyondTheCodeBuffer", R, aga_code_file(fake_packed(32, aga::CODE_LIMIT + 1)), code, "more than 647168"},
      {"StreamCorrupt", R,
       [] {
         fs::create_directories("game");
         const AgaFixture f = write_aga_fixture("game/");
         write_bytes("game/CODE", unpacked_size_plus_one(pack_block(f.code_data)));
       },
       code, "does not decode"},
      {"DataEndsBeforeTheTables", R, aga_game([](Bytes& c) { c.resize(0x30000); }), code,
       "the table entry of the chunkmap of theme 0"},
      {"ChunkmapNameOutside", R, address(aga::CHUNKMAP_NAMES, 0, 0x100000), code,
       "the name of the chunkmap of theme 0"},
      {"ChunkmapNameOf13Characters", R, name(aga::CHUNKMAP_NAMES, 0, "Jungle12.ITMS"), code,
       "longer than 12 characters"},
      {"ChunkmapNameWithADirectory", R, name(aga::CHUNKMAP_NAMES, 1, "../a/b.ITM"), code, "is not a plain file name"},
      {"LayoutNameUnterminated", R, aga_game([](Bytes& c) {
         std::fill(c.end() - 3, c.end(), 'A');
         write_be32(&c[aga::LAYOUT_NAMES], static_cast<uint32_t>(c.size() - 3 + aga::ADDRESS_BASE));
       }),
       code, "runs past the end of the data"},
      {"SolidityListEndsEarly", R, aga_game([](Bytes& c) { write_be32(&c[aga::SOLIDITY_NAMES + 4], 0); }), code,
       "the solidity name list ends at theme 1, the chunkmap name list at theme 2"},
      {"ChunkmapListWithoutEnd", R, aga_game([](Bytes& c) {
         for (int t = 2; t < 16; ++t)
           std::copy(c.begin() + aga::CHUNKMAP_NAMES, c.begin() + aga::CHUNKMAP_NAMES + 4,
                     c.begin() + aga::CHUNKMAP_NAMES + 4 * t);
       }),
       code, "has no end mark within 16 entries"},
      {"ChunkmapListEndsAtItsLastScannedEntry", R,  // entries 11 .. 15 are the solidity list's 0 .. 4
       aga_game([](Bytes& c) {
         for (int t = 2; t < 15; ++t)
           std::copy(c.begin() + aga::CHUNKMAP_NAMES, c.begin() + aga::CHUNKMAP_NAMES + 4,
                     c.begin() + aga::CHUNKMAP_NAMES + 4 * t);
       }),
       code, "the solidity name list ends at theme 0, the chunkmap name list at theme 15"},
      {"PaletteOutside", R, address(aga::PALETTE_TABLE, 5, 0x100000), code, "palette 5"},
  };
}

// --- game builds, from a project generated from the fixtures ---

auto genesis_build(std::function<void()> change) {
  return [change] {
    write_bytes("game.bin", make_genesis_fixture().rom);
    fs::create_directories("master/genesis");
    fs::copy_file("game.bin", MASTER_ROM_PATH, fs::copy_options::overwrite_existing);
    ProjectMessages m;
    ASSERT_EQ(GenerateGenesisProject("game.bin", project, m), 0);
    project.project_file = "GLB-Gen.glp";
    change();
  };
}

auto aga_build(std::function<void()> change) {
  return [change] {
    fs::create_directories("master/aga");
    write_aga_fixture("master/aga/");
    ProjectMessages m;
    ASSERT_EQ(GenerateAgaProject(MASTER_CODE_PATH, project, m), 0) << problem_texts(m).at(0);
    project.project_file = "GLB-AGA.glp";
    change();
  };
}

std::vector<BadProjectInput> build_rows() {
  const char* layout = "./levels/./lvl/Lvl00.lvl";
  const char* chunks = "./themes/./itm/Itm0.itm";
  const char* aga_layout = "./levels/./lvl/Lev00Top.LVL";
  const char* aga_chunks = "./themes/./itm/Jungle.itm";
  const Reader G = Reader::GenesisBuild, A = Reader::AgaBuild;
  return {
      {"GenesisMasterMissing", G, genesis_build([] { fs::remove(MASTER_ROM_PATH); }), MASTER_ROM_PATH, "not found"},
      {"GenesisMasterDirectory", G, genesis_build([] { replace_with_directory(MASTER_ROM_PATH); }), MASTER_ROM_PATH,
       "is a directory"},
      {"GenesisMasterLargerThan4MiB", G, genesis_build([] { write_bytes(MASTER_ROM_PATH, Bytes(0x400001, 0)); }),
       MASTER_ROM_PATH, "is too large"},
      {"GenesisLayoutMissing", G, genesis_build([=] { fs::remove(layout); }), layout, "not found"},
      {"GenesisLayoutDirectory", G, genesis_build([=] { replace_with_directory(layout); }), layout, "is a directory"},
      {"GenesisLayoutCutShort", G, genesis_build([=] { write_bytes(layout, cut(read_bytes(layout), 20)); }), layout,
       "runs past the end of the file"},
      {"GenesisLayoutTooLarge", G, genesis_build([=] { write_bytes(layout, Bytes(PACKED_BLOCK_LIMIT + 1, 0)); }),
       layout, "is too large"},
      {"GenesisChunkmapEmpty", G, genesis_build([=] { write_bytes(chunks, {}); }), chunks,
       "neither a chunk-set block nor a packed block"},
      {"GenesisChunkmapWideChunk", G, genesis_build([=] { write_bytes(chunks, pack_block(wide_chunk_set())); }), chunks,
       "17x2 blocks"},
      {"GenesisChunkmapUnpacksTooLarge", G, genesis_build([=] { write_bytes(chunks, fake_packed(32, 133125)); }),
       chunks, "more than a chunk set can hold"},
      {"AgaMasterMissing", A, aga_build([] { fs::remove(MASTER_CODE_PATH); }), MASTER_CODE_PATH, "not found"},
      {"AgaMasterDirectory", A, aga_build([] { replace_with_directory(MASTER_CODE_PATH); }), MASTER_CODE_PATH,
       "is a directory"},
      {"AgaMasterNotPacked", A, aga_build([] { write_bytes(MASTER_CODE_PATH, text_bytes("no CODE\n")); }),
       MASTER_CODE_PATH, "is not a packed block"},
      {"AgaMasterUnpacksBeyondTheBuffer", A,
       aga_build([] { write_bytes(MASTER_CODE_PATH, fake_packed(32, aga::CODE_LIMIT + 1)); }), MASTER_CODE_PATH,
       "more than 647168"},
      {"AgaMasterCorrupt", A,
       aga_build([] { write_bytes(MASTER_CODE_PATH, unpacked_size_plus_one(read_bytes(MASTER_CODE_PATH))); }),
       MASTER_CODE_PATH, "does not decode"},
      {"AgaLayoutMissing", A, aga_build([=] { fs::remove(aga_layout); }), aga_layout, "not found"},
      {"AgaLayoutCutShort", A, aga_build([=] { write_bytes(aga_layout, cut(read_bytes(aga_layout), 20)); }), aga_layout,
       "runs past the end of the file"},
      {"AgaLayoutNameOf13Characters", A, aga_build([=] {  // level 0's "Lev00Top.LVL" has 12: it goes in
         fs::copy_file(aga_layout, "levels/lvl/Lev00Top1.LVL");
         project.levels[1].map_front = "./lvl/Lev00Top1.LVL";
       }),
       "./levels/./lvl/Lev00Top1.LVL", "\"Lev00Top1.LVL\" of \"./levels/./lvl/Lev00Top1.LVL\" must have 1 to 12"},
      {"AgaChunkmapWideChunk", A, aga_build([=] { write_bytes(aga_chunks, pack_block(wide_chunk_set())); }), aga_chunks,
       "17x2 blocks"},
  };
}

std::vector<BadProjectInput> all_rows() {
  std::vector<BadProjectInput> rows;
  auto add = [&](const std::string& prefix, std::vector<BadProjectInput> part) {
    for (BadProjectInput& c : part) {
      c.name = prefix + c.name;
      rows.push_back(std::move(c));
    }
  };
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
    case Reader::ProjectLevel: return {};
  }
  return {};
}

class BadProjectInputTable : public ::testing::TestWithParam<BadProjectInput> {
 protected:
  void SetUp() override {
    headless_screen();
    dir = scratch_dir("bad_project_input_" + GetParam().name);
    cwd = std::make_unique<ScopedCwd>(dir);
    write_test_rom(build_test_rom().rom, dir);
    ASSERT_EQ(level_import_map(2), 0);
    editor_mode = 7;
  }
  void TearDown() override { cwd.reset(); }
  std::string dir;
  std::unique_ptr<ScopedCwd> cwd;
};

TEST_P(BadProjectInputTable, IsRefusedWithAMessageAndChangesNothing) {
  const BadProjectInput& c = GetParam();
  c.make();
  if (HasFatalFailure()) return;
  const LevelSnapshot level_before = LevelSnapshot::take();
  const ProjectTables project_before = project;
  captured_messages().clear();

  int result = 0;
  ProjectMessages messages;
  switch (c.reader) {
    case Reader::ProjectLevel: result = project_level_load_number(static_cast<uint8_t>(c.level)); break;
    case Reader::GenesisProject: result = GenerateGenesisProject("game.bin", project, messages); break;
    case Reader::AgaProject: result = GenerateAgaProject("game/CODE", project, messages); break;
    case Reader::GenesisBuild: result = BuildGenesisGame(project, messages); break;
    case Reader::AgaBuild: result = BuildAgaGame(project, messages); break;
  }
  EXPECT_EQ(result, -1);

  std::vector<std::string> errors = captured_messages();
  for (const std::string& m : problem_texts(messages)) errors.push_back(m);
  ASSERT_EQ(errors.size(), 1u) << (errors.empty() ? "no message" : errors[0] + " | " + errors.back());
  const std::string& m = errors[0];
  EXPECT_EQ(m.rfind("ERROR: ", 0), 0u) << m;
  EXPECT_NE(m.find("\"" + c.shown + "\""), std::string::npos) << "the message does not name " << c.shown << ": " << m;
  EXPECT_NE(m.find(c.reason), std::string::npos) << "expected \"" << c.reason << "\" in: " << m;

  EXPECT_EQ(difference(LevelSnapshot::take(), level_before), "");
  EXPECT_EQ(difference(project, project_before), "");
  for (const std::string& out : outputs(c.reader)) EXPECT_FALSE(fs::exists(out)) << out << " was written";
}

INSTANTIATE_TEST_SUITE_P(ProjectReaders, BadProjectInputTable, ::testing::ValuesIn(all_rows()),
                         [](const ::testing::TestParamInfo<BadProjectInput>& info) { return info.param.name; });

}  // namespace
