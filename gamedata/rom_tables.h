// Where the level data lies in the Genesis ROM image, and readers for each part of it.
// Every reader checks its pointers, counts and packed blocks against the image and, on
// failure, says what is wrong in error and leaves its output alone.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "gamedata/level_model.h"

constexpr const char* ROM_PATH = "./master/genesis/glb.bin";

namespace rom {
constexpr size_t IMAGE_LIMIT = 0x400000;            // the largest image the game build can hold (4 MiB)
constexpr size_t LARGE_OBJECT_PATTERNS = 0x0118E0;  // 60 packed patterns
constexpr size_t BLOCK_TYPE_PATTERNS = 0x029940;    // 72 packed patterns
constexpr size_t MOON_PATTERNS = 0x02A840;          // 4 packed patterns
constexpr size_t MARKER_PATTERNS = 0x038660;        // 126 packed patterns
constexpr size_t MARKERS = 0x0A2BF2;                // 131 entries of 14 bytes
constexpr size_t BLOCK_TYPES = 0x0A725A;            // 105 entries of 4 bytes
constexpr size_t PICKUP_GRAPHICS = 0x0C615C;        // 58 entries of 4 bytes
constexpr size_t PICKUP_BASE = 0x0C6158;            // the entries' offsets count from here
constexpr size_t MAP_TABLE = 0x0CB895;              // 13 bytes per map
constexpr size_t LAYOUT_POINTERS = 0x0CEC8A;
constexpr size_t CHUNKMAP_POINTERS = 0x0CF08A;
constexpr size_t PATTERN_POINTERS = 0x0CF0E2;
constexpr size_t BLOCKMAP_POINTERS = 0x0CF10E;
constexpr size_t COMMON_PATTERNS = 0x0CF166;
constexpr size_t COMMON_BLOCKMAP = 0x1031C2;
constexpr size_t PALETTE_POINTERS = 0x111726;
constexpr size_t MARKER_ENTRY_SIZE = 14;
constexpr int MARKER_NAME_LIMIT = 25;  // bytes searched for a name's terminator
}  // namespace rom

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
