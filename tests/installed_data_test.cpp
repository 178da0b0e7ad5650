// The installed data folder: where the interface images are looked for, and init-workspace,
// which copies the installed sample game into a new working directory.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/problem_text.h"
#include "files/installed_data.h"
#include "test_support.h"

namespace fs = std::filesystem;

namespace {

void write_text(const fs::path& path, const std::string& text) {
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << text;
}

// A small stand-in for the installed master folder.
std::string make_sample(const std::string& root) {
  const std::string sample = root + "/share/mossforge/master";
  write_text(sample + "/genesis/glb.bin", std::string("\x00\x01rom", 5));
  write_text(sample + "/aga/CODE", "code");
  write_text(sample + "/aga/Level01.LVL", "level");
  return sample;
}

}  // namespace

TEST(InstalledData, TheDataFolderIsShareMossforgeBesideTheBinarysFolder) {
  EXPECT_EQ(data_dir_of("/usr/bin/mossforge"), "/usr/share/mossforge");
  EXPECT_EQ(data_dir_of("/opt/mf/bin/../bin/mossforge"), "/opt/mf/share/mossforge");
  EXPECT_EQ(data_dir_of("bin/mossforge"), "share/mossforge");
}

TEST(InstalledData, ImagesAreTakenFromTheWorkingDirectoryFirstThenTheDataFolder) {
  const std::string root = scratch_dir("installed_images");
  write_text(root + "/data/alphanum.png", "installed");
  write_text(root + "/data/cursor.png", "installed");
  write_text(root + "/work/alphanum.png", "own");
  ScopedCwd cwd(root + "/work");
  EXPECT_EQ(find_data_file("alphanum.png", root + "/data"), "alphanum.png");
  EXPECT_EQ(find_data_file("cursor.png", root + "/data"), root + "/data/cursor.png");
  // In neither place (or no data folder known): the name itself, which the load reports.
  EXPECT_EQ(find_data_file("bselect.png", root + "/data"), "bselect.png");
  EXPECT_EQ(find_data_file("cursor.png", ""), "cursor.png");
}

TEST(InstalledData, InitWorkspaceCopiesTheSampleGameAndNeverWritesOverAMasterFolder) {
  const std::string root = scratch_dir("init_workspace");
  const std::string sample = make_sample(root);
  Problem problem;
  // A new folder, parents included; an existing one keeps what it holds.
  ASSERT_TRUE(init_workspace(root + "/new/game", sample, &problem)) << problem_text(problem);
  EXPECT_EQ(tree_hash(root + "/new/game/master"), tree_hash(sample));
  write_text(root + "/old/notes.txt", "mine");
  ASSERT_TRUE(init_workspace(root + "/old", sample, &problem)) << problem_text(problem);
  EXPECT_EQ(tree_hash(root + "/old/master"), tree_hash(sample));
  EXPECT_TRUE(fs::exists(root + "/old/notes.txt"));

  // Anything named master is in the way: a folder, a file, a link to nowhere.
  write_text(root + "/new/game/master/genesis/glb.bin", "edited");
  const uint64_t before = tree_hash(root + "/new/game");
  EXPECT_FALSE(init_workspace(root + "/new/game", sample, &problem));
  EXPECT_EQ(problem_text(problem), "ERROR: \"" + root +
                                       "/new/game\" already holds a master folder; init-workspace leaves it as it is.");
  EXPECT_EQ(tree_hash(root + "/new/game"), before);
  write_text(root + "/file/master", "x");
  fs::create_directories(root + "/link");
  fs::create_symlink(root + "/nowhere", root + "/link/master");
  for (const char* in_the_way : {"/file", "/link"}) {
    EXPECT_FALSE(init_workspace(root + in_the_way, sample, &problem));
    EXPECT_EQ(problem.kind, Problem::Kind::HoldsMasterFolder) << in_the_way;
  }
  EXPECT_FALSE(fs::exists(root + "/nowhere"));
}

TEST(InstalledData, InitWorkspaceNamesWhatStopsIt) {
  const std::string root = scratch_dir("init_workspace_fails");
  Problem problem;
  for (const std::string& missing : {root + "/none", std::string()}) {
    EXPECT_FALSE(init_workspace(root + "/ws", missing, &problem));
    EXPECT_EQ(problem_text(problem), "ERROR: The sample game is not installed: no folder \"" + missing + "\".");
    EXPECT_FALSE(fs::exists(root + "/ws"));
  }
  const std::string sample = make_sample(root);
  write_text(root + "/plain", "a file");
  EXPECT_FALSE(init_workspace(root + "/plain", sample, &problem));
  EXPECT_EQ(problem.kind, Problem::Kind::CreateDirectory);
  EXPECT_EQ(problem.path, root + "/plain");
  EXPECT_FALSE(init_workspace(root + "/plain/ws", sample, &problem));
  EXPECT_EQ(problem.kind, Problem::Kind::CreateDirectory);

  // A sample file the user may not read: the copy stops, and what it had copied is removed,
  // so that a second try is not refused.
  fs::permissions(sample + "/aga/Level01.LVL", fs::perms::none);
  fs::create_directories(root + "/user");
  fs::permissions(root + "/user", fs::perms::all);
  {
    ScopedUnprivileged as_user;
    EXPECT_FALSE(init_workspace(root + "/user", sample, &problem));
  }
  EXPECT_EQ(problem.kind, Problem::Kind::CannotWrite);
  EXPECT_EQ(problem.path, root + "/user/master");
  EXPECT_FALSE(fs::exists(root + "/user/master"));
  fs::permissions(sample + "/aga/Level01.LVL", fs::perms::owner_read | fs::perms::owner_write);
}
