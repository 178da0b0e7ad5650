#include "files/packed_block.h"

#include "files/pp20.h"

bool has_packed_block_mark(const uint8_t* file, size_t file_size, size_t offset) {
  if (offset > file_size || file_size - offset < 8) return false;
  const uint8_t* p = file + offset + 4;
  return p[0] == 0x09 && p[1] == 0x0A && p[2] == 0x0C && p[3] == 0x0D;
}

bool unpack_block(const uint8_t* file, size_t file_size, size_t offset, std::vector<uint8_t>& out,
                  std::string& error) {
  if (offset >= file_size) {
    error = "the packed block lies outside the file";
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
