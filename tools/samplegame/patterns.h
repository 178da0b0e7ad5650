// Cutting pictures into the hardware's 8x8 four-bit patterns: block sets (16x16 blocks made of
// four pattern words, identical patterns shared, flipped copies found) and sprite sheets
// (patterns stored column by column, the order icons and sprites use).
#pragma once
#include <cstdint>
#include <map>
#include <vector>

#include "tools/samplegame/canvas.h"

namespace sample {

constexpr int LEVEL_BLOCK_COUNT = 496;  // mappings in a block map block
constexpr int BLOCK_MAP_BYTES = 3968;

// What the game's collision data says about a block (our solidity layout, see LAYOUT.md).
enum class Solid : uint8_t { None = 0, Solid = 1, Platform = 2, Water = 3, Hazard = 4 };

struct Mapping {
  uint16_t word[4];  // top-left, top-right, bottom-left, bottom-right
};

// Patterns shared by a set of blocks, with pattern 0 kept empty.
class BlockSet {
 public:
  explicit BlockSet(int max_blocks);
  // Adds a 16x16 picture drawn in one palette line; identical blocks are shared. Returns the
  // mapping index. Throws when the set is full.
  int add(const Canvas& art, int line, Solid solid = Solid::None, bool priority = false);
  int count() const { return static_cast<int>(mappings_.size()); }
  int pattern_count() const { return static_cast<int>(patterns_.size()); }
  const Mapping& mapping(int i) const { return mappings_[i]; }
  const Canvas& art(int i) const { return art_[i]; }
  int line(int i) const { return lines_[i]; }
  Solid solid(int i) const { return solids_[i]; }

  // Hardware patterns, 32 bytes each (two pixels a byte, left pixel in the high nibble).
  std::vector<uint8_t> pattern_bytes() const;
  // 496 mappings of four big-endian words; unused mappings are zero.
  std::vector<uint8_t> block_map_bytes() const;

 private:
  uint16_t pattern_word(const Canvas& quarter);
  int max_blocks_;
  std::vector<std::vector<uint8_t>> patterns_;  // 64 indices each
  std::map<std::vector<uint8_t>, uint16_t> lookup_;  // picture -> pattern number | flip bits
  std::map<std::pair<std::vector<uint8_t>, int>, int> block_lookup_;
  std::vector<Mapping> mappings_;
  std::vector<Canvas> art_;
  std::vector<int> lines_;
  std::vector<Solid> solids_;
};

// Patterns appended in sprite order: a picture of C x R patterns gives pattern p + c * R + r
// for column c, row r.
class SpriteSheet {
 public:
  int count() const { return static_cast<int>(patterns_.size()); }
  // Appends the picture (width and height multiples of 8); returns its first pattern number.
  int append(const Canvas& picture);
  std::vector<uint8_t> pattern_bytes() const;
  const std::vector<uint8_t>& pattern(int i) const { return patterns_[i]; }

 private:
  std::vector<std::vector<uint8_t>> patterns_;
};

// 32 hardware bytes from 64 colour indices.
std::vector<uint8_t> pack_pattern(const std::vector<uint8_t>& pixels);

}  // namespace sample
