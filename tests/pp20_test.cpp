// The PP20 coder and decoder: hand-built streams and the limits that keep every copy inside
// the data already written; how the coder turns data into tokens and bits; the indexed match
// search against the exhaustive one; pp20_load; and the pack and unpack batch
// commands, run as the real binary on real files.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <random>
#include <set>
#include <utility>

#include "files/atomic_file.h"
#include "files/pack_commands.h"
#include "files/pp20.h"
#include "game_fixtures.h"
#include "pp20_oracle.h"
#include "test_support.h"

namespace {

using Bytes = std::vector<uint8_t>;

// A random pattern of the given period repeated to size bytes, with a few bytes changed.
Bytes periodic(size_t size, size_t period, uint32_t seed, unsigned changes = 4) {
  std::mt19937 rng(seed);
  Bytes pattern(period);
  for (auto& b : pattern) b = static_cast<uint8_t>(rng() % 4);
  Bytes out(size);
  for (size_t i = 0; i < size; ++i) out[i] = pattern[i % period];
  for (unsigned n = 0; n < changes; ++n) out[rng() % size] ^= 0x80;
  return out;
}

// Runs of random bytes with lengths up to max_run.
Bytes runs(size_t size, unsigned max_run, uint32_t seed) {
  std::mt19937 rng(seed);
  Bytes out;
  while (out.size() < size) out.insert(out.end(), 1 + rng() % max_run, static_cast<uint8_t>(rng() % 3));
  out.resize(size);
  return out;
}

Bytes random_bytes(size_t size, uint32_t seed, unsigned alphabet = 256) {
  std::mt19937 rng(seed);
  Bytes out(size);
  for (auto& b : out) b = static_cast<uint8_t>(rng() % alphabet);
  return out;
}

Bytes pack(const Bytes& data) { return pp20_pack(data.data(), data.size()); }

Bytes unpack(const Bytes& block) {
  const int64_t u = pp20_unpacked_size(block.data(), block.size());
  if (u < 0) return {};
  Bytes out(static_cast<size_t>(u));
  if (pp20_decrunch(block.data(), block.size(), out.data(), out.size()) != u) return {0xDE, 0xAD};
  return out;
}

// The decoder's result for a buffer of exactly U bytes.
int32_t decode(const Bytes& block, size_t u) {
  Bytes out(u, 0xEE);
  return pp20_decrunch(block.data(), block.size(), out.data(), out.size());
}

}  // namespace

TEST(Pp20Decode, AStreamThatStartsWithAMatchIsRejected) {
  // Nothing is written yet, so any copy source lies at or beyond U.
  for (uint32_t offset : {0u, 1u, 7u}) {
    OracleBits s;
    s.put(1, 1);
    s.put(0, 2);
    s.put(offset, 9);
    EXPECT_EQ(decode(oracle_block(s, 8), 8), -1) << offset;
  }
}

TEST(Pp20Decode, RunsAndCopiesThatLeaveTheDataAreRejected) {
  // Three literals for U = 2.
  OracleBits lits;
  oracle_literal_section(lits, {1, 2, 3});
  EXPECT_EQ(decode(oracle_block(lits, 2), 2), -1);
  // A copy of 4 with only 3 positions left.
  OracleBits copy;
  oracle_literal_section(copy, {1, 2});
  copy.put(2, 2);
  copy.put(0, 12);
  EXPECT_EQ(decode(oracle_block(copy, 5), 5), -1);
  // A stream that ends before U bytes.
  OracleBits short_stream;
  oracle_literal_section(short_stream, {1, 2});
  EXPECT_EQ(decode(oracle_block(short_stream, 100), 100), -1);
  // A kind-3 length that never ends (groups of 111 up to the end of the stream).
  OracleBits endless;
  oracle_literal_section(endless, {1});
  endless.put(3, 2);
  endless.put(0, 8);
  for (int i = 0; i < 40; ++i) endless.put(7, 3);
  EXPECT_EQ(decode(oracle_block(endless, 1000), 1000), -1);
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

// --- how the coder turns data into tokens and bits ---

namespace {

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

// --- the indexed match search: the same packed bytes as the exhaustive coder on many kinds of data ---

namespace {

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

}  // namespace

TEST(Pp20MatchFinder, SameBlocksAsTheExhaustiveCoder) {
  std::vector<std::pair<std::string, Bytes>> inputs = {
      {"random", random_bytes(4096, 21)},
      {"sixteen letters", random_bytes(4096, 22, 16)},
      {"two letters", random_bytes(4096, 23, 2)},
      {"long runs", runs(6000, 2000, 24)},
      {"runs over the window", runs(24000, 9000, 25)},
      {"nested runs", nested_runs(12000, 26)},
      {"zeros", Bytes(9000, 0)},
      {"zeros then data", [] {
         Bytes b(10000, 0);
         const Bytes tail = random_bytes(3000, 27, 16);
         b.insert(b.end(), tail.begin(), tail.end());
         return b;
       }()},
  };
  for (size_t period : {1, 2, 4, 16, 511, 512, 1023, 1024, 4095, 4096, 8190, 8191})
    inputs.push_back({"period " + std::to_string(period), periodic(2 * period + 700, period, uint32_t(period), 3)});
  for (size_t n = 0; n < 12; ++n) inputs.push_back({"tiny " + std::to_string(n), random_bytes(n, 40 + uint32_t(n), 3)});
  for (const auto& [name, data] : inputs) {
    const Bytes got = pack(data), want = oracle_pack(data.data(), static_cast<int32_t>(data.size()));
    ASSERT_EQ(got.size(), want.size()) << name;
    EXPECT_TRUE(got == want) << name;
    EXPECT_LE(got.size(), pp20_max_packed_size(data.size())) << name;
    EXPECT_TRUE(unpack(got) == data) << name;
  }
}

// pp20_load from memory and from open files: failures leave the result alone and say why.
TEST(Pp20Load, FailuresLeaveTheResultAloneAndSayWhy) {
  Bytes file(10, 0x5A);  // garbage, then the packed block
  const Bytes block = pack(random_bytes(2000, 3, 16));
  file.insert(file.end(), block.begin(), block.end());
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
    FILE* f = std::tmpfile();
    std::fwrite(c.bytes.data(), 1, c.bytes.size(), f);
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

// --- the pack and unpack batch commands ---

TEST(Pp20Commands, BadInputExitsWithAnErrorAndWritesNothing) {
  const std::string dir = scratch_dir("pp20_bad_unpack");
  Bytes garbage(200);
  for (size_t i = 0; i < garbage.size(); ++i) garbage[i] = static_cast<uint8_t>(i * 37 + 5);
  ASSERT_TRUE(write_file_atomic(dir + "/garbage.bin", garbage));
  ASSERT_TRUE(write_file_atomic(dir + "/empty.bin", Bytes{}));
  Bytes packed = pack(random_bytes(900, 4, 16));
  packed.resize(packed.size() - 1);
  ASSERT_TRUE(write_file_atomic(dir + "/cut.pp", packed));
  ASSERT_TRUE(write_file_atomic(dir + "/one.bin", Bytes{0x42}));
  std::filesystem::create_directories(dir + "/folder");
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
      // Errors that name their real cause, alone on stderr.
      {"unpack one.bin out.bin", "ERROR: File \"one.bin\": too short to be a packed block (1 byte from offset 0).\n"},
      {"pack folder out.bin", "ERROR: File \"folder\" is a directory.\n"},
  };
  for (const Case& c : cases) {
    const CommandRun r = run_mossforge(dir, c.args);
    EXPECT_EQ(r.status, 1) << c.args;
    // Trace lines may come first; the error is a line of its own.
    EXPECT_TRUE(r.err.rfind("ERROR: ", 0) == 0 || r.err.find("\nERROR: ") != std::string::npos)
        << c.args << ": " << r.err;
    EXPECT_NE(r.err.find(c.message), std::string::npos) << c.args << ": " << r.err;
    EXPECT_FALSE(std::filesystem::exists(dir + "/out.bin")) << c.args;
    EXPECT_FALSE(std::filesystem::exists(dir + "/out.bin.tmp")) << c.args;
    if (std::string(c.message).rfind("ERROR: ", 0) == 0) {  // a whole message
      EXPECT_EQ(r.err, c.message) << c.args;
    }
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

// Traces go to stdout, stderr holds errors only; an unreadable file is named as such.
TEST(Pp20Commands, ErrorsNameTheRealCauseAndTracesGoToStdout) {
  const std::string dir = scratch_dir("pp20_causes");
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
