#include "tools/samplegame/packing.h"

#include <stdexcept>

namespace sample {

// Stand-in until the project's compressor lands: a valid PP20 packed block holding the data as
// one literal run (so it does not shrink, but every decoder reads it).
std::vector<uint8_t> pack_block(const std::vector<uint8_t>& data) {
  const size_t n = data.size();
  if (n < 2 || n > 0xFFFFFF) throw std::runtime_error("cannot pack this size");
  std::vector<bool> bits;
  auto put = [&](uint32_t v, int count) {
    for (int i = count - 1; i >= 0; --i) bits.push_back((v >> i) & 1);
  };
  put(0, 1);
  for (size_t i = 0; i < (n - 1) / 3; ++i) put(3, 2);
  put(static_cast<uint32_t>((n - 1) % 3), 2);
  for (size_t i = n; i-- > 0;) put(data[i], 8);
  const size_t b = bits.size();
  const size_t k = (32 - b % 32) % 32;
  const size_t s = 12 + 4 * ((b + 31) / 32);
  std::vector<uint8_t> out(s, 0);
  for (int i = 0; i < 4; ++i) out[i] = static_cast<uint8_t>(s >> (24 - 8 * i));
  out[4] = 9, out[5] = 10, out[6] = 12, out[7] = 13;
  out[s - 4] = static_cast<uint8_t>(n >> 16), out[s - 3] = static_cast<uint8_t>(n >> 8), out[s - 2] = static_cast<uint8_t>(n);
  out[s - 1] = static_cast<uint8_t>(k);
  size_t byte = s - 5 - (k >> 3);
  int bit = static_cast<int>(k & 7);
  for (bool v : bits) {
    if (v) out[byte] |= static_cast<uint8_t>(1 << bit);
    if (++bit == 8) bit = 0, --byte;
  }
  return out;
}

}  // namespace sample
