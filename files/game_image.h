// Bounds-checked reads from a game file held in memory (the ROM image or the CODE data).
// Each read says what it looked for, so a failure becomes a message naming it.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "files/byte_order.h"

inline std::string hex_offset(size_t v) {
  char buf[24];
  std::snprintf(buf, sizeof buf, "0x%zX", v);
  return buf;
}

struct GameImage {
  const std::vector<uint8_t>& bytes;
  std::string error;  // set by a failed read

  bool has(size_t offset, size_t n) const { return offset <= bytes.size() && bytes.size() - offset >= n; }
  const uint8_t* at(size_t offset) const { return bytes.data() + offset; }

  // n bytes at offset, or an error "<what> at 0x.. lies outside the file".
  bool need(size_t offset, size_t n, const std::string& what) {
    if (has(offset, n)) return true;
    error = what + " at " + hex_offset(offset) + " lies outside the file";
    return false;
  }
  bool be32(size_t offset, const std::string& what, uint32_t& out) {
    if (!need(offset, 4, what)) return false;
    out = read_be32(at(offset));
    return true;
  }
};
