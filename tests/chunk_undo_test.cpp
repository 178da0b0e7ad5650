// The chunk undo history and the cell edits that record into it, on a plain Chunk.
#include <gtest/gtest.h>

#include <cstring>

#include "chunkedit/chunk_cell_edits.h"
#include "chunkedit/chunk_editor_state.h"
#include "chunkedit/chunk_history.h"
#include "chunkedit/chunk_undo.h"
#include "ui/settings.h"

namespace {

class ChunkUndo : public ::testing::Test {
 protected:
  void SetUp() override { use_history(50); }
  void TearDown() override {
    meta_undo_size = 50;
    resize_chunk_undo(50);
    empty_chunk_undo();
    reset_chunk_editor_state();
  }
  void use_history(uint16_t size) {
    reset_chunk_editor_state();
    meta_undo_size = size;
    chunk_undo_cells.clear();
    chunk_undo_values.clear();
    resize_chunk_undo(size);
    chunk.width = 4;
    chunk.height = 3;
    for (int i = 0; i < 256; ++i) chunk.cells[i] = static_cast<uint16_t>(i + 1);
  }
  Chunk chunk;
};

Chunk numbered(int w, int h) {
  Chunk c;
  c.width = static_cast<int8_t>(w);
  c.height = static_cast<int8_t>(h);
  for (int r = 0; r < 16; ++r)
    for (int col = 0; col < 16; ++col) c.cell(col, r) = static_cast<uint16_t>(0x100 * r + col + 1);
  return c;
}

}  // namespace

TEST_F(ChunkUndo, SizeThreeKeepsTheLastThreeOfFourChanges) {
  use_history(3);
  set_cell_recorded(chunk, 0, 100);
  const Chunk after_first = chunk;
  set_cell_recorded(chunk, 1, 101);
  set_cell_recorded(chunk, 2, 102);
  set_cell_recorded(chunk, 0, 103);
  EXPECT_EQ(chunk_undo_position, 3);
  EXPECT_EQ(chunk_undo_count, 3);
  // Oldest record (cell 0: 1 -> 100) was dropped; the first slot now holds cell 1.
  EXPECT_EQ(chunk_undo_cells[0], 1);
  EXPECT_EQ(chunk_undo_values[0], (2u << 16) | 101u);
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(undo_chunk_change(chunk));
  EXPECT_EQ(std::memcmp(chunk.cells, after_first.cells, sizeof chunk.cells), 0);
  EXPECT_FALSE(undo_chunk_change(chunk));
  EXPECT_EQ(chunk.cells[0], 100);
  // Redo walks forward again to the last change and no further.
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(redo_chunk_change(chunk));
  EXPECT_FALSE(redo_chunk_change(chunk));
  EXPECT_EQ(chunk.cells[0], 103);
  EXPECT_EQ(chunk.cells[2], 102);
}

TEST_F(ChunkUndo, NewChangeAfterUndoDropsTheRedoRecords) {
  set_cell_recorded(chunk, 5, 50);
  set_cell_recorded(chunk, 6, 60);
  EXPECT_TRUE(undo_chunk_change(chunk));
  EXPECT_TRUE(undo_chunk_change(chunk));
  set_cell_recorded(chunk, 7, 70);
  EXPECT_EQ(chunk_undo_count, 1);
  EXPECT_FALSE(redo_chunk_change(chunk));
  EXPECT_EQ(chunk.cells[5], 6);
  EXPECT_EQ(chunk.cells[6], 7);
  EXPECT_TRUE(undo_chunk_change(chunk));
  EXPECT_EQ(chunk.cells[7], 8);
}

TEST_F(ChunkUndo, SizeZeroEditsWithoutRecording) {
  use_history(0);
  EXPECT_TRUE(chunk_undo_cells.empty());
  EXPECT_TRUE(clear_cell(chunk, 3));
  EXPECT_EQ(chunk.cells[3], 0);
  EXPECT_EQ(chunks_changed, 1);
  EXPECT_EQ(chunk_undo_position, 0);
  EXPECT_EQ(chunk_undo_count, 0);
  EXPECT_FALSE(undo_chunk_change(chunk));
  EXPECT_EQ(chunk.cells[3], 0);
  // A setting larger than the arrays never writes past them.
  meta_undo_size = 40;
  EXPECT_TRUE(set_cell_recorded(chunk, 4, 9));
  EXPECT_TRUE(chunk_undo_cells.empty());
  EXPECT_FALSE(undo_chunk_change(chunk));
}

TEST_F(ChunkUndo, ResizeKeepsTheNewestAppliedRecordsAndEmptiesNewSlots) {
  use_history(6);
  for (int i = 0; i < 5; ++i) set_cell_recorded(chunk, static_cast<uint16_t>(i), static_cast<uint16_t>(200 + i));
  undo_chunk_change(chunk);  // position 4, count 5
  const Chunk after_two = [&] {
    Chunk c = chunk;
    c.cells[2] = 3;
    c.cells[3] = 4;
    return c;
  }();
  meta_undo_size = 2;
  resize_chunk_undo_to_setting();
  ASSERT_EQ(chunk_undo_cells.size(), 2u);
  ASSERT_EQ(chunk_undo_values.size(), 2u);
  EXPECT_EQ(chunk_undo_position, 2);
  EXPECT_EQ(chunk_undo_count, 2);
  EXPECT_TRUE(undo_chunk_change(chunk));
  EXPECT_TRUE(undo_chunk_change(chunk));
  EXPECT_FALSE(undo_chunk_change(chunk));
  EXPECT_EQ(std::memcmp(chunk.cells, after_two.cells, sizeof chunk.cells), 0);
  // Growing again: the new slots are empty and the two records stay usable.
  meta_undo_size = 5;
  resize_chunk_undo_to_setting();
  ASSERT_EQ(chunk_undo_cells.size(), 5u);
  for (int i = 2; i < 5; ++i) {
    EXPECT_EQ(chunk_undo_cells[i], EMPTY_UNDO_CELL);
    EXPECT_EQ(chunk_undo_values[i], EMPTY_UNDO_VALUE);
  }
  EXPECT_TRUE(redo_chunk_change(chunk));
  EXPECT_EQ(chunk.cells[2], 202);
  // Shrinking to nothing leaves an empty, consistent history.
  meta_undo_size = 0;
  resize_chunk_undo_to_setting();
  EXPECT_EQ(chunk_undo_position, 0);
  EXPECT_EQ(chunk_undo_count, 0);
  EXPECT_FALSE(redo_chunk_change(chunk));
}

TEST_F(ChunkUndo, PasteCopyAndCut) {
  // Nothing held: paste does nothing.
  EXPECT_FALSE(paste_cell(chunk, 0));
  EXPECT_EQ(chunk.cells[0], 1);
  copy_cell(chunk, 9);
  EXPECT_EQ(held_block, 10);
  // Pasting the word the cell already holds records nothing and changes nothing.
  EXPECT_FALSE(paste_cell(chunk, 9));
  EXPECT_EQ(chunks_changed, 0);
  EXPECT_EQ(chunk_undo_count, 0);
  EXPECT_TRUE(paste_cell(chunk, 0));
  EXPECT_EQ(chunk.cells[0], 10);
  EXPECT_EQ(chunks_changed, 1);
  EXPECT_EQ(chunk_undo_count, 1);
  // Every word can be held, 0xFFFF included.
  chunk.cells[1] = 0xFFFF;
  EXPECT_TRUE(cut_cell(chunk, 1));
  EXPECT_EQ(held_block, 0xFFFF);
  EXPECT_EQ(chunk.cells[1], 0);
  EXPECT_TRUE(paste_cell(chunk, 2));
  EXPECT_EQ(chunk.cells[2], 0xFFFF);
}

TEST_F(ChunkUndo, MenuCutOnAnEmptyCellHoldsZeroAndRecordsNothing) {
  chunk.cells[4] = 0;
  apply_menu_action(MENU_CUT, chunk, 4);
  EXPECT_EQ(held_block, 0);
  EXPECT_EQ(chunk_undo_count, 0);
  EXPECT_EQ(chunks_changed, 0);
  apply_menu_action(MENU_DELETE, chunk, 4);
  EXPECT_EQ(chunk_undo_count, 0);
  // The attribute entries toggle one bit each and can be undone.
  chunk.cells[5] = 0x0012;
  const uint8_t toggles[] = {MENU_MIRROR, MENU_FLIP, MENU_PLATFORM_A, MENU_PLATFORM_B, MENU_SOLID_A, MENU_SOLID_B};
  const uint16_t bits[] = {0x0400, 0x0800, 0x1000, 0x4000, 0x2000, 0x8000};
  uint16_t expected = 0x0012;
  for (int i = 0; i < 6; ++i) {
    apply_menu_action(toggles[i], chunk, 5);
    expected ^= bits[i];
    EXPECT_EQ(chunk.cells[5], expected) << i;
  }
  EXPECT_EQ(chunk.cells[5], 0xFC12);
  EXPECT_EQ(chunk_undo_count, 6);
  while (undo_chunk_change(chunk)) {
  }
  EXPECT_EQ(chunk.cells[5], 0x0012);
  // Separators and clicks outside change nothing.
  apply_menu_action(131, chunk, 5);
  apply_menu_action(128, chunk, 5);
  EXPECT_EQ(chunk.cells[5], 0x0012);
}

TEST_F(ChunkUndo, FillOfMarkedCellsIsUndoneCellByCell) {
  std::array<uint8_t, 256> marks{};
  marks[cell_index(0, 0)] = marks[cell_index(2, 1)] = marks[cell_index(3, 2)] = 1;
  marks[cell_index(5, 0)] = 1;  // outside the 4x3 used area: left alone
  chunk.cells[cell_index(3, 2)] = 0x77;
  const Chunk before = chunk;
  EXPECT_EQ(fill_marked_cells(chunk, marks, 0x77), 2);
  EXPECT_EQ(chunk.cell(0, 0), 0x77);
  EXPECT_EQ(chunk.cell(2, 1), 0x77);
  EXPECT_EQ(chunk.cell(5, 0), before.cell(5, 0));
  EXPECT_EQ(chunk_undo_count, 2);
  EXPECT_TRUE(undo_chunk_change(chunk));
  EXPECT_TRUE(undo_chunk_change(chunk));
  EXPECT_EQ(std::memcmp(chunk.cells, before.cells, sizeof chunk.cells), 0);
}

TEST_F(ChunkUndo, MirrorFlipRotateRoundTripAndUndo) {
  use_history(200);
  chunk = numbered(3, 2);
  const Chunk original = chunk;
  Chunk both = original;
  mirror_chunk(both);
  flip_chunk(both);
  empty_chunk_undo();
  EXPECT_EQ(mirror_chunk(chunk), 6);
  EXPECT_EQ(chunk.cell(0, 0), original.cell(2, 0) ^ 0x0400);
  EXPECT_EQ(chunk.cell(2, 1), original.cell(0, 1) ^ 0x0400);
  EXPECT_EQ(chunk.cell(3, 0), original.cell(3, 0));  // outside the used area
  EXPECT_EQ(mirror_chunk(chunk), 6);
  EXPECT_EQ(std::memcmp(chunk.cells, original.cells, sizeof chunk.cells), 0);

  EXPECT_EQ(flip_chunk(chunk), 6);
  EXPECT_EQ(chunk.cell(1, 0), original.cell(1, 1) ^ 0x0800);
  EXPECT_EQ(chunk.cell(1, 1), original.cell(1, 0) ^ 0x0800);
  flip_chunk(chunk);
  EXPECT_EQ(std::memcmp(chunk.cells, original.cells, sizeof chunk.cells), 0);

  // Rotate is mirror and flip together.
  rotate_chunk(chunk);
  EXPECT_EQ(std::memcmp(chunk.cells, both.cells, sizeof chunk.cells), 0);
  EXPECT_EQ(chunk.cell(0, 0), original.cell(2, 1) ^ 0x0C00);

  // Every change was recorded cell by cell: undoing all of them gives the original back.
  EXPECT_EQ(chunk_undo_count, 6 * 5);
  while (undo_chunk_change(chunk)) {
  }
  EXPECT_EQ(std::memcmp(chunk.cells, original.cells, sizeof chunk.cells), 0);
  EXPECT_EQ(chunks_changed, 1);
}

TEST_F(ChunkUndo, SizeChangesStayWithinOneToSixteen) {
  chunk.width = 16;
  chunk.height = 1;
  EXPECT_FALSE(change_chunk_width(chunk, +1));
  EXPECT_FALSE(change_chunk_height(chunk, -1));
  EXPECT_EQ(chunks_changed, 0);
  EXPECT_EQ(chunk.width, 16);
  EXPECT_EQ(chunk.height, 1);
  EXPECT_TRUE(change_chunk_width(chunk, -1));
  EXPECT_TRUE(change_chunk_height(chunk, +1));
  EXPECT_EQ(chunk.width, 15);
  EXPECT_EQ(chunk.height, 2);
  EXPECT_EQ(chunks_changed, 1);
  EXPECT_EQ(chunk_undo_count, 0);  // size changes are not recorded
}

TEST_F(ChunkUndo, CellsOutsideTheUsedAreaAreClearedOnKeeping) {
  chunk = numbered(3, 2);
  clear_cells_outside(chunk);
  for (int r = 0; r < 16; ++r)
    for (int c = 0; c < 16; ++c)
      EXPECT_EQ(chunk.cell(c, r) != 0, c < 3 && r < 2) << c << "," << r;
}
