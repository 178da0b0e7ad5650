// A small Genesis ROM image built in memory for the import tests: every table the import
// reads, with plain and packed blocks, and the offsets of what it holds.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "gamedata/rom_tables.h"

struct TestRom {
  RomImage rom;
  // Where the builder put things.
  size_t front_layout_at = 0, back_layout_at = 0, packed_layout_at = 0;
  size_t chunkmap_at = 0, patterns_at = 0, blockmap_at = 0, names_at = 0;
  std::vector<uint8_t> level_pattern_bytes;  // decoded level patterns
  std::vector<uint8_t> common_pattern_bytes;
};

// Map 0: world map (front layout 0, plain; back layout 1, plain). Map 2: front layout 2
// (packed), back layout 1. Theme 0: plain chunk set of 3 chunks, 40 packed patterns,
// a plain block map. Marker 0 is named "FIRST ISLAND", marker 1 "SECOND ISLAND".
TestRom build_test_rom();

// Writes the image to dir/master/genesis/glb.bin.
void write_test_rom(const RomImage& rom, const std::string& dir);
