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

// A stream of three literals (0x11 to position 4, 0x22, 0x33 to position 2), then a kind-0
// copy of two bytes with the given offset; U = 5.
Bytes three_literals_then_copy(uint32_t offset) {
  OracleBits s;
  literal_run(s, {0x11, 0x22, 0x33});
  s.put(0, 2);
  s.put(offset, 9);
  return oracle_block(s, 5);
}

}  // namespace

TEST(Pp20Decode, EmptyDataLeavesTheDestinationAlone) {
  OracleBits s;
  s.put(0x12345, 20);  // stream bits are ignored when U is 0
  const Bytes block = oracle_block(s, 0);
  uint8_t dest[4] = {1, 2, 3, 4};
  EXPECT_EQ(pp20_decrunch(block.data(), block.size(), dest, sizeof dest), 0);
  EXPECT_EQ(pp20_decrunch(block.data(), block.size(), nullptr, 0), 0);
  EXPECT_EQ(dest[0] + dest[1] + dest[2] + dest[3], 10);
  raw_data raw;
  raw.size = 9;
  raw.buffer.assign(9, 1);
  pp20_set_trace(nullptr);
  EXPECT_TRUE(pp20_load(block.data(), block.size(), 0, raw));
  pp20_set_trace(stdout);
  EXPECT_EQ(raw.size, 0u);
  EXPECT_TRUE(raw.buffer.empty());
}

TEST(Pp20Decode, CopiesMayReachTheLastWrittenByteButNotBeyond) {
  // After three literals P = 1: offset 2 copies from positions 4 and 3, the last written.
  const auto [r, out] = decode(three_literals_then_copy(2), 5);
  EXPECT_EQ(r, 5);
  EXPECT_EQ(out, (Bytes{0x22, 0x11, 0x33, 0x22, 0x11}));
  const auto [r1, out1] = decode(three_literals_then_copy(0), 5);
  EXPECT_EQ(r1, 5);
  EXPECT_EQ(out1, (Bytes{0x33, 0x33, 0x33, 0x22, 0x11}));
  // Offset 3 would read position 5 = U, beyond the data; offset U - 1 = 4 even further.
  EXPECT_EQ(decode(three_literals_then_copy(3), 5).first, -1);
  EXPECT_EQ(decode(three_literals_then_copy(4), 5).first, -1);
  EXPECT_EQ(decode(three_literals_then_copy(5), 5).first, -1);
}

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

TEST(Pp20Decode, OffsetWidthsComeFromTheEfficiencyTable) {
  const Bytes lits{1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
  // Ten literals fill positions 15..6; then a copy of 6 from offset 5 (source 11 downwards),
  // written three ways: kind 3 with the short 7-bit offset (whatever E[3] says), kind 3 with
  // an E[3]-bit offset, and with E[3] = 3.
  Bytes expected(16);
  for (size_t i = 0; i < 10; ++i) expected[15 - i] = lits[i];
  for (int p = 5; p >= 0; --p) expected[p] = expected[p + 6];
  const struct {
    uint8_t e3;
    bool long_offset;
  } forms[] = {{13, false}, {3, false}, {0, false}, {13, true}, {3, true}};
  for (const auto& f : forms) {
    OracleBits s;
    literal_run(s, lits);
    s.put(3, 2);
    s.put(f.long_offset, 1);
    s.put(5, f.long_offset ? f.e3 : 7);
    s.put(1, 3);
    const uint8_t table[4] = {9, 10, 12, f.e3};
    const auto [r, out] = decode(oracle_block(s, 16, table), 16);
    EXPECT_EQ(r, 16) << int(f.e3) << " " << f.long_offset;
    EXPECT_EQ(out, expected) << int(f.e3) << " " << f.long_offset;
  }
  // Kinds 0..2 read E[0..2] bits; a width of 0 means offset 0.
  OracleBits s;
  literal_run(s, {0xAB});
  s.put(1, 2);  // kind 1, length 3, width 0
  s.put(1, 1);  // no literals
  s.put(0, 2);  // kind 0, length 2, width 4
  s.put(3, 4);
  const uint8_t table[4] = {4, 0, 12, 13};
  const auto [r, out] = decode(oracle_block(s, 6, table), 6);
  EXPECT_EQ(r, 6);
  EXPECT_EQ(out, (Bytes{0xAB, 0xAB, 0xAB, 0xAB, 0xAB, 0xAB}));
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
