#include "files/packed_block.h"

#include "files/byte_order.h"
#include "files/pp20.h"

bool has_packed_block_mark(const uint8_t* file, size_t file_size, size_t offset) {
  if (offset > file_size || file_size - offset < 8) return false;
  const uint8_t* p = file + offset + 4;
  return p[0] == 0x09 && p[1] == 0x0A && p[2] == 0x0C && p[3] == 0x0D;
}

bool unpack_block(const uint8_t* file, size_t file_size, size_t offset, std::vector<uint8_t>& out,
                  std::string& error, size_t max_unpacked) {
  if (offset >= file_size) {
    error = "the packed block lies outside the file";
    return false;
  }
  // Both limits are checked before anything is allocated or decoded.
  if (file_size - offset >= 4) {
    const uint32_t s = read_be32(file + offset);
    if (s > PACKED_BLOCK_LIMIT) {
      error = "the packed block claims " + std::to_string(s) + " bytes, more than " +
              std::to_string(PACKED_BLOCK_LIMIT) + " (512 KiB)";
      return false;
    }
  }
  const int64_t u = pp20_unpacked_size(file, file_size, offset);
  if (u > 0 && static_cast<uint64_t>(u) > max_unpacked) {
    error = "the packed block unpacks to " + std::to_string(u) + " bytes, more than " + std::to_string(max_unpacked);
    return false;
  }
  raw_data raw;
  std::string why;
  if (!pp20_load(file, file_size, offset, raw, &why)) {
    error = "the packed block does not decode" + (why.empty() ? std::string() : " (" + why + ")");
    return false;
  }
  raw.buffer.resize(raw.size);
  out.swap(raw.buffer);
  return true;
}

std::vector<uint8_t> pack_block(const std::vector<uint8_t>& bytes) { return pp20_pack(bytes.data(), bytes.size()); }
