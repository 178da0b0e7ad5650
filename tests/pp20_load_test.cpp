// pp20_load from memory and from open files: checks against the file, failures that leave
// the result alone, and the two trace lines.
#include <gtest/gtest.h>

#include <cstdio>

#include "files/pp20.h"
#include "pp20_sample_data.h"

namespace {

using Bytes = std::vector<uint8_t>;

// A file image: garbage, the packed block of data at `at`, garbage after it.
Bytes file_with_block(const Bytes& data, size_t at, size_t after) {
  Bytes file(at, 0x5A);
  const Bytes block = pp20_pack(data.data(), data.size());
  file.insert(file.end(), block.begin(), block.end());
  file.insert(file.end(), after, 0xA5);
  return file;
}

// Runs f with the trace going to a temporary file; returns what was traced.
template <typename F>
std::string traced(F f) {
  FILE* t = std::tmpfile();
  pp20_set_trace(t);
  f();
  pp20_set_trace(stdout);
  std::string text(256, '\0');
  std::rewind(t);
  text.resize(std::fread(&text[0], 1, text.size(), t));
  std::fclose(t);
  return text;
}

FILE* temp_file_with(const Bytes& bytes) {
  FILE* f = std::tmpfile();
  std::fwrite(bytes.data(), 1, bytes.size(), f);
  return f;
}

}  // namespace

TEST(Pp20Load, FailuresLeaveTheResultAloneAndSayWhy) {
  const Bytes data = pp20_samples::mixed_binary(2000, 3);
  const Bytes file = file_with_block(data, 10, 0);
  pp20_set_trace(nullptr);
  struct Case {
    Bytes bytes;
    size_t offset;
    const char* reason;
  };
  Bytes cut(file.begin(), file.end() - 1);
  Bytes small_s = file;
  small_s[13] = 8;
  small_s[10] = small_s[11] = small_s[12] = 0;
  Bytes huge_u = file;
  huge_u[file.size() - 4] = 0xFF;
  Bytes corrupt = file;
  corrupt[file.size() - 1] = 200;  // fill count past the stream's start
  const Case cases[] = {
      {file, file.size() - 3, "too short to be a packed block (3 bytes from offset"},
      {file, file.size() + 10, "packed block starts past the end of the file"},
      {cut, 10, "packed block runs past the end of the file"},
      {small_s, 10, "packed block size 8 is smaller than 12 bytes"},
      {huge_u, 10, "implausible"},
      {corrupt, 10, "packed data is corrupt"},
  };
  for (const Case& c : cases) {
    raw_data raw;
    raw.size = 3;
    raw.buffer = {1, 2, 3};
    std::string error;
    EXPECT_FALSE(pp20_load(c.bytes.data(), c.bytes.size(), c.offset, raw, &error)) << c.reason;
    EXPECT_NE(error.find(c.reason), std::string::npos) << error;
    EXPECT_EQ(raw.size, 3u);
    EXPECT_EQ(raw.buffer, (Bytes{1, 2, 3}));
    // The open-file form reports the same problems.
    FILE* f = temp_file_with(c.bytes);
    std::string file_error;
    EXPECT_FALSE(pp20_load(f, static_cast<long>(c.offset), raw, &file_error));
    EXPECT_EQ(file_error, error);
    EXPECT_EQ(raw.size, 3u);
    std::fclose(f);
  }
  raw_data raw;
  std::string error;
  EXPECT_FALSE(pp20_load(static_cast<FILE*>(nullptr), 0, raw, &error));
  EXPECT_FALSE(error.empty());
}
