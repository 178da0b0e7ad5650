// The pack and unpack batch commands, run as the real binary on real files.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "files/atomic_file.h"
#include "files/pack_commands.h"
#include "files/pp20.h"
#include "game_fixtures.h"
#include "pp20_sample_data.h"
#include "test_support.h"

namespace {

using Bytes = std::vector<uint8_t>;

bool exists(const std::string& path) { return std::filesystem::exists(path); }

}  // namespace

TEST(Pp20Commands, BadInputExitsWithAnErrorAndWritesNothing) {
  const std::string dir = scratch_dir("pp20_bad_unpack");
  Bytes garbage(200);
  for (size_t i = 0; i < garbage.size(); ++i) garbage[i] = static_cast<uint8_t>(i * 37 + 5);
  ASSERT_TRUE(write_file_atomic(dir + "/garbage.bin", garbage));
  ASSERT_TRUE(write_file_atomic(dir + "/empty.bin", Bytes{}));
  const Bytes data = pp20_samples::mixed_binary(900, 4);
  Bytes packed = pp20_pack(data.data(), data.size());
  packed.resize(packed.size() - 1);
  ASSERT_TRUE(write_file_atomic(dir + "/cut.pp", packed));
  struct Case {
    const char* args;
    const char* message;
  } cases[] = {
      {"unpack garbage.bin out.bin", "garbage.bin"},
      {"unpack cut.pp out.bin", "runs past the end of the file"},
      {"unpack garbage.bin out.bin 0x1000", "starts past the end of the file"},
      {"unpack garbage.bin out.bin 12abc", "Usage"},
      {"unpack missing.bin out.bin", "not found"},
      {"pack empty.bin out.bin", "empty"},
      {"pack missing.bin out.bin", "not found"},
  };
  for (const Case& c : cases) {
    const CommandRun r = run_mossforge(dir, c.args);
    EXPECT_EQ(r.status, 1) << c.args;
    // Trace lines may come first; the error is a line of its own.
    EXPECT_TRUE(r.err.rfind("ERROR: ", 0) == 0 || r.err.find("\nERROR: ") != std::string::npos)
        << c.args << ": " << r.err;
    EXPECT_NE(r.err.find(c.message), std::string::npos) << c.args << ": " << r.err;
    EXPECT_FALSE(exists(dir + "/out.bin")) << c.args;
    EXPECT_FALSE(exists(dir + "/out.bin.tmp")) << c.args;
  }
  // Both ways on good input: status 0 and the bytes back.
  EXPECT_EQ(run_mossforge(dir, "pack garbage.bin g.pp").status + run_mossforge(dir, "unpack g.pp g.bin").status, 0);
  EXPECT_EQ(read_bytes(dir + "/g.bin"), garbage);
}

// The unpack command's OFFSET: decimal, or hex after 0x / 0X; nothing else around the digits.
TEST(Pp20Commands, OffsetsAreDecimalOrHexDigitsOnly) {
  const std::pair<const char*, uint64_t> read[] = {
      {"0", 0}, {"12", 12}, {"0x1F", 31}, {"0XfF", 255}, {"18446744073709551615", UINT64_MAX}};
  for (const auto& [text, value] : read) {
    uint64_t offset = 77;
    EXPECT_TRUE(parse_file_offset(text, offset)) << text;
    EXPECT_EQ(offset, value) << text;
  }
  for (const char* text :
       {"18446744073709551616", "", "0x", "-1", "+5", " 5", "5 ", "0x-1", "0x 1", "0x+1", "1x2", "0xG", "12abc"}) {
    uint64_t offset = 77;
    EXPECT_FALSE(parse_file_offset(text, offset)) << '"' << text << '"';
    EXPECT_EQ(offset, 77u) << text;
  }
}

// Each error names its real cause; traces go to stdout, stderr holds errors only.
TEST(Pp20Commands, ErrorsNameTheRealCauseAndTracesGoToStdout) {
  const std::string dir = scratch_dir("pp20_causes");
  ASSERT_TRUE(write_file_atomic(dir + "/one.bin", Bytes{0x42}));
  std::filesystem::create_directories(dir + "/folder");
  const struct {
    const char* args;
    const char* error;
  } cases[] = {
      {"unpack one.bin out.bin", "ERROR: File \"one.bin\": too short to be a packed block (1 byte from offset 0).\n"},
      {"pack folder out.bin", "ERROR: File \"folder\" is a directory.\n"},
  };
  for (const auto& c : cases) {
    const CommandRun r = run_mossforge(dir, c.args);
    EXPECT_EQ(r.status, 1) << c.args;
    EXPECT_EQ(r.err, c.error) << c.args;
  }
  ASSERT_TRUE(write_file_atomic(dir + "/plain.bin", text_bytes("twice the same text, twice the same text")));
  ASSERT_EQ(run_mossforge(dir, "pack plain.bin p.pp").status, 0);
  const CommandRun r = run_mossforge(dir, "unpack p.pp back.bin");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err, "");
  EXPECT_NE(r.out.find("pp20_size = 0x"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("raw_data.size = 0x28\n"), std::string::npos) << r.out;
  // A file the user may not read is no missing file.
  ASSERT_EQ(chmod((dir + "/plain.bin").c_str(), 0), 0);
  ScopedUnprivileged nobody;
  if (geteuid() == 0) GTEST_SKIP() << "cannot act as another user here";
  Problem problem;
  EXPECT_FALSE(pack_file(dir + "/plain.bin", dir + "/q.pp", &problem));
  EXPECT_EQ(problem.kind, Problem::Kind::Unreadable);
  EXPECT_FALSE(unpack_file(dir + "/plain.bin", dir + "/q.bin", 0, &problem));
  EXPECT_EQ(problem.kind, Problem::Kind::Unreadable);
}
