// How the coder turns data into tokens and bits: literal sections, the reference kinds, the
// distance limits, the tie-break and the block around the stream.
#include <gtest/gtest.h>

#include <random>
#include <set>
#include <utility>

#include "files/pp20.h"
#include "pp20_oracle.h"
#include "pp20_tokens.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes pack(const Bytes& data) { return pp20_pack(data.data(), data.size()); }

Bytes unpack(const Bytes& block) {
  const int64_t u = pp20_unpacked_size(block.data(), block.size());
  if (u < 0) return {};
  Bytes out(static_cast<size_t>(u));
  if (pp20_decrunch(block.data(), block.size(), out.data(), out.size()) != u) return {0xDE, 0xAD};
  return out;
}

struct Plant {
  size_t at;
  Bytes bytes;
};

// n bytes below 0xA0 in which no ordered pair of neighbouring bytes occurs twice, except inside the
// planted copies: the only matches of two or more bytes are the planted ones.
Bytes without_repeats(size_t n, const std::vector<Plant>& plants, uint32_t seed = 7) {
  std::mt19937 rng(seed);
  Bytes out(n);
  std::vector<int> fixed(n, -1);
  for (const Plant& p : plants)
    for (size_t i = 0; i < p.bytes.size(); ++i) fixed[p.at + i] = p.bytes[i];
  std::set<std::pair<int, int>> used;
  for (size_t i = 0; i < n; ++i) {
    if (fixed[i] >= 0) {
      out[i] = static_cast<uint8_t>(fixed[i]);
    } else {
      while (true) {
        const int b = static_cast<int>(rng() % 0xA0);  // planted bytes are 0xA0 and above
        if (i > 0 && used.count({out[i - 1], b})) continue;
        if (i + 1 < n && fixed[i + 1] >= 0 && used.count({b, fixed[i + 1]})) continue;
        out[i] = static_cast<uint8_t>(b);
        break;
      }
    }
    if (i > 0) used.insert({out[i - 1], out[i]});
  }
  return out;
}

// Literal run of positions hi down to lo.
Pp20Token literals(const Bytes& data, size_t hi, size_t lo) {
  Bytes run;
  for (size_t p = hi + 1; p-- > lo;) run.push_back(data[p]);
  return literal_token(run);
}

std::vector<Pp20Token> tokens_of(const Bytes& data) {
  const Bytes block = pack(data);
  const Pp20TokenStream ts = read_pp20_tokens(block);
  EXPECT_TRUE(ts.ok);
  EXPECT_EQ(unpack(block), data);
  return ts.tokens;
}

}  // namespace

TEST(Pp20Coding, TwoDifferentBytesAreOneLiteralRunOfNineteenBits) {
  const Bytes data{0x12, 0xA5};
  const Bytes block = pack(data);
  const Pp20TokenStream ts = read_pp20_tokens(block);
  EXPECT_EQ(ts.size, 16u);
  EXPECT_EQ(block.size(), 16u);
  EXPECT_EQ(ts.fill, 13u);
  EXPECT_EQ(ts.bits_read, 19u);
  EXPECT_EQ(ts.unpacked, 2u);
  // 0, 01 (a run of two), then the last byte first.
  EXPECT_EQ(pp20_stream_bits(block), "0" "01" + bit_string(0xA5, 8) + bit_string(0x12, 8));
  // The 13 skipped bits at the reading end (bytes 11 and 10) stay zero; the last stream bit
  // lands in bit 7 of byte 8.
  EXPECT_EQ(block[11], 0);
  EXPECT_EQ(block[10] & 0x1F, 0);
  EXPECT_EQ(block[8] >> 7, 0x12 & 1);
  EXPECT_EQ(Bytes(block.begin() + 4, block.begin() + 8), (Bytes{9, 10, 12, 13}));
  EXPECT_EQ(unpack(block), data);
}

TEST(Pp20Coding, RunOf300EqualBytesIsOneLiteralAndOneNearReference) {
  const Bytes data(300, 0x5C);
  const std::vector<Pp20Token> expected{literal_token({0x5C}), reference_token('A', 0, 299)};
  EXPECT_EQ(tokens_of(data), expected);
  // 42 length groups of 111, then 000.
  const std::string bits = pp20_stream_bits(pack(data));
  std::string groups;
  for (int i = 0; i < 42; ++i) groups += "111";
  EXPECT_EQ(bits.substr(0, 11 + 10 + 129), "000" + bit_string(0x5C, 8) + "11" "0" "0000000" + groups + "000");
}

TEST(Pp20Coding, LiteralRunLengthsUseGroupsOfTwoBits) {
  // Distinct bytes never match: the whole input is one literal run.
  for (const auto& [n, head] : std::vector<std::pair<size_t, std::string>>{
           {1, "0" "00"}, {3, "0" "10"}, {4, "0" "11" "00"}, {6, "0" "11" "10"}, {7, "0" "11" "11" "00"}}) {
    Bytes data(n);
    for (size_t i = 0; i < n; ++i) data[i] = static_cast<uint8_t>(0x30 + i);
    const Bytes block = pack(data);
    std::string expected = head;
    for (size_t i = n; i-- > 0;) expected += bit_string(data[i], 8);
    EXPECT_EQ(pp20_stream_bits(block).substr(0, expected.size()), expected) << n << " literals";
    EXPECT_EQ(read_pp20_tokens(block).bits_read, expected.size());
    EXPECT_EQ(unpack(block), data);
    // Literal-only data takes exactly the size promised for it.
    EXPECT_EQ(block.size(), pp20_max_packed_size(n));
  }
}

TEST(Pp20Coding, LongReferenceLengthsUseGroupsOfThreeBits) {
  // 'x' then length + 1 equal bytes: the top byte is a literal, then one reference at distance 1.
  for (const auto& [length, groups] :
       std::vector<std::pair<uint32_t, std::string>>{{5, "000"}, {11, "110"}, {12, "111" "000"}, {19, "111" "111" "000"}}) {
    Bytes data(length + 2, 0x61);
    data[0] = 'x';
    const std::vector<Pp20Token> expected{literal_token({0x61}), reference_token('A', 0, length), literal_token({'x'})};
    EXPECT_EQ(tokens_of(data), expected);
    const std::string head = "000" + bit_string(0x61, 8) + "11" "0" "0000000" + groups + "000" + bit_string('x', 8);
    EXPECT_EQ(pp20_stream_bits(pack(data)).substr(0, head.size()), head) << "length " << length;
  }
}

TEST(Pp20Coding, DistanceLimitsOfEachKind) {
  struct Case {
    size_t length;
    uint32_t distance;
    char kind;  // 0: the match is too far and the bytes go out as literals
  };
  const Case cases[] = {{5, 127, 'A'},  {5, 128, 'B'},  {5, 8190, 'B'}, {9, 8190, 'B'}, {5, 8191, 0},
                        {4, 4095, 'C'}, {4, 4096, 0},   {3, 1023, 'D'}, {3, 1024, 0},   {2, 511, 'E'},
                        {2, 512, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(1, c.kind ? c.kind : '-') + " length " + std::to_string(c.length) + " distance " +
                 std::to_string(c.distance));
    const size_t low = 10, high = low + 1 + c.distance;
    const size_t n = high + c.length + 10;
    Bytes planted(c.length);
    for (size_t i = 0; i < c.length; ++i) planted[i] = static_cast<uint8_t>(0xC0 + i);
    const Bytes data = without_repeats(n, {{low, planted}, {high, planted}});
    std::vector<Pp20Token> expected;
    if (c.kind) {
      expected = {literals(data, n - 1, low + c.length), reference_token(c.kind, c.distance, uint32_t(c.length)),
                  literals(data, low - 1, 0)};
    } else {
      expected = {literals(data, n - 1, 0)};
    }
    EXPECT_EQ(tokens_of(data), expected);
  }
}

TEST(Pp20Coding, BytesBeyondTheWindowAreNeverSeen) {
  // An L-byte copy 8192 bytes away (distance 8191) and its top L - 1 bytes nearer: the nearer,
  // shorter match is the longest one seen.
  const struct {
    size_t length;
    uint32_t near;
    char kind;
  } cases[] = {{3, 100, 'E'}, {4, 500, 'D'}, {5, 1000, 'C'}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.length);
    Bytes planted(c.length);
    for (size_t i = 0; i < c.length; ++i) planted[i] = static_cast<uint8_t>(0xB0 + i);
    const size_t low = 10, top = low + c.length - 1, n = low + 8192 + c.length + 10;
    const Bytes shorter(planted.begin() + 1, planted.end());
    const Bytes data =
        without_repeats(n, {{low, planted}, {low + 8192, planted}, {top + 1 + c.near - (c.length - 2), shorter}});
    const std::vector<Pp20Token> expected{literals(data, n - 1, top + 1),
                                          reference_token(c.kind, c.near, uint32_t(c.length - 1)),
                                          literals(data, low, 0)};
    EXPECT_EQ(tokens_of(data), expected);
  }
}

TEST(Pp20Coding, OnlyTheLongestMatchCountsEvenWhenItIsTooFar) {
  // At the top of the low copy, four bytes match 5000 away and its top three bytes also 100
  // away; the longest (too far for length 4) wins and every byte becomes a literal.
  const Bytes four{0xC1, 0xC2, 0xC3, 0xC4};
  const size_t low = 10, n = low + 5001 + 30;
  const Bytes data = without_repeats(n, {{low, four}, {low + 5001, four}, {low + 1 + 101, {0xC2, 0xC3, 0xC4}}});
  EXPECT_EQ(tokens_of(data), std::vector<Pp20Token>{literals(data, n - 1, 0)});
}

TEST(Pp20Coding, EqualMatchesTakeTheSmallestDistance) {
  // "abcd" at 20, 24 and 61: the copy at 24 refers to the one at 61, then from position 23
  // both copies match four bytes, at distances 3 and 40.
  const Bytes four{0xA1, 0xA2, 0xA3, 0xA4};
  const Bytes data = without_repeats(80, {{20, four}, {24, four}, {61, four}});
  const std::vector<Pp20Token> expected{literals(data, 79, 28), reference_token('C', 36, 4),
                                        reference_token('C', 3, 4), literals(data, 19, 0)};
  EXPECT_EQ(tokens_of(data), expected);
}

TEST(Pp20Coding, TinyInputsRoundTrip) {
  // One byte: a literal-only stream.
  const Bytes one{0x7E};
  const Bytes block = pack(one);
  EXPECT_EQ(read_pp20_tokens(block).tokens, std::vector<Pp20Token>{literal_token({0x7E})});
  EXPECT_EQ(block.size(), 16u);
  EXPECT_EQ(unpack(block), one);
  // No bytes: a 12-byte block with U = 0.
  const Bytes empty_block = pp20_pack(nullptr, 0);
  EXPECT_EQ(empty_block, (Bytes{0, 0, 0, 12, 9, 10, 12, 13, 0, 0, 0, 0}));
  uint8_t untouched = 0x55;
  EXPECT_EQ(pp20_decrunch(empty_block.data(), empty_block.size(), &untouched, 0), 0);
  EXPECT_EQ(untouched, 0x55);
}

TEST(Pp20Coding, CrunchLocationHonoursStartAndCapacity) {
  Bytes data(700);
  for (size_t i = 0; i < data.size(); ++i) data[i] = static_cast<uint8_t>((i * i) >> 3);
  const Bytes whole = oracle_pack(data.data() + 100, 500);
  Bytes out(whole.size() + 8, 0xEE);
  EXPECT_EQ(CrunchLocation(data.data(), out.data(), whole.size(), 500, 100), int32_t(whole.size()));
  EXPECT_EQ(Bytes(out.begin(), out.begin() + whole.size()), whole);
  EXPECT_EQ(out[whole.size()], 0xEE);
  EXPECT_EQ(CrunchLocation(data.data(), out.data(), whole.size() - 1, 500, 100), -1);
  EXPECT_EQ(CrunchLocation(data.data(), out.data(), out.size(), -1, 0), -1);
  EXPECT_EQ(CrunchLocation(data.data(), out.data(), out.size(), 0x1000000, 0), -1);
}
