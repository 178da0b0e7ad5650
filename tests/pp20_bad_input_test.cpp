// Damaged blocks: cut short, wrong sizes, flipped bits. The decoder must answer -1 or the
// unpacked size and never touch a byte outside the destination.
#include <gtest/gtest.h>

#include "files/pp20.h"
#include "pp20_sample_data.h"

namespace {

using Bytes = std::vector<uint8_t>;

constexpr size_t guard = 32;

// Decodes into a buffer of U bytes (as the block states it, capped) followed by guard bytes,
// which must come back unchanged. Returns the decoder's result.
int32_t decode_guarded(const Bytes& block, size_t available) {
  int64_t u = pp20_unpacked_size(block.data(), available);
  if (u < 0 || u > (1 << 16)) u = 1 << 10;
  Bytes out(static_cast<size_t>(u) + guard, 0xA7);
  const int32_t r = pp20_decrunch(block.data(), available, out.data(), static_cast<size_t>(u));
  for (size_t i = static_cast<size_t>(u); i < out.size(); ++i) EXPECT_EQ(out[i], 0xA7) << "written past U at " << i;
  EXPECT_TRUE(r == -1 || r == u) << "result " << r << " for U " << u;
  return r;
}

Bytes sample_block() {
  const Bytes data = pp20_samples::random_bytes(1200, 11, 8);
  return pp20_pack(data.data(), data.size());
}

}  // namespace

TEST(Pp20BadInput, TruncatedBlocksAtEveryLength) {
  const Bytes block = sample_block();
  ASSERT_GT(block.size(), 100u);
  for (size_t n = 0; n < block.size(); ++n) {
    // Cut with the header unchanged: S now exceeds the bytes available.
    EXPECT_EQ(pp20_decrunch(block.data(), n, nullptr, 0), -1);
    Bytes dest(2000);
    EXPECT_EQ(pp20_decrunch(block.data(), n, dest.data(), dest.size()), -1) << n;
    // Cut from the front of the stream, with S and the trailer made consistent again.
    if (n >= 12) {
      Bytes cut(block.begin(), block.begin() + 8);
      cut.insert(cut.end(), block.end() - static_cast<long>(n - 8), block.end());
      cut[0] = uint8_t(n >> 24), cut[1] = uint8_t(n >> 16), cut[2] = uint8_t(n >> 8), cut[3] = uint8_t(n);
      EXPECT_EQ(decode_guarded(cut, cut.size()), -1) << n;
    }
  }
}

TEST(Pp20BadInput, WrongSizesInHeaderAndTrailer) {
  Bytes block = sample_block();
  const size_t s = block.size();
  // U far beyond what the stream holds, with a destination that large.
  for (uint32_t u : {0xFFFFFFu, 0x10000u, 1501u}) {
    Bytes bad = block;
    bad[s - 4] = uint8_t(u >> 16), bad[s - 3] = uint8_t(u >> 8), bad[s - 2] = uint8_t(u);
    Bytes out(u);
    EXPECT_EQ(pp20_decrunch(bad.data(), bad.size(), out.data(), out.size()), -1) << u;
  }
  // A fill count past the start of the stream.
  for (uint8_t k : {uint8_t(255), uint8_t(8 * (s - 12))}) {
    Bytes bad = block;
    bad[s - 1] = k;
    EXPECT_EQ(decode_guarded(bad, bad.size()), -1) << int(k);
  }
  // Every S from 0 to 2 S, with the bytes to back it.
  Bytes roomy = block;
  roomy.resize(2 * s + 4, 0);
  for (uint32_t v = 0; v < 2 * s; ++v) {
    roomy[0] = uint8_t(v >> 24), roomy[1] = uint8_t(v >> 16), roomy[2] = uint8_t(v >> 8), roomy[3] = uint8_t(v);
    const int32_t r = decode_guarded(roomy, roomy.size());
    if (v < 12) {
      EXPECT_EQ(r, -1);
    }
  }
}
