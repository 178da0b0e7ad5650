#include <gtest/gtest.h>

#include <filesystem>

#include "app/problem_text.h"
#include "files/byte_order.h"
#include "files/packed_block.h"
#include "files/project_generate.h"
#include "files/project_tree.h"
#include "files/rom_tables.h"
#include "game_fixtures.h"
#include "test_support.h"

namespace fs = std::filesystem;

namespace {

std::vector<uint8_t> unpacked(const std::string& path) {
  const std::vector<uint8_t> file = read_bytes(path);
  std::vector<uint8_t> out;
  std::string error;
  EXPECT_TRUE(unpack_block(file.data(), file.size(), 0, out, error)) << path << ": " << error;
  return out;
}

std::vector<uint8_t> rom_bytes(const GenesisFixture& f, size_t offset, size_t n) {
  return std::vector<uint8_t>(f.rom.begin() + offset, f.rom.begin() + offset + n);
}

size_t packed_size(const GenesisFixture& f, size_t offset) { return read_be32(&f.rom[offset]); }

// Generates from a ROM image written as "rom.bin"; messages and result returned.
int generate_genesis(const std::vector<uint8_t>& rom, ProjectTables& tables, ProjectMessages& messages) {
  write_bytes("rom.bin", rom);
  return GenerateGenesisProject("rom.bin", tables, messages);
}

// Points entry `index` of a CODE name table at `name`, stored at offset `at`.
void put_name(std::vector<uint8_t>& code, size_t table, int index, const std::string& name, size_t at) {
  std::copy(name.begin(), name.end(), code.begin() + at);
  code[at + name.size()] = 0;
  write_be32(&code[table + 4 * index], static_cast<uint32_t>(at + aga::ADDRESS_BASE));
}

}  // namespace

TEST(GenerateGenesisProject, WritesTheTreeWithPlainBlocksPackedAndPackedBlocksUnchanged) {
  ScopedCwd cwd(scratch_dir("generate_genesis_tree"));
  const GenesisFixture f = make_genesis_fixture();
  ProjectTables tables;
  ProjectMessages m;
  ASSERT_EQ(generate_genesis(f.rom, tables, m), 0) << (m.all().empty() ? "" : problem_texts(m)[0]);
  EXPECT_TRUE(m.all().empty());

  // Plain chunk set, solidity and block map are packed; unpacked they are the ROM's bytes.
  const std::vector<uint8_t> set0 = chunk_set_bytes(f.chunks[0]);
  EXPECT_EQ(unpacked("themes/itm/Itm0.itm"), set0);
  EXPECT_EQ(unpacked("themes/ins/Ins1.ins"), rom_bytes(f, f.solidity_offset[1], genesis::SOLIDITY_BYTES));
  EXPECT_EQ(unpacked("themes/bma/Bma0.bma"), rom_bytes(f, f.blockmap_offset[0], genesis::BLOCKMAP_BYTES));
  // Packed chunk set, patterns and block map are written as the ROM holds them.
  EXPECT_EQ(read_bytes("themes/itm/Itm1.itm"), rom_bytes(f, f.chunkmap_offset[1], packed_size(f, f.chunkmap_offset[1])));
  EXPECT_EQ(read_bytes("themes/pat/Pat0.pat"), rom_bytes(f, f.pattern_offset[0], packed_size(f, f.pattern_offset[0])));
  EXPECT_EQ(read_bytes("themes/bma/Bma1.bma"), rom_bytes(f, f.blockmap_offset[1], packed_size(f, f.blockmap_offset[1])));
  EXPECT_FALSE(fs::exists("themes/itm/Itm2.itm"));

  // A plain layout, extracted and unpacked, is exactly the ROM's block; a packed one is copied.
  const std::vector<uint8_t> plain0 = layout_bytes(f.planes[0]);
  EXPECT_EQ(unpacked("levels/lvl/Lvl00.lvl"), rom_bytes(f, f.layout_offset[0], plain0.size()));
  EXPECT_EQ(read_bytes("levels/lvl/Lvl01.lvl"), rom_bytes(f, f.layout_offset[1], packed_size(f, f.layout_offset[1])));
  EXPECT_EQ(unpacked("levels/lvl/Lvl80.lvl"), layout_bytes(f.planes[0x80]));
  // Layout 0x02 repeats 0x00's offset: no file, and level 2 gets no descriptor.
  EXPECT_FALSE(fs::exists("levels/lvl/Lvl02.lvl"));
  EXPECT_FALSE(fs::exists("levels/level02.gll"));
  EXPECT_FALSE(fs::exists("levels/lvl/Lvl04.lvl"));

  // Palettes: 107 files of 32 bytes, named with two upper-case hex digits.
  EXPECT_TRUE(fs::exists("levels/pal/Pal00.pal"));
  EXPECT_TRUE(fs::exists("levels/pal/Pal6A.pal"));
  EXPECT_FALSE(fs::exists("levels/pal/Pal6B.pal"));
  EXPECT_EQ(read_bytes("levels/pal/Pal6A.pal"), rom_bytes(f, read_be32(&f.rom[genesis::PALETTE_TABLE + 4 * 0x6A]), 32));
}

TEST(GenerateGenesisProject, DescriptorAndProjectTextsAreExact) {
  ScopedCwd cwd(scratch_dir("generate_genesis_texts"));
  GenesisFixture f = make_genesis_fixture();
  // Back layout 0x82 repeats the offset of 0x81.
  write_be32(&f.rom[genesis::LAYOUT_TABLE_HIGH + 4 * 2], static_cast<uint32_t>(f.layout_offset[0x81]));
  ProjectTables tables;
  ProjectMessages m;
  ASSERT_EQ(generate_genesis(f.rom, tables, m), 0);

  EXPECT_EQ(read_text_file("GLB-Gen.glp"),
            "glb_project_file_version = 0\r\n"
            "\r\ntheme_0 = ./themes/theme0.glt\r\ntheme_1 = ./themes/theme1.glt\r\n"
            "\r\nlevel_00 = ./levels/level00.gll\r\nlevel_01 = ./levels/level01.gll\r\n"
            "level_03 = ./levels/level03.gll\r\n");
  EXPECT_EQ(read_text_file("themes/theme0.glt"),
            "chunkmap = ./itm/Itm0.itm\r\nsolidity = ./ins/Ins0.ins\r\npatterns = ./pat/Pat0.pat\r\n"
            "blockmap = ./bma/Bma0.bma");
  // Level 1: its back layout 0x82 repeats 0x81, whose file it names.
  EXPECT_EQ(read_text_file("levels/level01.gll"),
            "map_front = ./lvl/Lvl01.lvl\r\nmap_back = ./lvl/Lvl81.lvl\r\npalette_main = ./pal/Pal6A.pal\r\npalette_front = ./pal/Pal02.pal\r\n"
            "palette_back = ./pal/Pal03.pal\r\npalette_flash = ./pal/Pal04.pal\r\nback_scroll_a = 1\r\n"
            "back_scroll_b = 0\r\nback_scroll_c = 0\r\nback_scroll_d = 255\r\nfront_scroll = 16\r\nflags = 44\r\n"
            "music = 7");
  // Level 0 has its back layout; level 3's front layout repeats layout 0x00, whose file it names.
  EXPECT_NE(read_text_file("levels/level00.gll").find("map_front = ./lvl/Lvl00.lvl\r\nmap_back = ./lvl/Lvl80.lvl\r\n"),
            std::string::npos);
  EXPECT_NE(read_text_file("levels/level03.gll").find("map_front = ./lvl/Lvl00.lvl\r\nmap_back = ./lvl/Lvl81.lvl\r\n"),
            std::string::npos);

  // The tables hold what loading the written project gives.
  ProjectTables loaded;
  ProjectMessages lm;
  ASSERT_TRUE(LoadProject("GLB-Gen.glp", loaded, lm));
  EXPECT_TRUE(lm.all().empty());
  EXPECT_TRUE(tables == loaded);
  EXPECT_EQ(tables.levels[1].flags, 44);
  EXPECT_EQ(tables.themes[1].blockmap, "./bma/Bma1.bma");
}

TEST(GenerateGenesisProject, GameWithoutThemesOrLevelsStillEndsBothLists) {
  ScopedCwd cwd(scratch_dir("generate_genesis_empty"));
  std::vector<uint8_t> rom(0x112000, 0);
  ProjectTables tables;
  tables.levels[9].map_front = "kept.lvl";
  ProjectMessages m;
  ASSERT_EQ(generate_genesis(rom, tables, m), 0) << (m.all().empty() ? "" : problem_texts(m)[0]);
  EXPECT_EQ(read_text_file("GLB-Gen.glp"), "glb_project_file_version = 0\r\n\r\n\r\n");
  EXPECT_TRUE(fs::is_directory("themes/bma"));
  EXPECT_TRUE(fs::is_directory("levels/pal"));
  // As after loading such a project: empty tables, nothing of the tables before.
  EXPECT_TRUE(tables == ProjectTables());
}

// A zero solidity entry after theme 0 ends that list: the themes behind it get no solidity file.
TEST(GenerateGenesisProject, ZeroSolidityEntryAfterThemeZeroEndsTheList) {
  ScopedCwd cwd(scratch_dir("generate_genesis_solidity_end"));
  GenesisFixture f = make_genesis_fixture();
  auto entry = [&f](size_t table, int t, size_t v) { write_be32(&f.rom[table + 4 * t], static_cast<uint32_t>(v)); };
  entry(genesis::CHUNKMAP_TABLE, 2, f.chunkmap_offset[1]);  // a third theme
  entry(genesis::PATTERN_TABLE, 2, f.pattern_offset[1]);
  entry(genesis::BLOCKMAP_TABLE, 2, f.blockmap_offset[1]);
  entry(genesis::SOLIDITY_TABLE, 1, 0);
  entry(genesis::SOLIDITY_TABLE, 2, f.solidity_offset[0]);
  ProjectTables tables;
  ProjectMessages m;
  ASSERT_EQ(generate_genesis(f.rom, tables, m), 0) << (m.all().empty() ? "" : problem_texts(m)[0]);
  EXPECT_TRUE(fs::exists("themes/itm/Itm2.itm"));
  EXPECT_TRUE(fs::exists("themes/ins/Ins0.ins"));
  EXPECT_FALSE(fs::exists("themes/ins/Ins1.ins"));
  EXPECT_FALSE(fs::exists("themes/ins/Ins2.ins"));
}

TEST(GenerateGenesisProject, UnwritableTreeIsReported) {
  ScopedCwd cwd(scratch_dir("generate_genesis_unwritable"));
  write_bytes("levels", {1, 2, 3});  // a file where a directory must go
  const GenesisFixture f = make_genesis_fixture();
  ProjectTables tables;
  const ProjectTables before = tables;
  ProjectMessages m;
  EXPECT_EQ(generate_genesis(f.rom, tables, m), -1);
  EXPECT_EQ(problem_texts(m).at(0), "ERROR: Could not create directory \"./levels\"");
  EXPECT_TRUE(tables == before);
  EXPECT_FALSE(fs::exists("GLB-Gen.glp"));
}

TEST(GenerateAgaProject, CopiesTheNamedFilesAndWritesExactTexts) {
  ScopedCwd cwd(scratch_dir("generate_aga"));
  fs::create_directories("game");
  const AgaFixture f = write_aga_fixture("game/");
  ProjectTables tables;
  ProjectMessages m;
  ASSERT_EQ(GenerateAgaProject("game/CODE", tables, m), 0) << (m.all().empty() ? "" : problem_texts(m)[0]);
  EXPECT_TRUE(m.all().empty());

  // Files are copied under their own names; the lower-case ".itm" ending is accepted.
  EXPECT_EQ(read_bytes("themes/itm/Jungle.itm"), read_bytes("game/Jungle.itm"));
  EXPECT_EQ(read_bytes("themes/ins/Castle.INS"), read_bytes("game/Castle.INS"));
  EXPECT_EQ(read_bytes("themes/glv/JungleGf.GLV"), read_bytes("game/JungleGf.GLV"));
  EXPECT_EQ(read_bytes("levels/lvl/Back00.LVL"), read_bytes("game/Back00.LVL"));
  EXPECT_EQ(read_bytes("levels/pal/Pal6A.pal").size(), 32u);

  EXPECT_EQ(read_text_file("GLB-AGA.glp"),
            "glb_project_file_version = 0\r\n"
            "\r\ntheme_0 = ./themes/JungleGf.glt\r\ntheme_1 = ./themes/Castle.glt\r\n"
            "\r\nlevel_00 = ./levels/Lev00Top.gll\r\nlevel_01 = ./levels/Lev01.gll\r\n");
  // The longest name gives the descriptor's name; on equal length the chunkmap's.
  EXPECT_EQ(read_text_file("themes/JungleGf.glt"),
            "chunkmap = ./itm/Jungle.itm\r\ngraphics = ./glv/JungleGf.GLV\r\nsolidity = ./ins/Jungle.INS");
  EXPECT_EQ(read_text_file("themes/Castle.glt"),
            "chunkmap = ./itm/Castle.ITM\r\ngraphics = ./glv/Castle.GLV\r\nsolidity = ./ins/Castle.INS");
  EXPECT_EQ(read_text_file("levels/Lev00Top.gll").rfind("map_front = ./lvl/Lev00Top.LVL\r\nmap_back = ./lvl/Back00.LVL\r\n", 0),
            0u);
  EXPECT_EQ(read_text_file("levels/Lev01.gll").find("map_back"), std::string::npos);

  ProjectTables loaded;
  ProjectMessages lm;
  ASSERT_TRUE(LoadProject("GLB-AGA.glp", loaded, lm));
  EXPECT_TRUE(tables == loaded);
  EXPECT_EQ(tables.themes[0].graphics, "./glv/JungleGf.GLV");
}

TEST(GenerateAgaProject, NameListRulesAndBadNames) {
  ScopedCwd cwd(scratch_dir("generate_aga_rules"));
  fs::create_directories("game");
  const AgaFixture f = write_aga_fixture("game/");
  struct Case {
    const char* name;
    std::vector<uint8_t> code;
    const char* expected;
  };
  std::vector<Case> cases;
  cases.push_back({"graphics list runs longer", f.code_data, "the graphics name list ends at theme 3"});
  put_name(cases.back().code, aga::GRAPHICS_NAMES, 2, "Extra.GLV", 0x39000);
  cases.push_back({"wrong ending ends the chunkmap list", f.code_data, "ends at theme 2, the chunkmap name list at theme 1"});
  put_name(cases.back().code, aga::CHUNKMAP_NAMES, 1, "Castle.DAT", 0x39000);

  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    fs::remove_all("themes");
    fs::remove_all("levels");
    write_bytes("game/CODE", literal_block(c.code));
    ProjectTables tables;
    ProjectMessages m;
    EXPECT_EQ(GenerateAgaProject("game/CODE", tables, m), -1);
    ASSERT_EQ(m.all().size(), 1u);
    EXPECT_NE(problem_texts(m)[0].find(c.expected), std::string::npos) << problem_texts(m)[0];
    EXPECT_FALSE(fs::exists("themes"));
    EXPECT_FALSE(fs::exists("GLB-AGA.glp"));
  }

  // A game file over 512 KiB stops the generation like a missing one: nothing is written.
  write_bytes("game/CODE", literal_block(f.code_data));
  write_bytes("game/Castle.GLV", std::vector<uint8_t>(0x80001, 1));
  ProjectTables tables;
  ProjectMessages m;
  EXPECT_EQ(GenerateAgaProject("game/CODE", tables, m), -1);
  EXPECT_EQ(problem_texts(m), std::vector<std::string>{"ERROR: Cannot copy the file 'game/Castle.GLV', because it has an "
                                              "unsupported file size of 524289 bytes."});
  EXPECT_FALSE(fs::exists("themes"));
  EXPECT_FALSE(fs::exists("GLB-AGA.glp"));
}

TEST(GenerateAgaProject, SharedNamesGetNumberedDescriptors) {
  ScopedCwd cwd(scratch_dir("generate_aga_shared"));
  fs::create_directories("game");
  AgaFixture f = write_aga_fixture("game/");
  // Theme 1 shares theme 0's graphics (its longest name); level 1 draws layout 0's file.
  put_name(f.code_data, aga::GRAPHICS_NAMES, 1, "JungleGf.GLV", 0x39000);
  put_name(f.code_data, aga::LAYOUT_NAMES, 1, "Lev00Top.LVL", 0x39010);
  write_bytes("game/CODE", literal_block(f.code_data));
  ProjectTables tables;
  ProjectMessages m;
  ASSERT_EQ(GenerateAgaProject("game/CODE", tables, m), 0) << (m.all().empty() ? "" : problem_texts(m)[0]);
  EXPECT_EQ(read_text_file("GLB-AGA.glp"),
            "glb_project_file_version = 0\r\n"
            "\r\ntheme_0 = ./themes/JungleGf.glt\r\ntheme_1 = ./themes/JungleGf_2.glt\r\n"
            "\r\nlevel_00 = ./levels/Lev00Top.gll\r\nlevel_01 = ./levels/Lev00Top_2.gll\r\n");
  EXPECT_EQ(read_text_file("themes/JungleGf.glt").rfind("chunkmap = ./itm/Jungle.itm\r\n", 0), 0u);
  EXPECT_EQ(read_text_file("themes/JungleGf_2.glt").rfind("chunkmap = ./itm/Castle.ITM\r\n", 0), 0u);
  ProjectTables loaded;
  ProjectMessages lm;
  ASSERT_TRUE(LoadProject("GLB-AGA.glp", loaded, lm));
  EXPECT_TRUE(tables == loaded);
}
