// Both game builds at the edge of their theme tables (themes 0 .. 10 go into a built game,
// theme 11 never does, whatever the project names for it) and of their layout areas, and
// the Genesis generation at the end of its theme lists.
#include <gtest/gtest.h>

#include <filesystem>

#include "files/byte_order.h"
#include "app/problem_text.h"
#include "app/project_commands.h"
#include "files/game_build.h"
#include "files/layout_block.h"
#include "files/packed_block.h"
#include "files/project_generate.h"
#include "files/rom_tables.h"
#include "game_fixtures.h"
#include "test_support.h"

namespace fs = std::filesystem;

namespace {

using Bytes = std::vector<uint8_t>;

// Theme 0's record and descriptor copied to themes 10 and 11, naming a chunk set of their own;
// the project is named Last.glp, so the build is named Last too.
Bytes add_last_themes(ProjectTables& project) {
  project.project_file = "Last.glp";
  const std::string source = project_source_path(project.theme_paths[0], project.themes[0].chunkmap);
  const Bytes last = chunk_set_bytes(fixture_chunks(5, 7));
  const std::string copy = source.substr(0, source.rfind('/') + 1) + "Last.itm";
  write_bytes(copy, last);
  for (int t : {10, 11}) {
    project.theme_paths[t] = project.theme_paths[0];
    project.themes[t] = project.themes[0];
    project.themes[t].chunkmap =
        project.themes[0].chunkmap.substr(0, project.themes[0].chunkmap.rfind('/') + 1) + "Last.itm";
  }
  return last;
}

// The built image's header describes the written bytes (end address, checksum computed here
// from them), and every other header byte is the master's.
void expect_header_describes(const Bytes& rom, const Bytes& master) {
  ASSERT_GT(rom.size(), 0x200u);
  uint16_t sum = 0;
  for (size_t i = 0x200; i < rom.size(); i += 2)
    sum = static_cast<uint16_t>(sum + (rom[i] << 8) + (i + 1 < rom.size() ? rom[i + 1] : 0));
  EXPECT_EQ(read_be16(&rom[0x18E]), sum);
  EXPECT_EQ(read_be32(&rom[0x1A4]), rom.size() - 1);
  for (size_t i = 0; i < 0x200; ++i) {
    if ((i >= 0x18E && i <= 0x18F) || (i >= 0x1A4 && i <= 0x1A7)) continue;
    ASSERT_EQ(rom[i], master[i]) << "header byte " << i;
  }
}

}  // namespace

using GameBuild = ScratchTest;

TEST_F(GameBuild, GenesisPlacesThemeTensChunkmapButNotThemeElevens) {
  fs::create_directories("master/genesis");
  const Bytes master = make_genesis_fixture().rom;
  write_bytes(MASTER_ROM_PATH, master);
  ProjectTables project;
  ProjectMessages m;
  ASSERT_EQ(GenerateGenesisProject(MASTER_ROM_PATH, project, m), 0);
  const Bytes last = add_last_themes(project);

  std::string output;
  ASSERT_EQ(BuildGenesisGame(project, m, &output), 0);
  EXPECT_EQ(output, "Last.bin");
  const Bytes rom = read_bytes("Last.bin");
  const size_t at = read_be32(&rom[genesis::CHUNKMAP_TABLE + 4 * 10]);
  ASSERT_LE(at + last.size(), rom.size());
  EXPECT_EQ(Bytes(rom.begin() + at, rom.begin() + at + last.size()), last);
  EXPECT_EQ(read_be32(&rom[genesis::CHUNKMAP_TABLE + 4 * 11]), read_be32(&master[genesis::CHUNKMAP_TABLE + 4 * 11]));
  expect_header_describes(rom, master);
  EXPECT_EQ(read_bytes(MASTER_ROM_PATH), master);
}

TEST_F(GameBuild, AgaNamesThemeTensChunkmapButNotThemeElevens) {
  fs::create_directories("master/aga");
  const AgaFixture fixture = write_aga_fixture("master/aga/");
  ProjectTables project;
  ProjectMessages m;
  ASSERT_EQ(GenerateAgaProject(MASTER_CODE_PATH, project, m), 0);
  const Bytes last = add_last_themes(project);

  std::string output;
  BuildRoom room;
  ASSERT_EQ(BuildAgaGame(project, m, &output, &room), 0);
  EXPECT_EQ(output, "Last");
  EXPECT_EQ(build_room_text(true, room), "CODE PACKED TO " + std::to_string(fs::file_size("Last/CODE")) + " OF 458752 BYTES");
  const Bytes packed = read_bytes("Last/CODE");
  Bytes code;
  std::string error;
  ASSERT_TRUE(unpack_block(packed.data(), packed.size(), 0, code, error)) << error;
  const auto name = [&](size_t table, int i) {
    const size_t at = read_be32(&code[table + 4 * i]) - aga::ADDRESS_BASE;
    return std::string(reinterpret_cast<const char*>(&code[at]));
  };
  EXPECT_EQ(name(aga::CHUNKMAP_NAMES, 10), "Last.itm");
  EXPECT_EQ(read_bytes("Last/Last.itm"), last);
  // Entry 11 is the solidity list's first entry: it keeps the master's name.
  EXPECT_EQ(read_be32(&code[aga::CHUNKMAP_NAMES + 4 * 11]),
            read_be32(&fixture.code_data[aga::CHUNKMAP_NAMES + 4 * 11]));
  EXPECT_EQ(name(aga::SOLIDITY_NAMES, 0), "Jungle.INS");
}

namespace {

// A plain layout block of exactly n bytes (n even, at least 14): one row of objects.
Bytes layout_of_size(size_t n) {
  LayoutPlane plane;
  plane.height = n % 4 == 0 ? 16 : 32;
  plane.rows.resize(plane.height / 16 + 1);
  plane.rows[1].objects.assign((n - (n % 4 == 0 ? 12 : 14)) / 4, LayoutObject{1, 2});
  Bytes block;
  std::string error;
  EXPECT_TRUE(build_layout_block(plane, block, error)) << error;
  EXPECT_EQ(block.size(), n);
  return block;
}

}  // namespace

// Layouts fill the space after the master's data up to its end exactly; the next one starts
// the area at 2 MiB, which may be filled up to the 4 MiB of an image, and not a byte more.
TEST_F(GameBuild, GenesisLayoutsFillEachAreaToItsLastByte) {
  fs::create_directories("master/genesis");
  const Bytes master = make_genesis_fixture().rom;
  write_bytes(MASTER_ROM_PATH, master);
  std::vector<size_t> sizes(5, 55994);
  sizes.push_back(55990);  // 335,960 bytes: up to the end of the first area
  sizes.insert(sizes.end(), 32, 65534);
  sizes.push_back(64);  // 2 MiB from 0x200000 on
  ProjectTables project;
  for (size_t i = 0; i < sizes.size(); ++i) {
    project.level_paths[i] = "levels.gll";
    project.levels[i].map_front = "L" + std::to_string(i) + ".lvl";
    write_bytes(project.levels[i].map_front, layout_of_size(sizes[i]));
  }
  project.project_file = "Full.glp";
  ProjectMessages m;
  // The room left as the WROTE line says it: 335,960 bytes from 0x1128AC to 0x164904, less
  // what is placed there; past 2 MiB, the size of the image.
  BuildRoom room;
  const auto room_with_levels = [&](size_t n) {
    ProjectTables part = project;
    for (size_t i = n; i < sizes.size(); ++i) part.levels[i].map_front.clear();
    EXPECT_EQ(BuildGenesisGame(part, m, nullptr, &room), 0);
    return build_room_text(false, room);
  };
  EXPECT_EQ(room_with_levels(5), "55990 BYTES FREE BELOW 0x164904");
  EXPECT_EQ(room_with_levels(6), "0 BYTES FREE BELOW 0x164904");
  EXPECT_EQ(room_with_levels(7), "IMAGE GROWS TO 2162686 BYTES");  // 2 MiB + 65,534
  ASSERT_EQ(BuildGenesisGame(project, m, nullptr, &room), 0) << problem_texts(m).at(0);
  EXPECT_EQ(build_room_text(false, room), "IMAGE GROWS TO 4194304 BYTES");
  const Bytes rom = read_bytes("Full.bin");
  EXPECT_EQ(rom.size(), genesis::IMAGE_LIMIT);
  const auto at = [&](size_t i) { return read_be32(&rom[genesis::LAYOUT_TABLE + 4 * i]); };
  EXPECT_EQ(at(5) + sizes[5], genesis::PLACEMENT_END);
  EXPECT_EQ(at(6), genesis::OVERFLOW_START);
  EXPECT_EQ(at(38) + 64, genesis::IMAGE_LIMIT);
  EXPECT_EQ(Bytes(rom.begin() + at(38), rom.end()), read_bytes("L38.lvl"));
  expect_header_describes(rom, master);

  write_bytes("L38.lvl", layout_of_size(66));
  ProjectMessages refused;
  EXPECT_EQ(BuildGenesisGame(project, refused), -1);
  EXPECT_EQ(problem_texts(refused), std::vector<std::string>{"ERROR: \"L38.lvl\" does not fit into the 4 MiB image."});

  // An image of odd size, grown past 2 MiB: its last byte is the high byte of a word.
  sizes.resize(7);
  for (size_t i = 7; i < 39; ++i) project.levels[i].map_front.clear();
  Bytes odd = master;
  odd.resize(genesis::OVERFLOW_START + 0x10001, 0x5A);
  write_bytes(MASTER_ROM_PATH, odd);
  ASSERT_EQ(BuildGenesisGame(project, m), 0) << problem_texts(m).at(0);
  const Bytes grown = read_bytes("Full.bin");
  ASSERT_EQ(grown.size(), odd.size());
  EXPECT_EQ(read_be32(&grown[genesis::LAYOUT_TABLE + 4 * 6]), genesis::OVERFLOW_START);
  expect_header_describes(grown, odd);
  EXPECT_EQ(read_bytes(MASTER_ROM_PATH), odd);
}

// A built AGA game is whole: every data file of the master game lies beside the built CODE,
// a rebuild keeps what the modder put into the folder (an own file, changed graphics), and
// the built game can be taken apart into a project again.
TEST_F(GameBuild, AgaGameFolderIsCompleteAndARebuildKeepsTheModdersFiles) {
  fs::create_directories("master/aga");
  write_aga_fixture("master/aga/");
  ProjectTables project;
  ProjectMessages m;
  ASSERT_EQ(GenerateAgaProject(MASTER_CODE_PATH, project, m), 0);
  project.project_file = "GLB-AGA.glp";
  ASSERT_EQ(BuildAgaGame(project, m, nullptr), 0);
  int data_files = 0;
  for (const auto& e : fs::directory_iterator("master/aga")) {
    const std::string name = e.path().filename().string();
    if (name == "CODE") continue;
    ++data_files;
    EXPECT_EQ(read_bytes("GLB-AGA/" + name), read_bytes(e.path().string())) << name;
  }
  EXPECT_EQ(data_files, 9);

  write_bytes("GLB-AGA/Notes.txt", text_bytes("mine"));
  write_bytes("GLB-AGA/Castle.GLV", Bytes(64, 0x5A));
  write_bytes("levels/lvl/Lev01.lvl", pack_block(layout_bytes(fixture_plane(0, 3, 9))));
  ASSERT_EQ(BuildAgaGame(project, m, nullptr), 0);
  EXPECT_TRUE(m.all().empty()) << problem_texts(m)[0];
  EXPECT_EQ(read_text_file("GLB-AGA/Notes.txt"), "mine");
  EXPECT_EQ(read_bytes("GLB-AGA/Castle.GLV"), Bytes(64, 0x5A));
  EXPECT_EQ(read_bytes("GLB-AGA/Lev01.lvl"), read_bytes("levels/lvl/Lev01.lvl"));

  fs::create_directories("again");
  ScopedCwd again("again");
  ProjectTables taken;
  ASSERT_EQ(GenerateAgaProject("../GLB-AGA/CODE", taken, m), 0) << problem_texts(m)[0];
  EXPECT_EQ(read_bytes("themes/glv/Castle.GLV"), Bytes(64, 0x5A));
  EXPECT_EQ(read_bytes("levels/lvl/Lev01.lvl"), read_bytes("../levels/lvl/Lev01.lvl"));
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
  write_bytes("rom.bin", f.rom);
  ProjectTables tables;
  ProjectMessages m;
  ASSERT_EQ(GenerateGenesisProject("rom.bin", tables, m), 0) << (m.all().empty() ? "" : problem_texts(m)[0]);
  EXPECT_TRUE(fs::exists("themes/itm/Itm2.itm"));
  EXPECT_TRUE(fs::exists("themes/ins/Ins0.ins"));
  EXPECT_FALSE(fs::exists("themes/ins/Ins1.ins"));
  EXPECT_FALSE(fs::exists("themes/ins/Ins2.ins"));
}
