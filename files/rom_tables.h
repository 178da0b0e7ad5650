// Where the imports, project generation and the game build find their tables: offsets into
// the Genesis ROM image and into the unpacked AGA CODE data, and the limits of the build's
// buffers. The one table of these offsets in the program.
#pragma once
#include <cstddef>
#include <cstdint>

constexpr const char* MASTER_ROM_PATH = "./master/genesis/glb.bin";
constexpr const char* MASTER_CODE_PATH = "./master/aga/CODE";

constexpr int PALETTE_COUNT = 107;      // palettes 0 .. 106, 32 bytes each
constexpr size_t PALETTE_BYTES = 32;
constexpr int MAP_HEADER_COUNT = 112;   // levels 0x00 .. 0x6F
constexpr size_t MAP_HEADER_BYTES = 13;
constexpr int LAYOUT_BANK_SIZE = 128;   // layouts 0x00 .. 0x7F and 0x80 .. 0xFF
constexpr int THEME_SCAN_LIMIT = 16;    // chunkmap tables are scanned for at most 16 themes
constexpr int BUILD_THEMES = 11;        // themes 0 .. 10 go into a built game
constexpr size_t GAME_FILE_LIMIT = 0x80000;  // largest file CopyGameFile copies

namespace genesis {
constexpr size_t CHUNKMAP_TABLE = 0xCF08A;
constexpr size_t SOLIDITY_TABLE = 0xCF0B6;
constexpr size_t PATTERN_TABLE = 0xCF0E2;
constexpr size_t BLOCKMAP_TABLE = 0xCF10E;
constexpr size_t LAYOUT_TABLE = 0xCEC8A;       // layouts 0x00 .. 0x7F
constexpr size_t LAYOUT_TABLE_HIGH = 0xCEE8A;  // layouts 0x80 .. 0xFF
constexpr size_t PALETTE_TABLE = 0x111726;
constexpr size_t MAP_HEADERS = 0xCB895;
constexpr size_t SOLIDITY_BYTES = 4160;
constexpr size_t BLOCKMAP_BYTES = 3968;
constexpr size_t LARGE_OBJECT_PATTERNS = 0x0118E0;  // 60 packed patterns
constexpr size_t BLOCK_TYPE_PATTERNS = 0x029940;    // 72 packed patterns
constexpr size_t MOON_PATTERNS = 0x02A840;          // 4 packed patterns
constexpr size_t MARKER_PATTERNS = 0x038660;        // 126 packed patterns
constexpr size_t MARKERS = 0x0A2BF2;                // 131 entries of 14 bytes
constexpr size_t MARKER_ENTRY_SIZE = 14;
constexpr int MARKER_NAME_LIMIT = 25;               // bytes searched for a name's terminator
constexpr size_t BLOCK_TYPES = 0x0A725A;            // 105 entries of 4 bytes
constexpr size_t PICKUP_GRAPHICS = 0x0C615C;        // 58 entries of 4 bytes
constexpr size_t PICKUP_BASE = 0x0C6158;            // the entries' offsets count from here
constexpr size_t COMMON_PATTERNS = 0x0CF166;
constexpr size_t COMMON_BLOCKMAP = 0x1031C2;

// The game build's working image and placement area.
constexpr size_t IMAGE_LIMIT = 0x400000;       // 4 MiB, also the largest image the imports read
constexpr size_t MIN_IMAGE_SIZE = 0x200000;    // the written image is at least 2 MiB
constexpr size_t PLACEMENT_START = 0x1128AC;
constexpr size_t PLACEMENT_END = 0x164904;     // data reaching past here moves to 0x200000
constexpr size_t OVERFLOW_START = 0x200000;
constexpr size_t NOP_PATCH = 0x300;            // three 68000 NOPs
// The header fields the build makes consistent with the image it writes.
constexpr size_t HEADER_CHECKSUM = 0x18E;      // 16-bit sum of the words from 0x200 on
constexpr size_t HEADER_ROM_END = 0x1A4;       // the image's last offset (size - 1)
constexpr size_t CHECKSUM_START = 0x200;
constexpr size_t CHUNK_SET_LIMIT = 133124;     // unpacked chunk-set buffer
}  // namespace genesis

namespace aga {
constexpr uint32_t ADDRESS_BASE = 0x11C800;    // Amiga address of CODE data offset 0
constexpr size_t CHUNKMAP_NAMES = 0x339BE;
constexpr size_t SOLIDITY_NAMES = 0x339EA;
constexpr size_t GRAPHICS_NAMES = 0x33A16;
constexpr size_t LAYOUT_NAMES = 0x335BE;       // layouts 0x00 .. 0x7F
constexpr size_t LAYOUT_NAMES_HIGH = 0x337BE;  // layouts 0x80 .. 0xFF
constexpr size_t PALETTE_TABLE = 0x34112;
constexpr size_t MAP_HEADERS = 0x2FD75;
constexpr size_t NAME_LIMIT = 12;              // characters of a file name in the CODE data

// The game build's name area and buffers.
constexpr size_t NAME_AREA_START = 0x3A0DF;
constexpr size_t NAME_AREA_END = 0x3A5DC;
constexpr size_t CODE_LIMIT = 0x9E000;         // 647,168 bytes of unpacked CODE data
constexpr size_t PACKED_CODE_LIMIT = 0x70000;  // 458,752 bytes of packed CODE
}  // namespace aga
