#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "app/level_commands.h"
#include "app/problem_text.h"
#include "files/packed_block.h"
#include "game_fixtures.h"
#include "test_support.h"
#include "ui/messages.h"

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

}  // namespace

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
