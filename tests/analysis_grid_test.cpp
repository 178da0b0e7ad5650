// The block analysis from the menu: what the grid shows of each chunk (a used chunk plainly,
// an unused one framed, a placed chunk the set lacks filled dark and framed), and which game
// it analyses.
#include <gtest/gtest.h>

#include <filesystem>

#include "analysis/block_analysis.h"
#include "app/project_commands.h"
#include "app/usage_command.h"
#include "files/project_files.h"
#include "test_support.h"
#include "ui/screen_state.h"

TEST(AnalysisGrid, UnusedAndMissingChunksAreMarked) {
  headless_screen(640, 480);
  ScriptedInput in(640, 480);
  ScopedInput scope(in);
  in.mx = 600;  // over the panel: no slot is enlarged
  in.my = 300;
  wheel_now = wheel_before = 0;
  UsageReport report;
  ThemeUsage theme;
  theme.theme = 5;
  theme.chunks = {{0, true, 5, {}}, {1, true, 0, {}}, {2, false, 3, {}}};
  theme.blocks = {{1, 4, {0}}};
  report.themes = {theme};
  block_analysis_enter(report, 5, "ROM", [](uint8_t, LevelModel&, LevelBitmaps&) { return false; });
  block_analysis_frame();
  block_analysis_leave();
  // Slot c: 64 pixels square from (28 + 88c, 38), its frame two pixels outside.
  const auto at = [&](int c, int dx, int y) { return pixel32(in.screen.get(), 28 + 88 * c + dx, y) & 0xFFFFFF; };
  const uint32_t empty = 0x303030, missing = 0x701818, framed = 0xC03030;
  for (int c = 0; c < 3; ++c) {
    EXPECT_EQ(at(c, 60, 98), c == 2 ? missing : empty) << c;
    EXPECT_EQ(at(c, -2, 70) == framed, c > 0) << c;
    EXPECT_EQ(at(c, 65, 36) == framed, c > 0) << c;
  }
}

// With a project loaded the menu's analysis reads the project's files, else the master ROM:
// a project level whose layout file is gone is left out of the one and not of the other.
TEST(AnalysisOfTheLoadedGame, IsOfTheProjectWhenOneIsLoaded) {
  const std::string dir = scratch_dir("analysis_of_loaded_game");
  ASSERT_EQ(std::system(("'" MOSSFORGE_BINARY_DIR "/samplegame' '" + dir + "/master' >/dev/null 2>&1").c_str()), 0);
  ASSERT_EQ(run_mossforge(dir, "generate-genesis master/genesis/glb.bin").status, 0);
  std::filesystem::remove(dir + "/levels/lvl/Lvl03.lvl");
  ScopedCwd cwd(dir);
  project = ProjectTables();
  UsageReport rom, loaded;
  ASSERT_TRUE(analyse_loaded_game(rom));
  ASSERT_GE(load_project_file("GLB-Gen.glp"), 0);
  ASSERT_TRUE(analyse_loaded_game(loaded));
  project = ProjectTables();
  EXPECT_TRUE(rom.unread.empty());
  EXPECT_GT(rom.levels_read, 0);
  ASSERT_EQ(loaded.unread.size(), 1u);
  EXPECT_EQ(loaded.unread[0].level, 3);
  EXPECT_GT(loaded.levels_read, 0);
}
