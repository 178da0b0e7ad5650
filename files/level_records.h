// The records of one level as the game stores them: header, layout planes, chunks,
// blocks, patterns, palettes, markers and block types. Plain data with no library
// dependencies: the block readers and writers here and the model in gamedata/ build on them.
// All values are in host byte order.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The thirteen bytes of a map table entry, in file order.
struct MapHeader {
  uint8_t map_front = 0;  // 0 is the map screen
  uint8_t map_back = 0;
  uint8_t palette_main = 0;
  uint8_t palette_front = 0;
  uint8_t palette_back = 0;
  uint8_t palette_flash = 0;
  uint8_t back_scroll_a = 0;
  uint8_t back_scroll_b = 0;
  uint8_t back_scroll_c = 0;
  uint8_t back_scroll_d = 0;
  uint8_t front_scroll = 0;
  uint8_t flags = 0;
  uint8_t music = 0;
};
static_assert(sizeof(MapHeader) == 13, "MapHeader mirrors the 13-byte map table entry");

struct PaletteColor {
  uint8_t red = 0, green = 0, blue = 0, spare = 0;
};
using PaletteLine = std::array<PaletteColor, 16>;
using Palettes = std::array<PaletteLine, 4>;

// Converts a hardware colour word 0000 BBB0 GGG0 RRR0 (each channel times 32).
inline PaletteColor colour_from_word(uint16_t w) {
  PaletteColor c;
  c.red = static_cast<uint8_t>(((w >> 1) & 7) * 32);
  c.green = static_cast<uint8_t>(((w >> 5) & 7) * 32);
  c.blue = static_cast<uint8_t>(((w >> 9) & 7) * 32);
  return c;
}

// 8x8 patterns, one colour index (0..15) per byte, 64 bytes per pattern.
struct PatternSet {
  int16_t count = 0;
  std::vector<uint8_t> pixels;  // count * 64 bytes
  // The 64 pixels of pattern n, or null when the set has no such pattern.
  const uint8_t* pattern(int n) const {
    return n >= 0 && n < count && pixels.size() >= static_cast<size_t>(n + 1) * 64 ? &pixels[static_cast<size_t>(n) * 64]
                                                                                   : nullptr;
  }
};

// Pattern word: bits 0-10 pattern, 11 horizontal flip, 12 vertical flip, 13-14 palette line, 15 priority.
constexpr uint16_t PATTERN_NUMBER_MASK = 0x7FF;
constexpr uint16_t PATTERN_HFLIP = 0x800;
constexpr uint16_t PATTERN_VFLIP = 0x1000;

// Four pattern words: top-left, top-right, bottom-left, bottom-right.
struct BlockMapping {
  std::array<uint16_t, 4> words{};
};
struct BlockMap {
  int16_t count = 0;
  std::vector<BlockMapping> mappings;
};

constexpr int COMMON_BLOCK_COUNT = 24;      // blocks 0..23; block 24 + i is level mapping i
constexpr int LEVEL_BLOCKMAP_COUNT = 496;   // mappings of a level block map
constexpr int BLOCKMAP_BYTES = 3968;        // 496 mappings of 8 bytes
constexpr int BLOCK_SLOTS = 2048;
constexpr int CHUNK_SLOTS = 2048;

// Chunk cell: bits 0-8 block number (0 = empty cell), bit 12 vertical flip of the block,
// bit 15 priority (the block is in layer H, else in layer L).
constexpr uint16_t CELL_BLOCK_MASK = 0x1FF;
constexpr uint16_t CELL_VFLIP = 0x1000;
constexpr uint16_t CELL_PRIORITY = 0x8000;

// One chunk: up to 16x16 blocks; cells are row-major with 16 cells per row whatever the
// width, so a chunk is 514 bytes and cell (c, r) is at byte 2 + 2 * (16 * r + c).
struct Chunk {
  int8_t width = 0;   // columns in use; 0 or less: an empty chunk
  int8_t height = 0;  // rows in use
  uint16_t cells[256] = {};
  uint16_t& cell(int column, int row) { return cells[16 * row + column]; }
  uint16_t cell(int column, int row) const { return cells[16 * row + column]; }
};
static_assert(sizeof(Chunk) == 514, "chunks keep the game's 514-byte stride");
static_assert(offsetof(Chunk, cells) == 2, "cells start at byte 2 of a chunk");

struct ChunkMap {
  std::vector<Chunk> chunks;
  int16_t count() const { return static_cast<int16_t>(chunks.size()); }
};

// Object code kinds.
constexpr uint16_t OBJECT_CHUNK_LIMIT = 0x400;  // codes below are chunk placements
constexpr uint16_t PLACEMENT_CHUNK_MASK = 0x1FF;
constexpr uint16_t PLACEMENT_VFLIP = 0x200;
constexpr uint16_t OBJECT_PICKUP = 0x0800;        // 0x08nn: pickup type nn
constexpr uint16_t OBJECT_BLOCK = 0x0900;         // 0x09nn: block_types entry nn
constexpr uint16_t OBJECT_POST = 0x0A00;          // the fixed post
constexpr uint16_t OBJECT_LARGE = 0x1100;         // 0x11nn: animated large object

struct LayoutObject {
  uint16_t code = 0;
  uint16_t x = 0;
  // In the level editor's selection (files/layout_selection.h). Not part of the game's data:
  // never stored, never compared; it travels with the object through every row operation.
  bool selected = false;
  bool operator==(const LayoutObject& o) const { return code == o.code && x == o.x; }
};

struct LayoutRow {
  std::vector<LayoutObject> objects;
  int32_t count() const { return static_cast<int32_t>(objects.size()); }
  // Where a new object at x goes: after the last entry whose x is at most x, scanning from
  // the end (the row stays sorted by x and equal x keep their order).
  size_t insert_position(uint16_t x) const {
    size_t pos = objects.size();
    while (pos > 0 && objects[pos - 1].x > x) --pos;
    return pos;
  }
  bool operator==(const LayoutRow& o) const { return objects == o.objects; }
};

// A plane has height / 16 + 1 rows; row 0 is always empty and never written.
// The objects of row r have their top edge at level pixel 16 * (r - 1).
struct LayoutPlane {
  uint8_t theme = 0;
  uint16_t width = 0;
  uint16_t height = 0;
  std::vector<LayoutRow> rows;
  bool operator==(const LayoutPlane& o) const {
    return theme == o.theme && width == o.width && height == o.height && rows == o.rows;
  }
};

// Marker types.
constexpr uint8_t MARKER_NORMAL = 0;
constexpr uint8_t MARKER_TUNNEL = 1;
constexpr uint8_t MARKER_SECRET = 0xFE;
constexpr uint8_t MARKER_SECRET_FORK = 0xFF;
constexpr uint8_t MARKER_NO_LINK = 255;

// A map-screen marker; marker i also names map i + 1.
struct Marker {
  uint8_t type = MARKER_NORMAL;
  std::string name;  // at most 24 characters
  int16_t x = 0, y = 0;
  uint8_t next_up = MARKER_NO_LINK;
  uint8_t next_down = MARKER_NO_LINK;
  uint8_t next_left = MARKER_NO_LINK;
  uint8_t next_right = MARKER_NO_LINK;
  uint8_t next_tunnel = MARKER_NO_LINK;
  bool operator==(const Marker& o) const {
    return type == o.type && name == o.name && x == o.x && y == o.y && next_up == o.next_up && next_down == o.next_down &&
           next_left == o.next_left && next_right == o.next_right && next_tunnel == o.next_tunnel;
  }
};

// Block-object table entry; param's high byte is the effect, its low byte the attribute
// (for kinds 4 and 5 the index of the referenced entry). Negative kinds are not valid targets.
struct BlockType {
  int16_t kind = 0;
  uint16_t param = 0;
};

constexpr int MARKER_COUNT = 131;
constexpr int BLOCK_TYPE_COUNT = 105;
constexpr int PICKUP_TYPE_COUNT = 58;
