#include "tools/samplegame/palettes.h"

#include <algorithm>

namespace sample {
namespace {

// Line 0 of every level: the colours of pickups, icons, the moon, markers and common blocks.
// Indices match the letters of SPRITE_LEGEND (canvas.h).
const Palette SPRITES = {rgb(0, 0, 0), rgb(0, 0, 0), rgb(7, 7, 7), rgb(5, 5, 5), rgb(2, 2, 3), rgb(7, 1, 1),
                         rgb(4, 0, 1), rgb(7, 7, 1), rgb(7, 4, 0), rgb(5, 3, 1), rgb(3, 1, 0), rgb(2, 6, 1),
                         rgb(0, 3, 1), rgb(1, 3, 7), rgb(3, 6, 7), rgb(7, 5, 5)};

// Front palettes (line 1). Slots: 1 outline, 2-4 ground dark..light, 5-7 surface dark..light,
// 8-10 stone or brick, 11-12 wood (or plants), 13-14 accents, 15 highlight.
const Palette FRONT[THEME_COUNT] = {
    // meadow
    {0, rgb(1, 0, 0), rgb(3, 1, 0), rgb(4, 2, 1), rgb(5, 3, 2), rgb(0, 3, 0), rgb(1, 5, 1), rgb(3, 7, 2), rgb(3, 1, 1),
     rgb(5, 2, 1), rgb(6, 4, 2), rgb(3, 2, 0), rgb(6, 4, 1), rgb(7, 1, 2), rgb(7, 7, 1), rgb(7, 7, 7)},
    // castle
    {0, rgb(0, 0, 1), rgb(2, 2, 2), rgb(3, 3, 3), rgb(4, 4, 4), rgb(3, 3, 4), rgb(4, 4, 5), rgb(6, 6, 6), rgb(2, 1, 1),
     rgb(4, 1, 1), rgb(5, 3, 2), rgb(2, 1, 0), rgb(5, 3, 1), rgb(7, 3, 0), rgb(7, 7, 2), rgb(7, 7, 7)},
    // ice
    {0, rgb(0, 1, 2), rgb(2, 3, 5), rgb(3, 5, 6), rgb(5, 6, 7), rgb(5, 6, 7), rgb(6, 7, 7), rgb(7, 7, 7), rgb(2, 4, 6),
     rgb(4, 6, 7), rgb(6, 7, 7), rgb(2, 1, 0), rgb(4, 3, 1), rgb(0, 3, 2), rgb(1, 5, 3), rgb(7, 7, 7)},
    // desert
    {0, rgb(2, 1, 0), rgb(4, 2, 1), rgb(5, 3, 1), rgb(6, 4, 2), rgb(6, 4, 1), rgb(7, 5, 2), rgb(7, 6, 4), rgb(4, 3, 1),
     rgb(6, 4, 2), rgb(7, 6, 3), rgb(1, 3, 1), rgb(2, 5, 1), rgb(7, 2, 2), rgb(7, 7, 3), rgb(7, 7, 7)},
    // moon
    {0, rgb(0, 0, 1), rgb(2, 2, 3), rgb(3, 3, 4), rgb(4, 4, 5), rgb(4, 4, 5), rgb(5, 5, 6), rgb(6, 6, 7), rgb(2, 1, 3),
     rgb(4, 2, 5), rgb(6, 4, 7), rgb(1, 2, 2), rgb(3, 5, 5), rgb(7, 2, 6), rgb(2, 7, 4), rgb(7, 7, 7)},
    // world map land: 1 outline, 2-4 grass, 5-6 sand, 7-8 road, 9-10 stone, 11 tree, 12 trunk,
    // 13 red roofs and flags, 14 yellow, 15 white
    {0, rgb(0, 0, 0), rgb(0, 3, 0), rgb(1, 5, 1), rgb(3, 6, 2), rgb(6, 5, 3), rgb(7, 7, 5), rgb(3, 2, 1), rgb(5, 4, 2),
     rgb(3, 3, 3), rgb(5, 5, 5), rgb(0, 2, 1), rgb(2, 1, 0), rgb(7, 1, 1), rgb(7, 6, 0), rgb(7, 7, 7)},
};

// Back palettes (line 2). Slots: 1-6 sky top..bottom, 7-8 cloud shade and cloud, 9-10 far
// hills, 11-12 near hills, 13 sun or moon, 14 accent, 15 white.
const Palette BACK[THEME_COUNT] = {
    {0, rgb(1, 2, 6), rgb(2, 3, 6), rgb(2, 4, 7), rgb(3, 5, 7), rgb(4, 6, 7), rgb(5, 7, 7), rgb(5, 6, 7), rgb(7, 7, 7),
     rgb(1, 3, 3), rgb(2, 4, 3), rgb(0, 3, 1), rgb(1, 4, 1), rgb(7, 7, 3), rgb(7, 6, 0), rgb(7, 7, 7)},
    {0, rgb(1, 0, 2), rgb(2, 0, 3), rgb(3, 1, 4), rgb(4, 1, 4), rgb(5, 2, 4), rgb(6, 3, 4), rgb(4, 2, 4), rgb(6, 4, 5),
     rgb(1, 0, 1), rgb(2, 1, 2), rgb(0, 0, 1), rgb(1, 1, 2), rgb(7, 7, 5), rgb(7, 5, 2), rgb(7, 7, 7)},
    {0, rgb(3, 4, 7), rgb(4, 5, 7), rgb(4, 6, 7), rgb(5, 6, 7), rgb(6, 7, 7), rgb(7, 7, 7), rgb(5, 6, 7), rgb(7, 7, 7),
     rgb(3, 4, 6), rgb(6, 6, 7), rgb(2, 3, 5), rgb(7, 7, 7), rgb(7, 7, 6), rgb(5, 5, 7), rgb(7, 7, 7)},
    {0, rgb(3, 1, 2), rgb(5, 2, 2), rgb(6, 3, 2), rgb(7, 4, 2), rgb(7, 5, 3), rgb(7, 6, 4), rgb(7, 5, 4), rgb(7, 7, 6),
     rgb(5, 3, 1), rgb(6, 4, 2), rgb(4, 2, 1), rgb(5, 3, 1), rgb(7, 7, 4), rgb(7, 6, 1), rgb(7, 7, 7)},
    {0, rgb(0, 0, 0), rgb(0, 0, 1), rgb(1, 0, 1), rgb(1, 0, 2), rgb(1, 1, 2), rgb(2, 1, 3), rgb(3, 3, 4), rgb(7, 7, 7),
     rgb(0, 2, 5), rgb(1, 5, 2), rgb(1, 1, 2), rgb(2, 2, 3), rgb(7, 7, 5), rgb(7, 4, 1), rgb(7, 7, 7)},
    // world map sea: 1-6 deep..shallow, 7 foam; 8-14 colours of the secret marker
    {0, rgb(0, 0, 2), rgb(0, 1, 4), rgb(1, 2, 5), rgb(1, 3, 6), rgb(2, 5, 7), rgb(5, 7, 7), rgb(7, 7, 7), rgb(0, 0, 0),
     rgb(7, 1, 1), rgb(7, 6, 0), rgb(7, 7, 4), rgb(4, 0, 4), rgb(6, 2, 6), rgb(3, 0, 0), rgb(7, 7, 7)},
};

// Flash palettes (line 3): water, lava or goo in slots 1-5; the map uses it for its snow,
// desert and moon lands.
const Palette FLASH[THEME_COUNT] = {
    {0, rgb(0, 1, 4), rgb(0, 2, 5), rgb(1, 4, 6), rgb(3, 6, 7), rgb(7, 7, 7), rgb(0, 1, 2), rgb(1, 3, 5), rgb(2, 5, 6),
     rgb(4, 6, 7), rgb(6, 7, 7), rgb(0, 0, 1), rgb(7, 7, 7), rgb(7, 7, 7), rgb(7, 7, 7), rgb(7, 7, 7)},
    {0, rgb(3, 0, 0), rgb(5, 1, 0), rgb(7, 3, 0), rgb(7, 6, 1), rgb(7, 7, 5), rgb(2, 0, 0), rgb(4, 0, 0), rgb(6, 2, 0),
     rgb(7, 5, 0), rgb(7, 7, 3), rgb(1, 0, 0), rgb(7, 7, 7), rgb(7, 7, 7), rgb(7, 7, 7), rgb(7, 7, 7)},
    {0, rgb(0, 2, 4), rgb(1, 3, 5), rgb(2, 5, 6), rgb(5, 7, 7), rgb(7, 7, 7), rgb(0, 1, 3), rgb(1, 4, 6), rgb(3, 6, 7),
     rgb(6, 7, 7), rgb(7, 7, 7), rgb(0, 1, 2), rgb(7, 7, 7), rgb(7, 7, 7), rgb(7, 7, 7), rgb(7, 7, 7)},
    {0, rgb(0, 2, 3), rgb(1, 4, 5), rgb(2, 5, 6), rgb(5, 7, 7), rgb(7, 7, 7), rgb(0, 1, 2), rgb(1, 3, 4), rgb(2, 6, 6),
     rgb(6, 7, 7), rgb(7, 7, 7), rgb(0, 1, 1), rgb(7, 7, 7), rgb(7, 7, 7), rgb(7, 7, 7), rgb(7, 7, 7)},
    {0, rgb(0, 2, 0), rgb(1, 4, 1), rgb(2, 6, 2), rgb(5, 7, 4), rgb(7, 7, 7), rgb(0, 1, 0), rgb(1, 3, 1), rgb(3, 7, 3),
     rgb(6, 7, 5), rgb(7, 7, 7), rgb(0, 1, 0), rgb(7, 7, 7), rgb(7, 7, 7), rgb(7, 7, 7), rgb(7, 7, 7)},
    // map: 1 outline, 2-4 snow, 5-7 desert, 8-10 moon rock, 11-12 pine, 13 cactus, 14 crystal
    {0, rgb(0, 0, 1), rgb(4, 5, 7), rgb(6, 7, 7), rgb(7, 7, 7), rgb(5, 3, 1), rgb(7, 5, 2), rgb(7, 6, 4), rgb(2, 2, 3),
     rgb(4, 4, 5), rgb(6, 6, 6), rgb(0, 2, 1), rgb(1, 4, 2), rgb(2, 5, 1), rgb(4, 1, 5), rgb(7, 7, 7)},
};

int channel(uint16_t w, int shift) { return (w >> shift) & 7; }

Palette scaled(const Palette& p, int num, int den) {
  Palette out{};
  for (int i = 0; i < 16; ++i)
    out[i] = rgb(channel(p[i], 1) * num / den, channel(p[i], 5) * num / den, channel(p[i], 9) * num / den);
  return out;
}

// Evening sky: warmer and darker versions of the sky slots, clouds tinted pink.
Palette dusk(const Palette& p) {
  Palette out = p;
  const uint16_t sky[6] = {rgb(1, 0, 3), rgb(2, 1, 4), rgb(4, 1, 4), rgb(6, 2, 3), rgb(7, 3, 2), rgb(7, 5, 2)};
  for (int i = 0; i < 6; ++i) out[1 + i] = sky[i];
  out[7] = rgb(5, 3, 4);
  out[8] = rgb(7, 5, 5);
  for (int i = 9; i <= 12; ++i) out[i] = rgb(channel(p[i], 1) / 2 + 1, channel(p[i], 5) / 2, channel(p[i], 9) / 2 + 1);
  out[13] = rgb(7, 4, 1);
  return out;
}

// Alternative ground colours: the surface slots take autumn or darker tones.
Palette alternative(const Palette& p) {
  Palette out = p;
  out[5] = rgb(std::min(7, channel(p[5], 1) + 3), channel(p[5], 5), channel(p[5], 9) / 2);
  out[6] = rgb(std::min(7, channel(p[6], 1) + 3), std::max(0, channel(p[6], 5) - 1), channel(p[6], 9) / 2);
  out[7] = rgb(std::min(7, channel(p[7], 1) + 3), channel(p[7], 5), channel(p[7], 9) / 2);
  return out;
}

}  // namespace

std::vector<Palette> make_palettes() {
  std::vector<Palette> all;
  all.push_back(SPRITES);
  for (int t = 0; t < THEME_COUNT; ++t) all.push_back(FRONT[t]);
  for (int t = 0; t < THEME_COUNT; ++t) all.push_back(BACK[t]);
  for (int t = 0; t < THEME_COUNT; ++t) all.push_back(FLASH[t]);
  for (int t = 0; t < 5; ++t) all.push_back(dusk(BACK[t]));
  for (int t = 0; t < 5; ++t) all.push_back(alternative(FRONT[t]));
  const std::vector<Palette> bases(all.begin(), all.begin() + 13);
  for (int step = 0; step < 6; ++step)
    for (const Palette& b : bases) all.push_back(scaled(b, 6 - step, 7));
  return all;
}

std::vector<uint8_t> palette_bytes(const Palette& p) {
  std::vector<uint8_t> out;
  for (uint16_t w : p) {
    out.push_back(static_cast<uint8_t>(w >> 8));
    out.push_back(static_cast<uint8_t>(w));
  }
  return out;
}

}  // namespace sample
