// Playing the project: `mossforge play` and the level editor's play key, with a stand-in
// emulator script that records how it was started; the command line of MOSSFORGE_EMULATOR.

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>

#include "app/level_file_commands.h"
#include "app/play_command.h"
#include "files/byte_order.h"
#include "files/emulator_launch.h"
#include "files/game_build.h"
#include "files/project_generate.h"
#include "files/rom_tables.h"
#include "game_fixtures.h"
#include "level_editor_fixture.h"
#include "ui/messages.h"

namespace fs = std::filesystem;

namespace {

using Bytes = std::vector<uint8_t>;

// Sets an environment variable (unsets it for null) for the guard's lifetime.
struct ScopedEnv {
  ScopedEnv(const char* name, const char* value) : name(name), old(std::getenv(name)) {
    set(value);
  }
  ~ScopedEnv() { set(old ? previous.c_str() : nullptr); }
  void set(const char* v) { v ? setenv(name, v, 1) : unsetenv(name); }
  const char* name;
  const char* old;
  std::string previous = old ? old : "";
};

// A stand-in emulator: appends one line per start to started.txt in the working directory
// it was started in: that directory, its standard input and its arguments.
void write_stand_in(const std::string& path) {
  std::ofstream(path) << "#!/bin/sh\necho \"$PWD|$(readlink /proc/$$/fd/0)|$*\" >> started.txt\n";
  fs::permissions(path, fs::perms::owner_all);
}

// The lines of started.txt once the detached script wrote `expected` of them (at most 5 s),
// and a little later, when a second start would show.
std::vector<std::string> starts(size_t expected) {
  std::vector<std::string> lines;
  for (int i = 0; i < 255; ++i, std::this_thread::sleep_for(std::chrono::milliseconds(20))) {
    lines.clear();
    std::ifstream in("started.txt");
    for (std::string l; std::getline(in, l);) lines.push_back(l);
    if (lines.size() >= expected && i < 250) i = 250;
  }
  return lines;
}

// The fixture ROM as master and the project generated from it, named GLB-Gen.glp.
void write_game_and_project(ProjectTables& tables) {
  fs::create_directories("master/genesis");
  write_bytes(MASTER_ROM_PATH, make_genesis_fixture().rom);
  ProjectMessages m;
  ASSERT_EQ(GenerateGenesisProject(MASTER_ROM_PATH, tables, m), 0);
  tables.project_file = "GLB-Gen.glp";
}

// Level i's front layout as the built image holds it (a packed block of `size` bytes).
Bytes built_layout(const Bytes& rom, int level, size_t size) {
  const size_t at = read_be32(&rom[genesis::LAYOUT_TABLE + 4 * level]);
  return Bytes(rom.begin() + at, rom.begin() + at + size);
}

}  // namespace

TEST(EmulatorCommand, SplitsLikeAShellAndPutsTheImageWhereRomStands) {
  const struct {
    const char* line;
    std::vector<std::string> words;
  } cases[] = {
      {"blastem", {"blastem", "a b.bin"}},
      {"  emu  -f\t{rom} ", {"emu", "-f", "a b.bin"}},
      {"emu --rom={rom} --save={rom}.srm", {"emu", "--rom=a b.bin", "--save=a b.bin.srm"}},
      {"'/opt/my emu/run' \"-x \\\"y\\\"\" a\\ b", {"/opt/my emu/run", "-x \"y\"", "a b", "a b.bin"}},
      {"emu '' x", {"emu", "", "x", "a b.bin"}},
  };
  for (const auto& c : cases) {
    std::vector<std::string> words;
    std::string why;
    EXPECT_TRUE(emulator_arguments(c.line, "a b.bin", words, why)) << c.line;
    EXPECT_EQ(words, c.words) << c.line;
  }
  std::vector<std::string> words;
  std::string why;
  EXPECT_FALSE(emulator_arguments("emu 'x", "r", words, why));
  EXPECT_EQ(why, "its ' is not closed");
  EXPECT_FALSE(emulator_arguments(" \t", "r", words, why));
  EXPECT_EQ(why, "it names no program");
}

// play builds as build-genesis does and starts the emulator once, detached, on the image,
// in the working directory, reading /dev/null; without an emulator it says so (status 1).
// A program named without a slash is looked for along PATH, in its order: the first executable
// file of that name wins, an empty entry is the working directory.
TEST(EmulatorCommand, ProgramsAreFoundAlongThePathInItsOrder) {
  const std::string dir = scratch_dir("find_program");
  for (const char* sub : {"a", "b", "c"}) {
    fs::create_directories(dir + "/" + sub);
    std::ofstream(dir + "/" + sub + "/emu") << "#!/bin/sh\n";
    if (*sub != 'a') fs::permissions(dir + "/" + sub + "/emu", fs::perms::owner_all);
  }
  ScopedEnv path("PATH", (dir + "/a:" + dir + "/b:" + dir + "/c").c_str());
  EXPECT_EQ(find_program("emu"), dir + "/b/emu");
  EXPECT_EQ(find_program("none"), "");
  EXPECT_EQ(find_program(dir + "/c/emu"), dir + "/c/emu");
  EXPECT_EQ(find_program(dir + "/a/emu"), "");
  path.set((dir + "/c").c_str());
  EXPECT_EQ(find_program("emu"), dir + "/c/emu");
  path.set(("/nowhere::" + dir + "/b").c_str());
  ScopedCwd cwd(dir + "/c");
  EXPECT_EQ(find_program("emu"), "./emu");
}

TEST(PlayCommand, BuildsThenStartsTheEmulatorOnce) {
  const std::string dir = scratch_dir("play_batch");
  ScopedCwd cwd(dir);
  ProjectTables tables;
  write_game_and_project(tables);
  write_stand_in(dir + "/emu.sh");
  {
    ScopedEnv emulator("MOSSFORGE_EMULATOR", (dir + "/emu.sh --fast {rom}").c_str());
    const CommandRun r = run_mossforge(".", "play GLB-Gen.glp");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.rfind("WROTE GLB-Gen.bin, GLB-Gen.bps; ", 0), 0u) << r.out;
    EXPECT_EQ(starts(1), std::vector<std::string>{dir + "|/dev/null|--fast GLB-Gen.bin"});
    EXPECT_TRUE(fs::exists("GLB-Gen.bin"));
  }
  fs::remove("started.txt");
  const struct {
    const char* emulator;
    const char* path;
    const char* error;
  } failures[] = {
      {nullptr, "/nonexistent", "ERROR: No emulator: set MOSSFORGE_EMULATOR or install blastem.\n"},
      {"no-such-emulator {rom}", nullptr, "ERROR: Emulator \"no-such-emulator\" of MOSSFORGE_EMULATOR not found.\n"},
      {"./not-a-program", nullptr, "ERROR: Could not start the emulator \"./not-a-program\": Exec format error.\n"},
      {"emu \"x", nullptr, "ERROR: MOSSFORGE_EMULATOR \"emu \"x\" cannot be used: its \" is not closed.\n"},
  };
  std::ofstream("not-a-program") << "\x7f" "ELF but not really";
  fs::permissions("not-a-program", fs::perms::owner_all);
  for (const auto& f : failures) {
    ScopedEnv emulator("MOSSFORGE_EMULATOR", f.emulator);
    ScopedEnv path("PATH", f.path ? f.path : std::getenv("PATH"));
    const CommandRun r = run_mossforge(".", "play GLB-Gen.glp");
    EXPECT_EQ(r.status, 1) << (f.emulator ? f.emulator : "unset");
    EXPECT_EQ(r.err, f.error);
  }
  EXPECT_FALSE(fs::exists("started.txt"));
}

namespace {

class PlayKey : public LevelEditorTest {
 protected:
  void SetUp() override {
    LevelEditorTest::SetUp();
    dir = scratch_dir(::testing::UnitTest::GetInstance()->current_test_info()->name());
    cwd = std::make_unique<ScopedCwd>(dir);
    write_stand_in(dir + "/emu.sh");
    emulator = std::make_unique<ScopedEnv>("MOSSFORGE_EMULATOR", (dir + "/emu.sh {rom}").c_str());
    level_editor_play = play_loaded_project;
    make_level();
  }
  void TearDown() override {
    level_editor_play = nullptr;
    emulator.reset();
    cwd.reset();
    LevelEditorTest::TearDown();
  }
  // F8 in the screen, then the answer to a question (0: none expected).
  void play(int answer) {
    in->press(KEY_F8).release(KEY_F8);
    if (answer) in->idle(1).then([this](ScriptedInput&) { question_shown = question_on_screen(); })
                    .press(answer)
                    .release(answer);
    frames(1);
  }
  bool question_on_screen() {
    const std::string q = UNSAVED_BUILD_QUESTION;
    for (int y = 0; y < 472; ++y)  // the message band, in the middle of the screen
      if (shows_line(y, {{320 - 4 * static_cast<int>(q.size()), 0, q}})) return true;
    return false;
  }
  void expect_one_build_message() {
    ASSERT_EQ(captured_messages().size(), 1u);
    EXPECT_EQ(captured_messages()[0].rfind("WROTE GLB-Gen.bin, GLB-Gen.bps; ", 0), 0u) << captured_messages()[0];
  }
  std::string dir;
  bool question_shown = false;
  std::unique_ptr<ScopedCwd> cwd;
  std::unique_ptr<ScopedEnv> emulator;
};

}  // namespace

// With unsaved edits the key asks first: Escape cancels (nothing built or started), N builds
// the files as they are on disk, Y saves the edits into the project's layout and builds them.
TEST_F(PlayKey, AsksAboutUnsavedChangesFirst) {
  write_game_and_project(project);
  const std::string layout = project_source_path(project.level_paths[0], project.levels[0].map_front);
  const Bytes on_disk = read_bytes(layout);
  level_origin = LevelOrigin{LevelSource::ProjectLevel, 0, "GLB-Gen.glp", "", ""};
  level_files.front_file_loaded(layout, level_origin);
  enter();
  row(3).objects.push_back(LayoutObject{1, 48});
  mark_changed(CHANGED_FRONT);

  play(KEY_ESC);
  EXPECT_TRUE(question_shown);
  EXPECT_FALSE(fs::exists("GLB-Gen.bin"));
  EXPECT_TRUE(level_changed_flags & CHANGED_FRONT);

  question_shown = false;
  play(KEY_N);
  EXPECT_TRUE(question_shown);
  expect_one_build_message();
  EXPECT_EQ(built_layout(read_bytes("GLB-Gen.bin"), 0, on_disk.size()), on_disk);
  EXPECT_EQ(read_bytes(layout), on_disk);
  EXPECT_TRUE(level_changed_flags & CHANGED_FRONT);
  EXPECT_EQ(starts(1), std::vector<std::string>{dir + "|/dev/null|GLB-Gen.bin"});

  play(KEY_Y);
  const Bytes saved = read_bytes(layout);
  EXPECT_NE(saved, on_disk);
  EXPECT_FALSE(level_changed_flags & CHANGED_FRONT);
  EXPECT_EQ(built_layout(read_bytes("GLB-Gen.bin"), 0, saved.size()), saved);
  EXPECT_EQ(starts(2).size(), 2u);

  // Saved now: the key builds and starts at once.
  captured_messages().clear();
  play(0);
  expect_one_build_message();
  EXPECT_EQ(starts(3).size(), 3u);
}

TEST_F(PlayKey, WithoutAProjectSaysSoAndDoesNothing) {
  enter();
  mark_changed(CHANGED_FRONT);
  play(0);
  EXPECT_EQ(captured_messages(), std::vector<std::string>{LOAD_PROJECT_FIRST});
  EXPECT_FALSE(fs::exists("Newrom.bin"));
  EXPECT_FALSE(fs::exists("started.txt"));
}
