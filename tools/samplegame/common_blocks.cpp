// The 24 common blocks shared by all levels, and the moon.
#include "tools/samplegame/sprite_art.h"

namespace sample {

Canvas bevel_block(int size, uint8_t light, uint8_t mid, uint8_t dark) {
  Canvas c(size, size, mid);
  c.rect(1, 1, size - 2, 2, light);
  c.rect(1, 1, 2, size - 2, light);
  c.rect(1, size - 3, size - 2, 2, dark);
  c.rect(size - 3, 1, 2, size - 2, dark);
  c.frame(0, 0, size, size, INK_BLACK);
  return c;
}

namespace {

Canvas question_block(uint8_t light, uint8_t mid, uint8_t dark) {
  Canvas c = bevel_block(16, light, mid, dark);
  c.ascii(4, 3, {".KKKK...", "KWWWWK..", "KWKKWWK.", "...KWWK.", "..KWWK..", "..KWK...", "........", "..KWK..."},
          SPRITE_LEGEND);
  c.set(3, 3, dark), c.set(12, 12, light);
  return c;
}

Canvas spring() {
  Canvas c(16, 16);
  c.rect(1, 13, 14, 3, INK_DGREY);
  c.hline(1, 14, 13, INK_LGREY);
  for (int i = 0; i < 4; ++i) {
    c.hline(3, 12, 3 + 2 * i + i, INK_RED);
    c.hline(4, 11, 4 + 2 * i + i, INK_DRED);
  }
  c.rect(2, 1, 12, 2, INK_LGREY);
  c.outline(INK_BLACK);
  return c;
}

Canvas lever(bool on) {
  Canvas c(16, 16);
  c.rect(2, 10, 12, 6, INK_DGREY);
  c.rect(3, 11, 10, 1, INK_LGREY);
  c.line(8, 11, on ? 12 : 4, 3, INK_LGREY);
  c.line(9, 11, on ? 13 : 5, 3, INK_LGREY);
  c.ellipse(on ? 12.5 : 4.5, 3.5, 2.5, 2.5, on ? INK_GREEN : INK_RED);
  c.set(on ? 12 : 4, 2, INK_WHITE);
  c.rect(6, 13, 4, 2, on ? INK_GREEN : INK_RED);
  c.outline(INK_BLACK);
  return c;
}

Canvas spikes() {
  Canvas c(16, 16);
  for (int i = 0; i < 4; ++i) {
    double x = 4 * i;
    c.polygon({{x, 16}, {x + 2, 4}, {x + 4, 16}}, INK_LGREY);
    c.line(4 * i + 1, 15, 4 * i + 2, 6, INK_WHITE);
  }
  c.rect(0, 14, 16, 2, INK_DGREY);
  return c;
}

Canvas ladder() {
  Canvas c(16, 16);
  c.rect(2, 0, 2, 16, INK_BROWN);
  c.rect(12, 0, 2, 16, INK_BROWN);
  c.rect(4, 3, 8, 2, INK_ORANGE);
  c.rect(4, 11, 8, 2, INK_ORANGE);
  c.vline(1, 0, 15, INK_DBROWN);
  c.vline(14, 0, 15, INK_DBROWN);
  return c;
}

Canvas chain() {
  Canvas c(16, 16);
  c.ellipse(8, 4, 3, 4, INK_LGREY);
  c.ellipse(8, 4, 1.5, 2.5, 0);
  c.rect(7, 9, 2, 7, INK_LGREY);
  c.vline(7, 9, 15, INK_WHITE);
  c.outline(INK_DGREY);
  return c;
}

Canvas arrow_sign(bool right) {
  Canvas c(16, 16);
  c.rect(7, 9, 2, 7, INK_DBROWN);
  c.polygon({{1, 2}, {11, 2}, {15, 6}, {11, 10}, {1, 10}}, INK_BROWN);
  c.hline(2, 10, 3, INK_ORANGE);
  c.hline(4, 10, 6, INK_WHITE), c.line(8, 5, 10, 6, INK_WHITE), c.line(8, 7, 10, 6, INK_WHITE);
  c.outline(INK_BLACK);
  return right ? c : c.mirrored();
}

Canvas crate() {
  Canvas c = bevel_block(16, INK_ORANGE, INK_BROWN, INK_DBROWN);
  c.line(3, 3, 12, 12, INK_DBROWN);
  c.line(3, 12, 12, 3, INK_DBROWN);
  c.line(4, 3, 12, 11, INK_ORANGE);
  return c;
}

Canvas dotted() {
  Canvas c(16, 16);
  for (int i = 0; i < 16; i += 2) {
    c.set(i, 0, INK_WHITE), c.set(i, 15, INK_WHITE), c.set(0, i, INK_WHITE), c.set(15, i, INK_WHITE);
  }
  return c;
}

Canvas post_top() {
  Canvas c(16, 16);
  c.rect(6, 9, 4, 7, INK_BROWN);
  c.vline(6, 9, 15, INK_ORANGE);
  c.ellipse(8, 5, 5, 5, INK_RED);
  c.ellipse(7, 4, 2, 2, INK_PINK);
  c.set(6, 3, INK_WHITE);
  c.outline(INK_BLACK);
  c.rect(6, 14, 4, 2, INK_BROWN);  // the pole continues into the next block
  c.vline(6, 14, 15, INK_ORANGE);
  c.set(5, 15, INK_BLACK), c.set(10, 15, INK_BLACK);
  return c;
}

Canvas pole() {
  Canvas c(16, 16);
  c.rect(5, 0, 6, 16, INK_BLACK);
  c.rect(6, 0, 4, 16, INK_BROWN);
  c.vline(6, 0, 15, INK_ORANGE);
  c.vline(9, 0, 15, INK_DBROWN);
  c.hline(6, 9, 7, INK_DBROWN);
  return c;
}

Canvas base_piece(int which) {  // 0 left end, 1 middle, 2 right end
  Canvas c(16, 16);
  c.rect(0, 2, 16, 14, INK_LGREY);
  c.rect(0, 2, 16, 2, INK_WHITE);
  c.rect(0, 13, 16, 3, INK_DGREY);
  for (int x = which == 1 ? 0 : 8; x < 16; x += 16) c.vline(x, 4, 12, INK_DGREY);
  c.hline(0, 15, 8, INK_DGREY);
  c.vline(4, 9, 12, INK_DGREY), c.vline(12, 4, 7, INK_DGREY);
  if (which == 0) {
    c.rect(0, 2, 3, 14, 0);
    c.polygon({{3, 2}, {3, 16}, {0, 16}, {0, 6}}, INK_LGREY);
  }
  if (which == 2) {
    c.rect(13, 2, 3, 14, 0);
    c.polygon({{13, 2}, {16, 6}, {16, 16}, {13, 16}}, INK_LGREY);
  }
  c.outline(INK_BLACK);
  c.hline(0, 15, 0, 0), c.hline(0, 15, 1, 0);
  c.hline(which == 0 ? 3 : 0, which == 2 ? 12 : 15, 1, INK_BLACK);
  return c;
}

Canvas water(bool surface) {
  Canvas c(16, 16, INK_BLUE);
  if (surface) {
    c.rect(0, 0, 16, 4, 0);
    for (int x = 0; x < 16; ++x) {
      int top = x % 8 < 4 ? 3 : 4;
      c.vline(x, top, top + 1, INK_CYAN);
      c.set(x, top - 1, x % 8 == 2 ? INK_WHITE : 0);
    }
  }
  for (int i = 0; i < 3; ++i) c.hline(2 + 5 * i, 5 + 5 * i, 9 + 2 * i, INK_CYAN);
  return c;
}

Canvas rock() {
  Canvas c(16, 16);
  c.ellipse(8, 9.5, 7.5, 6.5, INK_LGREY);
  c.ellipse(9, 11, 6, 4.5, INK_DGREY);
  c.ellipse(7, 9, 5, 4, INK_LGREY);
  c.ellipse(6, 7, 2, 1.5, INK_WHITE);
  c.set(11, 12, INK_BLACK), c.set(12, 11, INK_BLACK);
  c.outline(INK_BLACK);
  return c;
}

Canvas door() {
  Canvas c(16, 16);
  c.rect(2, 1, 12, 15, INK_BROWN);
  c.rect(2, 1, 12, 1, INK_ORANGE);
  c.vline(8, 2, 15, INK_DBROWN);
  c.vline(3, 2, 15, INK_ORANGE);
  c.ellipse(11, 9, 1.2, 1.2, INK_YELLOW);
  c.outline(INK_BLACK);
  return c;
}

}  // namespace

std::vector<Canvas> common_block_pictures() {
  std::vector<Canvas> b;
  b.push_back(Canvas(16, 16));                                    // 0 empty
  Canvas night = bevel_block(16, INK_CYAN, INK_BLUE, INK_BLACK);  // 1 under the moon
  b.push_back(night);
  b.push_back(question_block(INK_YELLOW, INK_ORANGE, INK_BROWN));  // 2 prize block
  b.push_back(bevel_block(16, INK_BROWN, INK_DBROWN, INK_BLACK));  // 3 used block
  Canvas metal = bevel_block(16, INK_WHITE, INK_LGREY, INK_DGREY);  // 4 metal block
  for (int p : {3, 12})
    for (int q : {3, 12}) metal.set(p, q, INK_DGREY);
  b.push_back(metal);
  b.push_back(spring());       // 5
  b.push_back(lever(false));   // 6 switch off
  b.push_back(lever(true));    // 7 switch on
  b.push_back(spikes());       // 8
  b.push_back(ladder());       // 9
  b.push_back(chain());        // 10
  b.push_back(arrow_sign(true));   // 11
  b.push_back(arrow_sign(false));  // 12
  b.push_back(crate());        // 13
  b.push_back(dotted());       // 14 hidden block
  b.push_back(post_top());     // 15
  b.push_back(pole());         // 16
  b.push_back(base_piece(0));  // 17
  b.push_back(base_piece(1));  // 18
  b.push_back(base_piece(2));  // 19
  b.push_back(water(true));    // 20
  b.push_back(water(false));   // 21
  b.push_back(rock());         // 22
  b.push_back(door());         // 23
  return b;
}

Canvas moon_picture() {
  Canvas c(16, 16);
  c.ellipse(8, 8, 7, 7, INK_YELLOW);
  c.ellipse(11, 6, 6, 6, 0);
  c.ellipse(5, 10, 1, 1, INK_ORANGE);
  c.ellipse(4, 6, 0.8, 0.8, INK_ORANGE);
  c.set(3, 4, INK_WHITE), c.set(2, 6, INK_WHITE);
  c.outline(INK_BLACK);
  return c;
}

}  // namespace sample
