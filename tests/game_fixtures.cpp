#include "game_fixtures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "files/byte_order.h"
#include "files/chunk_set_block.h"
#include "files/layout_block.h"
#include "files/packed_block.h"
#include "files/project_files.h"
#include "files/rom_tables.h"
#include "test_support.h"

void write_bytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

std::vector<uint8_t> read_bytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string read_text_file(const std::string& path) {
  const std::vector<uint8_t> b = read_bytes(path);
  return std::string(b.begin(), b.end());
}

std::map<std::string, std::string> folder_snapshot(const std::string& dir) {
  std::map<std::string, std::string> out;
  namespace fs = std::filesystem;
  for (const auto& e : fs::recursive_directory_iterator(dir)) {
    const std::string path = e.path().string();
    const std::string mode = std::to_string(static_cast<int>(e.symlink_status().permissions()));
    if (e.is_symlink()) out[path] = "<link " + fs::read_symlink(e.path()).string() + ">";
    else out[path] = (e.is_directory() ? "<dir>" : read_text_file(path)) + "<mode " + mode + ">";
  }
  return out;
}

void expect_refused(const std::string& dir, const std::string& command, const std::string& error) {
  SCOPED_TRACE(command);
  auto snapshot = [&dir] {
    std::filesystem::remove(dir + "/out.txt");
    std::filesystem::remove(dir + "/err.txt");
    return folder_snapshot(dir);
  };
  const auto before = snapshot();
  const CommandRun r = run_mossforge(dir, command);
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, error);
  EXPECT_TRUE(snapshot() == before);
}

LayoutPlane fixture_plane(uint8_t theme, int rows, int seed) {
  LayoutPlane p;
  p.theme = theme;
  p.width = static_cast<uint16_t>(320 + 16 * seed);
  p.height = static_cast<uint16_t>(16 * rows);
  p.rows.resize(rows + 1);
  for (int r = 1; r <= rows; ++r)
    p.rows[r].objects.push_back({static_cast<uint16_t>((seed * 7 + r) % 3), static_cast<uint16_t>(16 * (r + seed))});
  return p;
}

ChunkMap fixture_chunks(int n, int seed) {
  ChunkMap m;
  m.chunks.resize(n);
  for (int i = 0; i < n; ++i) {
    Chunk& c = m.chunks[i];
    c.width = 2;
    c.height = 2;
    for (int k = 0; k < 4; ++k) c.cell(k % 2, k / 2) = static_cast<uint16_t>(24 + (seed * 5 + i + k) % 10);
  }
  return m;
}

std::vector<uint8_t> layout_bytes(const LayoutPlane& plane) {
  std::vector<uint8_t> b;
  std::string error;
  build_layout_block(plane, b, error);
  return b;
}

std::vector<uint8_t> chunk_set_bytes(const ChunkMap& map) {
  std::vector<uint8_t> b;
  std::string error;
  build_chunk_set_block(map, b, error);
  return b;
}

std::vector<uint8_t> text_bytes(const std::string& s) { return std::vector<uint8_t>(s.begin(), s.end()); }

std::vector<uint8_t> cut(std::vector<uint8_t> b, size_t n) {
  b.resize(n);
  return b;
}

std::vector<uint8_t> fake_packed(uint32_t s, uint32_t u, size_t total) {
  std::vector<uint8_t> b(total, 0);
  write_be32(&b[0], s);
  b[4] = 9, b[5] = 10, b[6] = 12, b[7] = 13;
  write_be32(&b[total - 4], u << 8);
  return b;
}

std::vector<uint8_t> unpacked_size_plus_one(std::vector<uint8_t> b) {
  const size_t s = b.size();
  const uint32_t u = (read_be32(&b[s - 4]) >> 8) + 1;
  b[s - 4] = static_cast<uint8_t>(u >> 16), b[s - 3] = static_cast<uint8_t>(u >> 8), b[s - 2] = static_cast<uint8_t>(u);
  return b;
}

std::vector<uint8_t> literal_block(const std::vector<uint8_t>& bytes) {
  // The stream: 0, (n - 1) / 3 groups of 11, (n - 1) % 3 in two bits, the bytes last first.
  std::vector<bool> bits{false};
  auto put = [&](uint32_t value, int n) {
    for (int i = n - 1; i >= 0; --i) bits.push_back((value >> i) & 1);
  };
  const size_t n = bytes.size();
  for (size_t g = 0; g < (n - 1) / 3; ++g) put(3, 2);
  put(static_cast<uint32_t>((n - 1) % 3), 2);
  for (size_t i = n; i-- > 0;) put(bytes[i], 8);
  // Laid out from the end: the first bit goes K bits above the end of the stream area.
  const size_t k = (32 - bits.size() % 32) % 32;
  const size_t s = 12 + 4 * ((bits.size() + 31) / 32);
  std::vector<uint8_t> block(s, 0);
  write_be32(&block[0], static_cast<uint32_t>(s));
  block[4] = 9, block[5] = 10, block[6] = 12, block[7] = 13;
  write_be32(&block[s - 4], static_cast<uint32_t>(n << 8 | k));
  for (size_t i = 0; i < bits.size(); ++i) {
    const size_t position = k + i;  // bit position counted from bit 0 of byte s - 5
    if (bits[i]) block[s - 5 - position / 8] |= static_cast<uint8_t>(1 << (position % 8));
  }
  return block;
}

namespace {

std::vector<uint8_t> filled(size_t n, int seed) {
  std::vector<uint8_t> b(n);
  for (size_t i = 0; i < n; ++i) b[i] = static_cast<uint8_t>(i * 7 + seed * 31);
  return b;
}

std::vector<uint8_t> palette_bytes(int p) {
  std::vector<uint8_t> b(32);
  for (int i = 0; i < 16; ++i) write_be16(&b[2 * i], static_cast<uint16_t>((p * 16 + i) & 0x0EEE));
  return b;
}

struct ImageWriter {
  std::vector<uint8_t>& bytes;
  size_t next;
  size_t put(const std::vector<uint8_t>& data) {
    const size_t at = next;
    std::memcpy(&bytes[at], data.data(), data.size());
    next = (at + data.size() + 1) & ~size_t(1);
    return at;
  }
  void entry(size_t table, int index, uint32_t value) { write_be32(&bytes[table + 4 * index], value); }
};

void put_header(std::vector<uint8_t>& bytes, size_t table, int level, const MapHeader& h) {
  std::memcpy(&bytes[table + MAP_HEADER_BYTES * level], &h, MAP_HEADER_BYTES);
}

MapHeader header(uint8_t front, uint8_t back, uint8_t main, int seed) {
  MapHeader h;
  h.map_front = front;
  h.map_back = back;
  h.palette_main = main;
  h.palette_front = static_cast<uint8_t>(seed + 1);
  h.palette_back = static_cast<uint8_t>(seed + 2);
  h.palette_flash = static_cast<uint8_t>(seed + 3);
  h.back_scroll_a = static_cast<uint8_t>(seed);
  h.back_scroll_d = 255;
  h.front_scroll = 16;
  return h;
}

}  // namespace

GenesisFixture make_genesis_fixture() {
  GenesisFixture f;
  f.rom.assign(0x112000, 0);
  ImageWriter w{f.rom, 0xD0000};
  for (int t = 0; t < 2; ++t) {
    f.chunks[t] = fixture_chunks(3 + t, t);
    const std::vector<uint8_t> set = chunk_set_bytes(f.chunks[t]);
    f.chunkmap_offset[t] = w.put(t == 0 ? set : pack_block(set));
    f.solidity_offset[t] = w.put(filled(genesis::SOLIDITY_BYTES, t));
    f.pattern_offset[t] = w.put(pack_block(filled(64, t + 5)));
    const std::vector<uint8_t> blockmap = filled(genesis::BLOCKMAP_BYTES, t + 9);
    f.blockmap_offset[t] = w.put(t == 0 ? blockmap : pack_block(blockmap));
    w.entry(genesis::CHUNKMAP_TABLE, t, static_cast<uint32_t>(f.chunkmap_offset[t]));
    w.entry(genesis::SOLIDITY_TABLE, t, static_cast<uint32_t>(f.solidity_offset[t]));
    w.entry(genesis::PATTERN_TABLE, t, static_cast<uint32_t>(f.pattern_offset[t]));
    w.entry(genesis::BLOCKMAP_TABLE, t, static_cast<uint32_t>(f.blockmap_offset[t]));
  }
  const struct {
    int layout;
    bool packed;
  } layouts[] = {{0x00, false}, {0x01, true}, {0x03, false}, {0x80, false}, {0x81, true}};
  for (const auto& l : layouts) {
    f.planes[l.layout] = fixture_plane(static_cast<uint8_t>(l.layout & 1), 3 + (l.layout & 7), l.layout);
    const std::vector<uint8_t> block = layout_bytes(f.planes[l.layout]);
    f.layout_offset[l.layout] = w.put(l.packed ? pack_block(block) : block);
    const size_t table = l.layout < 0x80 ? genesis::LAYOUT_TABLE : genesis::LAYOUT_TABLE_HIGH;
    w.entry(table, l.layout & 0x7F, static_cast<uint32_t>(f.layout_offset[l.layout]));
  }
  f.layout_offset[0x02] = f.layout_offset[0x00];
  f.planes[0x02] = f.planes[0x00];
  w.entry(genesis::LAYOUT_TABLE, 0x02, static_cast<uint32_t>(f.layout_offset[0x02]));
  for (int p = 0; p < PALETTE_COUNT; ++p)
    w.entry(genesis::PALETTE_TABLE, p, static_cast<uint32_t>(w.put(palette_bytes(p))));

  MapHeader level1 = header(0x01, 0x82, 0x6A, 1);
  level1.flags = 44;
  level1.music = 7;
  put_header(f.rom, genesis::MAP_HEADERS, 0, header(0x00, 0x80, 0, 0));
  put_header(f.rom, genesis::MAP_HEADERS, 1, level1);
  put_header(f.rom, genesis::MAP_HEADERS, 2, header(0x02, 0x80, 2, 2));
  put_header(f.rom, genesis::MAP_HEADERS, 3, header(0x02, 0x81, 3, 3));
  return f;
}

AgaFixture write_aga_fixture(const std::string& game_dir) {
  AgaFixture f;
  f.code_data.assign(AGA_FIXTURE_SIZE, 0);
  std::vector<uint8_t>& code = f.code_data;
  ImageWriter w{code, 0x38000};
  auto put_name = [&](const std::string& name) {
    std::vector<uint8_t> b(name.begin(), name.end());
    b.push_back(0);
    return static_cast<uint32_t>(w.put(b) + aga::ADDRESS_BASE);
  };
  const char* chunk_names[2] = {"Jungle.itm", "Castle.ITM"};
  const char* solidity_names[2] = {"Jungle.INS", "Castle.INS"};
  const char* graphics_names[2] = {"JungleGf.GLV", "Castle.GLV"};
  for (int t = 0; t < 2; ++t) {
    f.chunks[t] = fixture_chunks(3 + t, t);
    w.entry(aga::CHUNKMAP_NAMES, t, put_name(chunk_names[t]));
    w.entry(aga::SOLIDITY_NAMES, t, put_name(solidity_names[t]));
    w.entry(aga::GRAPHICS_NAMES, t, put_name(graphics_names[t]));
    write_bytes(game_dir + chunk_names[t], pack_block(chunk_set_bytes(f.chunks[t])));
    write_bytes(game_dir + solidity_names[t], filled(genesis::SOLIDITY_BYTES, t));
    write_bytes(game_dir + graphics_names[t], pack_block(filled(1280, t + 3)));
  }
  const struct {
    int layout;
    const char* name;
  } layouts[] = {{0x00, "Lev00Top.LVL"}, {0x01, "Lev01.lvl"}, {0x80, "Back00.LVL"}};
  for (int i = 0; i < 3; ++i) {
    const int layout = layouts[i].layout;
    f.planes[i] = fixture_plane(static_cast<uint8_t>(layout & 1), 4 + i, layout);
    const size_t table = layout < 0x80 ? aga::LAYOUT_NAMES : aga::LAYOUT_NAMES_HIGH;
    w.entry(table, layout & 0x7F, put_name(layouts[i].name));
    write_bytes(game_dir + layouts[i].name, pack_block(layout_bytes(f.planes[i])));
  }
  w.next = 0x36000;
  for (int p = 0; p < PALETTE_COUNT; ++p)
    w.entry(aga::PALETTE_TABLE, p, static_cast<uint32_t>(w.put(palette_bytes(p)) + aga::ADDRESS_BASE));
  put_header(code, aga::MAP_HEADERS, 0, header(0x00, 0x80, 0, 0));
  put_header(code, aga::MAP_HEADERS, 1, header(0x01, 0x81, 0x6A, 1));
  write_bytes(game_dir + "CODE", literal_block(code));
  return f;
}

std::vector<uint8_t> plain_layout() {
  LayoutPlane p;
  p.theme = 2;
  p.width = 512;
  p.height = 48;
  p.rows.resize(4);
  p.rows[1].objects = {{0x0001, 16}, {0x0800, 64}};
  p.rows[3].objects = {{0x0202, 128}};
  return layout_bytes(p);
}

namespace {

void put(RomImage& rom, size_t at, const std::vector<uint8_t>& bytes) {
  std::memcpy(&rom[at], bytes.data(), bytes.size());
}

std::vector<uint8_t> rom_layout(uint8_t theme, uint16_t width, uint16_t height, int seed) {
  LayoutPlane p;
  p.theme = theme;
  p.width = width;
  p.height = height;
  p.rows.resize(height / 16 + 1);
  for (size_t r = 1; r < p.rows.size(); r += 2)
    for (int k = 0; k < 3; ++k)
      p.rows[r].objects.push_back({static_cast<uint16_t>((r + k + seed) % 3), static_cast<uint16_t>(48 * k + 16)});
  p.rows[1].objects.push_back({0x0805, 80});
  return layout_bytes(p);
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
  put(rom, t.front_layout_at, rom_layout(0, 640, 160, 0));
  put(rom, t.back_layout_at, rom_layout(0, 320, 64, 1));
  put(rom, t.packed_layout_at, pack_block(rom_layout(0, 800, 128, 2)));
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
  t.chunkmap_at = 0x101000;
  put(rom, t.chunkmap_at, chunk_set_bytes(chunks));
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
  for (int i = 0; i < MARKER_COUNT; ++i)
    put_marker(rom, i, static_cast<uint8_t>(i % 2), i == 0 ? t.names_at + 1 : i == 1 ? t.names_at + 20 : t.names_at,
               16 * i, 8 * i, {255, 255, 255, 255, 0, 255});
  return t;
}

void put_marker(RomImage& rom, int i, uint8_t type, size_t name_at, int x, int y, const std::array<uint8_t, 6>& links) {
  uint8_t* e = &rom[genesis::MARKERS + genesis::MARKER_ENTRY_SIZE * i];
  write_be32(e, static_cast<uint32_t>(type) << 24 | static_cast<uint32_t>(name_at & 0xFFFFFF));
  write_be16(e + 4, static_cast<uint16_t>(x));
  write_be16(e + 6, static_cast<uint16_t>(y));
  std::copy(links.begin(), links.end(), e + 8);
}

void write_test_rom(const RomImage& rom, const std::string& dir) {
  std::filesystem::create_directories(dir + "/master/genesis");
  write_bytes(dir + "/master/genesis/glb.bin", rom);
}

std::vector<uint8_t> palette_file(int seed) {
  std::vector<uint8_t> b(32);
  for (int i = 0; i < 16; ++i) write_be16(&b[2 * i], static_cast<uint16_t>((seed * 3 + i * 0x112) & 0x0EEE));
  return b;
}

std::vector<uint8_t> planar_blocks() {
  std::vector<uint8_t> b(1280, 0);
  write_be16(&b[0], 0x8000 | 0x2000);
  write_be16(&b[2], 0x2000);
  write_be16(&b[6], 0x0001);
  for (size_t i = 128; i < b.size(); ++i) b[i] = static_cast<uint8_t>(i);
  return b;
}

void write_text(const std::string& path, const std::vector<std::string>& lines) {
  const std::string text = project_text(lines);
  write_bytes(path, std::vector<uint8_t>(text.begin(), text.end()));
}

void write_level_project(const TestRom& rom) {
  for (const char* d : {"proj/levels/lvl", "proj/levels/pal", "proj/themes/itm", "proj/themes/pat",
                        "proj/themes/bma", "proj/themes/glv"})
    std::filesystem::create_directories(d);
  write_bytes("proj/levels/lvl/Front.lvl", pack_block(layout_bytes(fixture_plane(0, 5, 1))));
  write_bytes("proj/levels/lvl/Back.lvl", layout_bytes(fixture_plane(0, 3, 2)));  // plain is read as well
  write_bytes("Front1.lvl", pack_block(layout_bytes(fixture_plane(1, 4, 3))));
  for (int p = 0; p < 4; ++p) {
    write_bytes("proj/levels/pal/P" + std::to_string(p) + ".pal", palette_file(p));
    write_bytes("Q" + std::to_string(p) + ".pal", palette_file(p + 4));
  }
  for (const char* t : {"proj/themes/itm/T0.itm", "proj/themes/itm/T1.itm"})
    write_bytes(t, pack_block(chunk_set_bytes(fixture_chunks(4, 0))));
  write_bytes("proj/themes/pat/T0.pat", rom.part(rom.patterns_at, read_be32(&rom.rom[rom.patterns_at])));
  write_bytes("proj/themes/bma/T0.bma", rom.part(rom.blockmap_at, 3968));
  write_bytes("proj/themes/glv/G1.GLV", pack_block(planar_blocks()));
  write_text("proj/p.glp", {"glb_project_file_version = 0", "theme_0 = themes/theme0.glt",
                            "theme_1 = ./themes/theme1.glt", "level_01 = ../lev01.gll",
                            "level_02 = levels/level02.gll"});
  write_text("proj/themes/theme0.glt", {"chunkmap = ./itm/T0.itm", "patterns = ./pat/T0.pat", "blockmap = ./bma/T0.bma"});
  write_text("proj/themes/theme1.glt", {"chunkmap = ./itm/T1.itm", "graphics = ./glv/G1.GLV"});
  write_text("proj/levels/level02.gll",
             {"map_front = ./lvl/Front.lvl", "map_back = ./lvl/Back.lvl", "palette_main = ./pal/P0.pal",
              "palette_front = ./pal/P1.pal", "palette_back = ./pal/P2.pal", "palette_flash = ./pal/P3.pal",
              "music = 9"});
  write_text("lev01.gll", {"map_front = Front1.lvl", "map_back = Nope.lvl", "palette_main = Q0.pal",
                           "palette_front = Q1.pal", "palette_back = Q2.pal", "palette_flash = Q3.pal"});
}
