// Fuzzes the decoder with arbitrary blocks: whatever the bytes, decoding must end with -1 or
// exactly U bytes written, never touch memory outside the destination, and pp20_load must
// either fail or hand over a complete buffer.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "files/pp20.h"

namespace {

// Decodes into a buffer of exactly U bytes (when U is small enough to allocate).
void decode(const uint8_t* data, size_t size) {
  const int64_t u = pp20_unpacked_size(data, size);
  if (u < 0 || u > (1 << 20)) return;
  std::vector<uint8_t> out(static_cast<size_t>(u));
  const int32_t r = pp20_decrunch(data, size, out.data(), out.size());
  if (r != -1 && r != u) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  pp20_trace = nullptr;
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
