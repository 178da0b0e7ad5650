// The six row operations and the move between rows, including running out of memory.
#include <gtest/gtest.h>

#include "leveledit/effect_text.h"
#include "leveledit/layout_rows.h"

namespace {

LayoutRow row_of(std::initializer_list<LayoutObject> objects) {
  LayoutRow r;
  r.objects = objects;
  return r;
}

std::vector<uint16_t> codes(const LayoutRow& r) {
  std::vector<uint16_t> out;
  for (const LayoutObject& o : r.objects) out.push_back(o.code);
  return out;
}

}  // namespace

TEST(LayoutRows, InsertKeepsXOrderAndPutsEqualXAfterTheOthers) {
  LayoutRow r = row_of({{1, 10}, {2, 20}, {3, 20}, {4, 30}});
  EXPECT_EQ(layout_row_insert(r, 9, 20), 3);
  EXPECT_EQ(codes(r), (std::vector<uint16_t>{1, 2, 3, 9, 4}));
  EXPECT_EQ(layout_row_insert(r, 8, 0), 0);
  EXPECT_EQ(layout_row_insert(r, 7, 500), 6);
  EXPECT_EQ(codes(r), (std::vector<uint16_t>{8, 1, 2, 3, 9, 4, 7}));
  EXPECT_EQ(r.objects.capacity(), r.objects.size()) << "arrays are exactly count entries long";

  // An unsorted row (as a file may hold it): scanning from the end decides.
  LayoutRow u = row_of({{1, 50}, {2, 10}});
  EXPECT_EQ(layout_row_insert(u, 3, 20), 2);
  LayoutRow empty;
  EXPECT_EQ(layout_row_insert(empty, 5, 7), 0);
  EXPECT_EQ(empty.objects[0], (LayoutObject{5, 7}));
}

TEST(LayoutRows, DeleteMoveSwapAndSendKeepEveryOtherEntryInOrder) {
  LayoutRow r = row_of({{1, 10}, {2, 20}, {3, 30}, {4, 40}});
  EXPECT_EQ(layout_row_delete(r, 1), 0);
  EXPECT_EQ(codes(r), (std::vector<uint16_t>{1, 3, 4}));
  EXPECT_EQ(layout_row_delete(r, 3), ROW_BAD_INDEX);
  EXPECT_EQ(layout_row_delete(r, -1), ROW_BAD_INDEX);

  // Move: out and in again at the new x, after entries with the same x.
  r = row_of({{1, 10}, {2, 20}, {3, 30}, {4, 40}});
  EXPECT_EQ(layout_row_move(r, 0, 30), 2);
  EXPECT_EQ(codes(r), (std::vector<uint16_t>{2, 3, 1, 4}));
  EXPECT_EQ(r.objects[2].x, 30);
  EXPECT_EQ(layout_row_move(r, 3, 0), 0);
  EXPECT_EQ(codes(r), (std::vector<uint16_t>{4, 2, 3, 1}));
  // Same x: the object goes behind the others of that x.
  r = row_of({{1, 10}, {2, 10}, {3, 10}});
  EXPECT_EQ(layout_row_move(r, 0, 10), 2);
  EXPECT_EQ(codes(r), (std::vector<uint16_t>{2, 3, 1}));

  r = row_of({{1, 10}, {2, 20}, {3, 30}, {4, 40}});
  EXPECT_EQ(layout_row_swap(r, 0, 3), 0);
  EXPECT_EQ(codes(r), (std::vector<uint16_t>{4, 2, 3, 1}));
  EXPECT_EQ(layout_row_swap(r, 0, 4), ROW_BAD_INDEX);
  EXPECT_EQ(layout_row_send_to_start(r, 2), 0);
  EXPECT_EQ(codes(r), (std::vector<uint16_t>{3, 4, 2, 1}));
  EXPECT_EQ(layout_row_send_to_end(r, 1), 3);
  EXPECT_EQ(codes(r), (std::vector<uint16_t>{3, 2, 1, 4}));
  EXPECT_EQ(r.objects[3].x, 40) << "entries keep their x";
}

TEST(LayoutRows, TransferMovesBetweenRowsAfterEveryObjectWithTheSameOrSmallerX) {
  LayoutRow from = row_of({{1, 10}, {2, 64}});
  LayoutRow to = row_of({{5, 32}, {6, 64}, {7, 80}});
  EXPECT_EQ(layout_row_transfer(from, 1, to, 64), 2);
  EXPECT_EQ(codes(from), (std::vector<uint16_t>{1}));
  EXPECT_EQ(codes(to), (std::vector<uint16_t>{5, 6, 2, 7}));
  EXPECT_EQ(layout_row_transfer(from, 0, from, 0), ROW_BAD_INDEX);
  EXPECT_EQ(layout_row_transfer(from, 3, to, 0), ROW_BAD_INDEX);
}

TEST(LayoutRows, RunningOutOfMemoryLeavesTheRowsAsTheyWere) {
  const LayoutRow original = row_of({{1, 10}, {2, 20}, {3, 30}});
  const LayoutRow other = row_of({{9, 15}});
  LayoutRow r = original, o = other;
  layout_row_failing_allocations = 1;
  EXPECT_EQ(layout_row_insert(r, 4, 15), ROW_OUT_OF_MEMORY);
  EXPECT_EQ(r, original);
  layout_row_failing_allocations = 1;
  EXPECT_EQ(layout_row_delete(r, 0), ROW_OUT_OF_MEMORY);
  EXPECT_EQ(r, original);
  layout_row_failing_allocations = 1;
  EXPECT_EQ(layout_row_move(r, 0, 25), ROW_OUT_OF_MEMORY);
  EXPECT_EQ(r, original);
  // The second of the two allocations of a transfer fails: neither row changes.
  for (int failing = 1; failing <= 2; ++failing) {
    layout_row_failing_allocations = failing;
    EXPECT_EQ(layout_row_transfer(r, 1, o, 0), ROW_OUT_OF_MEMORY);
    layout_row_failing_allocations = 0;
    EXPECT_EQ(r, original);
    EXPECT_EQ(o, other);
  }
  EXPECT_EQ(layout_row_insert(r, 4, 15), 1) << "works again afterwards";
}

TEST(EffectText, EffectTableTexts) {
  EXPECT_EQ(describe_effect(0xFB, 2), "1 STARS");
  EXPECT_EQ(describe_effect(0xFB, 0), "1 STAR");
  EXPECT_EQ(describe_effect(0xFB, 3), "3 STARS");
  EXPECT_EQ(describe_effect(0xFE, 1), "THROW 1 MOONS");
  EXPECT_EQ(describe_effect(0xFE, 0), "THROW 0 MOON");
  EXPECT_EQ(describe_effect(0xFD, 0), "THROW 0 DYNAMITE STICK");
  EXPECT_EQ(describe_effect(0xFD, 12), "THROW 12 DYNAMITE STICKS");
  EXPECT_EQ(describe_effect(0x08, 29), "POPUP MOON");
  EXPECT_EQ(describe_effect(0x08, 58), "POPUP      SECRET") << "the name table runs on into the marker types";
  EXPECT_EQ(describe_effect(0x08, 200), "POPUP C8");
  EXPECT_EQ(describe_effect(0xF5, 0), "SMALL MOON SPROUT");
  EXPECT_EQ(describe_effect(0xF5, 13), "EXTRA LARGE MOON SPROUT");
  EXPECT_EQ(describe_effect(0xF5, 19), "RANDOM SIZE MOON SPROUT");
  EXPECT_EQ(describe_effect(0xF5, 20), "RANDOM SIZE MOON SPROUT");
  EXPECT_EQ(describe_effect(0xF5, 255), "RANDOM SIZE MOON SPROUT");
  EXPECT_EQ(describe_effect(0xF6, 0x27), "SWITCH A 7");
  EXPECT_EQ(describe_effect(0xF0, 5), "NO PRIZE");
  EXPECT_EQ(describe_effect(0xF1, 0), "UNKNOWN");
  EXPECT_EQ(describe_effect(0xFF, 0), "UNKNOWN");
  EXPECT_EQ(describe_effect(0xFC, 0), "CREATE BRIDGE");
  EXPECT_EQ(describe_effect(0x00, 0), "NONE");
  EXPECT_EQ(describe_effect(0x09, 0), "NONE");
  EXPECT_EQ(describe_effect(0xEF, 0), "NONE");
  EXPECT_EQ(effect_values_text(0xFE, 3), "effect = 0x00FE\neffect_attribute = 0x0003\n\neffect_string_index = 0x0010");
  EXPECT_STREQ(effect_case_name(0xFB), "STARS");
  EXPECT_STREQ(effect_case_name(0xF4), "default");
  EXPECT_STREQ(block_kind_name(5), "  HIDDEN PRIZE");
  EXPECT_STREQ(block_kind_name(16), "          ROCK");
  EXPECT_EQ(block_kind_name(17), nullptr);
  EXPECT_EQ(block_kind_name(-1), nullptr);
}
