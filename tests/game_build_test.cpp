#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>

#include "app/problem_text.h"
#include "files/byte_order.h"
#include "files/game_build.h"
#include "files/packed_block.h"
#include "files/rom_tables.h"
#include "game_fixtures.h"
#include "test_support.h"

namespace fs = std::filesystem;

namespace {

// A plain layout block of exactly `size` bytes (one row of objects; size = 12 + 4n).
std::vector<uint8_t> big_layout(size_t size) {
  LayoutPlane p;
  p.height = 16;
  p.rows.resize(2);
  p.rows[1].objects.resize((size - 12) / 4, LayoutObject{1, 2});
  return layout_bytes(p);
}

void put_master_rom(const std::vector<uint8_t>& rom) {
  fs::create_directories("master/genesis");
  write_bytes(MASTER_ROM_PATH, rom);
}

uint32_t entry(const std::vector<uint8_t>& image, size_t table, int index) { return read_be32(&image[table + 4 * index]); }

std::string first_message(const ProjectMessages& m) { return m.all().empty() ? "" : problem_texts(m)[0]; }

std::vector<uint8_t> unpack_file(const std::string& path) {
  const std::vector<uint8_t> file = read_bytes(path);
  std::vector<uint8_t> out;
  std::string error;
  EXPECT_TRUE(unpack_block(file.data(), file.size(), 0, out, error)) << error;
  return out;
}

std::string name_at(const std::vector<uint8_t>& code, size_t table, int index) {
  const size_t at = entry(code, table, index) - aga::ADDRESS_BASE;
  return at < code.size() ? std::string(reinterpret_cast<const char*>(&code[at])) : "<outside>";
}

}  // namespace

TEST(BuildGenesisGame, EmptyProjectWritesTheMasterWithThePatchAsTwoMiB) {
  ScopedCwd cwd(scratch_dir("build_genesis_empty"));
  const GenesisFixture f = make_genesis_fixture();
  put_master_rom(f.rom);
  ProjectTables tables;
  ProjectMessages m;
  std::string output;
  ASSERT_EQ(BuildGenesisGame(tables, m, &output), 0) << first_message(m);
  EXPECT_EQ(output, "Newrom.bin");
  std::vector<uint8_t> built = read_bytes("Newrom.bin");
  ASSERT_EQ(built.size(), 0x200000u);
  const uint8_t nops[6] = {0x4E, 0x71, 0x4E, 0x71, 0x4E, 0x71};
  EXPECT_EQ(std::memcmp(&built[0x300], nops, 6), 0);
  std::memcpy(&built[0x300], &f.rom[0x300], 6);
  EXPECT_TRUE(std::equal(f.rom.begin(), f.rom.end(), built.begin()));
  EXPECT_TRUE(std::all_of(built.begin() + f.rom.size(), built.end(), [](uint8_t b) { return b == 0; }));
}

TEST(BuildGenesisGame, MasterLargerThanTwoMiBIsNotCutShort) {
  ScopedCwd cwd(scratch_dir("build_genesis_large_master"));
  GenesisFixture f = make_genesis_fixture();
  f.rom.resize(0x280000, 0);
  f.rom[0x27FFFF] = 0xA5;
  put_master_rom(f.rom);
  ProjectTables tables;
  ProjectMessages m;
  ASSERT_EQ(BuildGenesisGame(tables, m, nullptr), 0) << first_message(m);
  const std::vector<uint8_t> built = read_bytes("Newrom.bin");
  ASSERT_EQ(built.size(), 0x280000u);
  EXPECT_EQ(built[0x27FFFF], 0xA5);
}

TEST(BuildGenesisGame, PlacementOverflowsOnceAndChunkSetsGoInPlain) {
  ScopedCwd cwd(scratch_dir("build_genesis_place"));
  const GenesisFixture f = make_genesis_fixture();
  put_master_rom(f.rom);
  fs::create_directories("proj/levels/lvl");
  fs::create_directories("proj/themes/itm");
  write_bytes("proj/levels/lvl/Big.lvl", big_layout(60000));
  const ChunkMap saved = fixture_chunks(5, 3);
  const std::vector<uint8_t> plain = chunk_set_bytes(saved);
  write_bytes("proj/themes/itm/Saved.itm", pack_block(plain));  // as SAVE CHUNKMAP writes it

  ProjectTables tables;
  tables.project_file = "proj/GLB-Gen.glp";
  for (int i = 0; i < 6; ++i) {
    tables.level_paths[i] = "proj/levels/level0" + std::to_string(i) + ".gll";
    tables.levels[i].map_front = "./lvl/Big.lvl";
  }
  tables.level_paths[6] = "proj/levels/level06.gll";  // no map_front: entry untouched
  tables.theme_paths[0] = "proj/themes/theme0.glt";
  tables.themes[0].chunkmap = "./itm/Saved.itm";
  for (int t = 11; t < 16; ++t) {
    tables.theme_paths[t] = tables.theme_paths[0];
    tables.themes[t].chunkmap = "./itm/Saved.itm";
  }
  ProjectMessages m;
  std::string output;
  ASSERT_EQ(BuildGenesisGame(tables, m, &output), 0) << first_message(m);
  EXPECT_EQ(output, "proj/GLB-Gen.bin");
  const std::vector<uint8_t> built = read_bytes(output);

  // Five pieces fit below 0x164904; the sixth starts the area at 0x200000 and the small
  // chunk set, which would still fit below, follows it there.
  for (int i = 0; i < 5; ++i) EXPECT_EQ(entry(built, genesis::LAYOUT_TABLE, i), 0x1128AC + 60000u * i) << i;
  EXPECT_EQ(entry(built, genesis::LAYOUT_TABLE, 5), 0x200000u);
  EXPECT_EQ(entry(built, genesis::CHUNKMAP_TABLE, 0), 0x200000u + 60000);
  ASSERT_EQ(built.size(), 0x200000u + 60000 + plain.size());
  EXPECT_EQ(std::vector<uint8_t>(built.begin() + 0x200000, built.begin() + 0x200000 + 60000), big_layout(60000));
  EXPECT_EQ(std::vector<uint8_t>(built.end() - plain.size(), built.end()), plain);  // unpacked, "ITMS" first
  EXPECT_EQ(entry(built, genesis::LAYOUT_TABLE, 6), entry(f.rom, genesis::LAYOUT_TABLE, 6));
  // Themes 11 to 15 leave their table entries as the master has them.
  for (int t = 11; t < 16; ++t) EXPECT_EQ(entry(built, genesis::CHUNKMAP_TABLE, t), entry(f.rom, genesis::CHUNKMAP_TABLE, t));
}

TEST(BuildGenesisGame, FailuresAreReportedAndWriteNothing) {
  ScopedCwd cwd(scratch_dir("build_genesis_fail"));
  const GenesisFixture f = make_genesis_fixture();
  put_master_rom(f.rom);
  write_bytes("Newrom.bin", {1, 2, 3});  // an earlier build stays as it was
  fs::create_directories("lvl");
  write_bytes("lvl/Big.lvl", big_layout(60000));
  write_bytes("lvl/Junk.lvl", {0, 0, 0, 40, 9, 10, 12, 13, 1, 2});

  struct Case {
    const char* name;
    ProjectTables tables;
    const char* expected;
  };
  std::vector<Case> cases;
  cases.push_back({"layout that does not decode", {}, "ERROR: File \"lvl/Junk.lvl\": "});
  cases.back().tables.levels[3].map_front = "lvl/Junk.lvl";
  cases.push_back({"beyond the 4 MiB image", {}, "ERROR: \"lvl/Big.lvl\" does not fit into the 4 MiB image."});
  for (int i = 0; i < 50; ++i) cases.back().tables.levels[i].map_front = "lvl/Big.lvl";
  cases.push_back({"output not creatable", {}, "ERROR: Could not create file \"nowhere/p.bin\""});
  cases.back().tables.project_file = "nowhere/p.glp";

  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ProjectMessages m;
    EXPECT_EQ(BuildGenesisGame(c.tables, m), -1);
    EXPECT_EQ(first_message(m).rfind(c.expected, 0), 0u) << first_message(m);
    EXPECT_EQ(read_bytes("Newrom.bin"), (std::vector<uint8_t>{1, 2, 3}));
  }
}

TEST(BuildAgaGame, NamesFillTheAreaThenMoveBehindTheCodeData) {
  ScopedCwd cwd(scratch_dir("build_aga_names"));
  fs::create_directories("master/aga");
  const AgaFixture f = write_aga_fixture("master/aga/");
  fs::create_directories("levels/lvl");
  fs::create_directories("themes/itm");
  ProjectTables tables;
  tables.project_file = "GLB-AGA.glp";
  char name[32];
  for (int i = 0; i < 100; ++i) {
    std::snprintf(name, sizeof name, "Level%03d.LVL", i);  // 12 characters
    write_bytes(std::string("levels/lvl/") + name, pack_block(layout_bytes(fixture_plane(0, 2, i))));
    tables.level_paths[i] = "levels/level.gll";
    tables.levels[i].map_front = std::string("lvl/") + name;
  }
  write_bytes("themes/itm/Cave.ITM", pack_block(chunk_set_bytes(fixture_chunks(2, 1))));
  for (int t : {0, 11, 15}) {
    tables.theme_paths[t] = "themes/t.glt";
    tables.themes[t].chunkmap = "itm/Cave.ITM";
  }
  ProjectMessages m;
  std::string output;
  ASSERT_EQ(BuildAgaGame(tables, m, &output), 0) << first_message(m);
  EXPECT_EQ(output, "GLB-AGA");

  const std::vector<uint8_t> code = unpack_file("GLB-AGA/CODE");
  const size_t u = AGA_FIXTURE_SIZE;
  // 98 names of 12 characters and a zero fit between 0x3A0DF and 0x3A5DC; the next ones go
  // to the end of the CODE data, which grows by them.
  EXPECT_EQ(entry(code, aga::LAYOUT_NAMES, 0), 0x3A0DFu + aga::ADDRESS_BASE);
  EXPECT_EQ(entry(code, aga::LAYOUT_NAMES, 97), 0x3A0DFu + 13 * 97 + aga::ADDRESS_BASE);
  EXPECT_EQ(entry(code, aga::LAYOUT_NAMES, 98), u + aga::ADDRESS_BASE);
  EXPECT_EQ(entry(code, aga::LAYOUT_NAMES, 99), u + 13 + aga::ADDRESS_BASE);
  EXPECT_EQ(entry(code, aga::CHUNKMAP_NAMES, 0), u + 26 + aga::ADDRESS_BASE);
  ASSERT_EQ(code.size(), u + 26 + 9);
  EXPECT_EQ(name_at(code, aga::LAYOUT_NAMES, 42), "Level042.LVL");
  EXPECT_EQ(name_at(code, aga::CHUNKMAP_NAMES, 0), "Cave.ITM");
  // Everything else is the master's CODE data, themes 11 to 15 included.
  for (int t = 11; t < 16; ++t) EXPECT_EQ(entry(code, aga::CHUNKMAP_NAMES, t), entry(f.code_data, aga::CHUNKMAP_NAMES, t));
  EXPECT_EQ(entry(code, aga::LAYOUT_NAMES, 100), entry(f.code_data, aga::LAYOUT_NAMES, 100));
  EXPECT_EQ(std::vector<uint8_t>(code.begin(), code.begin() + aga::LAYOUT_NAMES),
            std::vector<uint8_t>(f.code_data.begin(), f.code_data.begin() + aga::LAYOUT_NAMES));
  // The named files are copied beside CODE.
  EXPECT_EQ(read_bytes("GLB-AGA/Level099.LVL"), read_bytes("levels/lvl/Level099.LVL"));
  EXPECT_EQ(read_bytes("GLB-AGA/Cave.ITM"), read_bytes("themes/itm/Cave.ITM"));
}

TEST(BuildAgaGame, FailuresAreReportedAndWriteNothing) {
  ScopedCwd cwd(scratch_dir("build_aga_fail"));
  ProjectTables tables;
  tables.project_file = "GLB-AGA.glp";
  fs::create_directories("master/aga");
  write_aga_fixture("master/aga/");
  write_bytes("Lev.lvl", pack_block(layout_bytes(fixture_plane(0, 2, 0))));
  write_bytes("ThirteenChars.lvl", read_bytes("Lev.lvl"));
  struct Case {
    const char* name;
    ProjectTables tables;
    const char* expected;
  };
  std::vector<Case> cases;
  cases.push_back({"no project file", {}, "ERROR: No project file is loaded"});
  cases.push_back({"name too long", tables, "ERROR: The file name \"ThirteenChars.lvl\""});
  cases.back().tables.levels[0].map_front = "ThirteenChars.lvl";
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ProjectMessages m;
    EXPECT_EQ(BuildAgaGame(c.tables, m), -1);
    EXPECT_EQ(first_message(m).rfind(c.expected, 0), 0u) << first_message(m);
    EXPECT_FALSE(fs::exists("GLB-AGA"));
  }
}
