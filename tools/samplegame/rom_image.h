// A big-endian byte image with named, non-overlapping pieces: fixed tables at given offsets
// and variable data placed by sequential allocators inside areas kept for it.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace sample {

class RomImage {
 public:
  explicit RomImage(uint32_t size);

  uint32_t size() const { return static_cast<uint32_t>(bytes_.size()); }
  const std::vector<uint8_t>& bytes() const { return bytes_; }
  uint8_t at(uint32_t offset) const { return bytes_.at(offset); }

  void put8(uint32_t offset, uint8_t v);
  void put16(uint32_t offset, uint16_t v);
  void put24(uint32_t offset, uint32_t v);
  void put32(uint32_t offset, uint32_t v);
  void put_bytes(uint32_t offset, const std::vector<uint8_t>& data);
  void put_text(uint32_t offset, const std::string& text, uint32_t field_size);  // space padded

  // Records that [offset, offset + size) holds the named piece; overlaps are errors.
  // Pieces of one group are listed as one line.
  void claim(uint32_t offset, uint32_t size, const std::string& name, const std::string& group = "");
  // Claims and writes data at a fixed offset.
  void place_at(uint32_t offset, const std::vector<uint8_t>& data, const std::string& name,
                const std::string& group = "");

  struct Piece {
    uint32_t offset, size;
    std::string name, group;
  };
  // The pieces in address order; fails (returns false, with the reason) on any overlap.
  bool check(std::vector<Piece>* sorted, std::string* error) const;
  // True when every byte of [begin, end) is zero.
  bool zero_between(uint32_t begin, uint32_t end) const;

 private:
  void need(uint32_t offset, uint32_t n) const;
  std::vector<uint8_t> bytes_;
  std::vector<Piece> pieces_;
};

// Hands out consecutive even offsets inside [begin, end) of an image.
class Area {
 public:
  // A grouped area is listed as one line.
  Area(RomImage& image, std::string name, uint32_t begin, uint32_t end, bool grouped = false);
  // Places data at the next even offset and returns that offset; throws when full.
  uint32_t place(const std::vector<uint8_t>& data, const std::string& name);
  uint32_t used() const { return next_ - begin_; }

 private:
  RomImage& image_;
  std::string name_;
  uint32_t begin_, end_, next_;
  bool grouped_;
};

}  // namespace sample
