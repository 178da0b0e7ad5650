#include <gtest/gtest.h>

#include <cstring>

#include "app/level_commands.h"
#include "files/byte_order.h"
#include "files/packed_block.h"
#include "files/pp20.h"
#include "gamedata/rom_import.h"
#include "gamedata/rom_tables.h"
#include "test_support.h"
#include "ui/font.h"
#include "ui/screen_state.h"
#include "ui/messages.h"
#include "ui/prompts.h"

TEST(MapNumber, HexAnswersAndFallbacks) {
  struct Case {
    const char* answer;
    int map;
    bool bad;
  } cases[] = {{"", 0, false},    {"1a", 0x1A, false}, {"1A", 0x1A, false}, {"1", 0x01, false},
               {"G5", 0, true},   {"5G", 0x50, true},  {"ff", 0xFF, false}, {"Ff", 0xFF, false},
               {"0", 0, false},   {"83", 0x83, false}, {" 1", 0, true},     {"9z", 0x90, true}};
  for (const Case& c : cases) {
    const MapNumber n = parse_map_number(c.answer);
    EXPECT_EQ(n.map, c.map) << c.answer;
    EXPECT_EQ(n.bad, c.bad) << c.answer;
  }
}

TEST(MapNumber, PromptShowsTheMessageAndGoesOnWithTheFallback) {
  headless_screen();
  const std::string dir = scratch_dir("map_number_prompt");
  ScopedCwd cwd(dir);  // no ROM image here
  ScriptedInput in(640, 480);
  ScopedInput scope(in);
  in.type("G5").type_key(KEY_ENTER, '\r');
  captured_messages().clear();
  EXPECT_EQ(level_import_from_rom(), -1);
  EXPECT_EQ(text_entry, "G5");
  // The question, centred in the message band (rows 222..257), says what Enter alone does.
  const std::string question = "ENTER A MAP NUMBER IN HEX FORMAT (ENTER: WORLD MAP):";
  BitmapPtr expected = make_bitmap(640 + 2 * MARGIN, 16 + 2 * MARGIN);
  clear_to_color(expected.get(), 0);
  const int x = 320 - 4 * static_cast<int>(question.size());
  text_out(display, expected.get(), 0, static_cast<int16_t>(x), 8, question.c_str());
  int differing = 0;
  for (int y = 0; y < 8; ++y)
    for (int c = 0; c < 8 * static_cast<int>(question.size()); ++c)
      differing += !(rgb_at(in.screen.get(), x + c, 222 + 8 + y) == rgb_at(expected.get(), x + c + MARGIN, 8 + y + MARGIN));
  EXPECT_EQ(differing, 0);
  ASSERT_EQ(captured_messages().size(), 2u);
  EXPECT_EQ(captured_messages()[0], "ERROR: Map number must be a valid 2-digit hex number.");
  EXPECT_EQ(captured_messages()[1], "ERROR: File \"./master/genesis/glb.bin\" not found.");
}

namespace {

// An image of the tables the readers use, zero elsewhere.
struct TableImage {
  RomImage rom = RomImage(0x120000, 0);
  void put32(size_t at, uint32_t v) { write_be32(&rom[at], v); }
  void put16(size_t at, uint16_t v) { write_be16(&rom[at], v); }
  void marker(int i, uint8_t type, size_t name_at, int16_t x, int16_t y) {
    uint8_t* e = &rom[genesis::MARKERS + genesis::MARKER_ENTRY_SIZE * i];
    e[0] = type;
    e[1] = static_cast<uint8_t>(name_at >> 16);
    e[2] = static_cast<uint8_t>(name_at >> 8);
    e[3] = static_cast<uint8_t>(name_at);
    write_be16(e + 4, static_cast<uint16_t>(x));
    write_be16(e + 6, static_cast<uint16_t>(y));
    for (int k = 8; k < 14; ++k) e[k] = static_cast<uint8_t>(i + k);
  }
};

}  // namespace

TEST(RomTables, MarkerNamesTypesAndLinks) {
  TableImage t;
  const size_t names = 0x100000;
  for (int i = 0; i < MARKER_COUNT; ++i) t.marker(i, 0, names, 0, 0);  // all share an empty name
  std::memcpy(&t.rom[names + 16], "ABCDEFGHIJKLMNOPQRSTUVWX", 24);   // 24 characters, then 0
  std::memset(&t.rom[names + 64], 'Z', 25);                           // no terminator within 25 bytes
  std::memcpy(&t.rom[names + 128], "GLUBB ISLAND", 12);
  t.marker(0, MARKER_TUNNEL, names + 16, -5, 300);
  t.marker(1, MARKER_SECRET, names + 64, 10, 20);
  t.marker(130, MARKER_SECRET_FORK, names + 128, 1, 2);
  std::vector<Marker> markers;
  std::string error;
  ASSERT_TRUE(read_markers(t.rom, markers, error)) << error;
  ASSERT_EQ(markers.size(), 131u);
  const Marker& m = markers[0];
  EXPECT_EQ(m.name, "ABCDEFGHIJKLMNOPQRSTUVWX");
  EXPECT_EQ(std::vector<int>({m.type, m.x, m.y, m.next_up, m.next_right, m.next_tunnel}),
            std::vector<int>({MARKER_TUNNEL, -5, 300, 8, 11, 13}));  // byte 12 is not read
  EXPECT_EQ(markers[1].name, "");  // 25 characters without an end

  LevelModel model;
  model.markers = markers;
  EXPECT_EQ(closing_message(0, model), "[00] MAP SCREEN");
  EXPECT_EQ(closing_message(1, model), "[01] ABCDEFGHIJKLMNOPQRSTUVWX");
  EXPECT_EQ(closing_message(0x83, model), "[83] GLUBB ISLAND");
  EXPECT_EQ(closing_message(0x84, model), "[84]");
  EXPECT_STREQ(marker_type_name(MARKER_SECRET_FORK), "SECRET_FORK");
  EXPECT_STREQ(pickup_type_name(29), "MOON");
  EXPECT_STREQ(pickup_type_name(57), "SURVEILLANCE BEACON");
  EXPECT_EQ(pickup_type_name(58), nullptr);

  // A name address beyond the image is refused.
  t.marker(7, 0, 0xFFFFFF, 0, 0);
  std::vector<Marker> untouched(1);
  EXPECT_FALSE(read_markers(t.rom, untouched, error));
  EXPECT_NE(error.find("marker 7"), std::string::npos);
  EXPECT_EQ(untouched.size(), 1u);
}

TEST(RomTables, PickupPatternsThroughTheOffsetWalk) {
  TableImage t;
  // Entry i: offset 0x100 + 8 i from 0x0C6158; there two words with a nonzero first byte,
  // then the pattern address.
  for (int i = 0; i < PICKUP_TYPE_COUNT; ++i) {
    t.put16(genesis::PICKUP_GRAPHICS + 4 * i, static_cast<uint16_t>(0x100 + 8 * i));
    const size_t q = genesis::PICKUP_BASE + 0x100 + 8 * i;
    t.rom[q] = 0x4E;
    t.rom[q + 2] = 0x71;
    t.put32(q + 4 - (i % 2) * 2, static_cast<uint32_t>(0x110000 + 128 * i));  // odd entries two bytes earlier
    if (i % 2) t.rom[q + 2] = 0;
    std::memset(&t.rom[0x110000 + 128 * i], (i % 15 + 1) * 0x11, 128);
  }
  PatternSet set;
  std::string error;
  ASSERT_TRUE(read_pickup_patterns(t.rom, set, error)) << error;
  ASSERT_EQ(set.count, 232);
  for (int i = 0; i < PICKUP_TYPE_COUNT; ++i) {
    EXPECT_EQ(set.pattern(4 * i)[0], i % 15 + 1) << i;
    EXPECT_EQ(set.pattern(4 * i + 3)[63], i % 15 + 1) << i;
  }
  // A walk that runs off the end of the image is refused.
  t.put16(genesis::PICKUP_GRAPHICS + 4 * 9, 0x7FFE);
  RomImage short_rom(t.rom.begin(), t.rom.begin() + genesis::PICKUP_BASE + 0x7FFE + 3);
  std::fill(short_rom.end() - 8, short_rom.end(), 0xFF);
  EXPECT_FALSE(read_pickup_patterns(short_rom, set, error));
  EXPECT_EQ(set.count, 232);
}

TEST(RomTables, BlockTypesPalettesAndPlainBlockMaps) {
  TableImage t;
  t.put16(genesis::BLOCK_TYPES, 0xFFFE);
  t.put16(genesis::BLOCK_TYPES + 2, 0x1203);
  t.put16(genesis::BLOCK_TYPES + 4 * 104, 16);
  std::vector<BlockType> types;
  std::string error;
  ASSERT_TRUE(read_block_types(t.rom, types, error));
  ASSERT_EQ(types.size(), 105u);
  EXPECT_EQ(types[0].kind, -2);
  EXPECT_EQ(types[0].param, 0x1203);
  EXPECT_EQ(types[104].kind, 16);

  t.put32(genesis::PALETTE_TABLE + 4 * 3, 0x100000);
  t.put16(0x100000 + 2 * 5, 0x0E4A);
  PaletteLine line;
  ASSERT_TRUE(read_palette(t.rom, 3, line, error)) << error;
  EXPECT_EQ(line[5].red + 1000 * line[5].blue, 160 + 1000 * 224);
  EXPECT_FALSE(read_palette(t.rom, 4, line, error));  // pointer 0
  EXPECT_NE(error.find("palette 0x4"), std::string::npos);
  t.put32(genesis::PALETTE_TABLE + 4 * 4, static_cast<uint32_t>(t.rom.size() - 16));
  EXPECT_FALSE(read_palette(t.rom, 4, line, error));

  // A plain block map: 3968 bytes, of which the common map keeps 24 mappings.
  for (int i = 0; i < 496 * 4; ++i) t.put16(genesis::COMMON_BLOCKMAP + 2 * i, static_cast<uint16_t>(i));
  BlockMap map;
  std::vector<uint8_t> bytes;
  ASSERT_TRUE(read_blockmap(t.rom, genesis::COMMON_BLOCKMAP, 24, "the common block map", map, bytes, error));
  EXPECT_EQ(map.count, 24);
  EXPECT_EQ(map.mappings[23].words[3], 23 * 4 + 3);
  EXPECT_EQ(bytes.size(), 3968u);
  ASSERT_TRUE(read_blockmap(t.rom, genesis::COMMON_BLOCKMAP, 496, "a block map", map, bytes, error));
  EXPECT_EQ(map.count, 496);
  EXPECT_EQ(map.mappings[495].words[0], 495 * 4);
  RomImage cut(t.rom.begin(), t.rom.begin() + genesis::COMMON_BLOCKMAP + 3967);
  EXPECT_FALSE(read_blockmap(cut, genesis::COMMON_BLOCKMAP, 24, "the common block map", map, bytes, error));
  EXPECT_EQ(map.count, 496);
}

// A packed pattern block holds at most 32767 patterns of 32 bytes.
TEST(RomTables, PackedPatternBlocksOfAtMost32767Patterns) {
  FILE* const trace = pp20_trace_stream();
  pp20_set_trace(nullptr);
  for (size_t count : {size_t(32767), size_t(32768)}) {
    const RomImage rom = pack_block(std::vector<uint8_t>(count * 32, 0x11));
    PatternSet out;
    std::vector<uint8_t> decoded;
    std::string error;
    EXPECT_EQ(read_packed_patterns(rom, 0, "P", out, decoded, error), count == 32767) << error;
    if (count == 32767) {
      EXPECT_EQ(decoded.size(), count * 32);
    } else {
      EXPECT_EQ(error, "P holds 32768 patterns, more than 32767");
    }
  }
  pp20_set_trace(trace);
}
