// The 105 block types: every kind 0..16 with a spread of effects, references (kinds 4 and 5)
// to other entries, one reference to a reference, and entries with negative kinds.
#include "tools/samplegame/sample_game.h"

namespace sample {
namespace {

constexpr uint16_t popup(int pickup) { return static_cast<uint16_t>(0x0800 | pickup); }
constexpr uint16_t effect(int e, int attribute = 0) { return static_cast<uint16_t>(e << 8 | attribute); }

}  // namespace

std::vector<BlockType> make_block_types() {
  std::vector<BlockType> t = {
      {0, popup(0)},          // 0 prize A: coin
      {0, popup(4)},          // 1 prize A: heart
      {0, popup(21)},         // 2 prize A: apple
      {0, effect(0xF3)},      // 3 random points prize
      {0, effect(0xF2)},      // 4 random health prize
      {1, effect(0xF0)},      // 5 no prize A
      {1, 0},                 // 6 no prize A, no effect
      {2, popup(5)},          // 7 prize B: star
      {2, popup(16)},         // 8 prize B: bomb
      {2, effect(0xFA)},      // 9 unlimited fruit gun
      {3, effect(0xF0)},      // 10 no prize B
      {4, 0},                 // 11 hidden prize -> entry 0
      {4, 7},                 // 12 hidden prize -> entry 7
      {5, 2},                 // 13 hidden prize -> entry 2
      {4, 22},                // 14 hidden prize -> entry 22 (a star block)
      {5, 11},                // 15 a reference to a reference (draws nothing)
      {6, effect(0xF5, 0)},   // 16 moon sprout, small
      {6, effect(0xF5, 4)},   // 17 medium
      {6, effect(0xF5, 8)},   // 18 large
      {6, effect(0xF5, 12)},  // 19 extra large
      {6, effect(0xF5, 255)}, // 20 random size
      {7, effect(0xF0)},      // 21 no moon
      {8, effect(0xFB, 0)},   // 22 star: 1 STAR
      {8, effect(0xFB, 1)},   // 23 3 STARS
      {8, effect(0xFB, 2)},   // 24 1 STARS
      {9, effect(0xF1)},      // 25 no star
      {10, popup(1)},         // 26 large prize: trophy
      {10, popup(2)},         // 27 large prize: crown
      {11, effect(0xF0)},     // 28 no large prize
      {12, effect(0xF4)},     // 29 purple: flash when hit
      {13, effect(0xF6, 3)},  // 30 flashing prize: switch A 3
      {13, effect(0xFD, 3)},  // 31 throw 3 dynamite sticks
      {14, effect(0xF6, 1)},  // 32 switch off: switch A 1
      {15, effect(0xF7)},     // 33 switch on: switch B
      {16, effect(0xFC)},     // 34 rock: create bridge
      {16, effect(0xFE, 2)},  // 35 rock: throw 2 moons
      {0, effect(0xFE, 0)},   // 36 throw 0 moon
      {0, effect(0xFE, 1)},   // 37 throw 1 moons
      {2, effect(0xF8)},      // 38 switch C
      {2, effect(0xF9)},      // 39 switch D
      {3, effect(0xFF)},      // 40 unknown
      {0, effect(0xFD, 0)},   // 41 throw 0 dynamite stick
      {0, effect(0xFD, 1)},   // 42 throw 1 dynamite sticks
      {13, effect(0xF6, 17)}, // 43 switch A with a high attribute (shows 1)
      {6, effect(0xF5, 40)},  // 44 moon sprout with an attribute past the size names
      {1, effect(0x12, 0x34)},// 45 an effect without a name
  };
  // Pickups popping out of prize blocks, alternating prize A and B.
  const int pops[] = {22, 23, 24, 25, 6, 3, 13, 15, 17, 18, 20, 26, 27, 28, 30, 31, 32, 34, 35, 36,
                      37, 38, 39, 40, 41, 42, 43, 44, 45, 46, 47, 48, 49, 50, 51, 56, 57, 8, 9, 10,
                      11, 14, 19, 29, 33, 12, 7, 55, 52};
  for (size_t i = 0; i < sizeof pops / sizeof pops[0] && t.size() < 100; ++i)
    t.push_back({static_cast<int16_t>(i % 2 ? 2 : 0), popup(pops[i])});
  // Unused entries at the end, and two in the middle, hold negative kinds.
  t[60] = {-1, 0};
  t[77] = {-2, 0x1234};
  while (t.size() < BLOCK_TYPE_COUNT) t.push_back({-1, 0});
  t.resize(BLOCK_TYPE_COUNT);
  return t;
}

}  // namespace sample
