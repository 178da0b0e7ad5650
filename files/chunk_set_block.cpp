#include "files/chunk_set_block.h"

#include <cstdio>
#include <cstring>

#include "files/byte_order.h"
#include "files/layout_block.h"
#include "files/packed_block.h"

namespace {

std::string hex(size_t v) {
  char buf[24];
  std::snprintf(buf, sizeof buf, "0x%zX", v);
  return buf;
}

// Cells stored for a chunk: none for an empty chunk (width or height 0 or less).
size_t stored_cells(int8_t w, int8_t h) { return w > 0 && h > 0 ? static_cast<size_t>(w) * h : 0; }

}  // namespace

bool decode_chunk_set_block(const uint8_t* b, size_t size, ChunkMap& out, std::string& error) {
  if (size < 6 || std::memcmp(b, "ITMS", 4) != 0) {
    error = size < 6 ? "the chunk-set block is too short" : "the chunk-set block does not start with \"ITMS\"";
    return false;
  }
  const size_t count = read_be16(b + 4);
  if (count > CHUNK_SLOTS) {
    error = "the chunk set holds " + std::to_string(count) + " chunks, more than " + std::to_string(CHUNK_SLOTS);
    return false;
  }
  const size_t table_end = 6 + 2 * count;
  if (table_end > size) {
    error = "the offset table of the chunk set runs past the end of the block";
    return false;
  }
  ChunkMap map;
  map.chunks.resize(count);
  for (size_t i = 0; i < count; ++i) {
    const size_t at = read_be16(b + 6 + 2 * i);
    if (at < table_end || at + 2 > size) {
      error = "chunk " + std::to_string(i) + " of the chunk set points outside the block (" + hex(at) + ")";
      return false;
    }
    Chunk& c = map.chunks[i];
    c.width = static_cast<int8_t>(b[at]);
    c.height = static_cast<int8_t>(b[at + 1]);
    if (c.width > 16 || c.height > 16) {
      error = "chunk " + std::to_string(i) + " is " + std::to_string(c.width) + "x" + std::to_string(c.height) +
              " blocks, more than 16x16";
      return false;
    }
    const size_t cells = stored_cells(c.width, c.height);
    if (at + 2 + 2 * cells > size) {
      error = "the cells of chunk " + std::to_string(i) + " run past the end of the block";
      return false;
    }
    for (int r = 0; r < c.height && cells; ++r)
      for (int col = 0; col < c.width; ++col)
        c.cell(col, r) = read_be16(b + at + 2 + 2 * (static_cast<size_t>(r) * c.width + col));
  }
  out = std::move(map);
  return true;
}

bool LoadChunkSet(const uint8_t* file, size_t file_size, size_t offset, ChunkMap& out, std::string& error) {
  if (file_size == 0) {
    error = "the file is empty";
    return false;
  }
  if (offset > file_size || file_size - offset < 6) {
    error = "no chunk-set block at " + hex(offset) + ": the file ends first";
    return false;
  }
  if (std::memcmp(file + offset, "ITMS", 4) == 0) {
    // Plain: the block ends behind the entry of its last chunk.
    const uint8_t* p = file + offset;
    const size_t available = file_size - offset;
    const size_t count = read_be16(p + 4);
    if (count > CHUNK_SLOTS) {
      error = "the chunk set at " + hex(offset) + " holds " + std::to_string(count) + " chunks, more than " +
              std::to_string(CHUNK_SLOTS);
      return false;
    }
    size_t size = 6;
    if (count > 0) {
      const size_t last_at = 4 + 2 * count;
      if (last_at + 2 > available || static_cast<size_t>(read_be16(p + last_at)) + 2 > available) {
        error = "the chunk-set block at " + hex(offset) + " is truncated";
        return false;
      }
      const size_t last = read_be16(p + last_at);
      const int8_t w = static_cast<int8_t>(p[last]), h = static_cast<int8_t>(p[last + 1]);
      if (w > 16 || h > 16) {
        error = "chunk " + std::to_string(count - 1) + " is " + std::to_string(w) + "x" + std::to_string(h) +
                " blocks, more than 16x16 (at " + hex(offset) + ")";
        return false;
      }
      size = last + 2 + 2 * stored_cells(w, h);
    }
    if (size > available) {
      error = "the chunk-set block at " + hex(offset) + " is truncated";
      return false;
    }
    if (!decode_chunk_set_block(p, size, out, error)) {
      error += " (at " + hex(offset) + ")";
      return false;
    }
    return true;
  }
  std::vector<uint8_t> block;
  if (!unpack_block(file, file_size, offset, block, error, CHUNK_SET_LIMIT)) {
    error = "chunk-set block at " + hex(offset) + ": " + error;
    return false;
  }
  if (!decode_chunk_set_block(block.data(), block.size(), out, error)) {
    error += " (packed, at " + hex(offset) + ")";
    return false;
  }
  return true;
}

bool build_chunk_set_block(const ChunkMap& map, std::vector<uint8_t>& out, std::string& error) {
  const size_t count = map.chunks.size();
  // Only the 16-bit offsets limit the block: every chunk must start within 65,535 bytes,
  // while the last one's cells may run past that.
  size_t size = 6 + 2 * count;
  for (size_t i = 0; i < count; ++i) {
    if (size > MAX_BLOCK_SIZE) {
      error = "chunk " + std::to_string(i) + " would start at byte " + std::to_string(size) + ", beyond the " +
              std::to_string(MAX_BLOCK_SIZE) + " that the chunk set's offsets can reach";
      return false;
    }
    size += 2 + 2 * stored_cells(map.chunks[i].width, map.chunks[i].height);
  }
  std::vector<uint8_t> b(size, 0);
  std::memcpy(b.data(), "ITMS", 4);
  write_be16(&b[4], static_cast<uint16_t>(count));
  size_t at = 6 + 2 * count;
  for (size_t i = 0; i < count; ++i) {
    const Chunk& c = map.chunks[i];
    write_be16(&b[6 + 2 * i], static_cast<uint16_t>(at));
    b[at] = static_cast<uint8_t>(c.width);
    b[at + 1] = static_cast<uint8_t>(c.height);
    at += 2;
    if (!stored_cells(c.width, c.height)) continue;
    for (int r = 0; r < c.height; ++r)
      for (int col = 0; col < c.width; ++col, at += 2) write_be16(&b[at], c.cell(col, r));
  }
  out.swap(b);
  return true;
}
