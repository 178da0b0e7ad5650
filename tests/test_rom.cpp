#include "test_rom.h"

#include <cstring>
#include <filesystem>

#include "files/atomic_file.h"
#include "files/byte_order.h"
#include "files/chunk_set_block.h"
#include "files/layout_block.h"
#include "files/packed_block.h"

namespace {

void put(RomImage& rom, size_t at, const std::vector<uint8_t>& bytes) {
  std::memcpy(&rom[at], bytes.data(), bytes.size());
}

std::vector<uint8_t> layout_bytes(uint8_t theme, uint16_t width, uint16_t height, int seed) {
  LayoutPlane p;
  p.theme = theme;
  p.width = width;
  p.height = height;
  p.rows.resize(height / 16 + 1);
  for (size_t r = 1; r < p.rows.size(); r += 2)
    for (int k = 0; k < 3; ++k)
      p.rows[r].objects.push_back({static_cast<uint16_t>((r + k + seed) % 3), static_cast<uint16_t>(48 * k + 16)});
  p.rows[1].objects.push_back({0x0805, 80});
  std::vector<uint8_t> b;
  std::string error;
  build_layout_block(p, b, error);
  return b;
}

}  // namespace

TestRom build_test_rom() {
  TestRom t;
  RomImage& rom = t.rom;
  rom.assign(0x120000, 0);

  // Map table: map 0 and map 2.
  const uint8_t map0[13] = {0, 1, 0, 1, 2, 3, 10, 11, 12, 13, 14, 15, 16};
  const uint8_t map2[13] = {2, 1, 3, 2, 1, 0, 0, 0, 0, 0, 0, 0, 7};
  std::memcpy(&rom[genesis::MAP_HEADERS], map0, 13);
  std::memcpy(&rom[genesis::MAP_HEADERS + 26], map2, 13);

  // Layouts.
  t.front_layout_at = 0x100000;
  t.back_layout_at = 0x100400;
  t.packed_layout_at = 0x100800;
  put(rom, t.front_layout_at, layout_bytes(0, 640, 160, 0));
  put(rom, t.back_layout_at, layout_bytes(0, 320, 64, 1));
  put(rom, t.packed_layout_at, pack_block(layout_bytes(0, 800, 128, 2)));
  write_be32(&rom[genesis::LAYOUT_TABLE + 0], static_cast<uint32_t>(t.front_layout_at));
  write_be32(&rom[genesis::LAYOUT_TABLE + 4], static_cast<uint32_t>(t.back_layout_at));
  write_be32(&rom[genesis::LAYOUT_TABLE + 8], static_cast<uint32_t>(t.packed_layout_at));

  // Theme 0: chunk set, patterns, block map.
  ChunkMap chunks;
  chunks.chunks.resize(3);
  for (int i = 0; i < 3; ++i) {
    Chunk& c = chunks.chunks[i];
    c.width = static_cast<int8_t>(i + 1);
    c.height = 2;
    for (int r = 0; r < 2; ++r)
      for (int col = 0; col <= i; ++col) c.cell(col, r) = static_cast<uint16_t>(24 + (r * 3 + col + i) % 6);
  }
  chunks.chunks[2].cell(0, 0) |= CELL_VFLIP;
  std::vector<uint8_t> set;
  std::string error;
  build_chunk_set_block(chunks, set, error);
  t.chunkmap_at = 0x101000;
  put(rom, t.chunkmap_at, set);
  write_be32(&rom[genesis::CHUNKMAP_TABLE], static_cast<uint32_t>(t.chunkmap_at));

  t.level_pattern_bytes.resize(40 * 32);
  for (size_t i = 0; i < t.level_pattern_bytes.size(); ++i)
    t.level_pattern_bytes[i] = static_cast<uint8_t>(((i / 32) % 15 + 1) * 0x11 ^ (i % 4 == 0 ? 0x0F : 0));
  t.patterns_at = 0x102000;
  put(rom, t.patterns_at, pack_block(t.level_pattern_bytes));
  write_be32(&rom[genesis::PATTERN_TABLE], static_cast<uint32_t>(t.patterns_at));

  t.blockmap_at = 0x104000;
  for (int i = 0; i < 496; ++i)
    for (int k = 0; k < 4; ++k)
      write_be16(&rom[t.blockmap_at + 8 * i + 2 * k], static_cast<uint16_t>(((i * 4 + k) % 40) | (k << 13)));
  write_be32(&rom[genesis::BLOCKMAP_TABLE], static_cast<uint32_t>(t.blockmap_at));

  // Palettes 0..3.
  for (int p = 0; p < 4; ++p) {
    const size_t at = 0x106000 + 32 * p;
    write_be32(&rom[genesis::PALETTE_TABLE + 4 * p], static_cast<uint32_t>(at));
    for (int i = 0; i < 16; ++i) write_be16(&rom[at + 2 * i], static_cast<uint16_t>(((i + p) & 7) << 1 | (i & 7) << 5 | p << 9));
  }

  // Common patterns (packed) and block map (plain).
  t.common_pattern_bytes.resize(16 * 32);
  for (size_t i = 0; i < t.common_pattern_bytes.size(); ++i) t.common_pattern_bytes[i] = static_cast<uint8_t>(i * 37);
  put(rom, genesis::COMMON_PATTERNS, pack_block(t.common_pattern_bytes));
  for (int i = 0; i < 496; ++i) write_be16(&rom[genesis::COMMON_BLOCKMAP + 8 * i], static_cast<uint16_t>(i % 16));

  // Moon, pickups (the walk meets one nonzero word first), fixed pattern sets.
  for (int i = 0; i < 128; ++i) rom[genesis::MOON_PATTERNS + i] = static_cast<uint8_t>(0x9A + i);
  for (int i = 0; i < PICKUP_TYPE_COUNT; ++i) {
    write_be16(&rom[genesis::PICKUP_GRAPHICS + 4 * i], static_cast<uint16_t>(0x200 + 8 * i));
    const size_t q = genesis::PICKUP_BASE + 0x200 + 8 * i;
    rom[q] = 0x4E;
    write_be32(&rom[q + 2], static_cast<uint32_t>(0x108000 + 128 * i));
    std::memset(&rom[0x108000 + 128 * i], 0x10 + i % 15, 128);
  }
  for (int i = 0; i < 72 * 32; ++i) rom[genesis::BLOCK_TYPE_PATTERNS + i] = static_cast<uint8_t>(i);
  for (int i = 0; i < 60 * 32; ++i) rom[genesis::LARGE_OBJECT_PATTERNS + i] = static_cast<uint8_t>(i * 3);
  for (int i = 0; i < 126 * 32; ++i) rom[genesis::MARKER_PATTERNS + i] = static_cast<uint8_t>(i * 5);
  for (int i = 0; i < BLOCK_TYPE_COUNT; ++i) {
    write_be16(&rom[genesis::BLOCK_TYPES + 4 * i], static_cast<uint16_t>(i % 17 - (i == 100 ? 20 : 0)));
    write_be16(&rom[genesis::BLOCK_TYPES + 4 * i + 2], static_cast<uint16_t>(i * 0x101));
  }

  // Markers: names at names_at; marker 0 and 1 named, the others share an empty name.
  t.names_at = 0x10C000;
  std::memcpy(&rom[t.names_at + 1], "FIRST ISLAND", 12);
  std::memcpy(&rom[t.names_at + 20], "SECOND ISLAND", 13);
  for (int i = 0; i < MARKER_COUNT; ++i) {
    uint8_t* e = &rom[genesis::MARKERS + genesis::MARKER_ENTRY_SIZE * i];
    const size_t name = i == 0 ? t.names_at + 1 : i == 1 ? t.names_at + 20 : t.names_at;
    e[0] = static_cast<uint8_t>(i % 2);
    e[1] = static_cast<uint8_t>(name >> 16);
    e[2] = static_cast<uint8_t>(name >> 8);
    e[3] = static_cast<uint8_t>(name);
    write_be16(e + 4, static_cast<uint16_t>(16 * i));
    write_be16(e + 6, static_cast<uint16_t>(8 * i));
    e[8] = e[9] = e[10] = e[11] = e[13] = 255;
  }
  return t;
}

void write_test_rom(const RomImage& rom, const std::string& dir) {
  std::filesystem::create_directories(dir + "/master/genesis");
  write_file_atomic(dir + "/master/genesis/glb.bin", rom, nullptr, false);
}
