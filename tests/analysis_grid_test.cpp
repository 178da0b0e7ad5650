// The block analysis from the menu: which game it analyses.
#include <gtest/gtest.h>

#include <filesystem>

#include "analysis/block_analysis.h"
#include "app/project_commands.h"
#include "app/usage_command.h"
#include "files/project_files.h"
#include "test_support.h"
#include "ui/screen_state.h"

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
