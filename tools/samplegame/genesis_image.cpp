#include "tools/samplegame/genesis_image.h"

#include <cstdio>
#include <map>
#include <stdexcept>

#include "tools/samplegame/packing.h"

namespace sample {
namespace {

using namespace genesis;

// Where the variable data goes; each area is filled front to back.
constexpr uint32_t THEME_AREA = 0x040000, THEME_AREA_END = 0x0A2000;
constexpr uint32_t NAME_AREA = 0x0A3400, NAME_AREA_END = 0x0A7200;
constexpr uint32_t PICKUP_LOW_AREA = 0x0C4000, PICKUP_LOW_END = PICKUP_BASE;  // negative offsets
constexpr uint32_t PICKUP_HIGH_AREA = 0x0C6260, PICKUP_HIGH_END = 0x0C7000;
constexpr uint32_t PICKUP_GFX_AREA = 0x0C7000, PICKUP_GFX_END = 0x0CB800;
constexpr uint32_t LAYOUT_AREA = 0x0D0000, LAYOUT_AREA_END = COMMON_BLOCK_MAP;
constexpr uint32_t PALETTE_AREA = PALETTE_TABLE + 4 * PALETTE_COUNT, PALETTE_AREA_END = PLACEMENT_BEGIN;

std::string hex(uint32_t v) {
  char b[16];
  std::snprintf(b, sizeof b, "%02X", v);
  return b;
}

void write_header(RomImage& rom) {
  rom.put32(0, 0x00FFFE00);  // initial stack pointer
  for (uint32_t v = 4; v < 0x100; v += 4) rom.put32(v, 0x200);
  rom.put_text(0x100, "SEGA MEGA DRIVE", 16);
  rom.put_text(0x110, "(C)GLUB 2024.JAN", 16);
  rom.put_text(0x120, "GLUBBERT SAMPLE GAME", 48);
  rom.put_text(0x150, "GLUBBERT SAMPLE GAME", 48);
  rom.put_text(0x180, "GM 00000000-00", 14);
  rom.put_text(0x190, "J", 16);
  rom.put32(0x1A0, 0), rom.put32(0x1A4, IMAGE_SIZE - 1);
  rom.put32(0x1A8, 0xFF0000), rom.put32(0x1AC, 0xFFFFFF);
  rom.put_text(0x1B0, "", 64);
  rom.put_text(0x1F0, "JUE", 16);
  rom.put16(0x200, 0x4E71);  // nop
  rom.put16(0x202, 0x60FE);  // bra.s to itself
  rom.claim(0, 0x204, "ROM header and start code");
}

void finish_checksum(RomImage& rom) {
  uint16_t sum = 0;
  for (uint32_t i = 0x200; i + 1 < rom.size(); i += 2) sum = static_cast<uint16_t>(sum + (rom.at(i) << 8 | rom.at(i + 1)));
  rom.put16(0x18E, sum);
}

std::vector<uint8_t> maybe_packed(const std::vector<uint8_t>& data, bool packed) { return packed ? pack_block(data) : data; }

}  // namespace

RomImage make_genesis_image(const GameContent& game) {
  RomImage rom(IMAGE_SIZE);
  write_header(rom);

  // Game-wide patterns at their fixed offsets.
  rom.place_at(LARGE_OBJECT_PATTERNS, game.large_object.pattern_bytes(), "large-object patterns (60)");
  rom.place_at(BLOCK_ICON_PATTERNS, game.block_icons.pattern_bytes(), "block-object icon patterns (72)");
  rom.place_at(MOON_PATTERNS, game.moon.pattern_bytes(), "moon patterns (4)");
  rom.place_at(MARKER_PATTERNS, game.marker_icons.pattern_bytes(), "marker patterns (126)");

  // Markers and their names.
  Area names(rom, "marker names (zero-terminated)", NAME_AREA, NAME_AREA_END, true);
  std::map<std::string, uint32_t> name_at;
  rom.claim(MARKERS, 14 * MARKER_COUNT, "marker table (131 x 14)");
  for (int i = 0; i < MARKER_COUNT; ++i) {
    const Marker& m = game.markers[i];
    auto it = name_at.find(m.name);
    uint32_t text;
    if (it != name_at.end()) {
      text = it->second;
    } else {
      std::vector<uint8_t> bytes(m.name.begin(), m.name.end());
      bytes.push_back(0);
      text = names.place(bytes, "name of marker " + std::to_string(i));
      name_at[m.name] = text;
    }
    const uint32_t e = MARKERS + 14 * i;
    rom.put8(e, m.type);
    rom.put24(e + 1, text);
    rom.put16(e + 4, static_cast<uint16_t>(m.x));
    rom.put16(e + 6, static_cast<uint16_t>(m.y));
    rom.put8(e + 8, m.up), rom.put8(e + 9, m.down), rom.put8(e + 10, m.left), rom.put8(e + 11, m.right);
    rom.put8(e + 12, m.spare), rom.put8(e + 13, m.tunnel);
  }

  rom.claim(BLOCK_TYPES, 4 * BLOCK_TYPE_COUNT, "block types (105 x 4)");
  for (int i = 0; i < BLOCK_TYPE_COUNT; ++i) {
    rom.put16(BLOCK_TYPES + 4 * i, static_cast<uint16_t>(game.block_types[i].kind));
    rom.put16(BLOCK_TYPES + 4 * i + 2, game.block_types[i].param);
  }

  // Pickups: entry i holds a signed offset from PICKUP_BASE to a record of a few words whose
  // first byte is not 0, followed by the 32-bit offset of the pickup's four patterns.
  Area low(rom, "pickup records of even types (negative offsets)", PICKUP_LOW_AREA, PICKUP_LOW_END, true);
  Area high(rom, "pickup records of odd types (positive offsets)", PICKUP_HIGH_AREA, PICKUP_HIGH_END, true);
  Area gfx(rom, "pickup patterns, 128 bytes each", PICKUP_GFX_AREA, PICKUP_GFX_END, true);
  std::vector<uint32_t> graphic_at;
  for (size_t g = 0; g < game.pickup_graphics.size(); ++g)
    graphic_at.push_back(gfx.place(game.pickup_graphics[g].pattern_bytes(), "pickup patterns " + std::to_string(g)));
  rom.claim(PICKUP_BASE, 4, "before the pickup table (base of its offsets)");
  rom.claim(PICKUP_TABLE, 4 * PICKUP_TYPES, "pickup-graphics table (58 x 4)");
  std::vector<uint32_t> record_at(PICKUP_TYPES);
  for (int type = 0; type < PICKUP_TYPES; ++type) {
    uint32_t rec;
    if (type == 33) {
      rec = record_at[12];  // shares the record of type 12
    } else {
      std::vector<uint8_t> r;
      for (int w = 0; w < type % 4; ++w) r.push_back(static_cast<uint8_t>(0x80 | w)), r.push_back(static_cast<uint8_t>(type));
      const uint32_t target = graphic_at[game.pickup_graphic_of_type[type]];
      for (int s = 24; s >= 0; s -= 8) r.push_back(static_cast<uint8_t>(target >> s));
      rec = (type % 2 ? high : low).place(r, "pickup record " + std::to_string(type));
    }
    record_at[type] = rec;
    rom.put16(PICKUP_TABLE + 4 * type, static_cast<uint16_t>(static_cast<int16_t>(static_cast<int32_t>(rec - PICKUP_BASE))));
    rom.put16(PICKUP_TABLE + 4 * type + 2, static_cast<uint16_t>(type % 4));
  }

  // Themes: patterns (packed), block map, chunk set, solidity; the tables end with a zero entry.
  Area themes(rom, "theme data", THEME_AREA, THEME_AREA_END);
  rom.claim(CHUNK_SET_TABLE, 4 * 11, "chunk-set table");
  rom.claim(SOLIDITY_TABLE, 4 * 11, "solidity table");
  rom.claim(PATTERN_TABLE, 4 * 11, "pattern table");
  rom.claim(BLOCK_MAP_TABLE, 4 * 22, "block-map table");
  for (size_t t = 0; t < game.themes.size(); ++t) {
    const Theme& th = game.themes[t];
    const std::string n = "theme " + std::to_string(t) + " (" + th.name + ") ";
    rom.put32(PATTERN_TABLE + 4 * t, themes.place(pack_block(th.blocks.pattern_bytes()), n + "patterns, packed"));
    rom.put32(BLOCK_MAP_TABLE + 4 * t, themes.place(maybe_packed(th.blocks.block_map_bytes(), !th.plain_block_map),
                                                    n + "block map, " + (th.plain_block_map ? "plain" : "packed")));
    rom.put32(CHUNK_SET_TABLE + 4 * t, themes.place(maybe_packed(th.chunks.block(), !th.plain_chunk_set),
                                                    n + "chunk set, " + (th.plain_chunk_set ? "plain" : "packed")));
    rom.put32(SOLIDITY_TABLE + 4 * t, themes.place(th.solidity(game.common), n + "solidity, plain"));
  }

  rom.place_at(COMMON_PATTERNS, pack_block(game.common.pattern_bytes()), "common patterns, packed");
  rom.place_at(COMMON_BLOCK_MAP, pack_block(game.common.block_map_bytes()), "common block map, packed");

  // Layouts: bank 0x00-0x7F fronts, 0x80-0xFF backs; entries past the used ones repeat earlier
  // pointers of their bank.
  Area layouts(rom, "layouts", LAYOUT_AREA, LAYOUT_AREA_END);
  rom.claim(LAYOUT_TABLE, 4 * 256, "layout table (256)");
  auto place_bank = [&](const std::vector<Layout>& list, const std::vector<bool>& packed, int bank) {
    std::vector<uint32_t> at;
    for (size_t i = 0; i < list.size(); ++i)
      at.push_back(layouts.place(maybe_packed(list[i].block(), packed[i]),
                                 "layout " + hex(static_cast<uint32_t>(bank + i)) + (packed[i] ? ", packed" : ", plain")));
    for (int n = 0; n < 128; ++n) {
      const size_t i = n < static_cast<int>(at.size()) ? n : 1 + (n - at.size()) % (at.size() - 1);
      rom.put32(LAYOUT_TABLE + 4 * (bank + n), at[i]);
    }
  };
  place_bank(game.fronts, game.front_packed, 0);
  place_bank(game.backs, game.back_packed, 0x80);

  rom.claim(MAP_TABLE, 13 * MAP_HEADER_COUNT, "map headers (256 x 13)");
  for (int m = 0; m < MAP_HEADER_COUNT; ++m)
    for (int b = 0; b < 13; ++b) rom.put8(MAP_TABLE + 13 * m + b, game.headers[m].bytes[b]);

  Area palettes(rom, "palettes 00-6A, 32 bytes each", PALETTE_AREA, PALETTE_AREA_END, true);
  rom.claim(PALETTE_TABLE, 4 * PALETTE_COUNT, "palette table (107)");
  for (int p = 0; p < PALETTE_COUNT; ++p)
    rom.put32(PALETTE_TABLE + 4 * p, palettes.place(palette_bytes(game.palettes[p]), "palette " + hex(p)));

  finish_checksum(rom);
  std::string error;
  if (!rom.check(nullptr, &error)) throw std::runtime_error(error);
  if (!rom.zero_between(PLACEMENT_BEGIN, PLACEMENT_END)) throw std::runtime_error("placement area is not free");
  return rom;
}

std::string genesis_listing(const RomImage& image) {
  std::vector<RomImage::Piece> pieces;
  std::string error;
  if (!image.check(&pieces, &error)) return "ERROR: " + error + "\n";
  std::string out = "| offset | size | content |\n|---|---|---|\n";
  char line[256];
  for (size_t i = 0; i < pieces.size();) {
    size_t j = i + 1;
    if (!pieces[i].group.empty())
      while (j < pieces.size() && pieces[j].group == pieces[i].group) ++j;
    const uint32_t end = pieces[j - 1].offset + pieces[j - 1].size;
    if (j - i > 1)
      std::snprintf(line, sizeof line, "| 0x%06X | %u | %s: %zu pieces |\n", pieces[i].offset, end - pieces[i].offset,
                    pieces[i].group.c_str(), j - i);
    else
      std::snprintf(line, sizeof line, "| 0x%06X | %u | %s |\n", pieces[i].offset, pieces[i].size, pieces[i].name.c_str());
    out += line;
    i = j;
  }
  return out;
}

}  // namespace sample

namespace sample {

std::string map_listing(const GameContent& game) {
  std::string out =
      "| map | name | theme | front (layout, size, form) | back (layout, size, form) | palettes |\n"
      "|---|---|---|---|---|---|\n";
  char line[320];
  for (int m = 0; m < LEVEL_COUNT; ++m) {
    const MapHeader& h = game.headers[m];
    const int f = h.bytes[0], b = h.bytes[1] - 0x80;
    const Layout& front = game.fronts[f];
    const Layout& back = game.backs[b];
    std::snprintf(line, sizeof line, "| %02X | %s | %d %s | %02X, %dx%d, %s | %02X, %dx%d, %s | %02X %02X %02X %02X |\n", m,
                  m == 0 ? "MAP SCREEN" : game.markers[m - 1].name.c_str(), front.theme(),
                  game.themes[front.theme()].name.c_str(), f, front.width(), front.height(),
                  game.front_packed[f] ? "packed" : "plain", 0x80 + b, back.width(), back.height(),
                  game.back_packed[b] ? "packed" : "plain", h.bytes[2], h.bytes[3], h.bytes[4], h.bytes[5]);
    out += line;
  }
  return out;
}

std::string theme_listing(const GameContent& game) {
  std::string out = "| theme | name | level blocks | patterns | chunks | block map | chunk set |\n|---|---|---|---|---|---|---|\n";
  char line[256];
  for (size_t t = 0; t < game.themes.size(); ++t) {
    const Theme& th = game.themes[t];
    std::snprintf(line, sizeof line, "| %zu | %s | %d | %d | %d | %s | %s |\n", t, th.name.c_str(), th.blocks.count(),
                  th.blocks.pattern_count(), th.chunks.count(), th.plain_block_map ? "plain" : "packed",
                  th.plain_chunk_set ? "plain" : "packed");
    out += line;
  }
  return out;
}

}  // namespace sample
