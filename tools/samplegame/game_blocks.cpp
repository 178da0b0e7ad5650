#include "tools/samplegame/game_blocks.h"

#include <stdexcept>

namespace sample {
namespace {

void put16(std::vector<uint8_t>& out, uint16_t v) {
  out.push_back(static_cast<uint8_t>(v >> 8));
  out.push_back(static_cast<uint8_t>(v));
}

void set16(std::vector<uint8_t>& out, size_t at, uint16_t v) {
  out[at] = static_cast<uint8_t>(v >> 8);
  out[at + 1] = static_cast<uint8_t>(v);
}

}  // namespace

int ChunkSet::add(const Chunk& chunk) {
  if (chunk.w < 1 || chunk.h < 1 || chunk.w > 16 || chunk.h > 16 ||
      chunk.cells.size() != static_cast<size_t>(chunk.w * chunk.h))
    throw std::runtime_error("bad chunk size");
  std::vector<uint16_t> key = chunk.cells;
  key.push_back(static_cast<uint16_t>(chunk.w << 8 | chunk.h));
  auto it = lookup_.find(key);
  if (it != lookup_.end()) return it->second;
  if (count() >= 512) throw std::runtime_error("more than 512 chunks in a chunk set");
  chunks_.push_back(chunk);
  lookup_[key] = count() - 1;
  return count() - 1;
}

std::vector<uint8_t> ChunkSet::block() const {
  std::vector<uint8_t> out = {'I', 'T', 'M', 'S'};
  put16(out, static_cast<uint16_t>(count()));
  size_t offset = 6 + 2 * chunks_.size();
  for (const Chunk& c : chunks_) {
    if (offset > 0xFFFF) throw std::runtime_error("chunk set over 65,535 bytes");
    put16(out, static_cast<uint16_t>(offset));
    offset += 2 + 2 * c.w * c.h;
  }
  for (const Chunk& c : chunks_) {
    out.push_back(static_cast<uint8_t>(c.w));
    out.push_back(static_cast<uint8_t>(c.h));
    for (uint16_t cell : c.cells) put16(out, cell);
  }
  if (out.size() > 0xFFFF) throw std::runtime_error("chunk set over 65,535 bytes");
  return out;
}

Layout::Layout(uint8_t theme, uint16_t width, uint16_t height)
    : theme_(theme), width_(width), height_(height), rows_(height / 16 + 1) {
  if (height % 16 != 0) throw std::runtime_error("layout height not a multiple of 16");
}

void Layout::add(int row, uint16_t code, uint16_t x) {
  if (row < 1 || row > row_count()) throw std::runtime_error("layout row out of range: " + std::to_string(row));
  auto& r = rows_[row];
  size_t at = r.size();
  while (at > 0 && r[at - 1].x > x) --at;
  r.insert(r.begin() + static_cast<long>(at), LayoutObject{code, x});
}

int Layout::object_count() const {
  int n = 0;
  for (const auto& r : rows_) n += static_cast<int>(r.size());
  return n;
}

std::vector<uint8_t> Layout::block() const {
  const int n = row_count();
  std::vector<uint8_t> out = {'M', 'A', 'P', theme_};
  put16(out, width_);
  put16(out, height_);
  const size_t table = out.size();
  out.resize(table + 2 * (n + 1), 0);
  size_t offset = 10 + (height_ >> 3);
  out.resize(offset, 0);
  for (int k = 1; k <= n + 1; ++k) {
    if (offset > 0xFFFF) throw std::runtime_error("layout over 65,535 bytes");
    set16(out, table + 2 * (k - 1), static_cast<uint16_t>(offset));
    if (k <= n) offset += 4 * rows_[k].size();
  }
  for (int k = 1; k <= n; ++k)
    for (const LayoutObject& o : rows_[k]) {
      put16(out, o.code);
      put16(out, o.x);
    }
  if (out.size() != offset) throw std::runtime_error("layout size mismatch");
  return out;
}

}  // namespace sample
