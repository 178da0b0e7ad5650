#include "files/layout_block.h"

#include <cstdio>
#include <cstring>

#include "files/byte_order.h"
#include "files/packed_block.h"

namespace {

std::string hex(size_t v) {
  char buf[24];
  std::snprintf(buf, sizeof buf, "0x%zX", v);
  return buf;
}

}  // namespace

bool decode_layout_block(const uint8_t* b, size_t size, LayoutPlane& out, std::string& error) {
  if (size < 10 || std::memcmp(b, "MAP", 3) != 0) {
    error = size < 10 ? "the layout block is too short" : "the layout block does not start with \"MAP\"";
    return false;
  }
  LayoutPlane plane;
  plane.theme = b[3];
  plane.width = read_be16(b + 4);
  plane.height = read_be16(b + 6);
  const size_t rows = plane.height >> 4;
  const size_t table_end = 8 + 2 * (rows + 1);
  const size_t first_row = 10 + (plane.height >> 3);
  if (table_end > size || first_row > size) {
    error = "the row table of the layout block (height " + std::to_string(plane.height) + ") runs past its end";
    return false;
  }
  // A packed block's decoded length must cover the size that its table states.
  const size_t stated = read_be16(b + 8 + 2 * rows);
  if (stated > size) {
    error = "the layout block states " + std::to_string(stated) + " bytes but holds " + std::to_string(size);
    return false;
  }
  plane.rows.resize(rows + 1);
  for (size_t k = 1; k <= rows; ++k) {
    const size_t start = read_be16(b + 8 + 2 * (k - 1));
    const size_t end = k < rows ? read_be16(b + 8 + 2 * k) : size;
    if (start < first_row || start > size || end < start || end > size) {
      error = "row " + std::to_string(k) + " of the layout block points outside the block (" + hex(start) + ")";
      return false;
    }
    if (k < rows && (end - start) % 4 != 0) {
      error = "row " + std::to_string(k) + " of the layout block is " + std::to_string(end - start) +
              " bytes long, not a whole number of 4-byte objects";
      return false;
    }
    std::vector<LayoutObject>& objects = plane.rows[k].objects;
    objects.resize((end - start) / 4);
    for (size_t i = 0; i < objects.size(); ++i) {
      objects[i].code = read_be16(b + start + 4 * i);
      objects[i].x = read_be16(b + start + 4 * i + 2);
    }
  }
  out = std::move(plane);
  return true;
}

bool LoadLevelBlock(const uint8_t* file, size_t file_size, size_t offset, LayoutPlane& out, std::string& error) {
  if (file_size == 0) {
    error = "the file is empty";
    return false;
  }
  if (offset > file_size || file_size - offset < 4) {
    error = "no layout block at " + hex(offset) + ": the file ends first";
    return false;
  }
  const uint8_t* p = file + offset;
  const size_t available = file_size - offset;
  if (std::memcmp(p, "MAP", 3) == 0) {
    // Plain: the last row table entry gives the block's size.
    if (available < 10) {
      error = "the layout block at " + hex(offset) + " is truncated";
      return false;
    }
    const size_t rows = read_be16(p + 6) >> 4;
    const size_t size_at = 8 + 2 * rows;
    if (size_at + 2 > available) {
      error = "the row table of the layout block at " + hex(offset) + " (height " + std::to_string(read_be16(p + 6)) +
              ") runs past the end of the file";
      return false;
    }
    const size_t size = read_be16(p + size_at);
    if (size > available) {
      error = "the layout block at " + hex(offset) + " is truncated (" + std::to_string(size) + " bytes, " +
              std::to_string(available) + " in the file)";
      return false;
    }
    if (!decode_layout_block(p, size, out, error)) {
      error += " (at " + hex(offset) + ")";
      return false;
    }
    return true;
  }
  std::vector<uint8_t> block;
  if (!unpack_block(file, file_size, offset, block, error, MAX_BLOCK_SIZE)) {
    error = "layout block at " + hex(offset) + ": " + error;
    return false;
  }
  if (!decode_layout_block(block.data(), block.size(), out, error)) {
    error += " (packed, at " + hex(offset) + ")";
    return false;
  }
  return true;
}

bool build_layout_block(const LayoutPlane& plane, std::vector<uint8_t>& out, std::string& error) {
  const size_t rows = plane.height >> 4;
  auto row_count = [&](size_t k) { return k < plane.rows.size() ? plane.rows[k].objects.size() : 0; };
  size_t size = 10 + (plane.height >> 3);
  for (size_t k = 1; k <= rows; ++k) size += 4 * row_count(k);
  if (size > MAX_BLOCK_SIZE) {
    error = "the layout needs " + std::to_string(size) + " bytes, more than a block can hold (65535)";
    return false;
  }
  std::vector<uint8_t> b(size, 0);
  std::memcpy(b.data(), "MAP", 3);
  b[3] = plane.theme;
  write_be16(&b[4], plane.width);
  write_be16(&b[6], plane.height);
  size_t at = 10 + (plane.height >> 3);
  write_be16(&b[8], static_cast<uint16_t>(at));
  for (size_t k = 1; k <= rows; ++k) {
    for (size_t i = 0; i < row_count(k); ++i) {
      const LayoutObject& o = plane.rows[k].objects[i];
      write_be16(&b[at], o.code);
      write_be16(&b[at + 2], o.x);
      at += 4;
    }
    write_be16(&b[8 + 2 * k], static_cast<uint16_t>(at));
  }
  out.swap(b);
  return true;
}
