// The sample game generator (tools/samplegame), run as a program: one smoke test. What the
// editor reads from its image is tested through the readers, on the test ROM.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "files/atomic_file.h"
#include "test_support.h"

namespace {

using Bytes = std::vector<uint8_t>;

int run_generator(const std::string& out_dir) {
  const std::string cmd = "'" MOSSFORGE_BINARY_DIR "/samplegame' '" + out_dir + "' >/dev/null 2>&1";
  const int raw = std::system(cmd.c_str());
  return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}

}  // namespace

TEST(SampleGameGenerator, WritesTheSameImageOnEveryRunAndRefusesAnUnwritableOutput) {
  const std::string a = scratch_dir("samplegame_run_a"), b = scratch_dir("samplegame_run_b");
  ASSERT_EQ(run_generator(a), 0);
  ASSERT_EQ(run_generator(b), 0);
  Bytes first, second;
  ASSERT_TRUE(read_whole_file(a + "/genesis/glb.bin", first));
  ASSERT_TRUE(read_whole_file(b + "/genesis/glb.bin", second));
  EXPECT_GE(first.size(), 0x100000u);
  EXPECT_LE(first.size(), 0x200000u);
  EXPECT_TRUE(first == second);
  const std::string blocked = scratch_dir("samplegame_blocked");
  ASSERT_TRUE(write_file_atomic(blocked + "/genesis", Bytes{1, 2, 3}));  // a file where the directory goes
  EXPECT_NE(run_generator(blocked), 0);
}
