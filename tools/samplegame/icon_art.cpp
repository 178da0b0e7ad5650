// Block-object icons, the large animated object and the world-map marker icons.
#include <cmath>

#include "tools/samplegame/sprite_art.h"

namespace sample {
namespace {


void question_mark(Canvas& c, int x, int y, uint8_t ink) {
  Canvas q(7, 9);
  q.ascii(0, 0, {".XXXX..", "XX..XX.", "....XX.", "...XX..", "..XX...", "..XX...", ".......", "..XX...", "..XX..."},
          "X1");
  q.recolour(1, ink);
  c.blit(q, x, y);
}

Canvas symbol_block(uint8_t light, uint8_t mid, uint8_t dark, int symbol) {
  Canvas c = bevel_block(16, light, mid, dark);
  switch (symbol) {
    case 1: question_mark(c, 5, 4, INK_WHITE); break;
    case 2:  // rivets
      for (int p : {4, 11})
        for (int q : {4, 11}) c.set(p, q, dark);
      break;
    case 3:  // moon
      c.ellipse(8, 8, 4.5, 4.5, INK_YELLOW);
      c.ellipse(10, 6.5, 3.5, 3.5, mid);
      break;
    case 4:  // moon outline
      c.ellipse(8, 8, 4.5, 4.5, dark);
      c.ellipse(8, 8, 3.5, 3.5, mid);
      c.ellipse(10, 6.5, 3.5, 3.5, mid);
      break;
    case 5:
    case 6: {  // star, star outline
      std::vector<std::pair<double, double>> pts;
      for (int i = 0; i < 10; ++i) {
        double a = -1.5707963 + i * 3.14159265 / 5, r = i % 2 ? 2.2 : 5.2;
        pts.push_back({8 + r * std::cos(a), 8.4 + r * std::sin(a)});
      }
      c.polygon(pts, symbol == 5 ? static_cast<uint8_t>(INK_WHITE) : dark);
      if (symbol == 6) c.ellipse(8, 8.6, 1.5, 1.5, mid);
      break;
    }
    case 7:  // exclamation mark
      c.rect(7, 4, 2, 5, INK_WHITE);
      c.rect(7, 10, 2, 2, INK_WHITE);
      break;
  }
  return c;
}

Canvas big_block(bool prize) {
  Canvas c = prize ? bevel_block(32, INK_YELLOW, INK_ORANGE, INK_BROWN) : bevel_block(32, INK_BROWN, INK_DBROWN, INK_BLACK);
  c.rect(3, 3, 26, 26, prize ? INK_ORANGE : INK_DBROWN);
  for (int p : {5, 26})
    for (int q : {5, 26}) c.rect(p, q, 2, 2, prize ? INK_BROWN : INK_BLACK);
  if (prize) {
    Canvas q(14, 18);
    question_mark(q, 0, 0, INK_WHITE);
    for (int y = 0; y < 9; ++y)
      for (int x = 0; x < 7; ++x)
        if (q.at(x, y)) c.rect(9 + 2 * x, 7 + 2 * y, 2, 2, INK_WHITE);
    c.rect(9, 7, 1, 1, INK_YELLOW);
  }
  return c;
}

// The large object: a round furry creature; squash 0 standing, 1 squashed, 2 stretched.
Canvas creature(int pose) {
  Canvas c(32, 40);
  const double rx[3] = {12, 14, 10.5}, ry[3] = {13, 10.5, 15}, cy[3] = {22, 25, 19};
  const double feet_y[3] = {37, 37.5, 36};
  c.ellipse(9, feet_y[pose], 5, 2.5, INK_DBROWN);
  c.ellipse(23, feet_y[pose], 5, 2.5, INK_DBROWN);
  c.ellipse(16, cy[pose], rx[pose], ry[pose], INK_BROWN);
  c.ellipse(17.5, cy[pose] + 2, rx[pose] - 3, ry[pose] - 3, INK_DBROWN);
  c.ellipse(15, cy[pose], rx[pose] - 2, ry[pose] - 2, INK_BROWN);
  c.ellipse(16, cy[pose] + ry[pose] * 0.45, rx[pose] * 0.55, ry[pose] * 0.4, INK_ORANGE);
  const double top = cy[pose] - ry[pose];
  c.polygon({{7, top + 5}, {5, top - 3}, {11, top + 2}}, INK_LGREY);
  c.polygon({{25, top + 5}, {27, top - 3}, {21, top + 2}}, INK_LGREY);
  const double ey = cy[pose] - ry[pose] * 0.3;
  for (double ex : {11.5, 20.5}) {
    c.ellipse(ex, ey, 3.5, pose == 1 ? 2.5 : 4, INK_WHITE);
    c.ellipse(ex + 1, ey + 0.5, 1.5, pose == 1 ? 1.2 : 2, INK_BLACK);
  }
  c.rect(13, static_cast<int>(cy[pose] + ry[pose] * 0.2), 6, 2, INK_DRED);
  c.set(13, static_cast<int>(cy[pose] + ry[pose] * 0.2) + 2, INK_WHITE);
  c.set(18, static_cast<int>(cy[pose] + ry[pose] * 0.2) + 2, INK_WHITE);
  c.outline(INK_BLACK);
  return c;
}

Canvas pulse_dot(int frame, uint8_t fill, uint8_t shade, uint8_t ring, uint8_t outline_ink, uint8_t white) {
  Canvas c(16, 16);
  if (frame > 0) {
    c.ellipse(8, 8, 5.5 + frame, 5.5 + frame, ring);
    c.ellipse(8, 8, 4.5 + frame, 4.5 + frame, 0);
  }
  c.ellipse(8, 8, 4.5, 4.5, fill);
  c.ellipse(9, 9, 2.5, 2.5, shade);
  c.ellipse(8, 8, 3, 3, fill);
  c.set(6, 6, white), c.set(7, 5, white);
  Canvas o = c;
  o.outline(outline_ink);
  return o;
}

Canvas secret_star(int frame) {
  // Line 2 of the map: 8 black, 9 red, 10 gold, 11 light yellow, 12 purple, 13 light purple.
  Canvas c(16, 16);
  if (frame > 0) c.ellipse(8, 8, 5 + 1.5 * frame, 5 + 1.5 * frame, frame == 1 ? 12 : 13);
  std::vector<std::pair<double, double>> pts;
  for (int i = 0; i < 10; ++i) {
    double a = -1.5707963 + i * 3.14159265 / 5 + frame * 0.2, r = i % 2 ? 2.6 : 6.2;
    pts.push_back({8 + r * std::cos(a), 8.3 + r * std::sin(a)});
  }
  c.polygon(pts, 10);
  c.ellipse(8, 8.3, 1.5, 1.5, 11);
  c.outline(8);
  return c;
}

Canvas tunnel_hole(int frame) {
  // Line 1 of the map: 1 black, 7-8 road browns, 9-10 stone, 15 white.
  Canvas c(16, 16);
  c.ellipse(8, 9, 7.5, 6.5, 9);
  c.ellipse(8, 8.5, 6.5, 5.5, 10);
  c.ellipse(8, 10, 4.5 + 0.5 * frame, 3.5 + 0.5 * frame, 1);
  c.ellipse(8, 11, 3.5, 2, 7);
  c.ellipse(8, 10.5 + 0.3 * frame, 3.5 + 0.5 * frame, 2.2, 1);
  c.set(4, 5, 15), c.set(5, 4, 15);
  return c;
}

Canvas wave_flag(int frame, uint8_t cloth, uint8_t shade) {
  Canvas c(16, 16);
  c.rect(2, 1, 2, 15, INK_LGREY);
  std::vector<std::pair<double, double>> pts = {{4, 1}};
  for (int i = 0; i <= 5; ++i) pts.push_back({4 + 2.2 * i, 1 + 1.2 * std::sin((i + frame * 2) * 1.1)});
  for (int i = 5; i >= 0; --i) pts.push_back({4 + 2.2 * i, 8 + 1.2 * std::sin((i + frame * 2) * 1.1)});
  c.polygon(pts, cloth);
  c.hline(4, 14, 6 + frame % 2, shade);
  c.outline(INK_BLACK);
  return c;
}

Canvas padlock() {
  Canvas c(16, 16);
  c.ellipse(8, 6, 4.5, 4.5, INK_LGREY);
  c.ellipse(8, 6, 2.5, 2.5, 0);
  c.rect(2, 7, 12, 8, INK_YELLOW);
  c.rect(2, 7, 12, 1, INK_WHITE);
  c.rect(7, 9, 2, 4, INK_BLACK);
  c.outline(INK_BLACK);
  return c;
}

}  // namespace

std::vector<Canvas> block_icon_pictures() {
  return {symbol_block(INK_CYAN, INK_BLUE, INK_DGREY, 1),        // 0 PRIZE B
          symbol_block(INK_CYAN, INK_BLUE, INK_DGREY, 2),        // 1 NO PRIZE B
          symbol_block(INK_YELLOW, INK_ORANGE, INK_BROWN, 1),    // 2 PRIZE A
          symbol_block(INK_BROWN, INK_DBROWN, INK_BLACK, 2),     // 3 NO PRIZE A
          symbol_block(INK_CYAN, INK_BLUE, INK_DGREY, 3),        // 4 MOON
          symbol_block(INK_LGREY, INK_DGREY, INK_BLACK, 4),      // 5 NO MOON
          symbol_block(INK_YELLOW, INK_ORANGE, INK_BROWN, 5),    // 6 STAR
          symbol_block(INK_LGREY, INK_DGREY, INK_BLACK, 6),      // 7 NO STAR
          symbol_block(INK_PINK, INK_RED, INK_DRED, 2),          // 8 PURPLE
          symbol_block(INK_GREEN, INK_DGREEN, INK_BLACK, 7),     // 9 switch-like block
          big_block(true), big_block(false)};
}

std::vector<Canvas> large_object_frames() { return {creature(0), creature(1), creature(2)}; }

std::vector<Canvas> marker_pictures() {
  std::vector<Canvas> m;
  for (int f = 0; f < 3; ++f) m.push_back(pulse_dot(f, INK_RED, INK_DRED, INK_WHITE, INK_BLACK, INK_WHITE));  // 0-11
  for (int f = 0; f < 3; ++f) m.push_back(wave_flag(f, INK_RED, INK_DRED));                               // 12-23
  m.push_back(padlock());                                                                                 // 24-27
  Canvas post(8, 16);                                                                                     // 28-29
  post.rect(3, 4, 2, 12, INK_BROWN);
  post.rect(0, 1, 8, 5, INK_ORANGE);
  post.outline(INK_BLACK);
  m.push_back(post);
  for (int f = 0; f < 3; ++f) m.push_back(secret_star(f));  // 30-41
  const uint8_t colours[6][2] = {{INK_BLUE, INK_DGREY}, {INK_GREEN, INK_DGREEN}, {INK_YELLOW, INK_ORANGE},
                                 {INK_PINK, INK_RED},   {INK_CYAN, INK_BLUE},    {INK_WHITE, INK_LGREY}};
  for (const auto& col : colours)
    for (int f = 0; f < 3; ++f) m.push_back(wave_flag(f, col[0], col[1]));  // 42-113
  for (int f = 0; f < 3; ++f) m.push_back(tunnel_hole(f));                   // 114-125
  return m;
}

}  // namespace sample
