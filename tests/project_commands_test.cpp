// The project commands of the main menu (through the file selector) and of the command line.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "app/main_menu.h"
#include "app/problem_text.h"
#include "files/packed_block.h"
#include "game_fixtures.h"
#include "test_support.h"
#include "app/file_choice.h"
#include "ui/messages.h"

namespace fs = std::filesystem;

namespace {

class ProjectCommands : public ScratchTest {
 protected:
  void TearDown() override {
    captured_messages().clear();
    ScratchTest::TearDown();
  }
  // The selector answers with path (cancels for none) and records how it was opened.
  void choose(const std::string& path) {
    file_selector_hook = [this, path](const char* t, const char* e, std::string& out) {
      title = t;
      filter = e ? e : "<none>";
      out = path;
      return !path.empty();
    };
  }
  std::string title, filter;
};

CommandRun mossforge(const std::string& args) { return run_mossforge(".", args); }

// A hand-made project: level i of `fronts` gets the descriptor "d<i>.gll" naming its layout;
// the project file names it as seen from its folder (up: the "../" that lead back here).
void write_project(const std::string& glp, const std::vector<std::pair<int, std::string>>& fronts,
                   const std::string& up = "") {
  std::string text;
  for (const auto& [level, layout] : fronts) {
    const std::string descriptor = "d" + std::to_string(level) + ".gll";
    text += "level_0" + std::to_string(level) + " = " + up + descriptor + "\r\n";
    const std::string line = "map_front = " + layout;
    write_bytes(descriptor, std::vector<uint8_t>(line.begin(), line.end()));
  }
  write_bytes(glp, std::vector<uint8_t>(text.begin(), text.end()));
}

void write_layout(const std::string& path, int seed) {
  if (fs::path(path).has_parent_path()) fs::create_directories(fs::path(path).parent_path());
  write_bytes(path, pack_block(layout_bytes(fixture_plane(0, 2, seed))));
}

}  // namespace

// Failed builds and generations: the reason on stderr, and every file and folder of the
// working directory exactly as it was.
TEST_F(ProjectCommands, FailedBatchCommandsChangeNothing) {
  fs::create_directories("master/genesis");
  fs::create_directories("master/aga");
  write_bytes(MASTER_ROM_PATH, make_genesis_fixture().rom);
  write_aga_fixture("master/aga/");
  write_layout("d.lvl", 1);
  write_bytes("broken.bin", {1, 2, 3});  // an earlier build
  write_project("broken.glp", {{0, "d.lvl"}, {1, "d.lvl"}});
  fs::remove("d1.gll");
  write_project("proj.bin", {{0, "d.lvl"}});
  write_project("master/genesis/glb.glp", {{0, "d.lvl"}}, "../../");
  write_layout("lay.bin", 2);
  write_project("lay.glp", {{2, "lay.bin"}});
  write_layout("sub/CODE", 3);
  write_project("code.glp", {{3, "sub/CODE"}});
  write_layout("a/LEVEL01.MAP", 4);
  write_layout("b/level01.map", 5);
  write_project("twin.glp", {{4, "a/LEVEL01.MAP"}, {5, "b/level01.map"}});
  write_layout("lvl/L.lvl", 6);
  write_project("lvl.glp", {{6, "lvl/L.lvl"}});
  fs::create_directories("game2");
  for (const auto& e : fs::directory_iterator("master/aga")) fs::copy(e.path(), "game2/" + e.path().filename().string());
  fs::remove("game2/Castle.GLV");
  fs::create_directories("GLB-Gen.glp");  // a folder of the project's name stands in its way too
  // Projects whose build would go over their theme's chunkmap or a level's descriptor.
  const auto text = [](const std::string& path, const std::string& t) { write_bytes(path, {t.begin(), t.end()}); };
  text("cm.glp", "level_00 = d0.gll\ntheme_0 = t0.glt\n");
  text("t0.glt", "chunkmap = cm.bin\n");
  write_bytes("cm.bin", chunk_set_bytes(fixture_chunks(2, 1)));
  text("desc.glp", "level_00 = desc.bin\n");
  text("desc.bin", "map_front = d.lvl\n");

  const struct {
    const char* command;
    const char* error;
  } cases[] = {
      {"build-genesis broken.glp", "ERROR: File \"d1.gll\" not found.\n"},
      {"build-genesis proj.bin", "ERROR: Cannot write \"proj.bin\": it is the project file \"proj.bin\".\n"},
      {"build-genesis master/genesis/glb.glp",
       "ERROR: Cannot write \"master/genesis/glb.bin\": it is the master image \"./master/genesis/glb.bin\".\n"},
      {"build-genesis lay.glp", "ERROR: Cannot write \"lay.bin\": it is the layout \"lay.bin\".\n"},
      {"build-genesis cm.glp", "ERROR: Cannot write \"cm.bin\": it is the chunkmap \"cm.bin\".\n"},
      {"build-genesis desc.glp", "ERROR: Cannot write \"desc.bin\": it is the descriptor \"desc.bin\".\n"},
      {"build-aga code.glp", "ERROR: \"sub/CODE\" cannot go into the game as CODE: that is the game program.\n"},
      {"build-aga twin.glp",
       "ERROR: \"a/LEVEL01.MAP\" and \"b/level01.map\" are different files that would get one name in the game "
       "folder (the Amiga ignores case).\n"},
      {"build-aga lvl.glp", "ERROR: Cannot replace the game folder \"lvl\": it holds the layout \"lvl/L.lvl\".\n"},
      {"generate-aga game2/CODE", "ERROR: File \"game2/Castle.GLV\" not found.\n"},
      {"generate-genesis master/genesis/glb.bin",
       "ERROR: \"GLB-Gen.glp\" exists with other contents; give --overwrite to replace it.\n"},
      {"generate-genesis master/genesis/glb.bin --overwrites",
       "ERROR: Usage: mossforge generate-genesis ROM [--overwrite]\n"},
  };
  for (const auto& c : cases) expect_refused(".", c.command, c.error);
}

// Every kind of problem of files/ in the program's words.
TEST(ProblemText, EveryKindHasItsMessage) {
  using K = Problem::Kind;
  const struct {
    Problem problem;
    const char* text;
  } cases[] = {
      {Problem(K::NotFound, "a.glp"), "ERROR: File \"a.glp\" not found."},
      {Problem(K::IsDirectory, "d"), "ERROR: File \"d\" is a directory."},
      {Problem(K::NotRegularFile, "/dev/null"), "ERROR: File \"/dev/null\" is not a regular file."},
      {Problem(K::TooLarge, "big", "", "", 0, 1048576), "ERROR: File \"big\" is too large (more than 1048576 bytes)."},
      {Problem(K::Unreadable, "x", "", "Permission denied"), "ERROR: File \"x\" cannot be read: Permission denied."},
      {Problem(K::Empty, "e.gll"), "ERROR: File \"e.gll\" is empty."},
      {Problem(K::NotText, "t.glt", "", "", 42), "ERROR: File \"t.glt\" is not a text file (a zero byte at 0x2A)."},
      {Problem(K::LineTooLong, "", "", "", 3), "ERROR: Line 3 is too long. Must not exceed 127 characters."},
      {Problem(K::LineTooLong, "t.glt", "", "", 3),
       "ERROR: Line 3 of \"t.glt\" is too long. Must not exceed 127 characters."},
      {Problem(K::KeyTooLong, "t.glt", "", "", 1),
       "ERROR: Key on line 1 of \"t.glt\" is too long. Must not exceed 31 characters."},
      {Problem(K::ValueTooLong, "t.glt", "", "", 2),
       "ERROR: Value on line 2 of \"t.glt\" is too long. Must not exceed 31 characters."},
      {Problem(K::UnknownVersion, "p.glp", "", "", -7), "ERROR: Unknown project version -7 in \"p.glp\""},
      {Problem(K::Contents, "a.lvl", "", "the block is cut short"), "ERROR: File \"a.lvl\": the block is cut short."},
      {Problem(K::NotPacked, "CODE"), "ERROR: File \"CODE\" is not a packed block."},
      {Problem(K::UnpacksTooLarge, "CODE", "", "", 700000, 647168),
       "ERROR: File \"CODE\" unpacks to 700000 bytes, more than 647168."},
      {Problem(K::DoesNotDecode, "CODE"), "ERROR: File \"CODE\": the packed block does not decode."},
      {Problem(K::BadGameName, "lvl/", "", "", 0, 12),
       "ERROR: The file name \"\" of \"lvl/\" must have 1 to 12 characters."},
      {Problem(K::GameProgramName, "lvl/code", "", "code"),
       "ERROR: \"lvl/code\" cannot go into the game as code: that is the game program."},
      {Problem(K::NameClash, "b/L.map", "a/l.map"),
       "ERROR: \"a/l.map\" and \"b/L.map\" are different files that would get one name in the game folder (the Amiga "
       "ignores case)."},
      {Problem(K::NamesDoNotFit, "", "", "", 0, 647168),
       "ERROR: The file names do not fit into the CODE data (647168 bytes)."},
      {Problem(K::CodeTooBig, "", "", "", 460000, 458752),
       "ERROR: The packed CODE takes 460000 bytes, more than 458752."},
      {Problem(K::DoesNotFitImage, "big.lvl"), "ERROR: \"big.lvl\" does not fit into the 4 MiB image."},
      {Problem(K::NoProjectFile), "ERROR: No project file is loaded; the game directory is named after it."},
      {Problem(K::OverwritesInput, "p.bin", "p.bin", "the layout"),
       "ERROR: Cannot write \"p.bin\": it is the layout \"p.bin\"."},
      {Problem(K::FolderIsInput, "p", "p", "the layout"),
       "ERROR: Cannot replace the game folder \"p\": it is the layout \"p\"."},
      {Problem(K::FolderHoldsInput, "p", "p/a.lvl", "the layout"),
       "ERROR: Cannot replace the game folder \"p\": it holds the layout \"p/a.lvl\"."},
      {Problem(K::FolderIsFile, "p"), "ERROR: Cannot replace the game folder \"p\": it is a file, not a folder."},
      {Problem(K::CreateDirectory, "./themes"), "ERROR: Could not create directory \"./themes\""},
      {Problem(K::CreateDirectory, "g", "", "No space left on device"),
       "ERROR: Could not create directory \"g\" (No space left on device)"},
      {Problem(K::CreateFile, "g/CODE", "", "cannot write the file: Disk quota exceeded"),
       "ERROR: Could not create file \"g/CODE\" (cannot write the file: Disk quota exceeded)"},
      {Problem(K::ReplaceFolder, "g", "", "Permission denied"),
       "ERROR: Could not replace the folder \"g\" (Permission denied)"},
      {Problem(K::CannotWrite, "o.bin", "", "cannot create the file: Is a directory"),
       "ERROR: Cannot write \"o.bin\": cannot create the file: Is a directory"},
      {Problem(K::WriteProtected, "r.pp"), "ERROR: \"r.pp\" is write-protected."},
      {Problem(K::UnsupportedSize, "game/Castle.GLV", "", "", 524289),
       "ERROR: Cannot copy the file 'game/Castle.GLV', because it has an unsupported file size of 524289 bytes."},
      {Problem(K::NothingToPack, "e"), "ERROR: File \"e\" is empty; there is nothing to pack."},
      {Problem(K::TooLargeToPack, "h"), "ERROR: File \"h\" is larger than a packed block can hold (16 MiB - 1)."},
  };
  for (const auto& c : cases) EXPECT_EQ(problem_text(c.problem), c.text);
  // These messages were always cut at 599 characters.
  EXPECT_EQ(problem_text(Problem(K::KeyTooLong, std::string(700, 'x'), "", "", 1)).size(), 599u);
}

// Every mode of the main menu, run as the menu runs it, in the order a user might: each opens
// its own file selector (cancelled here), screen or command, and says what it did.
TEST_F(ProjectCommands, EveryMenuModeRunsItsOwnCommand) {
  write_test_rom(build_test_rom().rom, ".");
  const struct {
    int mode;
    const char* outcome;
  } modes[] = {
      {5, "- - 0 {[02] SECOND ISLAND}"},
      {1, "- - 0 level editor"},
      {2, "- - 0 chunk editor"},
      {3, "- - 0"},
      {6, "LOAD LEVEL FROM LVL FILE LVL 0"},
      {7, "- - 7 {ERROR: No project is loaded.}"},
      {8, "- - 0 {WROTE New.lvl}"},
      {9, "LOAD CHUNKMAP FROM ITM FILE ITM 0"},
      {10, "- - 0 {WROTE New.itm}"},
      {11, "GENERATE AGA PROJECT <none> 0"},
      {12, "GENERATE GENESIS PROJECT bin,gen,md,smd 0"},
      {13, "LOAD PROJECT GLP 0"},
      {14, "- - 14 {ERROR: File \"./master/aga/CODE\" not found.}"},
      {15, "- - 15 {NO PROJECT LOADED: WROTE Newrom.bin, Newrom.bps (THE MASTER IMAGE ONLY); 335960 BYTES FREE BELOW 0x164904}"},
      {16, "- - 0"},
  };
  // What the two editors' last frames show: map 2 in the level editor, the chunk editor's tile selector.
  const std::map<uint64_t, std::string> screens = {{0x956e2ae7d35e5e3ull, "level editor"},
                                                   {0x3a34ecb77ed5a5e3ull, "chunk editor"}};
  for (const auto& m : modes) {
    title = filter = "-";
    choose("");
    ScriptedInput in(640, 480);
    ScopedInput scope(in);
    in.idle(3).type("2\r").idle(3).press(KEY_ESC).idle(2).release(KEY_ESC).idle(3);  // map 2; Esc leaves a screen
    editor_mode = static_cast<uint8_t>(m.mode);
    run_mode(static_cast<uint8_t>(m.mode));
    std::string outcome = title + " " + filter + " " + std::to_string(editor_mode);
    for (const std::string& s : captured_messages()) outcome += " {" + s + "}";
    captured_messages().clear();
    if (in.presents > 0 && m.mode < 3) {
      const uint64_t h = colour_hash(in.screen.get());
      outcome += " " + (screens.count(h) ? screens.at(h) : "screen " + std::to_string(h));
    }
    EXPECT_EQ(outcome, m.outcome) << "mode " << m.mode;
  }
  file_selector_hook = nullptr;
  EXPECT_TRUE(fs::exists("New.lvl") && fs::exists("New.itm") && fs::exists("Newrom.bin"));
}

// A generation never replaces a file of other contents unasked, whichever edition wrote it:
// the batch command refuses naming the first such file (changing nothing) unless given
// --overwrite, the menu asks; files it would write unchanged are no reason to refuse.
TEST_F(ProjectCommands, GenerationAsksBeforeReplacingAnyChangedFile) {
  fs::create_directories("master/genesis");
  fs::create_directories("master/aga");
  write_bytes(MASTER_ROM_PATH, make_genesis_fixture().rom);
  write_aga_fixture("master/aga/");
  ASSERT_EQ(mossforge("generate-genesis master/genesis/glb.bin").status, 0);
  EXPECT_EQ(mossforge("generate-genesis master/genesis/glb.bin").status, 0);  // the same files again
  const std::vector<uint8_t> mine(32, 0x0E);
  write_bytes("levels/pal/Pal19.pal", mine);
  const struct {
    const char* command;
    const char* error;
  } refused[] = {
      {"generate-genesis master/genesis/glb.bin",
       "ERROR: \"./levels/pal/Pal19.pal\" exists with other contents; give --overwrite to replace it.\n"},
      {"generate-aga master/aga/CODE",
       "ERROR: \"./levels/pal/Pal19.pal\" exists with other contents; give --overwrite to replace it.\n"},
  };
  for (const auto& c : refused) expect_refused(".", c.command, c.error);
  // The menu asks; N leaves every file, Y replaces.
  choose("master/genesis/glb.bin");
  const auto before = folder_snapshot();
  for (int key : {KEY_N, KEY_Y}) {
    ScriptedInput in(640, 480);
    ScopedInput scope(in);
    in.tap(key);
    editor_mode = 12;
    run_mode(12);
    EXPECT_EQ(read_bytes("levels/pal/Pal19.pal") == mine, key == KEY_N);
    if (key == KEY_N) {
      EXPECT_TRUE(folder_snapshot() == before);
    }
  }
  file_selector_hook = nullptr;
  write_bytes("levels/pal/Pal19.pal", mine);
  EXPECT_EQ(mossforge("generate-genesis master/genesis/glb.bin --overwrite").status, 0);
  EXPECT_NE(read_bytes("levels/pal/Pal19.pal"), mine);
}

// Paths in a project file lead from the project file's folder: a project of another folder
// is built with its own files, whichever folder the build runs in.
TEST_F(ProjectCommands, AProjectOfAnotherFolderIsBuiltWithItsOwnFiles) {
  for (const char* folder : {"g1", "g2"}) {
    fs::create_directories(std::string(folder) + "/master/genesis");
    write_bytes(std::string(folder) + "/" + MASTER_ROM_PATH, make_genesis_fixture().rom);
    ASSERT_EQ(run_mossforge(folder, "generate-genesis master/genesis/glb.bin").status, 0);
  }
  write_bytes("g1/levels/lvl/Lvl01.lvl", pack_block(layout_bytes(fixture_plane(0, 4, 11))));
  ASSERT_EQ(run_mossforge("g1", "build-genesis GLB-Gen.glp").status, 0);
  const std::vector<uint8_t> own = read_bytes("g1/GLB-Gen.bin");
  fs::remove("g1/GLB-Gen.bin");
  const CommandRun r = run_mossforge("g2", "build-genesis ../g1/GLB-Gen.glp");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out.rfind("WROTE ../g1/GLB-Gen.bin", 0), 0u) << r.out;
  EXPECT_TRUE(read_bytes("g1/GLB-Gen.bin") == own);
  EXPECT_FALSE(fs::exists("g2/GLB-Gen.bin"));
}

// Every batch command answers --help with its own usage; a file that is no project file is
// named as such, with its first line that no project file holds.
TEST_F(ProjectCommands, BatchErrorsNameTheRealCause) {
  for (const char* command :
       {"pack", "unpack", "render", "generate-genesis", "generate-aga", "build-genesis", "build-aga", "usage",
        "bps-create", "bps-apply"}) {
    const CommandRun r = mossforge(std::string(command) + " --help");
    EXPECT_EQ(r.status, 0) << command;
    EXPECT_EQ(r.out.rfind(std::string("Usage: mossforge ") + command + " ", 0), 0u) << command << ": " << r.out;
    EXPECT_EQ(r.err, "") << command;
  }
  write_bytes("abcd", text_bytes("glb_project_file_version = 0\r\n\r\ntheme_0 = t.glt\r\nsome words\r\n"));
  const CommandRun r = mossforge("build-aga abcd");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "ERROR: File \"abcd\" is not a project file (line 4: \"some words\").\n");
}
