// Small hand-built games for the project and build tests: a Genesis ROM image and an AGA
// game directory with every table the generators and builds read, and a few known cases
// (plain and packed blocks, a repeated layout offset, a missing back layout).
#pragma once
#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "files/level_records.h"
#include "gamedata/rom_tables.h"

// Writes a file whole (creating nothing else).
void write_bytes(const std::string& path, const std::vector<uint8_t>& bytes);
std::vector<uint8_t> read_bytes(const std::string& path);
std::string read_text_file(const std::string& path);
// Every file, folder and link below dir by path: a file's bytes or "<dir>", and its
// permissions; a link's target.
std::map<std::string, std::string> folder_snapshot(const std::string& dir = ".");
// Runs a batch command in dir that must be refused: status 1, nothing on stdout, exactly
// `error` on stderr, and every file, folder and link of dir as it was (the run's out.txt
// and err.txt aside).
void expect_refused(const std::string& dir, const std::string& command, const std::string& error);

// A layout plane of the given theme with one object per row (codes derived from seed).
LayoutPlane fixture_plane(uint8_t theme, int rows, int seed);
// A chunkmap of n chunks of 2 x 2 cells (derived from seed).
ChunkMap fixture_chunks(int n, int seed);
std::vector<uint8_t> layout_bytes(const LayoutPlane& plane);
std::vector<uint8_t> chunk_set_bytes(const ChunkMap& map);
// A plain layout of theme 2, 512 wide, 48 high: rows 1 (two objects), 2 (none), 3 (one).
// 28 bytes: "MAP", theme, width, height, T1..T4 = 16, 24, 24, 28, then the objects from 16.
std::vector<uint8_t> plain_layout();
// Damaged input for the readers' bad-input tables: the bytes of a text, bytes cut to n, a
// packed block header and trailer (S, U) with nothing decodable between them in `total`
// bytes, and a packed block whose U is one more than its stream yields.
std::vector<uint8_t> text_bytes(const std::string& s);
std::vector<uint8_t> cut(std::vector<uint8_t> b, size_t n);
std::vector<uint8_t> fake_packed(uint32_t s, uint32_t u, size_t total = 32);
std::vector<uint8_t> unpacked_size_plus_one(std::vector<uint8_t> b);
// A valid packed block holding only literals: quick to make for large test inputs.
std::vector<uint8_t> literal_block(const std::vector<uint8_t>& bytes);

// The Genesis fixture. Themes: 0 (plain chunk set, plain block map), 1 (packed chunk set,
// packed block map); the theme lists end at entry 2. Layouts: 0x00 plain, 0x01 packed,
// 0x02 repeats 0x00's offset, 0x03 plain, 0x80 plain, 0x81 packed; all other entries 0.
// Levels: 0 (front 0x00, back 0x80), 1 (front 0x01, back 0x82 which has no file,
// palette_main 0x6A, flags 44, music 7), 2 (front 0x02: no descriptor, its layout repeats),
// 3 (front 0x02, back 0x81).
struct GenesisFixture {
  std::vector<uint8_t> rom;
  size_t layout_offset[2 * 128] = {};
  size_t chunkmap_offset[2] = {};
  size_t blockmap_offset[2] = {};
  size_t pattern_offset[2] = {};
  size_t solidity_offset[2] = {};
  LayoutPlane planes[2 * 128];
  ChunkMap chunks[2];
};
GenesisFixture make_genesis_fixture();

// The AGA fixture, written into game_dir (which ends with a separator): CODE and the files
// it names. Themes 0 ("Jungle.itm", lower-case ending; "Jungle.INS"; "JungleGf.GLV") and
// 1 ("Castle.ITM", "Castle.INS", "Castle.GLV"), lists ending at entry 2. Layouts 0x00
// "Lev00Top.LVL", 0x01 "Lev01.lvl", 0x80 "Back00.LVL"; levels 0 (front 0, back 0x80)
// and 1 (front 1, back 0x81 with no name).
struct AgaFixture {
  std::vector<uint8_t> code_data;  // unpacked
  LayoutPlane planes[3];           // layouts 0x00, 0x01, 0x80
  ChunkMap chunks[2];
};
AgaFixture write_aga_fixture(const std::string& game_dir);

// Offsets of things in the AGA fixture's CODE data.
constexpr size_t AGA_FIXTURE_SIZE = 0x3B000;

// A small Genesis ROM image built in memory for the import tests: every table the import
// reads, with plain and packed blocks, and the offsets of what it holds.
struct TestRom {
  RomImage rom;
  // Where the builder put things.
  size_t front_layout_at = 0, back_layout_at = 0, packed_layout_at = 0;
  size_t chunkmap_at = 0, patterns_at = 0, blockmap_at = 0, names_at = 0;
  std::vector<uint8_t> level_pattern_bytes;  // decoded level patterns
  std::vector<uint8_t> common_pattern_bytes;
  std::vector<uint8_t> part(size_t at, size_t n) const { return std::vector<uint8_t>(&rom[at], &rom[at] + n); }
};

// Map 0: world map (front layout 0, plain; back layout 1, plain). Map 2: front layout 2
// (packed), back layout 1. Theme 0: plain chunk set of 3 chunks, 40 packed patterns,
// a plain block map. Marker 0 is named "FIRST ISLAND", marker 1 "SECOND ISLAND".
TestRom build_test_rom();

// Marker entry i of a Genesis image: type, name address, x, y and the six bytes from 8 on.
void put_marker(RomImage& rom, int i, uint8_t type, size_t name_at, int x, int y, const std::array<uint8_t, 6>& links);

// Writes the image to dir/master/genesis/glb.bin.
void write_test_rom(const RomImage& rom, const std::string& dir);

// A palette file of 16 colour words derived from seed.
std::vector<uint8_t> palette_file(int seed);
// 10 planar blocks; block 0 row 0 has pixel 0 in plane 0 (index 1), pixel 15 in plane 3
// (index 8) and pixel 2 in planes 0 and 1 (index 3).
std::vector<uint8_t> planar_blocks();
// A project text file of these lines.
void write_text(const std::string& path, const std::vector<std::string>& lines);
// A project in proj/ for the project level loads: level 2 (proj/levels/level02.gll, music 9)
// is theme 0 with Genesis patterns and block map (taken from rom), front fixture_plane(0, 5, 1)
// packed, back fixture_plane(0, 3, 2) plain, palettes palette_file(0..3); level 1 has its
// descriptor in the working directory (no separator in its path), theme 1 with planar
// graphics, front fixture_plane(1, 4, 3), a back layout that does not exist and palettes
// palette_file(4..7). Both chunk sets are fixture_chunks(4, 0).
void write_level_project(const TestRom& rom);
