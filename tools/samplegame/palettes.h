// The game's 107 palettes in the hardware colour format 0000 BBB0 GGG0 RRR0, and the
// palette numbers that levels use.
#pragma once
#include <array>
#include <cstdint>
#include <vector>

namespace sample {

using Palette = std::array<uint16_t, 16>;

constexpr int PALETTE_COUNT = 107;
constexpr int THEME_COUNT = 6;  // five level themes and the world map
constexpr int MAP_THEME = 5;

// Palette numbers: 0 the sprite palette (line 0 of every level); then per theme t:
constexpr int pal_front(int t) { return 1 + t; }
constexpr int pal_back(int t) { return 7 + t; }
constexpr int pal_flash(int t) { return 13 + t; }
constexpr int pal_back_dusk(int t) { return 19 + t; }   // t < 5: evening sky
constexpr int pal_front_alt(int t) { return 24 + t; }   // t < 5: autumn / alternative ground
// 29..106: fades towards black of palettes 0..12, six steps each (29 + 13 * step + base).

// A colour word from channels 0..7.
constexpr uint16_t rgb(int r, int g, int b) { return static_cast<uint16_t>((b << 9) | (g << 5) | (r << 1)); }

// All 107 palettes in number order.
std::vector<Palette> make_palettes();

// Big-endian bytes of one palette (32 bytes).
std::vector<uint8_t> palette_bytes(const Palette& p);

}  // namespace sample
