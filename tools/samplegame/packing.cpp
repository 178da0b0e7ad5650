#include "tools/samplegame/packing.h"

#include <stdexcept>

#include "files/pp20.h"

namespace sample {

std::vector<uint8_t> pack_block(const std::vector<uint8_t>& data) {
  if (data.size() < 2) throw std::runtime_error("cannot pack fewer than 2 bytes");
  std::vector<uint8_t> packed = pp20_pack(data.data(), data.size());
  if (packed.empty()) throw std::runtime_error("data too large to pack");
  return packed;
}

}  // namespace sample
