// The pack and unpack batch commands, run as the real binary on real files.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>

#include "files/atomic_file.h"
#include "files/pack_commands.h"
#include "files/pp20.h"
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
}

// The unpack command's OFFSET: decimal, or hex after 0x / 0X; nothing else around the digits.
TEST(Pp20Commands, OffsetsAreDecimalOrHexDigitsOnly) {
  const struct {
    const char* text;
    bool ok;
    uint64_t value;
  } cases[] = {
      {"0", true, 0},
      {"12", true, 12},
      {"0x1F", true, 31},
      {"0XfF", true, 255},
      {"18446744073709551615", true, UINT64_MAX},
      {"18446744073709551616", false, 0},
      {"", false, 0},
      {"0x", false, 0},
      {"-1", false, 0},
      {"+5", false, 0},
      {" 5", false, 0},
      {"5 ", false, 0},
      {"0x-1", false, 0},
      {"0x 1", false, 0},
      {"0x+1", false, 0},
      {"1x2", false, 0},
      {"0xG", false, 0},
      {"12abc", false, 0},
  };
  for (const auto& c : cases) {
    uint64_t offset = 77;
    EXPECT_EQ(parse_file_offset(c.text, offset), c.ok) << '"' << c.text << '"';
    EXPECT_EQ(offset, c.ok ? c.value : 77) << '"' << c.text << '"';
  }
}
