// The regions of the sample Genesis ROM image that the import and project generation read.
#pragma once
#include <cstdio>
#include <cstdlib>

#include "files/rom_tables.h"
#include "gamedata/rom_tables.h"
#include "sample_patches.h"

inline void add_rom_regions(SamplePatches& p) {
  p.add(genesis::MAP_HEADERS, 13 * 256);
  p.add(genesis::MARKERS, genesis::MARKER_ENTRY_SIZE * MARKER_COUNT);
  p.add(genesis::BLOCK_TYPES, 4 * BLOCK_TYPE_COUNT);
  p.add(genesis::PICKUP_BASE, 4 + 4 * PICKUP_TYPE_COUNT);
  p.add(genesis::MOON_PATTERNS, 128);
  p.add(genesis::COMMON_PATTERNS, p.block_size(genesis::COMMON_PATTERNS, BLOCKMAP_BYTES));
  p.add(genesis::COMMON_BLOCKMAP, p.block_size(genesis::COMMON_BLOCKMAP, BLOCKMAP_BYTES));
  p.add_pointed_blocks(genesis::LAYOUT_TABLE, 256, 64);
  p.add_pointed_blocks(genesis::CHUNKMAP_TABLE, 16, 64);
  p.add_pointed_blocks(genesis::SOLIDITY_TABLE, 11, genesis::SOLIDITY_BYTES);
  p.add_pointed_blocks(genesis::PATTERN_TABLE, 11, 64);
  p.add_pointed_blocks(genesis::BLOCKMAP_TABLE, 11, BLOCKMAP_BYTES);
  p.add_pointed_blocks(genesis::PALETTE_TABLE, 107, 32);
  p.add(0x0A3400, 0x0A7200 - 0x0A3400);  // marker names
  p.add(0x0C4000, 0x0C7000 - 0x0C4000);  // pickup records
}

// The sample ROM image with its regions, loaded once per fuzz process; `target` names the
// fuzzer in the message of a missing image.
inline SamplePatches& sample_rom_patches(const char* target) {
  static SamplePatches* image = [target] {
    std::vector<uint8_t> rom;
    if (!read_sample_game_file("genesis/glb.bin", rom) || rom.size() < 0x200000) {
      std::fprintf(stderr, "%s: no sample image (set MOSSFORGE_SAMPLE_DIR)\n", target);
      std::abort();
    }
    auto* p = new SamplePatches(std::move(rom));
    add_rom_regions(*p);
    return p;
  }();
  return *image;
}
