// What a write may replace: never a file the user may not write, and through a symbolic link
// the file it points to, which stays behind the link.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "files/atomic_file.h"
#include "files/rom_tables.h"
#include "game_fixtures.h"
#include "test_support.h"

namespace fs = std::filesystem;

namespace {

using Bytes = std::vector<uint8_t>;

}  // namespace

// A file without write permission is refused, by the batch commands and by every writer
// below them, and nothing at all changes.
TEST(WriteTargets, WriteProtectedFilesAreRefused) {
  ScopedCwd cwd(scratch_dir("write_protected_targets"));
  fs::create_directories("master/genesis");
  write_bytes(MASTER_ROM_PATH, make_genesis_fixture().rom);
  write_bytes("in.bin", text_bytes("some bytes to pack, some bytes to pack"));
  ASSERT_EQ(run_mossforge(".", "generate-genesis master/genesis/glb.bin").status, 0);
  ASSERT_EQ(run_mossforge(".", "build-genesis GLB-Gen.glp").status, 0);
  write_bytes("ro.pp", Bytes{1, 2, 3});
  ASSERT_EQ(chmod("ro.pp", 0444), 0);
  ASSERT_EQ(chmod("GLB-Gen.bin", 0444), 0);
  expect_refused(".", "pack in.bin ro.pp", "ERROR: \"ro.pp\" is write-protected.\n");
  expect_refused(".", "build-genesis GLB-Gen.glp", "ERROR: \"GLB-Gen.bin\" is write-protected.\n");
  std::string why;
  EXPECT_FALSE(write_file_atomic("ro.pp", Bytes{9}, &why));
  EXPECT_EQ(why, WRITE_PROTECTED);
  EXPECT_EQ(read_bytes("ro.pp"), (Bytes{1, 2, 3}));
  // A file that others may not write, written by someone else.
  ASSERT_EQ(chmod("ro.pp", 0644), 0);
  {
    ScopedUnprivileged nobody;
    if (geteuid() == 0) GTEST_SKIP() << "cannot act as another user here";
    EXPECT_FALSE(write_file_atomic("ro.pp", Bytes{9}, &why));
    EXPECT_EQ(why, WRITE_PROTECTED);
  }
  EXPECT_EQ(read_bytes("ro.pp"), (Bytes{1, 2, 3}));
}

// Writing to a link writes the file it points to (its temporary file beside that one); the
// link stays a link.
TEST(WriteTargets, ALinkIsWrittenThrough) {
  ScopedCwd cwd(scratch_dir("write_through_links"));
  fs::create_directories("real");
  write_bytes("in.bin", text_bytes("packed through a link, packed through a link"));
  write_bytes("real/target.pp", Bytes{7});
  fs::create_symlink("real/target.pp", "link.pp");
  fs::create_symlink("link.pp", "link2.pp");
  ASSERT_EQ(run_mossforge(".", "pack in.bin link2.pp").status, 0);
  EXPECT_TRUE(fs::is_symlink("link.pp"));
  EXPECT_TRUE(fs::is_symlink("link2.pp"));
  EXPECT_EQ(fs::read_symlink("link.pp"), "real/target.pp");
  ASSERT_EQ(run_mossforge(".", "unpack real/target.pp back.bin").status, 0);
  EXPECT_EQ(read_bytes("back.bin"), read_bytes("in.bin"));
  // A link to a file not there yet: the file is made where the link points.
  fs::create_symlink("real/new.pp", "dangling.pp");
  ASSERT_TRUE(write_file_atomic("dangling.pp", Bytes{4, 5}));
  EXPECT_TRUE(fs::is_symlink("dangling.pp"));
  EXPECT_EQ(read_bytes("real/new.pp"), (Bytes{4, 5}));
  for (const auto& e : fs::recursive_directory_iterator("."))
    EXPECT_EQ(e.path().string().find(".tmp"), std::string::npos) << e.path();
}
