// The project commands of the main menu (through the file selector) and of the command line.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>

#include "app/main_menu.h"
#include "app/project_commands.h"
#include "files/project_files.h"
#include "files/rom_tables.h"
#include "game_fixtures.h"
#include "test_support.h"
#include "ui/file_selector.h"
#include "ui/messages.h"
#include "ui/screen_state.h"

namespace fs = std::filesystem;

namespace {

class ProjectCommands : public ::testing::Test {
 protected:
  void SetUp() override {
    headless_screen();
    dir = scratch_dir(::testing::UnitTest::GetInstance()->current_test_info()->name());
    cwd = std::make_unique<ScopedCwd>(dir);
    project = ProjectTables();
    captured_messages().clear();
  }
  void TearDown() override {
    file_selector_hook = nullptr;
    project = ProjectTables();
    cwd.reset();
  }
  // The selector answers with path and records how it was opened.
  void choose(const std::string& path) {
    file_selector_hook = [this, path](const char* t, const char* e, std::string& out) {
      title = t;
      filter = e ? e : "<none>";
      out = path;
      return true;
    };
  }
  std::string dir, title, filter;
  std::unique_ptr<ScopedCwd> cwd;
};

struct CommandRun {
  int status;
  std::string out, err;
};

// Runs the mossforge binary in the working directory.
CommandRun mossforge(const std::string& args) {
  const int raw = std::system(("'" MOSSFORGE_BINARY_DIR "/mossforge' " + args + " >out.txt 2>err.txt").c_str());
  return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, read_text_file("out.txt"), read_text_file("err.txt")};
}

}  // namespace

TEST_F(ProjectCommands, GenerateAndLoadThroughTheFileSelector) {
  fs::create_directories("master/genesis");
  write_bytes(MASTER_ROM_PATH, make_genesis_fixture().rom);
  choose(MASTER_ROM_PATH);
  editor_mode = 12;
  run_mode(12);
  EXPECT_EQ(title, "GENERATE GENESIS PROJECT");
  EXPECT_EQ(filter, "bin,gen,md,smd");
  EXPECT_TRUE(captured_messages().empty());
  EXPECT_EQ(project.level_paths[1], "./levels/level01.gll");
  EXPECT_EQ(project.project_file, "");  // generation loads no project file

  // LOAD PROJECT... remembers the file it read; a failing load keeps the loaded project.
  project = ProjectTables();
  choose("GLB-Gen.glp");
  EXPECT_EQ(load_project_command(), 0);
  EXPECT_EQ(title, "LOAD PROJECT");
  EXPECT_EQ(filter, "GLP");
  EXPECT_EQ(project.project_file, "GLB-Gen.glp");
  EXPECT_EQ(project.themes[1].chunkmap, "./itm/Itm1.itm");
  const ProjectTables loaded = project;
  choose("missing.glp");
  EXPECT_EQ(load_project_command(), -1);
  EXPECT_EQ(captured_messages(), std::vector<std::string>{"ERROR: File \"missing.glp\" not found."});
  EXPECT_TRUE(project == loaded);

  // BUILD GENESIS GAME FROM PROJECT writes beside the project file.
  captured_messages().clear();
  EXPECT_EQ(build_genesis_game_command(), 0);
  EXPECT_TRUE(fs::exists("GLB-Gen.bin"));
  EXPECT_TRUE(captured_messages().empty());

  // Generating again over the project asks first: N (or Escape) keeps the edited files; a
  // cancelled selector asks nothing.
  write_bytes("levels/lvl/Lvl01.lvl", {1, 2, 3});
  ScriptedInput in(640, 480);
  ScopedInput scope(in);
  in.tap(KEY_N).tap(KEY_ESC);
  run_mode(12);
  generate_genesis_project_command();
  file_selector_hook = [](const char*, const char*, std::string&) { return false; };
  EXPECT_EQ(generate_genesis_project_command(), 0);
  EXPECT_EQ(load_project_command(), 0);
  EXPECT_TRUE(in.script_done());
  EXPECT_EQ(read_bytes("levels/lvl/Lvl01.lvl"), (std::vector<uint8_t>{1, 2, 3}));
  EXPECT_TRUE(project == loaded);
  EXPECT_TRUE(captured_messages().empty());
  // Y replaces it.
  choose(MASTER_ROM_PATH);
  in.tap(KEY_Y);
  run_mode(12);
  EXPECT_NE(read_bytes("levels/lvl/Lvl01.lvl"), (std::vector<uint8_t>{1, 2, 3}));
}

TEST_F(ProjectCommands, AgaCommandsAndFailuresShowTheirMessages) {
  fs::create_directories("master/aga");
  write_aga_fixture("master/aga/");
  choose(MASTER_CODE_PATH);
  EXPECT_EQ(generate_aga_project_command(), 0);
  EXPECT_EQ(title, "GENERATE AGA PROJECT");
  EXPECT_EQ(filter, "<none>");
  // Without a loaded project file the AGA build has no directory to write.
  EXPECT_EQ(build_aga_game_command(), -1);
  EXPECT_EQ(captured_messages().at(0).rfind("ERROR: No project file is loaded", 0), 0u);
  choose("GLB-AGA.glp");
  ASSERT_EQ(load_project_command(), 0);
  captured_messages().clear();
  EXPECT_EQ(build_aga_game_command(), 0);
  EXPECT_TRUE(fs::exists("GLB-AGA/CODE"));
  EXPECT_TRUE(fs::exists("GLB-AGA/Lev01.lvl"));
  // A failed command returns to the menu with its message shown.
  fs::remove_all("master");
  captured_messages().clear();
  editor_mode = 15;
  run_mode(15);
  EXPECT_EQ(captured_messages(), std::vector<std::string>{"ERROR: File \"./master/genesis/glb.bin\" not found."});
}

TEST_F(ProjectCommands, BatchCommandsRunInTheWorkingDirectory) {
  fs::create_directories("master/genesis");
  write_bytes(MASTER_ROM_PATH, make_genesis_fixture().rom);
  CommandRun r = mossforge("generate-genesis absent.bin");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "ERROR: File \"absent.bin\" not found.\n");
  r = mossforge("generate-genesis master/genesis/glb.bin");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "");
  EXPECT_TRUE(fs::exists("levels/level03.gll"));
  // An existing project is replaced only with --overwrite.
  write_bytes("levels/lvl/Lvl01.lvl", {1, 2, 3});
  r = mossforge("generate-genesis master/genesis/glb.bin");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "ERROR: Project file \"GLB-Gen.glp\" exists; give --overwrite to replace it.\n");
  EXPECT_EQ(read_bytes("levels/lvl/Lvl01.lvl"), (std::vector<uint8_t>{1, 2, 3}));
  r = mossforge("generate-genesis master/genesis/glb.bin --overwrite");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_NE(read_bytes("levels/lvl/Lvl01.lvl"), (std::vector<uint8_t>{1, 2, 3}));
  r = mossforge("build-genesis GLB-Gen.glp");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "Wrote GLB-Gen.bin\n");
  EXPECT_EQ(fs::file_size("GLB-Gen.bin"), 0x200000u);
  r = mossforge("build-aga GLB-Gen.glp");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "ERROR: File \"./master/aga/CODE\" not found.\n");
  r = mossforge("build-genesis");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "ERROR: Usage: mossforge build-genesis PROJECT.glp\n");
}
