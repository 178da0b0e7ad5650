// The indexed match search against the exhaustive one: the same match at every position, and
// the same packed bytes from the whole coder, on many kinds of data.
#include <gtest/gtest.h>

#include "files/pp20.h"
#include "files/pp20_match_finder.h"
#include "pp20_oracle.h"
#include "pp20_sample_data.h"

namespace {

using Bytes = std::vector<uint8_t>;
namespace s = pp20_samples;

struct Input {
  std::string name;
  Bytes data;
};

// Data with a run of c of length run_len at several places and sizes around it, so that
// candidates inside long runs meet positions whose own runs are shorter, equal or longer.
Bytes nested_runs(size_t size, uint32_t seed) {
  std::mt19937 rng(seed);
  Bytes out;
  while (out.size() < size) {
    const unsigned len = rng() % 4 == 0 ? 1 + rng() % 600 : 1 + rng() % 12;
    out.insert(out.end(), len, rng() % 5 == 0 ? 0xFF : 0x00);
    if (rng() % 3 == 0) out.push_back(static_cast<uint8_t>(rng() % 4));
  }
  out.resize(size);
  return out;
}

void expect_same_block(const Input& in) {
  const Bytes want = oracle_pack(in.data.data(), static_cast<int32_t>(in.data.size()));
  const Bytes got = pp20_pack(in.data.data(), in.data.size());
  ASSERT_EQ(got.size(), want.size()) << in.name;
  EXPECT_TRUE(got == want) << in.name;
  EXPECT_LE(got.size(), pp20_max_packed_size(in.data.size())) << in.name;
  Bytes back(in.data.size());
  EXPECT_EQ(pp20_decrunch(got.data(), got.size(), back.data(), back.size()), int32_t(back.size())) << in.name;
  EXPECT_TRUE(back == in.data) << in.name;
}

}  // namespace

TEST(Pp20MatchFinder, SameBlocksAsTheExhaustiveCoder) {
  std::vector<Input> inputs = {
      {"random", s::random_bytes(4096, 21)},
      {"sixteen letters", s::random_bytes(4096, 22, 16)},
      {"two letters", s::random_bytes(4096, 23, 2)},
      {"long runs", s::runs(6000, 2000, 24)},
      {"runs over the window", s::runs(24000, 9000, 25)},
      {"nested runs", nested_runs(12000, 26)},
      {"zeros", Bytes(9000, 0)},
      {"zeros then data", [] {
         Bytes b(10000, 0);
         const Bytes tail = s::mixed_binary(3000, 27);
         b.insert(b.end(), tail.begin(), tail.end());
         return b;
       }()},
  };
  for (uint32_t seed = 30; seed < 34; ++seed) {
    inputs.push_back({"chunk set " + std::to_string(seed), s::chunk_set_like(6000, seed)});
    inputs.push_back({"mixed " + std::to_string(seed), s::mixed_binary(8000, seed)});
  }
  for (size_t period : {1, 2, 4, 16, 511, 512, 1023, 1024, 4095, 4096, 8190, 8191})
    inputs.push_back({"period " + std::to_string(period), s::periodic(2 * period + 700, period, uint32_t(period), 3)});
  for (size_t n = 0; n < 12; ++n) inputs.push_back({"tiny " + std::to_string(n), s::random_bytes(n, 40 + uint32_t(n), 3)});
  for (const Input& in : inputs) expect_same_block(in);
}
