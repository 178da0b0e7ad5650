// Fuzzes the layout and chunk-set block readers (plain and packed) and checks that what
// they accept rebuilds into a block that reads back the same.
//
// The input is read four ways: as a file holding a block at offset 0 and at the offset
// given by its first byte, as the decoded content of a packed block (the decoders called
// directly, as after unpacking), and, for small inputs, packed with the coder and read back
// through the packed path.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "files/chunk_set_block.h"
#include "files/layout_block.h"
#include "files/pp20.h"

namespace {

void check_plane(const LayoutPlane& plane) {
  std::vector<uint8_t> block;
  std::string error;
  LayoutPlane again;
  if (plane.rows.size() != (plane.height >> 4) + 1u) __builtin_trap();
  if (build_layout_block(plane, block, error)) {
    if (!LoadLevelBlock(block.data(), block.size(), 0, again, error)) __builtin_trap();
    if (!(again == plane)) __builtin_trap();
  }
}

void check_map(const ChunkMap& map) {
  std::vector<uint8_t> block;
  std::string error;
  ChunkMap again;
  for (const Chunk& c : map.chunks)
    if (c.width > 16 || c.height > 16) __builtin_trap();
  if (build_chunk_set_block(map, block, error)) {
    if (!LoadChunkSet(block.data(), block.size(), 0, again, error)) __builtin_trap();
    if (again.count() != map.count()) __builtin_trap();
    if (!map.chunks.empty() &&
        std::memcmp(again.chunks.data(), map.chunks.data(), sizeof(Chunk) * map.chunks.size()) != 0)
      __builtin_trap();
  }
}

// Both readers on a file; what they refuse must come with a reason and leave out alone.
void read_file(const uint8_t* data, size_t size, size_t offset) {
  std::string error;
  LayoutPlane plane;
  plane.width = 0xABCD;
  if (LoadLevelBlock(data, size, offset, plane, error)) {
    check_plane(plane);
  } else if (error.empty() || plane.width != 0xABCD || !plane.rows.empty()) {
    __builtin_trap();
  }
  ChunkMap map;
  error.clear();
  if (LoadChunkSet(data, size, offset, map, error)) {
    check_map(map);
  } else if (error.empty() || !map.chunks.empty()) {
    __builtin_trap();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  pp20_set_trace(nullptr);
  read_file(data, size, 0);
  if (size > 0) read_file(data, size, data[0] % 16);

  std::string error;
  LayoutPlane plane;
  if (decode_layout_block(data, size, plane, error)) check_plane(plane);
  ChunkMap map;
  if (decode_chunk_set_block(data, size, map, error)) check_map(map);

  if (size <= 1024) {
    const std::vector<uint8_t> packed = pp20_pack(data, size);
    read_file(packed.data(), packed.size(), 0);
  }
  return 0;
}
