// The sample game's content, independent of where an edition stores it: themes (blocks,
// patterns, chunk sets), layouts, level headers, palettes, the game-wide graphics, block types
// and world-map markers. genesis_image.cpp lays it out as a Genesis ROM image.
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "tools/samplegame/game_blocks.h"
#include "tools/samplegame/palettes.h"
#include "tools/samplegame/patterns.h"

namespace sample {

constexpr int COMMON_BLOCKS = 24;
constexpr int LEVEL_COUNT = 24;        // maps 0 (world map) .. 23
constexpr int MAP_HEADER_COUNT = 256;  // every map number reads a valid header
constexpr int MARKER_COUNT = 131;
constexpr int BLOCK_TYPE_COUNT = 105;
constexpr int PICKUP_TYPES = 58;

// A chunk of a theme's chunk set and its size in blocks.
struct ChunkRef {
  int id = -1, w = 0, h = 0;
};

// The chunks a level designer places, per level theme.
struct ThemeKit {
  static constexpr int DEPTHS[3] = {4, 6, 8};  // ground depths in blocks
  ChunkRef ground_left[3], ground_right[3];               // ends beside a pit, full depth
  ChunkRef ground_mid[3], ground_mid_b[3], ground_half[3];  // 4, 4 and 2 wide
  ChunkRef step_left[5], step_right[5];  // 2 wide, surface and side edge, 1..4 deep (index = depth)
  ChunkRef body[9];                      // 2 wide, ground without surface, 1..8 deep (index = depth)
  ChunkRef water[3];                     // 2 wide, as deep as the ground
  ChunkRef platform[3];    // 3, 4 and 6 wide
  ChunkRef block, stairs, bridge, hanging, spikes, door, sign, crates, chain;
  std::vector<ChunkRef> scenery;  // standing on the ground
  std::vector<ChunkRef> small;    // 1x1 on the ground
  ChunkRef sky_high, sky_mid, sky_low[2], cloud[2], sun;
};

struct Theme {
  int id = 0;
  std::string name;
  BlockSet blocks{LEVEL_BLOCK_COUNT};
  ChunkSet chunks;
  ThemeKit kit;
  bool plain_chunk_set = true, plain_block_map = true;
  // Solidity: 8 bytes for each block 0..519 (see LAYOUT.md).
  std::vector<uint8_t> solidity(const BlockSet& common) const;
};

struct MapHeader {
  std::array<uint8_t, 13> bytes{};  // map_front .. music
};

struct Marker {
  uint8_t type = 0;  // 0 normal, 1 tunnel, 0xFE secret, 0xFF secret fork
  std::string name;  // may be longer than 24 characters on purpose (see markers.cpp)
  int16_t x = 0, y = 0;
  uint8_t up = 255, down = 255, left = 255, right = 255, spare = 0, tunnel = 255;
};

struct BlockType {
  int16_t kind;
  uint16_t param;  // high byte effect, low byte attribute (or the referenced entry)
};

struct LayoutSlot {
  int layout = -1;  // index into fronts (bank 0) or backs (bank 1), -1 none
  bool packed = false;
};

struct GameContent {
  BlockSet common{COMMON_BLOCKS};
  std::vector<Palette> palettes;
  std::vector<Theme> themes;  // THEME_COUNT, the world map last
  std::vector<Layout> fronts;  // front layout n is layout number n
  std::vector<Layout> backs;   // back layout n is layout number 0x80 + n
  std::vector<bool> front_packed, back_packed;
  std::vector<MapHeader> headers;  // MAP_HEADER_COUNT
  std::vector<std::string> level_names;  // names of maps 1..LEVEL_COUNT-1 (index = map - 1)
  SpriteSheet moon, block_icons, large_object, marker_icons;
  std::vector<SpriteSheet> pickup_graphics;  // 4 patterns each
  std::vector<int> pickup_graphic_of_type;   // 58 entries
  std::vector<BlockType> block_types;        // 105
  std::vector<Marker> markers;               // 131
};

// Builders, each in its own file.
GameContent build_sample_game();
void build_common_graphics(GameContent& game);
Theme build_level_theme(int id);
void build_levels(GameContent& game);
void build_world_map(GameContent& game);  // theme, layouts 0 and 0x80, markers
std::vector<BlockType> make_block_types();
std::vector<std::string> marker_names();   // 131 names (index = marker)

}  // namespace sample
