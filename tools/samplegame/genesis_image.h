// Lays the sample game out as a Genesis ROM image at the offsets the game's tables use.
#pragma once
#include <string>
#include <vector>

#include "tools/samplegame/rom_image.h"
#include "tools/samplegame/sample_game.h"

namespace sample {

namespace genesis {
constexpr uint32_t IMAGE_SIZE = 0x200000;
constexpr uint32_t LARGE_OBJECT_PATTERNS = 0x0118E0;
constexpr uint32_t BLOCK_ICON_PATTERNS = 0x029940;
constexpr uint32_t MOON_PATTERNS = 0x02A840;
constexpr uint32_t MARKER_PATTERNS = 0x038660;
constexpr uint32_t MARKERS = 0x0A2BF2;
constexpr uint32_t BLOCK_TYPES = 0x0A725A;
constexpr uint32_t PICKUP_BASE = 0x0C6158;
constexpr uint32_t PICKUP_TABLE = 0x0C615C;
constexpr uint32_t MAP_TABLE = 0x0CB895;
constexpr uint32_t LAYOUT_TABLE = 0x0CEC8A;   // 256 entries, two banks of 128
constexpr uint32_t CHUNK_SET_TABLE = 0x0CF08A;
constexpr uint32_t SOLIDITY_TABLE = 0x0CF0B6;
constexpr uint32_t PATTERN_TABLE = 0x0CF0E2;
constexpr uint32_t BLOCK_MAP_TABLE = 0x0CF10E;
constexpr uint32_t COMMON_PATTERNS = 0x0CF166;
constexpr uint32_t COMMON_BLOCK_MAP = 0x1031C2;
constexpr uint32_t PALETTE_TABLE = 0x111726;
constexpr uint32_t PLACEMENT_BEGIN = 0x1128AC;  // kept free for the game build
constexpr uint32_t PLACEMENT_END = 0x164904;
}  // namespace genesis

// The image, and a listing of its pieces in address order.
RomImage make_genesis_image(const GameContent& game);
std::string genesis_listing(const RomImage& image);
// The maps: number, name, theme, plane sizes, layout forms and palette numbers.
std::string map_listing(const GameContent& game);
// Blocks, patterns and chunks of each theme.
std::string theme_listing(const GameContent& game);

}  // namespace sample
