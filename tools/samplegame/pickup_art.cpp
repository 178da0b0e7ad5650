// The 58 pickup pictures, 16x16 in the sprite palette.
#include <cmath>

#include "tools/samplegame/sprite_art.h"

namespace sample {
namespace {

const char* L = SPRITE_LEGEND;

Canvas coin() {
  Canvas c(16, 16);
  c.ellipse(8, 8, 6.5, 7, INK_ORANGE);
  c.ellipse(7.5, 7.5, 5, 5.5, INK_YELLOW);
  c.rect(7, 4, 2, 8, INK_ORANGE);
  c.vline(7, 4, 11, INK_WHITE);
  c.set(4, 4, INK_WHITE), c.set(4, 5, INK_WHITE), c.set(5, 3, INK_WHITE);
  c.outline(INK_BLACK);
  return c;
}

Canvas trophy() {
  Canvas c(16, 16);
  c.ascii(0, 0,
          {"................", "...YYYYYYYYYY...", ".YYYWYYYYYYYOYY.", "Y..YWYYYYYYYO..Y", "Y..YWYYYYYYYO..Y",
           ".Y.YWYYYYYYYO.Y.", "..YYYWYYYYYOYY..", "....YYYYYYOO....", "......YYOO......", ".......YO.......",
           ".......YO.......", "......YYOO......", ".....BBBBBB.....", "....BOOOOOOB....", "....BBBBBBBB....",
           "................"},
          L);
  c.outline(INK_BLACK);
  return c;
}

Canvas crown() {
  Canvas c(16, 16);
  c.polygon({{1, 5}, {4, 10}, {8, 3}, {12, 10}, {15, 5}, {14, 14}, {2, 14}}, INK_YELLOW);
  c.rect(2, 11, 12, 3, INK_ORANGE);
  c.ellipse(8, 12.5, 1.2, 1.2, INK_RED);
  c.ellipse(4.5, 12.5, 1, 1, INK_BLUE);
  c.ellipse(11.5, 12.5, 1, 1, INK_GREEN);
  c.set(8, 5, INK_WHITE), c.set(2, 7, INK_WHITE);
  c.outline(INK_BLACK);
  return c;
}

Canvas tv() {
  Canvas c(16, 16);
  c.line(5, 1, 8, 4, INK_DGREY), c.line(11, 1, 8, 4, INK_DGREY);
  c.rect(1, 4, 14, 10, INK_LGREY);
  c.rect(2, 5, 9, 8, INK_BLUE);
  c.rect(3, 6, 3, 2, INK_CYAN);
  c.ellipse(13, 7, 1, 1, INK_RED);
  c.ellipse(13, 10.5, 1, 1, INK_DGREY);
  c.rect(3, 14, 2, 1, INK_DGREY), c.rect(11, 14, 2, 1, INK_DGREY);
  c.outline(INK_BLACK);
  return c;
}

Canvas heart(uint8_t fill, uint8_t shade) {
  Canvas c(16, 16);
  c.ellipse(5, 6, 4, 4, fill);
  c.ellipse(11, 6, 4, 4, fill);
  c.polygon({{1.2, 7}, {14.8, 7}, {8, 14.5}}, fill);
  c.ellipse(11, 8, 3, 3, shade);
  c.polygon({{8, 14}, {14, 8}, {12, 8}}, shade);
  c.ellipse(11, 7, 3, 3, fill);
  c.rect(4, 4, 2, 2, INK_WHITE);
  c.outline(INK_BLACK);
  return c;
}

Canvas star(uint8_t fill, uint8_t shade, double scale = 1.0) {
  Canvas c(16, 16);
  std::vector<std::pair<double, double>> pts;
  for (int i = 0; i < 10; ++i) {
    double a = -1.5707963 + i * 3.14159265 / 5;
    double r = (i % 2 ? 3.0 : 7.2) * scale;
    pts.push_back({8 + r * std::cos(a), 8.6 + r * std::sin(a)});
  }
  c.polygon(pts, fill);
  c.ellipse(9.5, 10, 1.5 * scale, 1.5 * scale, shade);
  c.set(7, 5, INK_WHITE), c.set(7, 6, INK_WHITE);
  c.outline(INK_BLACK);
  return c;
}

Canvas cheese() {
  Canvas c(16, 16);
  c.polygon({{1, 12}, {15, 5}, {15, 14}, {1, 14}}, INK_YELLOW);
  c.rect(1, 12, 14, 2, INK_ORANGE);
  c.ellipse(10, 9.5, 1.3, 1.3, INK_ORANGE);
  c.ellipse(6, 12.5, 1, 0.8, INK_BROWN);
  c.ellipse(13, 11, 1, 1, INK_ORANGE);
  c.outline(INK_BLACK);
  return c;
}

Canvas teeth() {
  Canvas c(16, 16);
  c.ascii(0, 0,
          {"................", "................", "...RRRRRRRRRR...", "..RRRRRRRRRRRR..", "..RWWWWWWWWWWR..",
           "..RWlWlWlWlWWR..", "..R..........R..", "..R..........R..", "..RWlWlWlWlWWR..", "..RWWWWWWWWWWR..",
           "..RRRRRRRRRRRRl.", "...RRRRRRRRRR.ll", "..............l.", "................", "................",
           "................"},
          L);
  c.outline(INK_BLACK);
  return c;
}

Canvas dynamite() {
  Canvas c(16, 16);
  c.rect(4, 5, 8, 10, INK_RED);
  c.rect(4, 5, 2, 10, INK_PINK);
  c.rect(10, 5, 2, 10, INK_DRED);
  c.rect(4, 8, 8, 3, INK_YELLOW);
  c.ascii(5, 8, {"KKK.K", ".K..K"}, L);
  c.line(8, 4, 10, 1, INK_DBROWN);
  c.set(11, 0, INK_YELLOW), c.set(10, 0, INK_ORANGE);
  c.outline(INK_BLACK);
  return c;
}

Canvas fruit_gun() {
  Canvas c(16, 16);
  c.rect(2, 5, 12, 4, INK_GREEN);
  c.rect(2, 5, 12, 1, INK_WHITE);
  c.rect(12, 4, 3, 6, INK_DGREEN);
  c.polygon({{3, 8}, {7, 8}, {6, 14}, {2, 14}}, INK_DGREEN);
  c.ellipse(14, 3, 1.5, 1.5, INK_RED);
  c.outline(INK_BLACK);
  return c;
}

Canvas jetpack() {
  Canvas c(16, 16);
  c.rect(2, 2, 5, 10, INK_LGREY);
  c.rect(9, 2, 5, 10, INK_LGREY);
  c.rect(2, 2, 2, 10, INK_WHITE), c.rect(9, 2, 2, 10, INK_WHITE);
  c.rect(7, 5, 2, 4, INK_DGREY);
  c.polygon({{3, 12}, {6, 12}, {4.5, 15.5}}, INK_ORANGE);
  c.polygon({{10, 12}, {13, 12}, {11.5, 15.5}}, INK_ORANGE);
  c.set(4, 13, INK_YELLOW), c.set(11, 13, INK_YELLOW);
  c.outline(INK_BLACK);
  return c;
}

Canvas umbrella() {
  Canvas c(16, 16);
  c.ellipse(8, 7, 7.5, 6, INK_RED);
  c.rect(0, 7, 16, 9, 0);
  c.polygon({{5, 1.5}, {11, 1.5}, {9, 7}, {7, 7}}, INK_WHITE);
  c.rect(8, 7, 1, 7, INK_DBROWN);
  c.line(8, 14, 6, 14, INK_DBROWN), c.set(5, 13, INK_DBROWN);
  c.outline(INK_BLACK);
  return c;
}

Canvas mystery() {
  Canvas c(16, 16);
  c.ellipse(8, 8, 7, 7, INK_LGREY);
  c.ellipse(7, 7, 5.5, 5.5, INK_WHITE);
  c.ascii(5, 3, {".KKK..", "K...K.", "...K..", "..K...", "..K...", "......", "..K..."}, L);
  c.outline(INK_BLACK);
  return c;
}

Canvas springs() {
  Canvas c(16, 16);
  for (int i = 0; i < 5; ++i) c.line(3, 3 + 2 * i, 12, 4 + 2 * i, i % 2 ? INK_LGREY : INK_WHITE);
  c.rect(2, 13, 12, 2, INK_RED);
  c.rect(2, 1, 12, 2, INK_RED);
  c.outline(INK_BLACK);
  return c;
}

Canvas weight() {
  Canvas c(16, 16);
  c.ellipse(8, 3, 2.5, 2.2, INK_DGREY);
  c.ellipse(8, 3, 1, 1, 0);
  c.polygon({{4, 5}, {12, 5}, {15, 15}, {1, 15}}, INK_DGREY);
  c.polygon({{4.5, 6}, {7, 6}, {5, 14}, {2.5, 14}}, INK_LGREY);
  c.ascii(6, 9, {"W.W.W", "WWW.W", "..W.W"}, L);
  c.outline(INK_BLACK);
  return c;
}

Canvas hard_hat() {
  Canvas c(16, 16);
  c.ellipse(8, 10, 6, 6, INK_YELLOW);
  c.rect(0, 10, 16, 6, 0);
  c.rect(0, 10, 16, 3, INK_ORANGE);
  c.rect(7, 4, 2, 6, INK_ORANGE);
  c.set(4, 7, INK_WHITE), c.set(5, 6, INK_WHITE);
  c.outline(INK_BLACK);
  return c;
}

Canvas bomb() {
  Canvas c(16, 16);
  c.ellipse(7, 10, 5.5, 5.5, INK_DGREY);
  c.ellipse(5.5, 8.5, 1.5, 1.5, INK_LGREY);
  c.rect(9, 3, 3, 3, INK_LGREY);
  c.line(11, 3, 13, 1, INK_DBROWN);
  c.set(14, 0, INK_YELLOW), c.set(13, 0, INK_ORANGE), c.set(14, 1, INK_RED);
  c.outline(INK_BLACK);
  return c;
}

Canvas bottle(uint8_t liquid) {
  Canvas c(16, 16);
  c.rect(6, 1, 4, 2, INK_BROWN);
  c.rect(6, 3, 4, 3, INK_CYAN);
  c.ellipse(8, 10, 5, 5, INK_CYAN);
  c.ellipse(8, 11, 4, 3.5, liquid);
  c.ascii(6, 8, {".WWW.", "WKWKW", ".WWW.", ".W.W."}, L);
  c.set(5, 7, INK_WHITE);
  c.outline(INK_BLACK);
  return c;
}

Canvas gum() {
  Canvas c(16, 16);
  c.ellipse(8, 8, 7, 6.5, INK_PINK);
  c.ellipse(9, 9, 5, 4.5, INK_RED);
  c.ellipse(7.5, 7.5, 4.5, 4, INK_PINK);
  c.ellipse(5, 5, 1.5, 1.2, INK_WHITE);
  c.outline(INK_BLACK);
  return c;
}

Canvas flag(uint8_t cloth, uint8_t shade) {
  Canvas c(16, 16);
  c.rect(3, 1, 2, 15, INK_LGREY);
  c.polygon({{5, 1}, {15, 3.5}, {5, 8}}, cloth);
  c.polygon({{5, 5}, {12, 4.5}, {5, 8}}, shade);
  c.ellipse(4, 1, 1.5, 1.5, INK_YELLOW);
  c.outline(INK_BLACK);
  return c;
}

Canvas scroll_map() {
  Canvas c(16, 16);
  c.rect(2, 3, 12, 10, INK_PINK);
  c.rect(2, 3, 12, 10, INK_WHITE);
  c.rect(3, 4, 10, 8, INK_PINK);
  c.line(4, 10, 7, 6, INK_RED), c.line(7, 6, 11, 8, INK_RED);
  c.ellipse(11, 8, 1, 1, INK_RED);
  c.ellipse(5, 6, 1.5, 1, INK_GREEN);
  c.rect(1, 2, 2, 12, INK_BROWN), c.rect(13, 2, 2, 12, INK_BROWN);
  c.outline(INK_BLACK);
  return c;
}

Canvas round_fruit(uint8_t skin, uint8_t shade, bool stalk, double rx, double ry) {
  Canvas c(16, 16);
  c.ellipse(8, 9, rx, ry, skin);
  c.ellipse(9.5, 10.5, rx - 2.5, ry - 2.5, shade);
  c.ellipse(8, 9, rx - 1.5, ry - 1.5, skin);
  c.ellipse(5.5, 6.5, 1.2, 1.2, INK_WHITE);
  if (stalk) {
    c.line(8, 3, 9, 1, INK_DBROWN);
    c.ellipse(11, 2, 2, 1, INK_GREEN);
  }
  c.outline(INK_BLACK);
  return c;
}

Canvas strawberry() {
  Canvas c(16, 16);
  c.polygon({{2, 5}, {14, 5}, {13, 9}, {8, 15.5}, {3, 9}}, INK_RED);
  c.ellipse(8, 5.5, 6, 2.5, INK_RED);
  for (int y = 6; y < 13; y += 3)
    for (int x = 4 + (y % 2); x < 13; x += 3) c.set(x, y, INK_YELLOW);
  c.polygon({{3, 3}, {8, 5}, {13, 3}, {8, 1}}, INK_GREEN);
  c.outline(INK_BLACK);
  return c;
}

Canvas cupcake() {
  Canvas c(16, 16);
  c.polygon({{3, 9}, {13, 9}, {12, 15}, {4, 15}}, INK_ORANGE);
  for (int x = 5; x < 12; x += 2) c.vline(x, 10, 14, INK_BROWN);
  c.ellipse(8, 7, 6, 3.5, INK_PINK);
  c.ellipse(8, 4.5, 3.5, 2.5, INK_PINK);
  c.ellipse(8, 2, 1.5, 1.5, INK_RED);
  c.set(5, 6, INK_WHITE), c.set(10, 7, INK_YELLOW), c.set(7, 5, INK_CYAN);
  c.outline(INK_BLACK);
  return c;
}

Canvas stone(uint8_t fill, uint8_t shade, bool eyes) {
  Canvas c(16, 16);
  c.ellipse(8, 9.5, 7, 5.5, fill);
  c.ellipse(9, 11, 5, 3.5, shade);
  c.ellipse(7, 9, 5, 3.5, fill);
  c.ellipse(5, 7, 1.5, 1, INK_WHITE);
  if (eyes) c.ascii(5, 7, {"WW.WW", "WK.WK"}, L);
  c.outline(INK_BLACK);
  return c;
}

Canvas sparkle() {
  Canvas c = star(INK_CYAN, INK_BLUE, 0.95);
  c.set(1, 1, INK_WHITE), c.set(14, 2, INK_WHITE), c.set(2, 13, INK_WHITE), c.set(14, 14, INK_WHITE);
  return c;
}

Canvas boot() {
  Canvas c(16, 16);
  c.polygon({{4, 1}, {10, 1}, {10, 9}, {15, 11}, {15, 15}, {3, 15}}, INK_BROWN);
  c.rect(3, 13, 13, 2, INK_DBROWN);
  c.rect(4, 1, 6, 2, INK_ORANGE);
  c.vline(5, 3, 12, INK_ORANGE);
  c.outline(INK_BLACK);
  return c;
}

Canvas propeller_cap() {
  Canvas c(16, 16);
  c.ellipse(8, 12, 6, 4, INK_BLUE);
  c.rect(0, 12, 16, 4, 0);
  c.rect(1, 12, 14, 2, INK_RED);
  c.rect(7, 4, 2, 5, INK_DGREY);
  c.ellipse(4, 3, 3.5, 1.2, INK_YELLOW);
  c.ellipse(12, 3, 3.5, 1.2, INK_YELLOW);
  c.outline(INK_BLACK);
  return c;
}

Canvas balloon() {
  Canvas c(16, 16);
  c.ellipse(8, 6.5, 5.5, 6, INK_RED);
  c.ellipse(9.5, 8, 3, 3.5, INK_DRED);
  c.ellipse(7.5, 6, 4, 4.5, INK_RED);
  c.ellipse(5.5, 4, 1.2, 1.5, INK_WHITE);
  c.polygon({{7, 12}, {9, 12}, {8, 13.5}}, INK_DRED);
  c.outline(INK_BLACK);
  c.line(8, 14, 7, 15, INK_LGREY);
  return c;
}

Canvas fuel_can() {
  Canvas c(16, 16);
  c.rect(3, 4, 10, 11, INK_RED);
  c.rect(3, 4, 2, 11, INK_PINK);
  c.rect(6, 1, 4, 3, INK_DGREY);
  c.rect(7, 0, 2, 1, INK_LGREY);
  c.ascii(6, 7, {"YYYY", "Y...", "YYY.", "Y...", "Y..."}, L);
  c.outline(INK_BLACK);
  return c;
}

Canvas fish() {
  Canvas c(16, 16);
  c.ellipse(7, 8, 5.5, 4.5, INK_CYAN);
  c.polygon({{11, 8}, {15.5, 3}, {15.5, 13}}, INK_BLUE);
  c.polygon({{5, 4}, {8, 0.5}, {9, 4}}, INK_BLUE);
  for (int x = 5; x < 10; x += 2) c.vline(x, 6, 10, INK_YELLOW);
  c.ascii(3, 6, {"WK"}, L);
  c.outline(INK_BLACK);
  return c;
}

Canvas xray_glasses() {
  Canvas c(16, 16);
  c.ellipse(4.5, 8, 3.5, 3, INK_CYAN);
  c.ellipse(11.5, 8, 3.5, 3, INK_CYAN);
  c.set(3, 6, INK_WHITE), c.set(10, 6, INK_WHITE);
  c.outline(INK_DGREY);
  c.hline(7, 8, 7, INK_DGREY);
  c.line(0, 7, 0, 5, INK_DGREY), c.line(15, 7, 15, 5, INK_DGREY);
  return c;
}

Canvas teacup(uint8_t fill, uint8_t shade) {
  Canvas c(16, 16);
  c.polygon({{2, 6}, {12, 6}, {11, 12}, {3, 12}}, fill);
  c.polygon({{8, 6}, {12, 6}, {11, 12}, {8, 12}}, shade);
  c.ellipse(13, 8.5, 2.5, 2.5, fill);
  c.ellipse(13, 8.5, 1, 1, 0);
  c.rect(1, 13, 14, 2, INK_WHITE);
  c.hline(3, 11, 6, INK_BROWN);
  c.set(4, 8, INK_WHITE);
  c.line(6, 4, 7, 1, INK_LGREY);
  c.outline(INK_BLACK);
  return c;
}

Canvas key(uint8_t fill, uint8_t shade) {
  Canvas c(16, 16);
  c.ellipse(5, 5, 4.5, 4.5, fill);
  c.ellipse(5, 5, 1.8, 1.8, 0);
  c.line(8, 8, 14, 14, fill), c.line(8, 9, 13, 14, fill), c.line(9, 8, 14, 13, shade);
  c.line(11, 13, 12, 12, fill), c.rect(10, 13, 2, 2, fill), c.rect(13, 10, 2, 2, fill);
  c.outline(INK_BLACK);
  return c;
}

Canvas id_card() {
  Canvas c(16, 16);
  c.rect(1, 3, 14, 10, INK_WHITE);
  c.rect(1, 3, 14, 3, INK_BLUE);
  c.ellipse(5, 9.5, 2, 2, INK_PINK);
  c.hline(8, 13, 8, INK_DGREY), c.hline(8, 12, 10, INK_DGREY);
  c.outline(INK_BLACK);
  return c;
}

Canvas gem(uint8_t fill, uint8_t shade) {
  Canvas c(16, 16);
  c.polygon({{4, 2}, {12, 2}, {15, 6}, {8, 15}, {1, 6}}, fill);
  c.polygon({{8, 6}, {15, 6}, {8, 15}}, shade);
  c.hline(1, 14, 6, shade);
  c.polygon({{4, 2}, {7, 2}, {5, 6}, {2, 6}}, INK_WHITE);
  c.outline(INK_BLACK);
  return c;
}

Canvas control_unit() {
  Canvas c(16, 16);
  c.rect(2, 6, 12, 9, INK_LGREY);
  c.rect(3, 7, 6, 4, INK_DGREY);
  c.ascii(4, 8, {"G.G", ".G."}, L);
  c.ellipse(11.5, 9, 1, 1, INK_RED);
  c.ellipse(11.5, 12, 1, 1, INK_YELLOW);
  c.line(4, 5, 2, 1, INK_DGREY);
  c.ellipse(2, 1, 1, 1, INK_RED);
  c.outline(INK_BLACK);
  return c;
}

Canvas beacon() {
  Canvas c(16, 16);
  c.rect(4, 11, 8, 4, INK_DGREY);
  c.ellipse(8, 8, 4, 4.5, INK_YELLOW);
  c.rect(3, 10, 10, 2, INK_LGREY);
  c.ellipse(7, 6.5, 1.5, 1.5, INK_WHITE);
  c.outline(INK_BLACK);
  c.line(1, 4, 0, 3, INK_YELLOW), c.line(14, 4, 15, 3, INK_YELLOW), c.set(8, 0, INK_YELLOW);
  return c;
}

Canvas moon_pickup() {
  Canvas c(16, 16);
  c.ellipse(8, 8, 7, 7, INK_WHITE);
  c.ellipse(10, 6, 5.5, 5.5, 0);
  c.outline(INK_BLACK);
  return c;
}

}  // namespace

PickupArt pickup_pictures() {
  PickupArt art;
  auto add = [&](const Canvas& c) {
    art.pictures.push_back(c);
    art.picture_of_type.push_back(static_cast<int>(art.pictures.size()) - 1);
  };
  auto again = [&](int type) { art.picture_of_type.push_back(art.picture_of_type.at(type)); };
  add(coin());                                      // 0 COIN
  add(trophy());                                    // 1 TROPHY
  add(crown());                                     // 2 CROWN
  add(tv());                                        // 3 TV
  add(heart(INK_RED, INK_DRED));                    // 4 HEART
  add(star(INK_YELLOW, INK_ORANGE));                // 5 STAR
  add(cheese());                                    // 6 CHEESE
  add(teeth());                                     // 7 TEETH
  add(dynamite());                                  // 8 TNT
  add(fruit_gun());                                 // 9 FRUIT GUN
  add(jetpack());                                   // 10 JETPACK
  add(umbrella());                                  // 11 UMBRELLA
  add(mystery());                                   // 12 ...
  add(springs());                                   // 13 SPRINGS
  add(weight());                                    // 14 WEIGHT
  add(hard_hat());                                  // 15 HARD HAT
  add(bomb());                                      // 16 BOMB
  add(bottle(INK_GREEN));                           // 17 POISON
  add(gum());                                       // 18 GUM
  add(flag(INK_PINK, INK_RED));                     // 19 MORDUCK MARKER
  add(scroll_map());                                // 20 MICRO-MAP
  add(round_fruit(INK_RED, INK_DRED, true, 6, 6));  // 21 APPLE
  add(strawberry());                                // 22 STRAWBERRY
  add(round_fruit(INK_ORANGE, INK_BROWN, true, 6, 6));      // 23 ORANGE
  add(round_fruit(INK_YELLOW, INK_ORANGE, false, 7, 4.5));  // 24 LEMON
  add(cupcake());                                   // 25 CUPCAKE
  add(stone(INK_LGREY, INK_DGREY, false));          // 26 ROCK
  add(sparkle());                                   // 27 INVINCIBILITY
  add(boot());                                      // 28 BOOT
  add(moon_pickup());                               // 29 MOON (the moon is drawn over it)
  add(stone(INK_CYAN, INK_BLUE, true));             // 30 BLUE ROCK WITH EYES
  add(propeller_cap());                             // 31 HELECOPTER
  add(balloon());                                   // 32 BALLOON
  again(12);                                        // 33 ...
  add(fuel_can());                                  // 34 JETPACK FUEL
  add(fish());                                      // 35 ANGEL FISH MARKER
  add(xray_glasses());                                  // 36 X RAY SPECS
  add(teacup(INK_RED, INK_DRED));                   // 37 RED TEACUP
  add(teacup(INK_ORANGE, INK_BROWN));               // 38 ORANGE TEACUP
  add(teacup(INK_PINK, INK_DRED));                  // 39 PURPLE TEACUP
  add(teacup(INK_CYAN, INK_BLUE));                  // 40 BLUE TEACUP
  add(key(INK_CYAN, INK_BLUE));                     // 41 BLUE KEY
  add(key(INK_ORANGE, INK_BROWN));                  // 42 ORANGE KEY
  add(id_card());                                   // 43 JAWS ID CARD
  const uint8_t gems[7][2] = {{INK_RED, INK_DRED},     {INK_ORANGE, INK_BROWN}, {INK_YELLOW, INK_ORANGE},
                              {INK_GREEN, INK_DGREEN}, {INK_CYAN, INK_BLUE},    {INK_BLUE, INK_DGREY},
                              {INK_PINK, INK_RED}};
  for (const auto& g : gems) add(gem(g[0], g[1]));  // 44-50 LOST MOON TREASURE 1-7
  add(control_unit());                              // 51 SATELLITE CONTROL UNIT
  for (int i = 0; i < 4; ++i) again(12);            // 52-55 ...
  add(flag(INK_GREEN, INK_DGREEN));                 // 56 MORDUCK MARKER 838
  add(beacon());                                    // 57 SURVEILLANCE BEACON
  return art;
}

}  // namespace sample
