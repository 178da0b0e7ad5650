#include <gtest/gtest.h>

#include <cstring>

#include "app/level_commands.h"
#include "files/byte_order.h"
#include "files/packed_block.h"
#include "files/pp20.h"
#include "game_fixtures.h"
#include "gamedata/rom_import.h"

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

namespace {

// An image of the tables the readers use, zero elsewhere.
struct TableImage {
  RomImage rom = RomImage(0x120000, 0);
  void marker(int i, uint8_t type, size_t name_at, int16_t x, int16_t y) {
    std::array<uint8_t, 6> links;
    for (int k = 8; k < 14; ++k) links[k - 8] = static_cast<uint8_t>(i + k);
    put_marker(rom, i, type, name_at, x, y, links);
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

  // A name address beyond the image is refused.
  t.marker(7, 0, 0xFFFFFF, 0, 0);
  std::vector<Marker> untouched(1);
  EXPECT_FALSE(read_markers(t.rom, untouched, error));
  EXPECT_NE(error.find("marker 7"), std::string::npos);
  EXPECT_EQ(untouched.size(), 1u);
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
