// The selection of a layout plane and the group edits below the screen: selecting by box,
// moving the group (insertion rule, edges), deleting, and the clipboard as a layout block.
#include <gtest/gtest.h>

#include "files/layout_block.h"
#include "files/layout_clipboard.h"
#include "leveledit/layout_rows.h"

namespace {

// A plane of `rows` rows, `width` pixels wide; chunks 0 (2x1 blocks) and 1 (empty).
struct Level {
  LayoutPlane plane;
  ChunkMap chunks;
  Level(int rows = 8, int width = 256) {
    plane.theme = 3;
    plane.width = static_cast<uint16_t>(width);
    plane.height = static_cast<uint16_t>(16 * rows);
    plane.rows.resize(static_cast<size_t>(rows + 1));
    chunks.chunks.resize(2);
    chunks.chunks[0].width = 2;
    chunks.chunks[0].height = 1;
  }
  LayoutRow& row(int r) { return plane.rows[static_cast<size_t>(r)]; }
  void select(int r, int i) { ASSERT_TRUE(toggle_selected(plane, {r, i})); }
};

// Each row as "code@x" entries, selected ones with a star.
std::vector<std::string> rows_of(const LayoutPlane& plane) {
  std::vector<std::string> out;
  for (const LayoutRow& row : plane.rows) {
    std::string line;
    for (const LayoutObject& o : row.objects)
      line += (line.empty() ? "" : " ") + std::to_string(o.code) + "@" + std::to_string(o.x) + (o.selected ? "*" : "");
    out.push_back(line);
  }
  return out;
}

}  // namespace

TEST(LayoutGroup, TheRectangleSelectsEveryBoxItSharesAPixelWith) {
  Level l;
  // Pickups: icon block 16 left of and above the position.
  l.row(2).objects = {{0x801, 40}, {0x802, 80}, {0x803, 120}};
  // A placement of the 2x1 chunk at x 160 (box 144..175 on a level map), an empty chunk.
  l.row(4).objects = {{0, 160}, {1, 100}};
  // Rectangle (56..100, 16..60): the pickup at 40 ends at 39 and stays out, the one at 120
  // starts at 104 and stays out; the one at 80 (64..79) is inside.
  EXPECT_EQ(select_in_rect(l.plane, l.chunks, true, 100, 60, 56, 16), 1);
  EXPECT_EQ(rows_of(l.plane)[2], "2049@40 2050@80* 2051@120");
  // Touching: the rectangle's last column is the first column of the box (104) / its last (39).
  EXPECT_EQ(select_in_rect(l.plane, l.chunks, true, 104, 16, 104, 16), 1);
  EXPECT_EQ(select_in_rect(l.plane, l.chunks, true, 39, 31, 39, 31), 1);
  EXPECT_EQ(selected_count(l.plane), 3);
  // The placement's box is its chunk's rectangle, shifted one block left on a level map only;
  // the empty chunk has no box.
  clear_selection(l.plane);
  EXPECT_EQ(select_in_rect(l.plane, l.chunks, true, 176, 48, 300, 60), 0);
  EXPECT_EQ(select_in_rect(l.plane, l.chunks, false, 176, 48, 200, 60), 1);
  clear_selection(l.plane);
  EXPECT_EQ(select_in_rect(l.plane, l.chunks, true, 144, 48, 144, 48), 1);
  EXPECT_EQ(select_in_rect(l.plane, l.chunks, true, 0, 0, 255, 127), 3);
  EXPECT_EQ(rows_of(l.plane)[4], "0@160* 1@100");
  EXPECT_EQ(selected_rows(l.plane), (std::vector<int32_t>{2, 4}));
  EXPECT_TRUE(object_at(l.plane, l.chunks, true, 175, 48));
  EXPECT_FALSE(object_at(l.plane, l.chunks, true, 176, 48));
}

// Every row operation refuses an index outside the row and leaves the row as it was.
TEST(LayoutGroup, RowOperationsRefuseIndicesOutsideTheRow) {
  Level l;
  l.row(1).objects = {{1, 10}, {2, 20}, {3, 30}};
  for (int bad : {-1, 3}) {
    EXPECT_EQ(layout_row_delete(l.row(1), bad), ROW_BAD_INDEX) << bad;
    EXPECT_EQ(layout_row_swap(l.row(1), 0, bad), ROW_BAD_INDEX) << bad;
    EXPECT_EQ(layout_row_send_to_end(l.row(1), bad), ROW_BAD_INDEX) << bad;
    EXPECT_EQ(layout_row_transfer(l.row(1), bad, l.row(2), 0), ROW_BAD_INDEX) << bad;
  }
  EXPECT_EQ(layout_row_transfer(l.row(1), 0, l.row(1), 0), ROW_BAD_INDEX);
  EXPECT_EQ(rows_of(l.plane)[1], "1@10 2@20 3@30");
  EXPECT_EQ(rows_of(l.plane)[2], "");
}

TEST(LayoutGroup, TheMarkTravelsWithItsObjectThroughTheRowOperations) {
  Level l;
  l.row(1).objects = {{1, 10}, {2, 20}, {3, 30}};
  l.select(1, 0);
  ASSERT_EQ(layout_row_move(l.row(1), 0, 25), 1);
  ASSERT_EQ(layout_row_send_to_start(l.row(1), 1), 0);
  ASSERT_EQ(layout_row_transfer(l.row(1), 0, l.row(2), 5), 0);
  EXPECT_EQ(rows_of(l.plane)[1], "2@20 3@30");
  EXPECT_EQ(rows_of(l.plane)[2], "1@5*");
}

TEST(LayoutGroup, TheGroupMovesByOneOffsetByTheInsertionRuleAndStopsAtTheEdges) {
  Level l(8, 256);
  l.row(2).objects = {{1, 16}, {2, 32}, {3, 48}};
  l.row(3).objects = {{4, 16}, {5, 64}};
  l.select(2, 0);
  l.select(2, 2);
  l.select(3, 1);
  // Down one row and 16 right: rows 2 and 3 into rows 3 and 4, each object after those
  // with a smaller x; the followed object (row 2, index 2) is found again.
  ObjectPlace follow{2, 2};
  EXPECT_EQ(move_selection(l.plane, {1, 16}, &follow), (GroupOffset{1, 16}));
  EXPECT_EQ(rows_of(l.plane)[2], "2@32");
  EXPECT_EQ(rows_of(l.plane)[3], "4@16 1@32* 3@64*");
  EXPECT_EQ(rows_of(l.plane)[4], "5@80*");
  EXPECT_EQ(follow.row, 3);
  EXPECT_EQ(follow.index, 2);

  // The edges: x 0 (the object at 32 stops the group), width - 1, row 1, row N = 8.
  EXPECT_EQ(clamp_group_offset(l.plane, {-9, -100}), (GroupOffset{-2, -32}));
  EXPECT_EQ(move_selection(l.plane, {9, 500}, nullptr), (GroupOffset{4, 175}));
  EXPECT_EQ(rows_of(l.plane)[7], "1@207* 3@239*");
  EXPECT_EQ(rows_of(l.plane)[8], "5@255*");
  EXPECT_EQ(move_selection(l.plane, {1, 1}, &follow), (GroupOffset{0, 0}));
}

TEST(LayoutGroup, TheClipboardIsALayoutBlockRelativeToTheGroupsTopLeft) {
  Level from(8, 512);
  from.row(3).objects = {{0x801, 100}, {0, 60}, {0x900, 400}};
  from.row(5).objects = {{0x802, 80}};
  from.select(3, 0);
  from.select(3, 1);
  from.select(5, 0);
  std::vector<uint8_t> block;
  std::string error;
  ASSERT_TRUE(copy_selection(from.plane, 7, block, error)) << error;
  // A .lvl block: theme, width one past the largest relative x, the group's three rows.
  LayoutPlane group;
  ASSERT_TRUE(LoadLevelBlock(block.data(), block.size(), 0, group, error)) << error;
  EXPECT_EQ(group.theme, 7);
  EXPECT_EQ(group.width, 41);
  EXPECT_EQ(group.height, 48);
  EXPECT_EQ(rows_of(group), (std::vector<std::string>{"", "2049@40 0@0", "", "2050@20"}));
  EXPECT_EQ(block_row_count(block), 3);

  // Pasted with the top-left at row 2, x 200 into a row holding two objects (not sorted):
  // each pasted one goes after the last entry whose x is at most its own.
  Level to(4, 300);
  to.row(2).objects = {{0x805, 240}, {0x806, 220}};
  to.select(2, 1);
  PasteResult r = paste_block(to.plane, block, 2, 200);
  EXPECT_EQ(r.pasted, 3);
  EXPECT_TRUE(r.has_placements);
  EXPECT_EQ(r.theme, 7);
  EXPECT_EQ(rows_of(to.plane)[2], "0@200* 2053@240 2054@220 2049@240*");
  EXPECT_EQ(rows_of(to.plane)[4], "2050@220*");

  // Near the plane's end: rows past N and x past width - 1 are dropped and counted.
  r = paste_block(to.plane, block, 3, 260);
  EXPECT_EQ(r.pasted, 1);
  EXPECT_EQ(r.dropped, 2);
  EXPECT_EQ(rows_of(to.plane)[3], "0@260*");
  EXPECT_EQ(selected_count(to.plane), 1);

  // Nothing selected: nothing to copy; a bad block pastes nothing.
  delete_selection(to.plane);
  EXPECT_FALSE(copy_selection(to.plane, 0, block, error));
  EXPECT_FALSE(paste_block(to.plane, {'M', 'A', 'P'}, 1, 0).ok);
}
