#include "tools/samplegame/patterns.h"

#include <stdexcept>
#include <string>

namespace sample {
namespace {

std::vector<uint8_t> quarter_pixels(const Canvas& c, int qx, int qy) {
  std::vector<uint8_t> p(64);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) p[y * 8 + x] = c.at(qx + x, qy + y);
  return p;
}

std::vector<uint8_t> flipped(const std::vector<uint8_t>& p, bool h, bool v) {
  std::vector<uint8_t> out(64);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) out[y * 8 + x] = p[(v ? 7 - y : y) * 8 + (h ? 7 - x : x)];
  return out;
}

}  // namespace

std::vector<uint8_t> pack_pattern(const std::vector<uint8_t>& pixels) {
  std::vector<uint8_t> out(32);
  for (int i = 0; i < 32; ++i) out[i] = static_cast<uint8_t>((pixels[2 * i] & 15) << 4 | (pixels[2 * i + 1] & 15));
  return out;
}

BlockSet::BlockSet(int max_blocks) : max_blocks_(max_blocks) {
  std::vector<uint8_t> blank(64, 0);
  patterns_.push_back(blank);
  lookup_[blank] = 0;
}

uint16_t BlockSet::pattern_word(const Canvas& quarter) {
  std::vector<uint8_t> p = quarter_pixels(quarter, 0, 0);
  // A stored pattern P drawn with flips f shows flipped(P, f); look for P = flipped(p, f).
  for (int f = 0; f < 4; ++f) {
    auto it = lookup_.find(flipped(p, f & 1, f & 2));
    if (it != lookup_.end()) return static_cast<uint16_t>(it->second | (f & 1 ? 0x0800 : 0) | (f & 2 ? 0x1000 : 0));
  }
  if (patterns_.size() >= 2048) throw std::runtime_error("more than 2048 patterns in one set");
  uint16_t n = static_cast<uint16_t>(patterns_.size());
  patterns_.push_back(p);
  lookup_[p] = n;
  return n;
}

int BlockSet::add(const Canvas& art, int line, Solid solid, bool priority) {
  auto key = std::make_pair(art.pixels(), line);
  auto it = block_lookup_.find(key);
  if (it != block_lookup_.end()) return it->second;
  if (count() >= max_blocks_) throw std::runtime_error("block set is full (" + std::to_string(max_blocks_) + " blocks)");
  Mapping m{};
  for (int k = 0; k < 4; ++k) {
    Canvas q = art.crop(8 * (k % 2), 8 * (k / 2), 8, 8);
    uint16_t w = pattern_word(q);
    // An empty quarter needs no palette line; keep the word 0 so unused space stays zero.
    if ((w & 0x7FF) != 0) w |= static_cast<uint16_t>(line << 13 | (priority ? 0x8000 : 0));
    m.word[k] = w;
  }
  mappings_.push_back(m);
  art_.push_back(art);
  lines_.push_back(line);
  solids_.push_back(solid);
  int index = count() - 1;
  block_lookup_[key] = index;
  return index;
}

std::vector<uint8_t> BlockSet::pattern_bytes() const {
  std::vector<uint8_t> out;
  for (const auto& p : patterns_) {
    auto b = pack_pattern(p);
    out.insert(out.end(), b.begin(), b.end());
  }
  return out;
}

std::vector<uint8_t> BlockSet::block_map_bytes() const {
  std::vector<uint8_t> out(BLOCK_MAP_BYTES, 0);
  for (size_t i = 0; i < mappings_.size() && i < static_cast<size_t>(LEVEL_BLOCK_COUNT); ++i)
    for (int k = 0; k < 4; ++k) {
      out[8 * i + 2 * k] = static_cast<uint8_t>(mappings_[i].word[k] >> 8);
      out[8 * i + 2 * k + 1] = static_cast<uint8_t>(mappings_[i].word[k]);
    }
  return out;
}

int SpriteSheet::append(const Canvas& picture) {
  int first = count();
  for (int c = 0; c < picture.w() / 8; ++c)
    for (int r = 0; r < picture.h() / 8; ++r) patterns_.push_back(quarter_pixels(picture, 8 * c, 8 * r));
  return first;
}

std::vector<uint8_t> SpriteSheet::pattern_bytes() const {
  std::vector<uint8_t> out;
  for (const auto& p : patterns_) {
    auto b = pack_pattern(p);
    out.insert(out.end(), b.begin(), b.end());
  }
  return out;
}

}  // namespace sample
