// The regions of the sample Genesis ROM image that the import and project generation read.
#pragma once
#include <cstdio>
#include <cstdlib>

#include "files/rom_tables.h"
#include "gamedata/rom_tables.h"
#include "sample_patches.h"

inline void add_rom_regions(SamplePatches& p) {
  p.add(rom::MAP_TABLE, 13 * 256);
  p.add(rom::MARKERS, rom::MARKER_ENTRY_SIZE * MARKER_COUNT);
  p.add(rom::BLOCK_TYPES, 4 * BLOCK_TYPE_COUNT);
  p.add(rom::PICKUP_BASE, 4 + 4 * PICKUP_TYPE_COUNT);
  p.add(rom::MOON_PATTERNS, 128);
  p.add(rom::COMMON_PATTERNS, p.block_size(rom::COMMON_PATTERNS, BLOCKMAP_BYTES));
  p.add(rom::COMMON_BLOCKMAP, p.block_size(rom::COMMON_BLOCKMAP, BLOCKMAP_BYTES));
  p.add_pointed_blocks(rom::LAYOUT_POINTERS, 256, 64);
  p.add_pointed_blocks(rom::CHUNKMAP_POINTERS, 16, 64);
  p.add_pointed_blocks(genesis::SOLIDITY_TABLE, 11, genesis::SOLIDITY_BYTES);
  p.add_pointed_blocks(rom::PATTERN_POINTERS, 11, 64);
  p.add_pointed_blocks(rom::BLOCKMAP_POINTERS, 11, BLOCKMAP_BYTES);
  p.add_pointed_blocks(rom::PALETTE_POINTERS, 107, 32);
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
