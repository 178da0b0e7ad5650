#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "gamedata/level_state.h"
#include "app/level_commands.h"
#include "app/problem_text.h"
#include "files/atomic_file.h"
#include "files/byte_order.h"
#include "files/packed_block.h"
#include "game_fixtures.h"
#include "gamedata/project_level_load.h"
#include "gamedata/rom_import.h"
#include "test_support.h"
#include "ui/messages.h"
#include "ui/prompts.h"
#include "ui/screen_state.h"

namespace fs = std::filesystem;

namespace {

class ProjectLevelLoad : public ::testing::Test {
 protected:
  void SetUp() override {
    headless_screen();
    dir = scratch_dir(::testing::UnitTest::GetInstance()->current_test_info()->name());
    cwd = std::make_unique<ScopedCwd>(dir);
    rom = build_test_rom();
    write_test_rom(rom.rom, dir);
    ASSERT_EQ(level_import_map(0), 0);  // the level loaded before: map 0 of the ROM
    captured_messages().clear();
    write_level_project(rom);
    project = ProjectTables();
    ProjectMessages m;
    ASSERT_TRUE(LoadProject("proj/p.glp", project, m));
    ASSERT_TRUE(m.all().empty()) << problem_texts(m)[0];
  }
  void TearDown() override { cwd.reset(); }

  std::string dir;
  std::unique_ptr<ScopedCwd> cwd;
  TestRom rom;
  const LayoutPlane front = fixture_plane(0, 5, 1), back = fixture_plane(0, 3, 2), planar_front = fixture_plane(1, 4, 3);
  const ChunkMap chunks = fixture_chunks(4, 0);
};

std::vector<uint8_t> header_bytes() {
  const uint8_t* p = reinterpret_cast<const uint8_t*>(&map_header);
  return std::vector<uint8_t>(p, p + 13);
}

}  // namespace

TEST_F(ProjectLevelLoad, GenesisThemeFromTheProjectFilesAndTheRestFromTheRom) {
  const std::vector<uint8_t> header = header_bytes();
  editor_mode = 7;
  ASSERT_EQ(project_level_load_number(2), 0) << captured_messages().at(0);
  EXPECT_EQ(editor_mode, 0);
  EXPECT_EQ(captured_messages(), std::vector<std::string>{"[02] SECOND ISLAND"});
  EXPECT_TRUE(front_layout == front);
  EXPECT_TRUE(back_layout == back);
  ASSERT_EQ(chunkmap.count(), 4);
  EXPECT_EQ(std::memcmp(chunkmap.chunks.data(), chunks.chunks.data(), 4 * sizeof(Chunk)), 0);
  // Palette line 1 comes from P1.pal; the header names level 2 (after map 0 of the ROM, it
  // is no world map) with the record's music.
  const PaletteColor c = colour_from_word(read_be16(&palette_file(1)[2 * 5]));
  EXPECT_EQ(palettes[1][5].red, c.red);
  EXPECT_EQ(palettes[1][5].blue, c.blue);
  EXPECT_NE(header_bytes(), header);
  EXPECT_EQ(header_bytes(), (std::vector<uint8_t>{2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 9}));
  EXPECT_EQ(level_patterns.count, 40);
  EXPECT_EQ(level_blockmap.count, 496);
  for (int i = 0; i < BLOCK_SLOTS; ++i) ASSERT_EQ(block_bitmaps[i] != nullptr, i < 520) << i;
  EXPECT_EQ(chunk_thumbnail_count, 4);
  EXPECT_EQ(marker_count, 131);
  std::vector<uint8_t> dump;
  ASSERT_TRUE(read_whole_file("dump/vram_tiles.bin", dump));
  EXPECT_EQ(dump, rom.level_pattern_bytes);
}

// Level 0 of a project is the world map whatever was imported before: its header says
// map 0, so the markers are drawn and edited; a later level is none again.
TEST_F(ProjectLevelLoad, LevelZeroIsTheWorldMapAfterAnotherMapWasImported) {
  ASSERT_EQ(level_import_map(2), 0);
  ASSERT_EQ(map_header.map_front, 2);
  write_text("proj/levels/level00.gll",
             {"map_front = ./lvl/Front.lvl", "map_back = ./lvl/Back.lvl", "palette_main = ./pal/P0.pal",
              "palette_front = ./pal/P1.pal", "palette_back = ./pal/P2.pal", "palette_flash = ./pal/P3.pal"});
  write_text("proj/p.glp", {"glb_project_file_version = 0", "theme_0 = proj/themes/theme0.glt",
                            "level_00 = proj/levels/level00.gll", "level_02 = proj/levels/level02.gll"});
  project = ProjectTables();
  ProjectMessages m;
  ASSERT_TRUE(LoadProject("proj/p.glp", project, m));
  ASSERT_EQ(project_level_load_number(0), 0) << captured_messages().at(0);
  EXPECT_EQ(map_header.map_front, 0);
  EXPECT_TRUE(front_layout == front);
  ASSERT_EQ(project_level_load_number(2), 0);
  EXPECT_EQ(map_header.map_front, 2);
}

TEST_F(ProjectLevelLoad, PlanarThemeMissingBackLayoutAndPathWithoutSeparator) {
  ASSERT_EQ(project_level_load_number(2), 0);
  captured_messages().clear();
  ASSERT_EQ(project_level_load_number(1), 0) << captured_messages().at(0);
  EXPECT_EQ(captured_messages(), std::vector<std::string>{"[01] FIRST ISLAND"});
  EXPECT_TRUE(front_layout == planar_front);
  // The back layout file is missing: an empty plane, no message.
  EXPECT_EQ(back_layout.width, 0);
  EXPECT_EQ(back_layout.height, 0);
  EXPECT_TRUE(back_layout.rows.empty());
  // 1280 decoded bytes of planar graphics: level blocks 24 .. 33.
  for (int i = 0; i < 40; ++i) EXPECT_EQ(block_bitmaps[i] != nullptr, i < 34) << i;
  BITMAP* b = block_bitmaps[24].get();
  auto colour = [](int index) {
    const PaletteColor c = colour_from_word(read_be16(&palette_file(4)[2 * index]));
    return Rgb{c.red, c.green, c.blue};
  };
  EXPECT_EQ(rgb_at(b, 0, 0), colour(1));
  EXPECT_EQ(rgb_at(b, 2, 0), colour(3));
  EXPECT_EQ(rgb_at(b, 15, 0), colour(8));
  EXPECT_EQ(pixel32(b, 1, 0), MASK_COLOUR);
  EXPECT_EQ(pixel32(b, 0, 1), MASK_COLOUR);
  // Patterns and block map stay as they were; the header is level 1's.
  EXPECT_EQ(level_patterns.count, 40);
  EXPECT_EQ(level_blockmap.count, 496);
  EXPECT_EQ(header_bytes(), (std::vector<uint8_t>{1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
}

TEST_F(ProjectLevelLoad, LevelsAndThemesTheProjectLacksAreReportedAndTheLevelStays) {
  ASSERT_EQ(project_level_load_number(2), 0);
  const LayoutPlane front_before = front_layout;
  const BITMAP* block_before = block_bitmaps[30].get();
  // Levels the project does not have.
  captured_messages().clear();
  EXPECT_EQ(project_level_load_number(9), -1);
  EXPECT_EQ(captured_messages().at(0), "ERROR: Level 09 has no front layout in the loaded project.");
  EXPECT_EQ(project_level_load_number(0x80), -1);
  EXPECT_EQ(captured_messages().at(1), "ERROR: Level 80 is beyond the 128 levels of a project.");
  EXPECT_EQ(project_level_load_number(0x7F), -1);
  EXPECT_EQ(captured_messages().back(), "ERROR: Level 7F has no front layout in the loaded project.");
  // A front layout of theme 16, one past the project's themes.
  write_bytes("proj/levels/lvl/Front.lvl", layout_bytes(fixture_plane(PROJECT_THEMES, 5, 1)));
  EXPECT_EQ(project_level_load_number(2), -1);
  EXPECT_EQ(captured_messages().back(),
            "ERROR: File \"proj/levels/./lvl/Front.lvl\": theme 16 is beyond the 16 themes of a project.");
  write_bytes("proj/levels/lvl/Front.lvl", pack_block(layout_bytes(front)));
  // A theme the project does not describe.
  project.themes[0].chunkmap.clear();
  EXPECT_EQ(project_level_load_number(2), -1);
  EXPECT_EQ(captured_messages().back(), "ERROR: Theme 0 of level 02 has no chunkmap in the loaded project.");
  // The graphics file of a planar theme; and a Genesis theme whose block map is missing,
  // found only after the pattern dump was made: no dump is written.
  fs::remove("proj/themes/glv/G1.GLV");
  EXPECT_EQ(project_level_load_number(1), -1);
  EXPECT_EQ(captured_messages().back(), "ERROR: File \"proj/themes/./glv/G1.GLV\" not found.");
  project.themes[0].chunkmap = "./itm/T0.itm";
  fs::remove("proj/themes/bma/T0.bma");
  write_bytes("dump/vram_tiles.bin", {7});
  EXPECT_EQ(project_level_load_number(2), -1);
  EXPECT_EQ(read_bytes("dump/vram_tiles.bin"), std::vector<uint8_t>{7});
  EXPECT_TRUE(front_layout == front_before);
  EXPECT_EQ(block_bitmaps[30].get(), block_before);
}

TEST_F(ProjectLevelLoad, LevelNumberPromptReadsHex) {
  ScriptedInput in(640, 480);
  ScopedInput scope(in);
  in.type("2").type_key(KEY_ENTER, '\r');
  ASSERT_EQ(project_level_load(), 0);
  EXPECT_TRUE(front_layout == front);
  // A bad second digit: the message, then the first digit times 16 (0x10, not in the project).
  in.type("1x").type_key(KEY_ENTER, '\r');
  captured_messages().clear();
  EXPECT_EQ(project_level_load(), -1);
  EXPECT_EQ(captured_messages(),
            (std::vector<std::string>{"ERROR: Map number must be a valid 2-digit hex number.",
                                      "ERROR: Level 10 has no front layout in the loaded project."}));
}
