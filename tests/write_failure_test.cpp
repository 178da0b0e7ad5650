// Saves that fail (a full disk, simulated with a file size limit in a child process; a
// read-only directory; a directory in the file's place) must report the error and leave the
// previous file exactly as it was, with no temporary file left behind. What a write may
// replace: never a file the user may not write, and through a symbolic link the file it
// points to, which stays behind the link.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <functional>
#include <memory>

#include "app/level_file_commands.h"
#include "app/config.h"
#include "app/problem_text.h"
#include "files/atomic_file.h"
#include "files/game_build.h"
#include "files/layout_block.h"
#include "files/project_generate.h"
#include "files/rom_tables.h"
#include "game_fixtures.h"
#include "test_support.h"
#include "ui/messages.h"

namespace {

using Bytes = std::vector<uint8_t>;

struct Outcome {
  int result = 0;
  std::vector<std::string> messages;
};

// Runs a save in a child process whose files may not grow past `limit` bytes (SIGXFSZ
// ignored, so writes fail with EFBIG as on a full disk); returns its result and messages.
Outcome run_with_file_limit(rlim_t limit, const std::function<int()>& save) {
  int fds[2];
  if (pipe(fds) != 0) return {99, {"pipe failed"}};
  const pid_t pid = fork();
  if (pid == 0) {
    close(fds[0]);
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit lim{limit, limit};
    setrlimit(RLIMIT_FSIZE, &lim);
    captured_messages().clear();
    std::string out = std::to_string(save()) + "\n";
    for (const std::string& m : captured_messages()) out += m + "\n";
    if (write(fds[1], out.data(), out.size()) != static_cast<ssize_t>(out.size())) _exit(2);
    _exit(0);
  }
  close(fds[1]);
  std::string text;
  char buf[512];
  ssize_t n;
  while ((n = read(fds[0], buf, sizeof buf)) > 0) text.append(buf, static_cast<size_t>(n));
  close(fds[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return {98, {"the child process failed"}};
  Outcome o;
  size_t pos = text.find('\n');
  o.result = std::stoi(text.substr(0, pos));
  for (size_t next; (next = text.find('\n', pos + 1)) != std::string::npos; pos = next)
    o.messages.push_back(text.substr(pos + 1, next - pos - 1));
  return o;
}

// A file holding `bytes`, with the permissions given.
void put(const std::string& path, const Bytes& bytes, mode_t mode = 0644) {
  ASSERT_TRUE(write_file_atomic(path, bytes));
  chmod(path.c_str(), mode);
}

void fill_level() {
  release_level_model();
  front_layout = fixture_plane(1, 16, 3);
  chunkmap = fixture_chunks(12, 5);
}

struct Save {
  const char* name;
  const char* file;
  std::function<int()> run;
};

const Save saves[] = {
    {"SaveLevel", "kept.lvl", [] { return SaveLevel(); }},
    {"SaveChunkmap", "kept.itm", [] { return SaveChunkmap(); }},
    {"config_save", CONFIG_FILE, [] {
       config_save();
       return captured_messages().empty() ? 0 : -1;
     }},
};

class WriteFailure : public ScratchTest, public ::testing::WithParamInterface<Save> {
 protected:
  void SetUp() override {
    ScratchTest::SetUp();
    fill_level();
    level_files.set("kept.lvl", "", false, "kept.itm");
    previous = Bytes(300, 0x5A);
    previous[0] = 'O', previous[1] = 'L', previous[2] = 'D';
  }
  void TearDown() override {
    chmod(dir.c_str(), 0755);
    ScratchTest::TearDown();
  }
  Bytes previous;
};

TEST_P(WriteFailure, FullDiskKeepsThePreviousFile) {
  put(GetParam().file, previous);
  const Outcome o = run_with_file_limit(16, GetParam().run);
  EXPECT_EQ(o.result, -1);
  ASSERT_EQ(o.messages.size(), 1u);
  const std::string prefix = std::string("ERROR: Cannot save \"") + GetParam().file + "\": ";
  EXPECT_EQ(o.messages[0].rfind(prefix, 0), 0u) << o.messages[0];
  EXPECT_NE(o.messages[0].find("File too large"), std::string::npos) << o.messages[0];
  EXPECT_EQ(read_bytes(GetParam().file), previous);
  EXPECT_FALSE(std::filesystem::exists(std::string(GetParam().file) + ".tmp"));
  // Without the limit the same save goes through and replaces the file.
  EXPECT_EQ(GetParam().run(), 0);
  EXPECT_NE(read_bytes(GetParam().file), previous);
}

TEST_P(WriteFailure, ReplacedFileKeepsItsPermissions) {
  put(GetParam().file, previous, 0640);
  EXPECT_EQ(GetParam().run(), 0);
  for (const std::string& m : captured_messages()) EXPECT_EQ(m.rfind("WROTE ", 0), 0u) << m;
  struct stat st;
  ASSERT_EQ(stat(GetParam().file, &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
  EXPECT_NE(read_bytes(GetParam().file), previous);
}

INSTANTIATE_TEST_SUITE_P(Saves, WriteFailure, ::testing::ValuesIn(saves),
                         [](const ::testing::TestParamInfo<Save>& info) { return std::string(info.param.name); });

TEST(WriteFileAtomic, FailedWritesOfEverySizeLeaveTheOldFile) {
  ScopedCwd cwd(scratch_dir("atomic_sizes"));
  const Bytes old(100, 7);
  ASSERT_TRUE(write_file_atomic("f.bin", old));
  // The limit falls before, inside and at the end of the buffered output.
  for (rlim_t limit : {rlim_t(0), rlim_t(1), rlim_t(4095), rlim_t(4096), rlim_t(70000)}) {
    const Outcome o = run_with_file_limit(limit, [] {
      std::string why;
      const bool ok = write_file_atomic("f.bin", Bytes(70001, 9), &why);
      if (!ok) captured_messages().push_back(why);
      return ok ? 0 : -1;
    });
    EXPECT_EQ(o.result, -1) << limit;
    ASSERT_EQ(o.messages.size(), 1u) << limit;
    EXPECT_EQ(o.messages[0], "cannot write the file: File too large") << limit;
    EXPECT_EQ(read_bytes("f.bin"), old) << limit;
    EXPECT_FALSE(std::filesystem::exists("f.bin.tmp")) << limit;
  }
  // A rename that fails says why.
  std::string why;
  EXPECT_FALSE(commit_staged_file("never_staged.bin", &why));
  EXPECT_EQ(why, "cannot replace the file: No such file or directory");
}

}  // namespace

// --- generated projects and built games ---

namespace {

namespace fs = std::filesystem;

// Runs a generator or build in the limited child; its messages, then "tables changed" when
// the project tables were touched by the failed run.
Outcome run_project_step(rlim_t limit, const std::function<int(ProjectTables&, ProjectMessages&)>& step) {
  return run_with_file_limit(limit, [&] {
    ProjectTables tables;
    tables.project_file = "GLB-Gen.glp";
    const ProjectTables before = tables;
    ProjectMessages m;
    const int r = step(tables, m);
    for (const std::string& s : problem_texts(m)) captured_messages().push_back(s);
    if (!(tables == before)) captured_messages().push_back("tables changed");
    return r;
  });
}

void expect_one_write_error(const Outcome& o, const std::string& file) {
  EXPECT_EQ(o.result, -1);
  ASSERT_EQ(o.messages.size(), 1u) << (o.messages.empty() ? "" : o.messages.back());
  EXPECT_EQ(o.messages[0].rfind("ERROR: Could not create file \"" + file, 0), 0u) << o.messages[0];
  EXPECT_NE(o.messages[0].find("(cannot write the file: File too large)"), std::string::npos) << o.messages[0];
}

}  // namespace

using ProjectWriteFailure = ScratchTest;

TEST_F(ProjectWriteFailure, BuildsOnAFullDiskKeepThePreviousGame) {
  fs::create_directories("master/genesis");
  fs::create_directories("master/aga");
  write_bytes(MASTER_ROM_PATH, make_genesis_fixture().rom);
  write_aga_fixture("master/aga/");
  put("GLB-Gen.bin", Bytes(5000, 0x42));
  fs::create_directories("GLB-Gen");
  put("GLB-Gen/CODE", Bytes(5000, 0x43));

  Outcome o = run_project_step(1000, [](ProjectTables& t, ProjectMessages& msgs) { return BuildGenesisGame(t, msgs); });
  expect_one_write_error(o, "GLB-Gen.bin");
  EXPECT_EQ(read_bytes("GLB-Gen.bin"), Bytes(5000, 0x42));
  EXPECT_FALSE(fs::exists("GLB-Gen.bin.tmp"));

  o = run_project_step(1000, [](ProjectTables& t, ProjectMessages& msgs) { return BuildAgaGame(t, msgs); });
  expect_one_write_error(o, "GLB-Gen/CODE");
  EXPECT_EQ(read_bytes("GLB-Gen/CODE"), Bytes(5000, 0x43));
  EXPECT_FALSE(fs::exists("GLB-Gen/CODE.tmp"));

  // The new CODE fits, the large layout after it does not: the previous game stays whole.
  LayoutPlane big;
  big.height = 16;
  big.rows.resize(2);
  big.rows[1].objects.resize(15000, LayoutObject{1, 2});
  Bytes block;
  std::string error;
  ASSERT_TRUE(build_layout_block(big, block, error)) << error;
  put("Big.lvl", block);
  put("GLB-Gen/Big.lvl", Bytes(300, 0x44));
  const auto before = folder_snapshot(".");
  o = run_project_step(40000, [](ProjectTables& t, ProjectMessages& msgs) {
    ProjectTables with_level = t;
    with_level.levels[0].map_front = "Big.lvl";
    return BuildAgaGame(with_level, msgs);
  });
  expect_one_write_error(o, "GLB-Gen/Big.lvl");
  EXPECT_TRUE(folder_snapshot(".") == before);
}

TEST_F(ProjectWriteFailure, GenerationOnAFullDiskLeavesNothingBehind) {
  write_bytes("game.bin", make_genesis_fixture().rom);
  const auto before = folder_snapshot(".");
  const Outcome o = run_project_step(
      200, [](ProjectTables& t, ProjectMessages& msgs) { return GenerateGenesisProject("game.bin", t, msgs); });
  EXPECT_EQ(o.result, -1);
  ASSERT_EQ(o.messages.size(), 1u);
  EXPECT_NE(o.messages[0].find("(cannot write the file: File too large)"), std::string::npos) << o.messages[0];
  EXPECT_TRUE(folder_snapshot(".") == before);
}

using WriteTargets = ScratchTest;

// A file without write permission is refused, by the batch commands and by every writer
// below them, and nothing at all changes.
TEST_F(WriteTargets, WriteProtectedFilesAreRefused) {
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
TEST_F(WriteTargets, ALinkIsWrittenThrough) {
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
