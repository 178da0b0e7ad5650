#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "app/level_commands.h"
#include "app/main_menu.h"
#include "app/problem_text.h"
#include "files/byte_order.h"
#include "files/packed_block.h"
#include "files/rom_tables.h"
#include "gamedata/level_files.h"
#include "gamedata/level_state.h"
#include "game_fixtures.h"
#include "test_support.h"
#include "ui/messages.h"

namespace fs = std::filesystem;

namespace {

class ProjectLevelLoad : public ScratchTest {
 protected:
  void SetUp() override {
    ScratchTest::SetUp();
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

// A build from the menu asks about the unsaved edits of the loaded project level first, as
// the loads do: Escape builds nothing and saves nothing, Y saves them and builds with them.
TEST_F(ProjectLevelLoad, AMenuBuildAsksAboutTheLevelsUnsavedEditsFirst) {
  ASSERT_EQ(project_level_load_number(2), 0);
  project.project_file = "proj/p.glp";
  front_layout.rows[1].objects.push_back(LayoutObject{1, 48});
  level_changes.mark(CHANGED_FRONT);
  const LayoutPlane edited = front_layout;
  const auto before = folder_snapshot();
  ScriptedInput in(640, 480);
  ScopedInput scope(in);
  in.tap(KEY_ESC);
  editor_mode = 15;
  run_mode(15);
  EXPECT_TRUE(folder_snapshot() == before);
  EXPECT_TRUE(anything_unsaved());
  in.tap(KEY_Y);
  editor_mode = 15;
  run_mode(15);
  EXPECT_FALSE(anything_unsaved());
  LayoutPlane saved;
  LoadFailure failure;
  ASSERT_TRUE(read_layout_file("proj/levels/lvl/Front.lvl", saved, failure));
  EXPECT_TRUE(saved == edited);
  const std::vector<uint8_t> file = read_bytes("proj/levels/lvl/Front.lvl");
  const std::vector<uint8_t> built = read_bytes("proj/p.bin");
  const size_t at = read_be32(&built[genesis::LAYOUT_TABLE + 4 * 2]);
  ASSERT_LE(at + file.size(), built.size());
  EXPECT_TRUE(std::equal(file.begin(), file.end(), built.begin() + at));
}
