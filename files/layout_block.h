// The layout block ("MAP"): one layout plane, the content of a .lvl file and of the
// layouts in the ROM image. Readers check every offset against the bytes they have and
// leave the output untouched on failure; error then says what is wrong.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "files/level_records.h"

constexpr size_t MAX_BLOCK_SIZE = 65535;  // the tables hold 16-bit offsets

// Decodes a whole unpacked layout block of block_size bytes.
bool decode_layout_block(const uint8_t* block, size_t block_size, LayoutPlane& out, std::string& error);

// Reads a layout block, packed or plain, at offset of a file held in memory.
bool LoadLevelBlock(const uint8_t* file, size_t file_size, size_t offset, LayoutPlane& out, std::string& error);

// Builds the unpacked block of a plane (rows 1 .. height / 16; row 0 is not stored).
// False when the block would exceed 65,535 bytes.
bool build_layout_block(const LayoutPlane& plane, std::vector<uint8_t>& out, std::string& error);
