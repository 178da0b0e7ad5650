#include "tools/samplegame/rom_image.h"

#include <algorithm>
#include <stdexcept>

namespace sample {

RomImage::RomImage(uint32_t size) : bytes_(size, 0) {}

void RomImage::need(uint32_t offset, uint32_t n) const {
  if (offset > bytes_.size() || n > bytes_.size() - offset)
    throw std::runtime_error("write outside the image at " + std::to_string(offset));
}

void RomImage::put8(uint32_t offset, uint8_t v) {
  need(offset, 1);
  bytes_[offset] = v;
}

void RomImage::put16(uint32_t offset, uint16_t v) {
  need(offset, 2);
  bytes_[offset] = static_cast<uint8_t>(v >> 8);
  bytes_[offset + 1] = static_cast<uint8_t>(v);
}

void RomImage::put24(uint32_t offset, uint32_t v) {
  need(offset, 3);
  for (int i = 0; i < 3; ++i) bytes_[offset + i] = static_cast<uint8_t>(v >> (16 - 8 * i));
}

void RomImage::put32(uint32_t offset, uint32_t v) {
  need(offset, 4);
  for (int i = 0; i < 4; ++i) bytes_[offset + i] = static_cast<uint8_t>(v >> (24 - 8 * i));
}

void RomImage::put_bytes(uint32_t offset, const std::vector<uint8_t>& data) {
  need(offset, static_cast<uint32_t>(data.size()));
  std::copy(data.begin(), data.end(), bytes_.begin() + offset);
}

void RomImage::put_text(uint32_t offset, const std::string& text, uint32_t field_size) {
  need(offset, field_size);
  for (uint32_t i = 0; i < field_size; ++i) bytes_[offset + i] = i < text.size() ? static_cast<uint8_t>(text[i]) : ' ';
}

void RomImage::claim(uint32_t offset, uint32_t size, const std::string& name, const std::string& group) {
  need(offset, size);
  pieces_.push_back({offset, size, name, group});
}

void RomImage::place_at(uint32_t offset, const std::vector<uint8_t>& data, const std::string& name,
                        const std::string& group) {
  claim(offset, static_cast<uint32_t>(data.size()), name, group);
  put_bytes(offset, data);
}

bool RomImage::check(std::vector<Piece>* sorted, std::string* error) const {
  std::vector<Piece> p = pieces_;
  std::stable_sort(p.begin(), p.end(), [](const Piece& a, const Piece& b) { return a.offset < b.offset; });
  for (size_t i = 1; i < p.size(); ++i) {
    if (p[i].offset < p[i - 1].offset + p[i - 1].size) {
      if (error) *error = p[i - 1].name + " overlaps " + p[i].name;
      return false;
    }
  }
  if (sorted) *sorted = std::move(p);
  return true;
}

bool RomImage::zero_between(uint32_t begin, uint32_t end) const {
  end = std::min<uint32_t>(end, size());
  for (uint32_t i = begin; i < end; ++i)
    if (bytes_[i] != 0) return false;
  return true;
}

Area::Area(RomImage& image, std::string name, uint32_t begin, uint32_t end, bool grouped)
    : image_(image), name_(std::move(name)), begin_(begin), end_(end), next_(begin), grouped_(grouped) {}

uint32_t Area::place(const std::vector<uint8_t>& data, const std::string& name) {
  uint32_t at = (next_ + 1) & ~1u;
  if (at > end_ || data.size() > end_ - at)
    throw std::runtime_error("area " + name_ + " is full when placing " + name);
  image_.place_at(at, data, name, grouped_ ? name_ : "");
  next_ = at + static_cast<uint32_t>(data.size());
  return at;
}

}  // namespace sample
