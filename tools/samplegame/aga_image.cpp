#include "tools/samplegame/aga_image.h"

#include <cstdio>
#include <filesystem>
#include <stdexcept>

#include "files/atomic_file.h"
#include "tools/samplegame/packing.h"

namespace sample {
namespace {

using namespace aga;

// Where the variable data of the CODE data goes.
constexpr uint32_t PROGRAM = 0x000400, PROGRAM_END = 0x02F000;
constexpr uint32_t PALETTE_AREA = 0x0342C0, PALETTE_AREA_END = 0x036000;
constexpr uint32_t NAME_AREA = 0x036000, NAME_AREA_END = 0x03A000;

// File names: at most 12 characters, in mixed case as the game has them.
const char* const THEME_FILES[THEME_COUNT] = {"Meadow", "Castle", "Ice", "Desert", "Moon", "WorldMap"};

std::string chunk_set_name(int t) { return std::string(THEME_FILES[t]) + (t == 2 ? ".itm" : ".ITM"); }
std::string solidity_name(int t) { return std::string(THEME_FILES[t]) + ".INS"; }
std::string graphics_name(int t) {
  static const char* const names[THEME_COUNT] = {"MeadowBl.GLV", "CastleBl.GLV", "IceBl.GLV",
                                                 "DesertBl.GLV", "MoonBl.GLV",   "MapBl.GLV"};
  return names[t];
}

std::string front_name(int n) {
  if (n == 0) return "WorldMap.LVL";
  char b[16];
  std::snprintf(b, sizeof b, "Level%02d.LVL", n);
  return b;
}

std::string back_name(int n) {
  char b[16];
  std::snprintf(b, sizeof b, "Back%02d.Lvl", n);
  return b;
}

int channel(uint16_t word, int shift) { return (word >> shift) & 7; }

// Nearest colour of the sprite palette (indices 1..15) to a colour word.
uint8_t nearest_sprite_colour(uint16_t word, const Palette& sprites) {
  int best = 1, best_distance = 1 << 30;
  for (int i = 1; i < 16; ++i) {
    const int dr = channel(word, 1) - channel(sprites[i], 1);
    const int dg = channel(word, 5) - channel(sprites[i], 5);
    const int db = channel(word, 9) - channel(sprites[i], 9);
    const int d = 3 * dr * dr + 6 * dg * dg + db * db;
    if (d < best_distance) best = i, best_distance = d;
  }
  return static_cast<uint8_t>(best);
}

// A stand-in for the game's program: 68000 instruction words in a repeating mix.
std::vector<uint8_t> program_bytes(uint32_t size) {
  static const uint16_t words[] = {0x4E75, 0x4E71, 0x2F00, 0x7000, 0x6100, 0x41F9, 0x3028, 0x4A40,
                                   0x6700, 0x6600, 0x2040, 0x302F, 0x48E7, 0x4CDF, 0xD040, 0x0C40};
  std::vector<uint8_t> out;
  uint32_t state = 12345;
  while (out.size() + 2 <= size) {
    state = state * 1103515245u + 12345u;
    const uint16_t w = words[(state >> 16) % 16] | static_cast<uint16_t>((state >> 28) & 7);
    out.push_back(static_cast<uint8_t>(w >> 8));
    out.push_back(static_cast<uint8_t>(w));
  }
  return out;
}

}  // namespace

std::vector<uint8_t> planar_blocks(const Theme& theme, const std::vector<Palette>& palettes) {
  const int t = theme.id;
  const Palette* lines[4] = {&palettes[0], &palettes[pal_front(t)], &palettes[pal_back(t)], &palettes[pal_flash(t)]};
  std::vector<uint8_t> out;
  for (int i = 0; i < theme.blocks.count(); ++i) {
    const Canvas& art = theme.blocks.art(i);
    const Palette& line = *lines[theme.blocks.line(i) & 3];
    for (int y = 0; y < 16; ++y) {
      uint16_t planes[4] = {0, 0, 0, 0};
      for (int x = 0; x < 16; ++x) {
        const uint8_t index = art.at(x, y);
        if (!index) continue;
        const uint8_t colour = nearest_sprite_colour(line[index], palettes[0]);
        for (int p = 0; p < 4; ++p)
          if (colour >> p & 1) planes[p] |= static_cast<uint16_t>(0x8000 >> x);
      }
      for (uint16_t w : planes) {
        out.push_back(static_cast<uint8_t>(w >> 8));
        out.push_back(static_cast<uint8_t>(w));
      }
    }
  }
  return out;
}

AgaGame make_aga_game(const GameContent& game) {
  AgaGame aga_game;
  RomImage& code = aga_game.code;
  auto add_file = [&](const std::string& name, const std::vector<uint8_t>& bytes) {
    aga_game.files.emplace_back(name, bytes);
  };

  code.put_text(0, "GLUBBERT AGA SAMPLE CODE", 32);
  code.claim(0, 32, "title");
  code.place_at(PROGRAM, program_bytes(PROGRAM_END - PROGRAM), "program");

  Area names(code, "file names (zero-terminated)", NAME_AREA, NAME_AREA_END, true);
  auto name_entry = [&](uint32_t entry, const std::string& name) {
    if (name.size() > 12) throw std::runtime_error("file name " + name + " is longer than 12 characters");
    std::vector<uint8_t> bytes(name.begin(), name.end());
    bytes.push_back(0);
    code.put32(entry, names.place(bytes, name) + ADDRESS_BASE);
  };

  // Themes: the three name lists end together with a zero entry.
  code.claim(CHUNK_SET_NAMES, 4 * 11, "chunk-set name table");
  code.claim(SOLIDITY_NAMES, 4 * 11, "solidity name table");
  code.claim(GRAPHICS_NAMES, 4 * 11, "graphics name table");
  for (size_t t = 0; t < game.themes.size(); ++t) {
    const Theme& th = game.themes[t];
    name_entry(CHUNK_SET_NAMES + 4 * t, chunk_set_name(static_cast<int>(t)));
    name_entry(SOLIDITY_NAMES + 4 * t, solidity_name(static_cast<int>(t)));
    name_entry(GRAPHICS_NAMES + 4 * t, graphics_name(static_cast<int>(t)));
    const std::vector<uint8_t> chunks = th.chunks.block();
    add_file(chunk_set_name(static_cast<int>(t)), th.plain_chunk_set ? chunks : pack_block(chunks));
    add_file(solidity_name(static_cast<int>(t)), th.solidity(game.common));
    add_file(graphics_name(static_cast<int>(t)), pack_block(planar_blocks(th, game.palettes)));
  }

  // Layouts: fronts in bank 0x00-0x7F, backs in 0x80-0xFF; unused entries stay 0 (no file).
  code.claim(LAYOUT_NAMES, 4 * 256, "layout name table (256)");
  for (size_t i = 0; i < game.fronts.size(); ++i) {
    name_entry(LAYOUT_NAMES + 4 * i, front_name(static_cast<int>(i)));
    const std::vector<uint8_t> block = game.fronts[i].block();
    add_file(front_name(static_cast<int>(i)), game.front_packed[i] ? pack_block(block) : block);
  }
  for (size_t i = 0; i < game.backs.size(); ++i) {
    name_entry(LAYOUT_NAMES + 4 * (0x80 + i), back_name(static_cast<int>(i)));
    const std::vector<uint8_t> block = game.backs[i].block();
    add_file(back_name(static_cast<int>(i)), game.back_packed[i] ? pack_block(block) : block);
  }

  code.claim(MAP_HEADERS, 13 * MAP_HEADERS_STORED, "map headers (112 x 13)");
  for (int m = 0; m < MAP_HEADERS_STORED; ++m)
    for (int b = 0; b < 13; ++b) code.put8(MAP_HEADERS + 13 * m + b, game.headers[m].bytes[b]);

  Area palettes(code, "palettes 00-6A, 32 bytes each", PALETTE_AREA, PALETTE_AREA_END, true);
  code.claim(PALETTE_TABLE, 4 * PALETTE_COUNT, "palette table (107)");
  for (int p = 0; p < PALETTE_COUNT; ++p) {
    char label[16];
    std::snprintf(label, sizeof label, "palette %02X", p);
    code.put32(PALETTE_TABLE + 4 * p, palettes.place(palette_bytes(game.palettes[p]), label) + ADDRESS_BASE);
  }

  std::string error;
  if (!code.check(nullptr, &error)) throw std::runtime_error(error);
  if (!code.zero_between(BUILD_NAME_AREA, BUILD_NAME_AREA_END)) throw std::runtime_error("build name area is not free");
  return aga_game;
}

bool write_aga_directory(const AgaGame& aga_game, const std::string& dir, std::string& error) {
  std::error_code ec;
  std::filesystem::create_directories(dir, ec);
  const std::string code_path = dir + "/CODE";
  if (!write_file_atomic(code_path, pack_block(aga_game.code.bytes()), &error)) {
    error = code_path + ": " + error;
    return false;
  }
  for (const auto& f : aga_game.files) {
    if (!write_file_atomic(dir + "/" + f.first, f.second, &error)) {
      error = dir + "/" + f.first + ": " + error;
      return false;
    }
  }
  return true;
}

}  // namespace sample
