// Fuzzes the layout and chunk-set block readers (plain and packed) and checks that what
// they accept rebuilds into a block that reads back the same.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "files/chunk_set_block.h"
#include "files/layout_block.h"
#include "files/pp20.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  pp20_trace = nullptr;
  const size_t offset = 0;
  std::string error;
  LayoutPlane plane;
  if (LoadLevelBlock(data, size, offset, plane, error)) {
    std::vector<uint8_t> block;
    LayoutPlane again;
    if (build_layout_block(plane, block, error)) {
      if (!LoadLevelBlock(block.data(), block.size(), 0, again, error)) __builtin_trap();
      if (!(again == plane)) __builtin_trap();
    }
  }
  ChunkMap map;
  if (LoadChunkSet(data, size, offset, map, error)) {
    std::vector<uint8_t> block;
    ChunkMap again;
    if (build_chunk_set_block(map, block, error)) {
      if (!LoadChunkSet(block.data(), block.size(), 0, again, error)) __builtin_trap();
      if (again.count() != map.count()) __builtin_trap();
      if (!map.chunks.empty() &&
          std::memcmp(again.chunks.data(), map.chunks.data(), sizeof(Chunk) * map.chunks.size()) != 0)
        __builtin_trap();
    }
  }
  return 0;
}
