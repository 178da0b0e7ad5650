// Lays the sample game out as an AGA game directory: the CODE data (name tables, palettes
// and map headers at the offsets the game uses, one packed block) and the data files it
// names: chunk sets (.ITM), solidity (.INS), planar graphics (.GLV) and layouts.
#pragma once
#include <string>
#include <utility>
#include <vector>

#include "tools/samplegame/rom_image.h"
#include "tools/samplegame/sample_game.h"

namespace sample {

namespace aga {
constexpr uint32_t CODE_SIZE = 0x3B000;        // unpacked CODE data
constexpr uint32_t ADDRESS_BASE = 0x11C800;    // Amiga address of CODE data offset 0
constexpr uint32_t MAP_HEADERS = 0x2FD75;      // 112 x 13 bytes
constexpr uint32_t LAYOUT_NAMES = 0x335BE;     // 256 entries, two banks of 128
constexpr uint32_t CHUNK_SET_NAMES = 0x339BE;  // 11 entries each
constexpr uint32_t SOLIDITY_NAMES = 0x339EA;
constexpr uint32_t GRAPHICS_NAMES = 0x33A16;
constexpr uint32_t PALETTE_TABLE = 0x34112;
constexpr uint32_t BUILD_NAME_AREA = 0x3A0DF;  // kept free for the game build
constexpr uint32_t BUILD_NAME_AREA_END = 0x3A5DC;
constexpr int MAP_HEADERS_STORED = 112;
}  // namespace aga

struct AgaGame {
  RomImage code{aga::CODE_SIZE};
  std::vector<std::pair<std::string, std::vector<uint8_t>>> files;  // name, content
};

// Theme blocks as 16x16 planar blocks of 128 bytes: 16 rows of four big-endian bitplane
// words, plane 0 first, the leftmost pixel in bit 15. The game draws them with palette
// line 0, so each colour becomes the nearest one of the sprite palette.
std::vector<uint8_t> planar_blocks(const Theme& theme, const std::vector<Palette>& palettes);

AgaGame make_aga_game(const GameContent& game);

// Writes CODE (packed) and the data files into dir, creating it.
bool write_aga_directory(const AgaGame& aga_game, const std::string& dir, std::string& error);

}  // namespace sample
