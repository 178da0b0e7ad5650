#include "files/crc32.h"

#include <zlib.h>

#include <algorithm>

uint32_t crc32_of(const uint8_t* data, size_t size) {
  uLong crc = crc32(0L, Z_NULL, 0);
  // zlib takes at most a uInt of bytes a call.
  while (size > 0) {
    const size_t n = std::min<size_t>(size, 1u << 30);
    crc = crc32(crc, data, static_cast<uInt>(n));
    data += n;
    size -= n;
  }
  return static_cast<uint32_t>(crc);
}
