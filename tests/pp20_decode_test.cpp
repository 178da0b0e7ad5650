// The decoder on hand-built streams: literal runs, the match kinds and their offset widths,
// and the limits that keep every copy inside the data already written.
#include <gtest/gtest.h>

#include <algorithm>

#include "files/pp20.h"
#include "pp20_oracle.h"

namespace {

using Bytes = std::vector<uint8_t>;

void literal_run(OracleBits& s, const Bytes& bytes) { oracle_literal_section(s, bytes); }

// Decodes into a buffer of exactly U bytes; the result and the bytes.
std::pair<int32_t, Bytes> decode(const Bytes& block, size_t u) {
  Bytes out(u, 0xEE);
  const int32_t r = pp20_decrunch(block.data(), block.size(), out.data(), out.size());
  return {r, out};
}

}  // namespace

TEST(Pp20Decode, AStreamThatStartsWithAMatchIsRejected) {
  // Nothing is written yet, so any copy source lies at or beyond U.
  for (uint32_t offset : {0u, 1u, 7u}) {
    OracleBits s;
    s.put(1, 1);
    s.put(0, 2);
    s.put(offset, 9);
    EXPECT_EQ(decode(oracle_block(s, 8), 8).first, -1) << offset;
  }
}

TEST(Pp20Decode, RunsAndCopiesThatLeaveTheDataAreRejected) {
  // Three literals for U = 2.
  OracleBits lits;
  literal_run(lits, {1, 2, 3});
  EXPECT_EQ(decode(oracle_block(lits, 2), 2).first, -1);
  // A copy of 4 with only 3 positions left.
  OracleBits copy;
  literal_run(copy, {1, 2});
  copy.put(2, 2);
  copy.put(0, 12);
  EXPECT_EQ(decode(oracle_block(copy, 5), 5).first, -1);
  // A stream that ends before U bytes.
  OracleBits short_stream;
  literal_run(short_stream, {1, 2});
  EXPECT_EQ(decode(oracle_block(short_stream, 100), 100).first, -1);
  // A kind-3 length that never ends (groups of 111 up to the end of the stream).
  OracleBits endless;
  literal_run(endless, {1});
  endless.put(3, 2);
  endless.put(0, 8);
  for (int i = 0; i < 40; ++i) endless.put(7, 3);
  EXPECT_EQ(decode(oracle_block(endless, 1000), 1000).first, -1);
}

TEST(Pp20Decode, HeaderAndBufferChecks) {
  const Bytes data{5, 6, 7, 5, 6, 7, 5, 6, 7, 1};
  Bytes block = oracle_pack(data.data(), int32_t(data.size()));
  Bytes out(data.size());
  EXPECT_EQ(pp20_unpacked_size(block.data(), block.size()), 10);
  EXPECT_EQ(pp20_decrunch(block.data(), block.size(), out.data(), out.size()), 10);
  EXPECT_EQ(out, data);
  // Destination too small, no source, too few bytes, a start past the block.
  EXPECT_EQ(pp20_decrunch(block.data(), block.size(), out.data(), 9), -1);
  EXPECT_EQ(pp20_decrunch(nullptr, 0, out.data(), out.size()), -1);
  EXPECT_EQ(pp20_decrunch(block.data(), 11, out.data(), out.size()), -1);
  EXPECT_EQ(pp20_decrunch(block.data(), block.size(), out.data(), out.size(), 1), -1);
  EXPECT_EQ(pp20_unpacked_size(block.data(), block.size(), block.size() + 5), -1);
  // The same block behind other bytes, found by start.
  Bytes padded(37 + block.size() + 3, 0xCC);
  std::copy(block.begin(), block.end(), padded.begin() + 37);
  std::fill(out.begin(), out.end(), 0);
  EXPECT_EQ(pp20_decrunch(padded.data(), padded.size(), out.data(), out.size(), 37), 10);
  EXPECT_EQ(out, data);
  // S beyond the bytes available.
  Bytes longer = block;
  longer[3] = static_cast<uint8_t>(longer[3] + 4);
  EXPECT_EQ(pp20_decrunch(longer.data(), longer.size(), out.data(), out.size()), -1);
  longer.resize(longer.size() + 4);
  EXPECT_NE(pp20_unpacked_size(longer.data(), longer.size()), -1);
}
