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

TEST(Pp20Commands, PackThenUnpackGivesTheFileBack) {
  const std::string dir = scratch_dir("pp20_pack_unpack");
  const Bytes data = pp20_samples::chunk_set_like(5000, 21);
  ASSERT_TRUE(write_file_atomic(dir + "/chunks.bin", data));
  CommandRun r = run_mossforge(dir, "pack chunks.bin chunks.itm");
  EXPECT_EQ(r.status, 0) << r.err;
  Bytes packed;
  ASSERT_TRUE(read_whole_file(dir + "/chunks.itm", packed));
  EXPECT_EQ(packed, pp20_pack(data.data(), data.size()));
  EXPECT_LT(packed.size(), data.size());

  r = run_mossforge(dir, "unpack chunks.itm back.bin");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "");  // the trace lines go to stderr
  EXPECT_NE(r.err.find("raw_data.size = 0x1388"), std::string::npos) << r.err;
  Bytes back;
  ASSERT_TRUE(read_whole_file(dir + "/back.bin", back));
  EXPECT_EQ(back, data);

  // The block inside a larger file, by decimal and by hexadecimal offset.
  Bytes wrapped(300, 0x11);
  wrapped.insert(wrapped.end(), packed.begin(), packed.end());
  wrapped.resize(wrapped.size() + 50, 0x22);
  ASSERT_TRUE(write_file_atomic(dir + "/rom.bin", wrapped));
  for (const char* offset : {"300", "0x12c"}) {
    std::filesystem::remove(dir + "/part.bin");
    r = run_mossforge(dir, std::string("unpack rom.bin part.bin ") + offset);
    EXPECT_EQ(r.status, 0) << offset << r.err;
    ASSERT_TRUE(read_whole_file(dir + "/part.bin", back));
    EXPECT_EQ(back, data);
  }

  // A single byte packs and comes back too.
  ASSERT_TRUE(write_file_atomic(dir + "/one.bin", Bytes{0x42}));
  EXPECT_EQ(run_mossforge(dir, "pack one.bin one.pp").status, 0);
  EXPECT_EQ(run_mossforge(dir, "unpack one.pp one.out").status, 0);
  ASSERT_TRUE(read_whole_file(dir + "/one.out", back));
  EXPECT_EQ(back, Bytes{0x42});
}

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

TEST(Pp20Commands, OffsetsAreDecimalOrHexadecimal) {
  uint64_t v = 99;
  EXPECT_TRUE(parse_file_offset("4096", v));
  EXPECT_EQ(v, 4096u);
  EXPECT_TRUE(parse_file_offset("0x1F0", v));
  EXPECT_EQ(v, 0x1F0u);
  for (const char* bad : {"", "-1", "+5", " 5", "0x", "0x-1", "12abc", "0x1G", "99999999999999999999999"}) {
    v = 7;
    EXPECT_FALSE(parse_file_offset(bad, v)) << bad;
    EXPECT_EQ(v, 7u) << bad;
  }
}
