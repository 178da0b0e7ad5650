#include "tools/samplegame/canvas.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace sample {

// K black, W white, l light grey, g dark grey, R red, r dark red, Y yellow, O orange,
// B brown, b dark brown, G green, d dark green, U blue, C cyan, P pink.
const char* const SPRITE_LEGEND = "K1W2l3g4R5r6Y7O8B9bAGBdCUDCEPF";

Canvas::Canvas(int w, int h, uint8_t fill) : w_(w), h_(h), px_(static_cast<size_t>(w) * h, fill) {}

bool Canvas::empty_picture() const {
  return std::all_of(px_.begin(), px_.end(), [](uint8_t c) { return c == 0; });
}

void Canvas::rect(int x, int y, int w, int h, uint8_t c) {
  for (int j = y; j < y + h; ++j)
    for (int i = x; i < x + w; ++i) set(i, j, c);
}

void Canvas::frame(int x, int y, int w, int h, uint8_t c) {
  hline(x, x + w - 1, y, c);
  hline(x, x + w - 1, y + h - 1, c);
  vline(x, y, y + h - 1, c);
  vline(x + w - 1, y, y + h - 1, c);
}

void Canvas::line(int x0, int y0, int x1, int y1, uint8_t c) {
  int dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
  int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1, err = dx + dy;
  for (;;) {
    set(x0, y0, c);
    if (x0 == x1 && y0 == y1) break;
    int e2 = 2 * err;
    if (e2 >= dy) err += dy, x0 += sx;
    if (e2 <= dx) err += dx, y0 += sy;
  }
}

void Canvas::ellipse(double cx, double cy, double rx, double ry, uint8_t c) {
  if (rx <= 0 || ry <= 0) return;
  for (int y = static_cast<int>(std::floor(cy - ry)); y <= static_cast<int>(std::ceil(cy + ry)); ++y)
    for (int x = static_cast<int>(std::floor(cx - rx)); x <= static_cast<int>(std::ceil(cx + rx)); ++x) {
      double dx = (x + 0.5 - cx) / rx, dy = (y + 0.5 - cy) / ry;
      if (dx * dx + dy * dy <= 1.0) set(x, y, c);
    }
}

void Canvas::polygon(const std::vector<std::pair<double, double>>& pts, uint8_t c) {
  for (int y = 0; y < h_; ++y)
    for (int x = 0; x < w_; ++x) {
      double px = x + 0.5, py = y + 0.5;
      bool in = false;
      for (size_t i = 0, j = pts.size() - 1; i < pts.size(); j = i++) {
        const auto& a = pts[i];
        const auto& b = pts[j];
        if ((a.second > py) != (b.second > py) && px < (b.first - a.first) * (py - a.second) / (b.second - a.second) + a.first)
          in = !in;
      }
      if (in) set(x, y, c);
    }
}

void Canvas::recolour(uint8_t a, uint8_t b) {
  for (auto& p : px_)
    if (p == a) p = b;
}

void Canvas::outline(uint8_t c) {
  Canvas old = *this;
  for (int y = 0; y < h_; ++y)
    for (int x = 0; x < w_; ++x)
      if (old.at(x, y) == 0 && (old.at(x - 1, y) || old.at(x + 1, y) || old.at(x, y - 1) || old.at(x, y + 1)))
        set(x, y, c);
}

void Canvas::blit(const Canvas& src, int x, int y) {
  for (int j = 0; j < src.h(); ++j)
    for (int i = 0; i < src.w(); ++i)
      if (uint8_t c = src.at(i, j)) set(x + i, y + j, c);
}

Canvas Canvas::crop(int x, int y, int w, int h) const {
  Canvas out(w, h);
  for (int j = 0; j < h; ++j)
    for (int i = 0; i < w; ++i) out.set(i, j, at(x + i, y + j));
  return out;
}

Canvas Canvas::mirrored() const {
  Canvas out(w_, h_);
  for (int j = 0; j < h_; ++j)
    for (int i = 0; i < w_; ++i) out.set(w_ - 1 - i, j, at(i, j));
  return out;
}

void Canvas::ascii(int x, int y, const std::vector<std::string>& rows, const std::string& legend) {
  for (size_t j = 0; j < rows.size(); ++j)
    for (size_t i = 0; i < rows[j].size(); ++i) {
      char ch = rows[j][i];
      if (ch == '.' || ch == ' ') continue;
      int c = -1;
      for (size_t k = 0; k + 1 < legend.size(); k += 2)
        if (legend[k] == ch) {
          char v = legend[k + 1];
          c = v <= '9' ? v - '0' : v - 'A' + 10;
          break;
        }
      if (c < 0) {
        if (ch >= '0' && ch <= '9') c = ch - '0';
        else if (ch >= 'a' && ch <= 'f') c = ch - 'a' + 10;
        else continue;
      }
      set(x + static_cast<int>(i), y + static_cast<int>(j), static_cast<uint8_t>(c));
    }
}

uint32_t hash3(int32_t x, int32_t y, uint32_t seed) {
  uint32_t h = seed * 0x27D4EB2Du ^ static_cast<uint32_t>(x) * 0x165667B1u ^ static_cast<uint32_t>(y) * 0x9E3779B1u;
  h ^= h >> 15;
  h *= 0x85EBCA77u;
  h ^= h >> 13;
  h *= 0xC2B2AE3Du;
  h ^= h >> 16;
  return h;
}

uint32_t Rng::next() {
  s_ ^= s_ << 13;
  s_ ^= s_ >> 17;
  s_ ^= s_ << 5;
  return s_;
}

int Rng::range(int lo, int hi) { return lo + static_cast<int>(next() % static_cast<uint32_t>(hi - lo + 1)); }

}  // namespace sample
