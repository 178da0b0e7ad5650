// Writers of the game's two block formats: the chunk set ("ITMS") and the layout plane ("MAP"),
// in the canonical form the editor writes them.
#pragma once
#include <cstdint>
#include <map>
#include <vector>

namespace sample {

// Chunk cell attribute bits carried with the block number.
constexpr uint16_t CELL_FLIP = 0x1000;      // block drawn upside down
constexpr uint16_t CELL_SOLID_A = 0x2000;   // solid on plane A
constexpr uint16_t CELL_PLATFORM_B = 0x4000;

struct Chunk {
  int w = 0, h = 0;
  std::vector<uint16_t> cells;  // w * h words, row by row
  uint16_t cell(int c, int r) const { return cells[r * w + c]; }
};

class ChunkSet {
 public:
  // Adds a chunk (identical chunks are shared) and returns its number; throws past 512.
  int add(const Chunk& chunk);
  int count() const { return static_cast<int>(chunks_.size()); }
  const Chunk& chunk(int i) const { return chunks_[i]; }
  // "ITMS", the count, the offset table and the entries; throws past 65,535 bytes.
  std::vector<uint8_t> block() const;

 private:
  std::vector<Chunk> chunks_;
  std::map<std::vector<uint16_t>, int> lookup_;
};

// Object codes.
constexpr uint16_t OBJ_CHUNK_FLIP = 0x0200;
constexpr uint16_t obj_pickup(int type) { return static_cast<uint16_t>(0x0800 | type); }
constexpr uint16_t obj_block(int index) { return static_cast<uint16_t>(0x0900 | index); }
constexpr uint16_t OBJ_POST = 0x0A00;
constexpr uint16_t obj_large(int n) { return static_cast<uint16_t>(0x1100 | n); }

struct LayoutObject {
  uint16_t code, x;
};

class Layout {
 public:
  Layout(uint8_t theme, uint16_t width, uint16_t height);
  uint8_t theme() const { return theme_; }
  uint16_t width() const { return width_; }
  uint16_t height() const { return height_; }
  int row_count() const { return static_cast<int>(rows_.size()) - 1; }
  // Adds an object to row entry 1..N (throws otherwise); rows are kept sorted by x, equal x in
  // the order added.
  void add(int row, uint16_t code, uint16_t x);
  const std::vector<LayoutObject>& row(int r) const { return rows_[r]; }
  int object_count() const;
  // "MAP", theme, width, height, the row table and the objects; throws past 65,535 bytes.
  std::vector<uint8_t> block() const;

 private:
  uint8_t theme_;
  uint16_t width_, height_;
  std::vector<std::vector<LayoutObject>> rows_;  // entry 0 always empty
};

}  // namespace sample
