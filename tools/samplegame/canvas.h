// Indexed-colour pictures (colour indices 0..15, 0 = transparent) that the generator draws
// tiles, sprites and whole scenes into before they are cut into 8x8 patterns.
#pragma once
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace sample {

class Canvas {
 public:
  Canvas() = default;
  Canvas(int w, int h, uint8_t fill = 0);

  int w() const { return w_; }
  int h() const { return h_; }
  uint8_t at(int x, int y) const { return inside(x, y) ? px_[y * w_ + x] : 0; }
  bool inside(int x, int y) const { return x >= 0 && y >= 0 && x < w_ && y < h_; }
  void set(int x, int y, uint8_t c) {
    if (inside(x, y)) px_[y * w_ + x] = c;
  }
  const std::vector<uint8_t>& pixels() const { return px_; }
  bool empty_picture() const;  // every pixel transparent

  void fill(uint8_t c) { px_.assign(px_.size(), c); }
  void rect(int x, int y, int w, int h, uint8_t c);
  void frame(int x, int y, int w, int h, uint8_t c);  // one-pixel border
  void hline(int x0, int x1, int y, uint8_t c) { rect(x0, y, x1 - x0 + 1, 1, c); }
  void vline(int x, int y0, int y1, uint8_t c) { rect(x, y0, 1, y1 - y0 + 1, c); }
  void line(int x0, int y0, int x1, int y1, uint8_t c);
  // Filled ellipse with centre and radii in pixels (half pixels allowed).
  void ellipse(double cx, double cy, double rx, double ry, uint8_t c);
  // Filled polygon (pixel centres inside the outline, even-odd rule).
  void polygon(const std::vector<std::pair<double, double>>& points, uint8_t c);
  // Replaces colour a by b.
  void recolour(uint8_t a, uint8_t b);
  // Transparent pixels next to (4-neighbour) opaque ones take colour c.
  void outline(uint8_t c);
  // Copies the opaque pixels of src with its top-left corner at (x, y).
  void blit(const Canvas& src, int x, int y);
  Canvas crop(int x, int y, int w, int h) const;
  Canvas mirrored() const;
  // Draws rows of characters; each character maps through legend pairs "cN" (char, index)
  // or, for characters not in the legend, hex digits 0-9 a-f; '.' and ' ' are skipped.
  void ascii(int x, int y, const std::vector<std::string>& rows, const std::string& legend = "");

 private:
  int w_ = 0, h_ = 0;
  std::vector<uint8_t> px_;
};

// Deterministic pseudo-random helpers: a hash of coordinates and a small seeded generator.
uint32_t hash3(int32_t x, int32_t y, uint32_t seed);
class Rng {
 public:
  explicit Rng(uint32_t seed) : s_(seed * 2654435761u + 0x9E3779B9u) {}
  uint32_t next();
  int range(int lo, int hi);  // lo..hi inclusive
  bool chance(int percent) { return range(0, 99) < percent; }

 private:
  uint32_t s_;
};

// The letters used by sprite art drawn in palette line 0 (see palettes.h).
extern const char* const SPRITE_LEGEND;

}  // namespace sample
