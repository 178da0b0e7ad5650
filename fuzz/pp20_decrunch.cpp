// Fuzzes the decoder with arbitrary blocks: whatever the bytes, decoding must end with -1 or
// exactly U bytes written, never touch memory outside the destination, agree with a plain
// bit-by-bit reading of the stream, and pp20_load must either fail or hand over a complete
// buffer.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "files/pp20.h"

namespace {

// The stream read one bit at a time, straight from the format: the result the decoder must
// give (-1, or U with these bytes).
int64_t reference_decode(const uint8_t* block, size_t size, std::vector<uint8_t>& out) {
  const uint32_t s = uint32_t(block[0]) << 24 | uint32_t(block[1]) << 16 | uint32_t(block[2]) << 8 | block[3];
  if (s < 12 || s > size) return -1;
  const uint32_t u = uint32_t(block[s - 4]) << 16 | uint32_t(block[s - 3]) << 8 | block[s - 2];
  out.assign(u, 0);
  if (u == 0) return 0;
  int64_t byte = int64_t(s) - 5 - (block[s - 1] >> 3);
  unsigned bit = block[s - 1] & 7u;
  bool failed = false;
  auto bits = [&](unsigned n) {
    uint64_t v = 0;
    for (unsigned i = 0; i < n; ++i) {
      if (byte < 8) failed = true;
      v = std::min<uint64_t>(v << 1 | (failed ? 0 : (block[byte] >> bit) & 1u), uint64_t(1) << 32);
      if (!failed && ++bit == 8) bit = 0, --byte;
    }
    return v;
  };
  int64_t p = int64_t(u) - 1;
  for (;;) {
    if (bits(1) == 0) {
      uint64_t n = 1, v;
      do n += v = bits(2); while (v == 3 && !failed);
      if (failed || int64_t(n) > p + 1) return -1;
      while (n--) out[size_t(p--)] = uint8_t(bits(8));
      if (failed) return -1;
      if (p < 0) return u;
    }
    const unsigned kind = unsigned(bits(2));
    unsigned width = block[4 + kind];
    uint64_t length = kind + 2, v;
    if (kind == 3 && bits(1) == 0) width = 7;
    const uint64_t offset = bits(width);
    if (kind == 3) do length += v = bits(3); while (v == 7 && !failed);
    if (failed || offset + uint64_t(p) + 1 >= u || int64_t(length) > p + 1) return -1;
    for (; length > 0; --length, --p) out[size_t(p)] = out[size_t(p + int64_t(offset) + 1)];
    if (p < 0) return u;
  }
}

// Decodes into a buffer of exactly U bytes (when U is small enough to allocate).
void decode(const uint8_t* data, size_t size) {
  const int64_t u = pp20_unpacked_size(data, size);
  if (u < 0 || u > (1 << 20)) return;
  std::vector<uint8_t> out(static_cast<size_t>(u));
  const int32_t r = pp20_decrunch(data, size, out.data(), out.size());
  if (r != -1 && r != u) std::abort();
  std::vector<uint8_t> expected;
  if (reference_decode(data, size, expected) != r || (r > 0 && out != expected)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  pp20_set_trace(nullptr);
  decode(data, size);
  // The same bytes with S made to fit them, so that the stream itself gets decoded.
  if (size >= 12) {
    std::vector<uint8_t> block(data, data + size);
    block[0] = static_cast<uint8_t>(size >> 24), block[1] = static_cast<uint8_t>(size >> 16);
    block[2] = static_cast<uint8_t>(size >> 8), block[3] = static_cast<uint8_t>(size);
    decode(block.data(), block.size());
  }
  raw_data raw;
  std::string error;
  if (pp20_load(data, size, 0, raw, &error)) {
    if (raw.buffer.size() != raw.size) std::abort();
  } else if (error.empty() || raw.size != 0 || !raw.buffer.empty()) {
    std::abort();
  }
  return 0;
}
