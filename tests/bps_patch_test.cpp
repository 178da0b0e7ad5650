// BPS patches: the coder against hand-assembled patches, round trips on random and edited
// pairs, and every refusal of the decoder and of the bps-apply command.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "files/bps_patch.h"
#include "files/crc32.h"
#include "game_fixtures.h"
#include "test_support.h"

namespace fs = std::filesystem;

namespace {

using Bytes = std::vector<uint8_t>;

void put_crc(Bytes& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}
// A patch assembled here byte by byte: header and action bytes as given, then the CRCs.
Bytes assemble(const Bytes& body, const Bytes& source, const Bytes& target) {
  Bytes p = {'B', 'P', 'S', '1'};
  p.insert(p.end(), body.begin(), body.end());
  put_crc(p, crc32_of(source.data(), source.size()));
  put_crc(p, crc32_of(target.data(), target.size()));
  put_crc(p, crc32_of(p.data(), p.size()));
  return p;
}
// The patch's own CRC made right again after an edit of its other bytes.
void reseal(Bytes& p) {
  p.resize(p.size() - 4);
  put_crc(p, crc32_of(p.data(), p.size()));
}

BpsRefusal apply(const Bytes& source, const Bytes& patch, Bytes& out, std::string& why) {
  return bps_apply(source.data(), source.size(), patch.data(), patch.size(), out, why);
}
Bytes create(const Bytes& source, const Bytes& target) {
  return bps_create(source.data(), source.size(), target.data(), target.size());
}

Bytes random_bytes(std::mt19937& rng, size_t n) {
  Bytes b(n);
  for (uint8_t& v : b) v = static_cast<uint8_t>(rng());
  return b;
}

}  // namespace

// Every action kind, both cursors moving backwards, an overlapping TargetCopy run, metadata,
// and numbers of two bytes (200 is 0x48 0x80; a TargetCopy of 199 is (198 << 2) | 3 = 795,
// 0x1B 0x85: each continuation adds one).
TEST(BpsPatch, DecodesHandAssembledPatches) {
  const Bytes source = {'a', 'b', 'c', 'd', 'e', 'f', 'g', 'h'};
  const Bytes target = {'a', 'b', 'c', 'X', 'Y', 'Y', 'Y', 'Y', 'g', 'h', 'e', 'f', 'c', 'X'};
  const Bytes body = {0x88, 0x8E, 0x83, 'M', 'E', 'T',  // sizes 8 and 14, three bytes of metadata
                      0x88,                             // SourceRead 3
                      0x85, 'X', 'Y',                   // TargetRead 2
                      0x8B, 0x88,                       // TargetCopy 3 from +4: the run of Y
                      0x86, 0x8C,                       // SourceCopy 2 from +6
                      0x86, 0x89,                       // SourceCopy 2 from -4
                      0x87, 0x8B};                      // TargetCopy 2 from -5
  Bytes out;
  std::string why;
  ASSERT_EQ(apply(source, assemble(body, source, target), out, why), BpsRefusal::None) << why;
  EXPECT_EQ(out, target);

  const Bytes z = {'z'}, zs(200, 'z');
  ASSERT_EQ(apply(z, assemble({0x81, 0x48, 0x80, 0x80, 0x80, 0x1B, 0x85, 0x80}, z, zs), out, why), BpsRefusal::None)
      << why;
  EXPECT_EQ(out, zs);
}

// Random and edited pairs of every kind the builds make (moved blocks, runs, new bytes,
// grown and shrunk files, empty ones) come back exactly; an unchanged file is one action.
TEST(BpsPatch, RoundTripsRandomAndEditedPairs) {
  std::mt19937 rng(32);
  const Bytes base = random_bytes(rng, 50000);
  std::vector<std::pair<Bytes, Bytes>> pairs = {{{}, {}}, {{}, base}, {base, {}}, {{1, 2, 3}, {3, 2, 1}}};
  for (int i = 0; i < 12; ++i) {
    Bytes target = base;
    const size_t at = rng() % 40000, n = 1 + rng() % 5000;
    switch (i % 4) {
      case 0:  // a block moved to the end, its place filled with a run
        target.insert(target.end(), base.begin() + at, base.begin() + at + n);
        std::fill(target.begin() + at, target.begin() + at + n, 0xFF);
        break;
      case 1:  // new bytes inserted
        target.insert(target.begin() + at, n, 0);
        for (size_t k = 0; k < n; ++k) target[at + k] = static_cast<uint8_t>(rng());
        break;
      case 2:  // bytes removed, a few changed
        target.erase(target.begin() + at, target.begin() + at + n);
        for (int k = 0; k < 20; ++k) target[rng() % target.size()] ^= 0x40;
        break;
      default:  // unrelated
        target = random_bytes(rng, n);
    }
    pairs.emplace_back(base, target);
  }
  for (size_t i = 0; i < pairs.size(); ++i) {
    const auto& [source, target] = pairs[i];
    SCOPED_TRACE("pair " + std::to_string(i));
    const Bytes patch = create(source, target);
    Bytes out = {9};
    std::string why;
    ASSERT_EQ(apply(source, patch, out, why), BpsRefusal::None) << why;
    EXPECT_EQ(out, target);
    if (i >= 4 && i % 4 != 3) {
      EXPECT_LT(patch.size(), 5000 + 200u);  // the new bytes and a little more
    }
  }
  // Unchanged: "BPS1", the sizes (50000 takes three bytes), no metadata, one SourceRead, CRCs.
  EXPECT_EQ(create(base, base).size(), 4 + 3 + 3 + 1 + 3 + 12u);
}

// Every refusal leaves nothing: a wrong source, a damaged or truncated patch, a wrong target
// CRC under a correct patch CRC, and actions that reach outside the source, the patch or the
// target, each caught before anything is trusted.
TEST(BpsPatch, RefusesWrongSourcesAndBrokenPatches) {
  const Bytes source = {'a', 'b', 'c', 'd', 'e', 'f', 'g', 'h'};
  const Bytes target = {'a', 'b', 'c', 'd', 'x', 'y', 'e', 'f'};
  const Bytes good = create(source, target);
  auto refused = [&](const Bytes& src, const Bytes& patch, BpsRefusal expected, const std::string& reason) {
    Bytes out = {1};
    std::string why;
    EXPECT_EQ(apply(src, patch, out, why), expected) << reason;
    EXPECT_NE(why.find(reason), std::string::npos) << why;
    EXPECT_TRUE(out.empty());
  };
  Bytes other = source;
  other[7] = 'H';
  refused(other, good, BpsRefusal::WrongSource, "CRC32");
  refused(Bytes(source.begin(), source.end() - 1), good, BpsRefusal::WrongSource, "a source of 8 bytes");
  for (size_t i = 0; i < good.size(); ++i) {
    Bytes damaged = good;
    damaged[i] ^= 0x01;
    refused(source, damaged, BpsRefusal::BadPatch, i < 4 ? "not a BPS patch" : "damaged or truncated");
  }
  for (size_t n = 0; n < good.size(); ++n)
    refused(source, Bytes(good.begin(), good.begin() + n), BpsRefusal::BadPatch, n < 4 ? "not a BPS" : "truncated");
  Bytes wrong_target = good;
  wrong_target[wrong_target.size() - 5] ^= 0x80;
  reseal(wrong_target);
  refused(source, wrong_target, BpsRefusal::BadPatch, "does not have the CRC32");

  const Bytes t4 = {'a', 'b', 'c', 'd'};
  const struct {
    Bytes body;
    const char* reason;
  } broken[] = {
      {{0x88, 0x84, 0x80, 0x90}, "writes past the end of the target"},              // SourceRead 5
      {{0x88, 0x8C, 0x80, 0xA4}, "reads past the end of the source"},               // 12 bytes: SourceRead 10
      {{0x88, 0x84, 0x80, 0x8D, 'a'}, "run past the end of the actions"},           // TargetRead 4, 1 byte
      {{0x88, 0x84, 0x80, 0x8E, 0x90}, "copies from outside the source"},           // SourceCopy 4 from +8
      {{0x88, 0x84, 0x80, 0x8A, 0x8D}, "copies from outside the source"},           // SourceCopy 3 from -6
      {{0x88, 0x84, 0x80, 0x8F, 0x80}, "outside the target written so far"},        // TargetCopy at 0
      {{0x88, 0x84, 0x80, 0x80, 0x8B, 0x82}, "outside the target written so far"},  // TargetCopy from +1
      {{0x88, 0x84, 0x80, 0x80}, "write 1 byte of the 4 bytes"},                    // SourceRead 1 only
      {{0x88, 0x84, 0x80, 0x00}, "action is malformed"},                            // number cut short
      {{0x88, 0x84, 0x85, 'M'}, "metadata runs past"},
      {{0x88, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}, "header is malformed"},
      {{0x88, 0x01, 0x7F, 0x7E, 0x9E, 0x80}, "more than 67108864 bytes"},  // a target of 64 MiB + 1
  };
  for (const auto& b : broken) refused(source, assemble(b.body, source, t4), BpsRefusal::BadPatch, b.reason);
}

// bps-create and bps-apply as a user runs them: the round trip, and refusals that say why
// with status 1 and create no output.
TEST(BpsPatch, CommandsWriteOnlyWhatChecksOut) {
  ScopedCwd cwd(scratch_dir("bps_commands"));
  std::mt19937 rng(7);
  const Bytes a = random_bytes(rng, 3000);
  Bytes b = a;
  b.insert(b.begin() + 1000, a.begin(), a.begin() + 500);
  write_bytes("a.bin", a);
  write_bytes("b.bin", b);
  CommandRun r = run_mossforge(".", "bps-create a.bin b.bin ab.bps");
  ASSERT_EQ(r.status, 0) << r.err;
  r = run_mossforge(".", "bps-apply a.bin ab.bps out.bin");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(read_bytes("out.bin"), b);
  EXPECT_EQ(read_bytes("a.bin"), a);

  Bytes cut = read_bytes("ab.bps");
  cut.pop_back();
  write_bytes("cut.bps", cut);
  const struct {
    const char* args;
    const char* error;
  } cases[] = {
      {"bps-apply b.bin ab.bps new.bin", "ERROR: File \"b.bin\": not the source of \"ab.bps\": the patch was made from"},
      {"bps-apply a.bin cut.bps new.bin", "ERROR: File \"cut.bps\": it is damaged or truncated"},
      {"bps-apply a.bin none.bps new.bin", "ERROR: File \"none.bps\" not found."},
      {"bps-apply a.bin ab.bps", "ERROR: Usage: mossforge bps-apply SOURCE PATCH OUT"},
      {"bps-create a.bin . new.bin", "ERROR: File \".\" is a directory."},
  };
  for (const auto& c : cases) {
    r = run_mossforge(".", c.args);
    EXPECT_EQ(r.status, 1) << c.args;
    EXPECT_EQ(r.err.rfind(c.error, 0), 0u) << c.args << ": " << r.err;
    EXPECT_FALSE(fs::exists("new.bin")) << c.args;
    EXPECT_FALSE(fs::exists("new.bin.tmp")) << c.args;
  }
}
