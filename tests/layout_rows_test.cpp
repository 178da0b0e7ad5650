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
