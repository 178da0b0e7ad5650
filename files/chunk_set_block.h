// The chunk-set block ("ITMS"): a chunkmap, the content of a .itm file and of the theme
// chunkmaps in the ROM image. Readers check every offset and size against the bytes they
// have and leave the output untouched on failure; error then says what is wrong.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "files/level_records.h"

// The buffer a chunk set is unpacked into and built in: no chunk-set block is larger.
constexpr size_t CHUNK_SET_LIMIT = 133124;

// Decodes an unpacked chunk-set block held in block_size bytes (the block may be shorter).
bool decode_chunk_set_block(const uint8_t* block, size_t block_size, ChunkMap& out, std::string& error);

// Reads a chunk-set block, packed or plain, at offset of a file held in memory.
bool LoadChunkSet(const uint8_t* file, size_t file_size, size_t offset, ChunkMap& out, std::string& error);

// Builds the unpacked block of a chunkmap; false when a chunk would start beyond byte
// 65,535, which its 16-bit offset cannot reach (the block itself may be longer).
bool build_chunk_set_block(const ChunkMap& map, std::vector<uint8_t>& out, std::string& error);
