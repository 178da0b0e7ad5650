// Scenery that stands on the ground of the level themes.
#include <cmath>

#include "tools/samplegame/theme_art.h"

namespace sample {
namespace {

Canvas round_tree() {
  Canvas c(48, 64);
  c.rect(20, 36, 8, 28, F_W1);
  c.rect(21, 36, 3, 28, F_W2);
  c.polygon({{16, 64}, {20, 56}, {28, 56}, {32, 64}}, F_W1);
  c.ellipse(24, 20, 20, 17, F_S1);
  c.ellipse(14, 28, 11, 9, F_S1);
  c.ellipse(34, 28, 11, 9, F_S1);
  c.ellipse(22, 18, 17, 14, F_S2);
  c.ellipse(12, 26, 8, 6, F_S2);
  c.ellipse(18, 12, 8, 6, F_S3);
  const std::pair<int, int> fruit[] = {{30, 16}, {14, 22}, {26, 26}, {35, 24}};
  for (const auto& f : fruit) c.ellipse(f.first, f.second, 1.5, 1.5, F_A1);
  c.outline(F_OUT);
  return c;
}

Canvas bush() {
  Canvas c(32, 16);
  c.ellipse(9, 10, 8, 6, F_S1);
  c.ellipse(21, 9, 10, 7, F_S1);
  c.ellipse(9, 9, 6.5, 5, F_S2);
  c.ellipse(20, 8, 8, 5.5, F_S2);
  c.ellipse(18, 5, 4, 2.5, F_S3);
  c.rect(0, 15, 32, 1, 0);
  c.outline(F_OUT);
  return c;
}

Canvas fence() {
  Canvas c(48, 16);
  for (int x = 2; x < 48; x += 12) {
    c.rect(x, 2, 4, 14, F_W2);
    c.set(x, 2, 0), c.set(x + 3, 2, 0);
  }
  c.rect(0, 5, 48, 3, F_W2);
  c.rect(0, 11, 48, 2, F_W1);
  c.outline(F_OUT);
  return c;
}

Canvas pillar() {
  Canvas c(32, 80);
  c.rect(6, 8, 20, 64, F_G2);
  c.rect(8, 8, 4, 64, F_G3);
  c.rect(22, 8, 3, 64, F_G1);
  for (int x = 13; x < 22; x += 4) c.vline(x, 10, 69, F_G1);
  c.rect(2, 0, 28, 8, F_S2), c.hline(2, 29, 0, F_S3), c.hline(2, 29, 7, F_S1);
  c.rect(2, 72, 28, 8, F_S2), c.hline(2, 29, 72, F_S3), c.hline(2, 29, 79, F_S1);
  c.outline(F_OUT);
  return c;
}

Canvas torch() {
  Canvas c(16, 48);
  c.rect(6, 18, 4, 14, F_W1);
  c.rect(3, 14, 10, 5, F_W2);
  c.ellipse(8, 8, 5, 7, F_A1);
  c.ellipse(8, 10, 3, 4.5, F_A2);
  c.ellipse(8, 12, 1.5, 2, F_HI);
  c.outline(F_OUT);
  return c;
}

Canvas banner() {
  Canvas c(32, 64);
  c.rect(2, 2, 28, 3, F_W1);
  c.polygon({{5, 5}, {27, 5}, {27, 56}, {16, 48}, {5, 56}}, F_B2);
  c.polygon({{9, 5}, {12, 5}, {12, 48}, {9, 51}}, F_B3);
  c.polygon({{16, 14}, {22, 22}, {16, 30}, {10, 22}}, F_A2);
  c.outline(F_OUT);
  c.rect(0, 56, 32, 8, 0);
  c.rect(14, 56, 4, 8, F_W1);  // the staff to the ground
  c.rect(10, 62, 12, 2, F_G1);
  return c;
}

Canvas barrel() {
  Canvas c(16, 16);
  c.ellipse(8, 8, 6.5, 8, F_W2);
  c.rect(0, 0, 16, 1, 0), c.rect(0, 15, 16, 1, F_W1);
  c.hline(2, 13, 4, F_G1), c.hline(2, 13, 11, F_G1);
  c.vline(5, 1, 14, F_W1);
  c.outline(F_OUT);
  return c;
}

Canvas pine() {
  Canvas c(48, 64);
  c.rect(21, 50, 6, 14, F_W1);
  for (int tier = 0; tier < 3; ++tier) {
    double top = 2 + tier * 14, bottom = 26 + tier * 12, half = 10 + tier * 6;
    c.polygon({{24, top}, {24 + half, bottom}, {24 - half, bottom}}, F_A1);
    c.polygon({{24, top}, {24 - half * 0.3, bottom - 3}, {24 - half, bottom}}, F_A2);
    c.polygon({{24, top}, {24 + half * 0.55, top + (bottom - top) * 0.55}, {24 - half * 0.55, top + (bottom - top) * 0.55}},
              F_S3);
  }
  c.outline(F_OUT);
  return c;
}

Canvas snowman() {
  Canvas c(32, 48);
  c.ellipse(16, 36, 11, 11, F_S3);
  c.ellipse(16, 17, 8, 8, F_S3);
  c.ellipse(18, 38, 8, 8, F_S2);
  c.ellipse(15, 35, 8, 8, F_S3);
  c.rect(9, 2, 14, 8, F_OUT);
  c.rect(6, 9, 20, 2, F_OUT);
  c.set(13, 15, F_OUT), c.set(19, 15, F_OUT);
  c.polygon({{16, 17}, {23, 19}, {16, 19.5}}, F_W2);
  c.line(4, 22, 0, 16, F_W1), c.line(27, 22, 31, 16, F_W1);
  for (int y = 28; y < 44; y += 5) c.ellipse(16, y, 1, 1, F_OUT);
  c.outline(F_OUT);
  return c;
}

Canvas crystal(uint8_t light, uint8_t mid, uint8_t dark, bool cluster) {
  Canvas c(cluster ? 32 : 16, cluster ? 32 : 16);
  auto shard = [&](double x, double base, double w, double h) {
    c.polygon({{x - w, base}, {x - w, base - h}, {x, base - h - w}, {x + w, base - h}, {x + w, base}}, mid);
    c.polygon({{x - w, base}, {x - w, base - h}, {x, base - h - w}, {x, base}}, light);
    c.line(static_cast<int>(x + w - 1), static_cast<int>(base - 1), static_cast<int>(x + w - 1),
           static_cast<int>(base - h), dark);
  };
  if (cluster) {
    shard(9, 32, 4, 14);
    shard(23, 32, 4, 11);
    shard(16, 32, 5, 20);
  } else {
    shard(8, 16, 4, 8);
  }
  c.outline(F_OUT);
  return c;
}

Canvas cactus() {
  Canvas c(48, 48);
  c.rect(18, 6, 12, 42, F_W2);
  c.ellipse(24, 7, 6, 4, F_W2);
  c.rect(4, 16, 8, 14, F_W2), c.ellipse(8, 16, 4, 3, F_W2), c.rect(4, 26, 16, 6, F_W2);
  c.rect(36, 10, 8, 14, F_W2), c.ellipse(40, 10, 4, 3, F_W2), c.rect(28, 20, 16, 6, F_W2);
  for (int y = 10; y < 46; y += 4) c.set(26, y, F_W1), c.set(21, y + 2, F_W1);
  c.vline(28, 8, 47, F_W1);
  c.outline(F_OUT);
  c.ellipse(24, 3, 2, 2, F_A1);
  return c;
}

Canvas palm() {
  Canvas c(64, 64);
  for (int i = 0; i < 8; ++i) {
    double x = 30 + i * 0.8, y = 60 - i * 6.5;
    c.ellipse(x, y, 4, 3.6, i % 2 ? F_B2 : F_B1);
  }
  c.rect(24, 60, 16, 4, 0);
  c.rect(26, 60, 12, 4, F_B1);
  for (int side : {-1, 1}) {
    c.polygon({{36, 12}, {36 + side * 27.0, 20}, {36 + side * 30.0, 30}, {36 + side * 16.0, 19}}, F_W1);
    c.polygon({{36, 10}, {36 + side * 20.0, 4}, {36 + side * 28.0, 10}, {36 + side * 14.0, 12}}, F_W2);
  }
  c.ellipse(35, 15, 3, 3, F_G1);
  c.outline(F_OUT);
  return c;
}

Canvas skull_rock() {
  Canvas c(32, 16);
  c.ellipse(16, 12, 15, 7, F_B2);
  c.ellipse(14, 10, 11, 5, F_B3);
  c.ellipse(10, 9, 2, 2, F_B1), c.ellipse(18, 9, 2, 2, F_B1);
  c.rect(0, 15, 32, 1, F_B1);
  c.outline(F_OUT);
  return c;
}

Canvas alien_plant() {
  Canvas c(16, 48);
  c.rect(7, 16, 2, 32, F_A2);
  c.line(8, 34, 2, 28, F_A2), c.line(8, 26, 14, 20, F_A2);
  c.ellipse(2, 27, 2, 2, F_A1);
  c.ellipse(8, 9, 6, 8, F_A1);
  c.ellipse(7, 7, 3, 4, F_HI);
  c.ellipse(8, 9, 3, 4, F_A1);
  c.outline(F_OUT);
  return c;
}

Canvas dish() {
  Canvas c(48, 48);
  c.rect(22, 24, 4, 24, F_W1);
  c.polygon({{14, 48}, {24, 36}, {34, 48}}, F_W1);
  c.polygon({{4, 10}, {40, 30}, {36, 34}, {16, 30}, {6, 22}}, F_W2);
  c.line(22, 20, 36, 8, F_W1);
  c.ellipse(37, 7, 2, 2, F_A1);
  c.outline(F_OUT);
  return c;
}

Canvas boulder(uint8_t light, uint8_t mid, uint8_t dark) {
  Canvas c(32, 16);
  c.ellipse(16, 11, 15, 9, mid);
  c.ellipse(19, 13, 11, 5, dark);
  c.ellipse(14, 9, 11, 6, mid);
  c.ellipse(10, 6, 4, 2, light);
  c.rect(0, 15, 32, 1, dark);
  c.outline(F_OUT);
  return c;
}

Canvas flower(int variant) {
  Canvas c(16, 16);
  c.vline(8, 8, 15, F_S1);
  c.line(8, 13, 11, 11, F_S2);
  const uint8_t petal = variant % 2 ? F_A2 : F_A1;
  c.ellipse(8, 6, 4, 4, petal);
  c.ellipse(8, 6, 1.5, 1.5, variant % 2 ? F_A1 : F_A2);
  c.outline(F_OUT);
  return c;
}

}  // namespace

std::vector<Canvas> scenery_pictures(int theme) {
  switch (theme) {
    case MEADOW: return {round_tree(), bush(), fence(), boulder(F_G3, F_G2, F_G1)};
    case CASTLE: return {pillar(), torch(), banner(), barrel()};
    case ICE: return {pine(), snowman(), crystal(F_HI, F_B3, F_B1, true), bush()};
    case DESERT: return {palm(), cactus(), skull_rock(), boulder(F_B3, F_B2, F_B1)};
    default: return {crystal(F_B3, F_B2, F_B1, true), alien_plant(), dish(), boulder(F_G3, F_G2, F_G1)};
  }
}

Canvas small_scenery_picture(int theme, int variant) {
  switch (theme) {
    case MEADOW: return flower(variant);
    case CASTLE: return barrel();
    case ICE: return crystal(F_HI, F_B3, F_B1, false);
    case DESERT: {
      Canvas c(16, 16);
      c.ellipse(8, 12, 7, 4, F_B2);
      c.ellipse(7, 11, 5, 2.5, F_B3);
      c.outline(F_OUT);
      return c;
    }
    default: return crystal(F_B3, F_B2, F_B1, false);
  }
}

}  // namespace sample
