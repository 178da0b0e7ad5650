#include "tools/uiimages/icon.h"

#include <cstdint>
#include <initializer_list>

namespace {

constexpr uint32_t OPAQUE = 0xFF000000;

// Fills a rectangle, leaving the transparent corners of the square as they are.
void fill(BITMAP* b, int x0, int y0, int x1, int y1, uint32_t rgb) {
  for (int y = y0; y <= y1; ++y)
    for (int x = x0; x <= x1; ++x)
      if (reinterpret_cast<uint32_t*>(b->line[y])[x] & OPAQUE) put_pixel32(b, x, y, OPAQUE | rgb);
}

// A rounded square with a one-pixel rim: the corners outside radius r stay transparent.
void rounded_square(BITMAP* b, int r, uint32_t inside, uint32_t rim) {
  const int last = ICON_SIZE - 1;
  for (int y = 0; y <= last; ++y)
    for (int x = 0; x <= last; ++x) {
      const int dx = x < r ? r - x : x > last - r ? x - (last - r) : 0;
      const int dy = y < r ? r - y : y > last - r ? y - (last - r) : 0;
      const int d2 = dx * dx + dy * dy;
      if (d2 > r * r) continue;
      const bool edge = d2 > (r - 1) * (r - 1) || x == 0 || y == 0 || x == last || y == last;
      put_pixel32(b, x, y, OPAQUE | (edge ? rim : inside));
    }
}

// Grass blocks along the bottom: a bright top edge, then soil with a checker of darker dots.
void grass(BITMAP* b, int top) {
  const int bottom = ICON_SIZE - 2;  // above the rim
  fill(b, 1, top, ICON_SIZE - 2, bottom, 0x6B4A2B);
  fill(b, 1, top, ICON_SIZE - 2, top + 3, 0x3E9B3A);
  fill(b, 1, top, ICON_SIZE - 2, top, 0x7CD65A);
  for (int y = top + 5; y < bottom; y += 3)
    for (int x = 3 + (y % 2) * 2; x < ICON_SIZE - 3; x += 4) fill(b, x, y, x, y, 0x4E351E);
}

// The anvil: face with a horn to the left, waist and foot, lit from above.
void anvil(BITMAP* b) {
  const uint32_t light = 0xE6EAEC, body = 0xAEB4BA, shade = 0x667079;
  fill(b, 13, 15, 39, 21, body);
  for (int i = 0; i < 6; ++i) fill(b, 5 + i, 15 + i / 2, 12, 17 + i / 3, body);  // horn
  fill(b, 5, 15, 39, 15, light);
  fill(b, 13, 21, 39, 21, shade);
  fill(b, 19, 22, 32, 27, shade);
  fill(b, 15, 28, 36, 33, body);
  fill(b, 15, 28, 36, 28, light);
  fill(b, 15, 33, 36, 33, shade);
  // Moss on the face and the foot.
  for (int x : {16, 17, 18, 22, 23, 30, 31, 32, 33, 37})
    fill(b, x, x % 3 ? 16 : 17, x, x % 3 ? 16 : 17, 0x52B340);
  for (int x : {17, 18, 26, 27, 34}) fill(b, x, 29, x, 29, 0x52B340);
}

// A spark flying off the face.
void spark(BITMAP* b, int cx, int cy) {
  fill(b, cx - 3, cy, cx + 3, cy, 0xFFD040);
  fill(b, cx, cy - 3, cx, cy + 3, 0xFFD040);
  fill(b, cx, cy, cx, cy, 0xFFFFFF);
}

}  // namespace

BitmapPtr draw_icon() {
  BitmapPtr icon = make_bitmap(ICON_SIZE, ICON_SIZE);
  if (!icon) return icon;
  clear_to_color(icon.get(), 0);
  rounded_square(icon.get(), 7, 0x1F2B33, 0x0B1014);
  grass(icon.get(), 34);
  anvil(icon.get());
  spark(icon.get(), 34, 7);
  spark(icon.get(), 42, 11);
  return icon;
}
