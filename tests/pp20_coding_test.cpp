// How the coder turns data into tokens and bits: literal sections, the reference kinds, the
// distance limits, the tie-break and the block around the stream.
#include <gtest/gtest.h>

#include <random>
#include <set>
#include <utility>

#include "files/pp20.h"
#include "pp20_oracle.h"

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

// The stream's bits as '0'/'1' in reading order (after the K skipped bits).
std::string stream_bits(const Bytes& block) {
  std::string out;
  const size_t s = block.size();
  for (size_t at = block[s - 1]; at < 8 * (s - 12); ++at) out += ((block[s - 5 - at / 8] >> (at % 8)) & 1) ? '1' : '0';
  return out;
}

// n bits of value as '0'/'1', most significant first.
std::string bit_string(uint32_t value, int n) {
  std::string out;
  for (int i = n - 1; i >= 0; --i) out += ((value >> i) & 1) ? '1' : '0';
  return out;
}

// The coder writes exactly the exhaustive coder's block, and it decodes back.
void expect_as_exhaustive_coder(const Bytes& data) {
  const Bytes block = pack(data);
  EXPECT_TRUE(block == oracle_pack(data.data(), int32_t(data.size())));
  EXPECT_EQ(unpack(block), data);
}

}  // namespace

TEST(Pp20Coding, RunOf300EqualBytesIsOneLiteralAndOneNearReference) {
  const Bytes data(300, 0x5C);
  // One literal, then a near reference of 299: 42 length groups of 111, then 000.
  expect_as_exhaustive_coder(data);
  const std::string bits = stream_bits(pack(data));
  std::string groups;
  for (int i = 0; i < 42; ++i) groups += "111";
  EXPECT_EQ(bits.substr(0, 11 + 10 + 129), "000" + bit_string(0x5C, 8) + "11" "0" "0000000" + groups + "000");
}

TEST(Pp20Coding, LongReferenceLengthsUseGroupsOfThreeBits) {
  // 'x' then length + 1 equal bytes: the top byte is a literal, then one reference at distance 1.
  for (const auto& [length, groups] :
       std::vector<std::pair<uint32_t, std::string>>{{5, "000"}, {11, "110"}, {12, "111" "000"}, {19, "111" "111" "000"}}) {
    Bytes data(length + 2, 0x61);
    data[0] = 'x';
    expect_as_exhaustive_coder(data);
    const std::string head = "000" + bit_string(0x61, 8) + "11" "0" "0000000" + groups + "000" + bit_string('x', 8);
    EXPECT_EQ(stream_bits(pack(data)).substr(0, head.size()), head) << "length " << length;
  }
}

// Planted copies (the only repeats in the data) at each kind's distance limits, beyond the
// window, and where the longest match is too far or two matches are equally long.
TEST(Pp20Coding, PlantedMatchesAreCodedAsTheExhaustiveCoderDoes) {
  const struct {
    size_t length;
    uint32_t distance;
  } limits[] = {{5, 127}, {5, 128}, {5, 8190}, {9, 8190}, {5, 8191}, {4, 4095},
                {4, 4096}, {3, 1023}, {3, 1024}, {2, 511},  {2, 512}};
  for (const auto& c : limits) {
    SCOPED_TRACE("length " + std::to_string(c.length) + " distance " + std::to_string(c.distance));
    Bytes planted(c.length);
    for (size_t i = 0; i < c.length; ++i) planted[i] = static_cast<uint8_t>(0xC0 + i);
    const size_t low = 10, high = low + 1 + c.distance;
    expect_as_exhaustive_coder(without_repeats(high + c.length + 10, {{low, planted}, {high, planted}}));
  }
  // An L-byte copy 8192 bytes away and its top L - 1 bytes nearer: only the nearer one is seen.
  for (size_t length : {3, 4, 5}) {
    Bytes planted(length);
    for (size_t i = 0; i < length; ++i) planted[i] = static_cast<uint8_t>(0xB0 + i);
    const size_t low = 10, near = 100 * length, top = low + length - 1;
    const Bytes shorter(planted.begin() + 1, planted.end());
    expect_as_exhaustive_coder(without_repeats(
        low + 8192 + length + 10, {{low, planted}, {low + 8192, planted}, {top + 1 + near - (length - 2), shorter}}));
  }
  // Four bytes match 5000 away and three of them 100 away: the longest, too far, wins.
  const Bytes four{0xC1, 0xC2, 0xC3, 0xC4};
  const Bytes far = without_repeats(5041, {{10, four}, {5011, four}, {112, {0xC2, 0xC3, 0xC4}}});
  expect_as_exhaustive_coder(far);
  EXPECT_EQ(pack(far).size(), pp20_max_packed_size(far.size()));  // all literals
  // "abcd" at 20, 24 and 61: from position 23 both copies match, at distances 3 and 40.
  const Bytes abcd{0xA1, 0xA2, 0xA3, 0xA4};
  expect_as_exhaustive_coder(without_repeats(80, {{20, abcd}, {24, abcd}, {61, abcd}}));
}

// Packing into less room than the block needs is refused, and nothing past the room is touched.
TEST(Pp20Coding, TooLittleRoomIsRefusedWithoutWritingPastIt) {
  const Bytes data = without_repeats(3000, {});
  const Bytes block = pack(data);
  EXPECT_EQ(CrunchLocation(data.data(), nullptr, block.size(), 3000), -1);
  for (size_t room : {block.size(), block.size() - 1, block.size() - 4, block.size() / 2, size_t{12}, size_t{11}}) {
    Bytes out(block.size() + 8, 0xA5);
    EXPECT_EQ(CrunchLocation(data.data(), out.data(), room, 3000), room == block.size() ? int32_t(room) : -1) << room;
    EXPECT_EQ(Bytes(out.begin() + room, out.end()), Bytes(out.size() - room, 0xA5)) << room;
  }
}
