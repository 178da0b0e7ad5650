#include "files/rom_header.h"

#include "files/byte_order.h"
#include "files/rom_tables.h"

uint16_t genesis_checksum(const uint8_t* image, size_t size) {
  uint32_t sum = 0;
  size_t i = genesis::CHECKSUM_START;
  for (; i + 1 < size; i += 2) sum += read_be16(image + i);
  if (i < size) sum += static_cast<uint32_t>(image[i]) << 8;
  return static_cast<uint16_t>(sum);
}

void fix_genesis_header(uint8_t* image, size_t size) {
  write_be16(image + genesis::HEADER_CHECKSUM, genesis_checksum(image, size));
  write_be32(image + genesis::HEADER_ROM_END, static_cast<uint32_t>(size - 1));
}
