// Fuzzes the BPS decoder: the input is a big-endian 16-bit word (the source's length times
// two, plus a flag), the source, then the patch. Whatever the bytes, applying must either
// refuse with a reason and no output, or succeed. Unless the flag is set, the patch's source
// and patch CRCs are then made right and it is applied again, so that its actions get
// decoded. Every input also goes through the encoder as a target: its patch must give that
// target back.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "files/bps_patch.h"
#include "files/crc32.h"

namespace {

void put_le32(uint8_t* p, uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}

void apply(const std::vector<uint8_t>& source, const std::vector<uint8_t>& patch) {
  std::vector<uint8_t> out;
  std::string why;
  const BpsRefusal r = bps_apply(source.data(), source.size(), patch.data(), patch.size(), out, why);
  if (r != BpsRefusal::None && (why.empty() || !out.empty())) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  const size_t n = std::min<size_t>((data[0] << 8 | data[1]) >> 1, size - 2);
  const std::vector<uint8_t> source(data + 2, data + 2 + n);
  std::vector<uint8_t> patch(data + 2 + n, data + size);
  apply(source, patch);
  if (!(data[1] & 1) && patch.size() >= 12) {
    put_le32(&patch[patch.size() - 12], crc32_of(source.data(), source.size()));
    put_le32(&patch[patch.size() - 4], crc32_of(patch.data(), patch.size() - 4));
    apply(source, patch);
  }
  const std::vector<uint8_t> made = bps_create(source.data(), source.size(), data, size);
  std::vector<uint8_t> out;
  std::string why;
  if (bps_apply(source.data(), source.size(), made.data(), made.size(), out, why) != BpsRefusal::None ||
      out != std::vector<uint8_t>(data, data + size))
    std::abort();
  return 0;
}
