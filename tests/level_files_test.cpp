#include <gtest/gtest.h>

#include <filesystem>

#include "app/file_choice.h"
#include "app/level_file_commands.h"
#include "files/atomic_file.h"
#include "files/chunk_set_block.h"
#include "game_fixtures.h"
#include "gamedata/level_state.h"
#include "test_support.h"
#include "ui/messages.h"

namespace {

class LevelFiles : public ScratchTest {
 protected:
  void SetUp() override {
    ScratchTest::SetUp();
    front_layout.height = 32;
    front_layout.width = 77;
    front_layout.rows.resize(3);
    front_layout.rows[2].objects = {{0x0123, 45}};
  }
  ScriptedInput in{640, 480};
  ScopedInput guard{in};
};

}  // namespace

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

// SAVE LEVEL writes each changed plane, SAVE CHUNKMAP the chunks; loading the files gives them back.
TEST_F(LevelFiles, SavesWriteEachChangedPartAndTheLoadsReadThemBack) {
  back_layout = fixture_plane(0, 3, 2);
  chunkmap = fixture_chunks(3, 1);
  const LayoutPlane front = front_layout, back = back_layout;
  const std::vector<uint8_t> chunks = chunk_set_bytes(chunkmap);
  level_changed_flags = CHANGED_FRONT | CHANGED_BACK | CHANGED_CHUNKS;
  EXPECT_EQ(SaveLevel(), 0);
  EXPECT_EQ(SaveChunkmap(), 0);
  EXPECT_EQ(captured_messages(), (std::vector<std::string>{"WROTE New.lvl, New_back.lvl", "WROTE New.itm"}));
  EXPECT_EQ(level_changed_flags, 0);
  front_layout = back_layout = LayoutPlane();
  chunkmap = fixture_chunks(1, 5);
  level_changed_flags = CHANGED_FRONT | CHANGED_CHUNKS;
  std::filesystem::copy_file("New.lvl", "Old.lvl");
  file_selector_hook = [](const char*, const char*, std::string& out) { return !(out = "Old.lvl").empty(); };
  editor_mode = 7;  // LOAD LEVEL, as the menu runs it: back to the menu after the load
  ASSERT_EQ(load_level_from_lvl_file(), 0);
  EXPECT_EQ(editor_mode, 0);
  std::filesystem::copy_file("New.itm", "Old.itm");
  ASSERT_EQ(load_chunkmap_file("Old.itm"), 0);
  EXPECT_EQ(front_layout, front);
  EXPECT_EQ(chunk_set_bytes(chunkmap), chunks);
  ASSERT_TRUE(chunk_bitmaps[2]);  // the chunks' pictures are made again
  EXPECT_EQ(chunk_bitmaps[2]->w, 16 * chunkmap.chunks[2].width);
  EXPECT_EQ(level_changed_flags, 0);
  LayoutPlane read_back;
  LoadFailure failure;
  ASSERT_TRUE(read_layout_file("New_back.lvl", read_back, failure));
  EXPECT_EQ(read_back, back);
  // The loaded files are the ones the next saves write.
  level_changed_flags = CHANGED_FRONT | CHANGED_CHUNKS;
  EXPECT_EQ(SaveLevel() + SaveChunkmap(), 0);
  EXPECT_EQ(captured_messages().back(), "WROTE Old.itm");
  EXPECT_EQ(captured_messages().end()[-2], "WROTE Old.lvl");
}

// The files a level was loaded from are what a recovery snapshot names as its origin.
TEST(LevelFilePaths, LoadedFilesBecomeTheOriginsFileNames) {
  LevelOrigin origin;
  level_files.front_file_loaded("Front.lvl", origin);
  level_files.chunkmap_file_loaded("Chunks.itm", origin);
  EXPECT_EQ(origin.lvl_file, level_file_name);
  EXPECT_EQ(origin.itm_file, chunkmap_file_name);
  EXPECT_NE(origin.lvl_file, origin.itm_file);
}

// Where the saves of each kind of level write, as the save questions name them.
TEST(LevelFilePaths, SaveFilesOfLevelsFromNoFileAFileAndAProject) {
  const struct {
    const char *front, *back;
    bool from_project;
    const char *chunks, *front_only, *both, *chunk_file;
  } cases[] = {
      {"", "", false, "", "New.lvl", "New.lvl, New_back.lvl", "New.itm"},
      {"lv/Front.lvl", "", false, "x.itm", "lv/Front.lvl", "lv/Front.lvl, lv/Front_back.lvl", "x.itm"},
      {"p/F.lvl", "p/B.lvl", true, "", "p/F.lvl", "p/F.lvl, p/B.lvl", "New.itm"},
      {"p/F.lvl", "", true, "", "p/F.lvl", "p/F.lvl", "New.itm"},  // a project level without a back file
  };
  for (const auto& c : cases) {
    LevelFilePaths paths;
    paths.set(c.front, c.back, c.from_project, c.chunks);
    EXPECT_EQ(paths.level_save_files(CHANGED_FRONT), c.front_only) << c.front;
    EXPECT_EQ(paths.level_save_files(CHANGED_FRONT | CHANGED_BACK), c.both) << c.front;
    EXPECT_EQ(paths.chunkmap_save_file(), c.chunk_file) << c.front;
  }
}
