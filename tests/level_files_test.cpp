#include <gtest/gtest.h>

#include <filesystem>

#include "app/level_file_commands.h"
#include "files/atomic_file.h"
#include "files/byte_order.h"
#include "files/chunk_set_block.h"
#include "files/layout_block.h"
#include "files/packed_block.h"
#include "app/main_menu.h"
#include "game_fixtures.h"
#include "gamedata/level_state.h"
#include "test_support.h"
#include "app/file_choice.h"
#include "ui/messages.h"
#include "ui/screen_state.h"

namespace {

class LevelFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    headless_screen();
    dir = scratch_dir(::testing::UnitTest::GetInstance()->current_test_info()->name());
    cwd = std::make_unique<ScopedCwd>(dir);
    captured_messages().clear();
    front_layout.height = 32;
    front_layout.width = 77;
    front_layout.rows.resize(3);
    front_layout.rows[2].objects = {{0x0123, 45}};
  }
  void TearDown() override { cwd.reset(); }
  void choose(const std::string& path) {
    file_selector_hook = [this, path](const char* title, const char* ext, std::string& out) {
      titles.push_back(std::string(title) + "/" + ext);
      out = path;
      return true;
    };
  }
  void cancel_selector() {
    file_selector_hook = [this](const char* title, const char* ext, std::string&) {
      titles.push_back(std::string(title) + "/" + ext);
      return false;
    };
  }
  LayoutPlane saved_plane(const std::string& path) {
    std::vector<uint8_t> bytes;
    LayoutPlane plane;
    std::string error;
    EXPECT_TRUE(read_whole_file(path, bytes)) << path;
    EXPECT_TRUE(LoadLevelBlock(bytes.data(), bytes.size(), 0, plane, error)) << error;
    return plane;
  }
  std::string dir;
  std::unique_ptr<ScopedCwd> cwd;
  std::vector<std::string> titles;
  ScriptedInput in{640, 480};
  ScopedInput guard{in};
};

}  // namespace

TEST_F(LevelFiles, LoadLevelFromAPlainFileWithTheSelector) {
  ASSERT_TRUE(write_file_atomic("level.lvl", plain_layout()));
  choose("level.lvl");
  editor_mode = 6;
  EXPECT_EQ(load_level_from_lvl_file(), 0);
  EXPECT_EQ(editor_mode, 0);
  EXPECT_EQ(titles, std::vector<std::string>{"LOAD LEVEL FROM LVL FILE/LVL"});
  EXPECT_EQ(captured_messages(), std::vector<std::string>{"level.lvl"});
  EXPECT_EQ(level_file_name, "level.lvl");
  EXPECT_EQ(layout_bytes(front_layout), plain_layout());
}

TEST_F(LevelFiles, LoadChunkmapRebuildsImagesAndThumbnails) {
  block_bitmaps[3] = make_bitmap(16, 16);
  clear_to_color(block_bitmaps[3].get(), 0xFF336699u);
  chunkmap.chunks.resize(5);
  for (Chunk& c : chunkmap.chunks) c.width = c.height = 1;
  std::vector<uint8_t> set = {'I', 'T', 'M', 'S', 0, 2, 0, 10, 0, 16, 2, 1, 0, 3, 0x10, 3, 1, 1, 0, 3};
  ASSERT_TRUE(write_file_atomic("set.itm", set));
  choose("set.itm");
  editor_mode = 9;
  EXPECT_EQ(load_chunkmap_from_itm_file(), 0);
  EXPECT_EQ(editor_mode, 0);
  EXPECT_EQ(titles, std::vector<std::string>{"LOAD CHUNKMAP FROM ITM FILE/ITM"});
  EXPECT_EQ(chunkmap_file_name, "set.itm");
  ASSERT_EQ(chunkmap.count(), 2);
  EXPECT_EQ(chunkmap.chunks[0].cells[1], 0x1003);
  ASSERT_TRUE(chunk_bitmaps[0]);
  EXPECT_EQ(chunk_bitmaps[0]->w, 32);
  EXPECT_FALSE(chunk_bitmaps[2]);
  ASSERT_EQ(chunk_thumbnail_count, 2);
  EXPECT_EQ(rgb_at(chunk_thumbnails[1].get(), 24, 24), (Rgb{0x33, 0x66, 0x99}));
}

TEST_F(LevelFiles, SavesWritePackedBlocksThatLoadBack) {
  // No file loaded yet: the menu's SAVE LEVEL writes New.lvl.
  editor_mode = 8;
  run_mode(8);
  EXPECT_EQ(editor_mode, 0);
  std::vector<uint8_t> bytes;
  ASSERT_TRUE(read_whole_file("New.lvl", bytes));
  ASSERT_GE(bytes.size(), 12u);
  EXPECT_EQ(read_be32(bytes.data()), bytes.size());  // the packed size, never "MAP"
  EXPECT_NE(std::string(bytes.begin(), bytes.begin() + 3), "MAP");
  const LayoutPlane saved = front_layout;
  front_layout = LayoutPlane();
  ASSERT_EQ(load_level_file("New.lvl"), 0);
  EXPECT_EQ(front_layout, saved);

  // After a load, SAVE LEVEL writes back to the loaded file.
  ASSERT_TRUE(write_file_atomic("plain.lvl", plain_layout()));
  ASSERT_EQ(load_level_file("plain.lvl"), 0);
  front_layout.rows[2].objects.push_back({0x0A00, 300});
  ASSERT_EQ(SaveLevel(), 0);
  const LayoutPlane edited = front_layout;
  front_layout = LayoutPlane();
  ASSERT_EQ(load_level_file("plain.lvl"), 0);
  EXPECT_EQ(front_layout, edited);

  // An empty chunk set is saved as the packed 6-byte block.
  chunkmap.chunks.clear();
  run_mode(10);
  ASSERT_TRUE(read_whole_file("New.itm", bytes));
  EXPECT_EQ(read_be32(bytes.data()), bytes.size());
  std::vector<uint8_t> block;
  std::string error;
  ASSERT_TRUE(unpack_block(bytes.data(), bytes.size(), 0, block, error)) << error;
  EXPECT_EQ(block, (std::vector<uint8_t>{'I', 'T', 'M', 'S', 0, 0}));
  EXPECT_EQ(captured_messages(), (std::vector<std::string>{"WROTE New.lvl", "WROTE plain.lvl", "WROTE New.itm"}));
}

TEST_F(LevelFiles, SaveLevelWritesAnEditedBackPlaneBesideTheFrontOrIntoTheProject) {
  back_layout = fixture_plane(4, 3, 7);
  mark_changed(CHANGED_BACK | CHANGED_CHUNKS);
  EXPECT_EQ(level_files.level_save_files(level_changed_flags), "New.lvl, New_back.lvl");
  ASSERT_EQ(SaveLevel(), 0);
  EXPECT_EQ(saved_plane("New.lvl"), front_layout);
  EXPECT_EQ(saved_plane("New_back.lvl"), back_layout);
  EXPECT_EQ(captured_messages(), std::vector<std::string>{"WROTE New.lvl, New_back.lvl"});
  EXPECT_EQ(level_changed_flags, CHANGED_CHUNKS) << "only what was written counts as saved";
  // An unchanged back plane is not written again.
  std::filesystem::remove("New_back.lvl");
  ASSERT_EQ(SaveLevel(), 0);
  EXPECT_FALSE(std::filesystem::exists("New_back.lvl"));

  const struct {
    const char* front;
    const char* back;
    bool from_project;
    const char* expected;
  } cases[] = {
      {"sub/a.lvl", "", false, "sub/a_back.lvl"},
      {"sub.d/noext", "", false, "sub.d/noext_back"},
      {"levels/lvl/Lvl01.lvl", "levels/lvl/Lvl81.lvl", true, "levels/lvl/Lvl81.lvl"},
      {"levels/lvl/Lvl01.lvl", "", true, ""},
  };
  for (const auto& c : cases) {
    level_files.set(c.front, c.back, c.from_project, "");
    EXPECT_EQ(level_files.back_plane_file(), c.expected) << c.front;
  }
  // A project level without a back file: the front is saved, the back plane is reported
  // and stays unsaved.
  std::filesystem::create_directories("levels/lvl");
  captured_messages().clear();
  mark_changed(CHANGED_BACK);
  EXPECT_EQ(SaveLevel(), -1);
  EXPECT_EQ(captured_messages(),
            (std::vector<std::string>{BACK_PLANE_NOT_SAVED, "WROTE levels/lvl/Lvl01.lvl"}));
  EXPECT_EQ(level_changed_flags, CHANGED_BACK | CHANGED_CHUNKS);
}

TEST_F(LevelFiles, SavesAskBeforeReplacingFilesOfAnotherLevel) {
  const std::vector<uint8_t> other = plain_layout();
  ASSERT_TRUE(write_file_atomic("New.lvl", other));
  ASSERT_TRUE(write_file_atomic("New.itm", other));
  // N (and Escape) keep the other file; nothing is written.
  in.tap(KEY_N).tap(KEY_ESC);
  EXPECT_EQ(SaveLevel(), -1);
  EXPECT_EQ(SaveChunkmap(), -1);
  EXPECT_EQ(read_bytes("New.lvl"), other);
  EXPECT_EQ(read_bytes("New.itm"), other);
  EXPECT_TRUE(captured_messages().empty());
  // Y replaces it; from then on the file is this level's own and no question comes.
  in.tap(KEY_Y);
  EXPECT_EQ(SaveLevel(), 0);
  EXPECT_EQ(saved_plane("New.lvl"), front_layout);
  EXPECT_EQ(SaveLevel(), 0);
  // The back plane's file is asked about on its own.
  ASSERT_TRUE(write_file_atomic("New_back.lvl", other));
  back_layout = fixture_plane(4, 3, 7);
  mark_changed(CHANGED_BACK);
  in.tap(KEY_N);
  EXPECT_EQ(SaveLevel(), -1);
  EXPECT_EQ(read_bytes("New_back.lvl"), other);
  // Another level in memory (a new import) owns none of them.
  level_files.set("", "", false, "");
  in.tap(KEY_N);
  EXPECT_EQ(SaveLevel(), -1);
  // A level loaded from a file owns it.
  ASSERT_EQ(load_level_file("New.itm"), 0);  // a plain layout, whatever its name
  level_file_name = "New.itm";
  EXPECT_EQ(SaveLevel(), 0);
  EXPECT_TRUE(in.script_done());
}

TEST_F(LevelFiles, LoadsAskAboutUnsavedChangesAndCancelledSelectorsChangeNothing) {
  ASSERT_TRUE(write_file_atomic("level.lvl", plain_layout()));
  const LayoutPlane edited = front_layout;
  // Nothing unsaved: no question. A cancelled selector: no message, nothing loaded.
  cancel_selector();
  editor_mode = 6;
  run_mode(6);
  EXPECT_EQ(editor_mode, 0);
  EXPECT_EQ(front_layout, edited);
  EXPECT_TRUE(captured_messages().empty());
  editor_mode = 9;
  run_mode(9);
  EXPECT_EQ(editor_mode, 0);
  EXPECT_EQ(titles.size(), 2u);
  EXPECT_TRUE(captured_messages().empty());
  // Unsaved edits: Escape cancels the command before the selector opens.
  mark_changed(CHANGED_FRONT);
  choose("level.lvl");
  in.tap(KEY_ESC);
  run_mode(6);
  EXPECT_EQ(titles.size(), 2u);
  EXPECT_EQ(front_layout, edited);
  // N discards: the load goes on and nothing is unsaved.
  in.tap(KEY_N);
  run_mode(6);
  EXPECT_EQ(front_layout.theme, 2);
  EXPECT_EQ(level_changed_flags, 0);
  EXPECT_FALSE(std::filesystem::exists("New.lvl"));
  // Y saves first, as SAVE LEVEL does, to the loaded file.
  front_layout = edited;
  mark_changed(CHANGED_FRONT);
  in.tap(KEY_Y);
  run_mode(6);
  EXPECT_EQ(saved_plane("level.lvl"), edited);
  EXPECT_EQ(level_changed_flags, 0);
  EXPECT_TRUE(in.script_done());
}

TEST_F(LevelFiles, FailedSavesKeepThePreviousFile) {
  ASSERT_TRUE(write_file_atomic("keep.lvl", plain_layout()));
  ASSERT_EQ(load_level_file("keep.lvl"), 0);
  std::vector<uint8_t> before, after;
  ASSERT_TRUE(read_whole_file("keep.lvl", before));
  // Too many objects for a block: refused with a message, the file stays.
  front_layout.rows[1].objects.assign(17000, LayoutObject{1, 2});
  EXPECT_EQ(SaveLevel(), -1);
  ASSERT_EQ(captured_messages().size(), 1u);
  EXPECT_NE(captured_messages()[0].find("65535"), std::string::npos) << captured_messages()[0];
  ASSERT_TRUE(read_whole_file("keep.lvl", after));
  EXPECT_EQ(after, before);

  // A target that cannot be replaced (a directory) is reported, and nothing is left behind.
  std::filesystem::create_directory("folder.itm");
  chunkmap_file_name = "folder.itm";
  chunkmap.chunks.resize(1);
  captured_messages().clear();
  EXPECT_EQ(SaveChunkmap(), -1);
  ASSERT_EQ(captured_messages().size(), 1u);
  EXPECT_EQ(captured_messages()[0].rfind("ERROR: Cannot save \"folder.itm\"", 0), 0u) << captured_messages()[0];
  EXPECT_TRUE(std::filesystem::is_directory("folder.itm"));
  EXPECT_FALSE(std::filesystem::exists("folder.itm.tmp"));
}
