// Fuzzes the coder: any input packs into a block that decodes back to it, and inputs under
// 4 KiB pack to exactly the bytes of the exhaustive reference coder.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "files/pp20.h"
#include "tests/pp20_oracle.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > pp20_max_unpacked_size) return 0;
  const std::vector<uint8_t> block = pp20_pack(data, size);
  if (block.empty() || block.size() > pp20_max_packed_size(size)) std::abort();
  std::vector<uint8_t> back(size);
  if (pp20_decrunch(block.data(), block.size(), back.data(), back.size()) != static_cast<int32_t>(size)) std::abort();
  if (size > 0 && std::vector<uint8_t>(data, data + size) != back) std::abort();
  if (size < 4096 && oracle_pack(data, static_cast<int32_t>(size)) != block) std::abort();
  return 0;
}
