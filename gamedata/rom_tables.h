// Readers for each part of the level data in the Genesis ROM image (its offsets are in
// files/rom_tables.h).
// Every reader checks its pointers, counts and packed blocks against the image and, on
// failure, says what is wrong in error and leaves its output alone.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "files/rom_tables.h"
#include "gamedata/level_data.h"

// The image the imports read (the master image of the game build).
constexpr const char* ROM_PATH = MASTER_ROM_PATH;

// The ROM image held in memory.
using RomImage = std::vector<uint8_t>;

bool read_map_header(const RomImage& rom, uint8_t map, MapHeader& out, std::string& error);
// The 32-bit pointer of entry `index` of a pointer table; refused when it is 0 or outside the image.
bool read_pointer(const RomImage& rom, size_t table, int index, const std::string& what, size_t& out,
                  std::string& error);
bool read_layout(const RomImage& rom, int layout, LayoutPlane& out, std::string& error);
bool read_theme_chunkmap(const RomImage& rom, int theme, ChunkMap& out, std::string& error);
// The decoded bytes of a packed pattern block, and the patterns unpacked from them.
bool read_packed_patterns(const RomImage& rom, size_t offset, const std::string& what, PatternSet& out,
                          std::vector<uint8_t>& decoded, std::string& error);
// A block map, packed or 3968 plain bytes, giving its first `mappings` mappings; bytes = all decoded or plain bytes.
bool read_blockmap(const RomImage& rom, size_t offset, int mappings, const std::string& what, BlockMap& out,
                   std::vector<uint8_t>& bytes, std::string& error);
bool read_palette(const RomImage& rom, int number, PaletteLine& out, std::string& error);
// count packed patterns stored plainly at offset.
bool read_fixed_patterns(const RomImage& rom, size_t offset, int count, const std::string& what, PatternSet& out,
                         std::string& error);
// The 58 pickups' 4 patterns each, found through the offset walk of the pickup table.
bool read_pickup_patterns(const RomImage& rom, PatternSet& out, std::string& error);
bool read_block_types(const RomImage& rom, std::vector<BlockType>& out, std::string& error);
bool read_markers(const RomImage& rom, std::vector<Marker>& out, std::string& error);
