// The undo history on its own (on a plain int model), and the chunk cell edits that record
// into the chunk editor's history, on a plain Chunk.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "chunkedit/chunk_cell_edits.h"
#include "chunkedit/chunk_editor_state.h"
#include "chunkedit/chunk_history.h"
#include "chunkedit/chunk_undo.h"
#include "files/chunk_set_block.h"
#include "files/undo_history.h"
#include "gamedata/chunk_undo_records.h"
#include "ui/settings.h"

namespace {

// The int model: record = {slot, old, new} on an array of ints.
struct IntRecord { int slot, old_value, new_value; };
struct IntModel {
  int v[4] = {};
  UndoHistory<IntRecord> h;
  explicit IntModel(size_t capacity) : h(capacity) { h.mark_saved(); }
  // One step setting each slot in turn.
  void step(std::initializer_list<std::pair<int, int>> writes) {
    for (auto [slot, value] : writes) {
      h.record({slot, v[slot], value});
      v[slot] = value;
    }
    h.commit();
  }
  bool undo() {
    const auto* s = h.undo();
    if (!s) return false;
    for (auto r = s->rbegin(); r != s->rend(); ++r) v[r->slot] = r->old_value;
    return true;
  }
  bool redo() {
    const auto* s = h.redo();
    if (!s) return false;
    for (const IntRecord& r : *s) v[r.slot] = r.new_value;
    return true;
  }
  std::string str() const { return std::to_string(v[0]) + std::to_string(v[1]) + std::to_string(v[2]) + std::to_string(v[3]); }
};

}  // namespace

// The history at its ends and its capacity: the oldest step goes when full, a new step drops
// what redo could reach, a step's records are taken back last first, and a smaller capacity
// drops redo steps before applied ones.
TEST(UndoHistory, EndsCapacityAndTheSavedState) {
  IntModel m(2);
  m.step({{0, 1}});
  m.step({{1, 2}});
  m.step({{2, 3}});
  EXPECT_EQ(m.str(), "1230");
  EXPECT_FALSE(m.redo());
  EXPECT_TRUE(m.undo() && m.undo());
  EXPECT_FALSE(m.undo());
  EXPECT_EQ(m.str(), "1000");
  EXPECT_FALSE(m.h.at_saved());  // the saved state went with the oldest step
  EXPECT_TRUE(m.redo());
  m.step({{3, 4}, {3, 5}});
  EXPECT_EQ(m.h.redo_count(), 0u);
  EXPECT_EQ(m.h.undo_count(), 2u);
  EXPECT_TRUE(m.undo());
  EXPECT_EQ(m.str(), "1200");
  m.h.mark_saved();
  EXPECT_TRUE(m.redo());
  EXPECT_FALSE(m.h.at_saved());
  EXPECT_TRUE(m.undo());
  EXPECT_TRUE(m.h.at_saved());
  m.h.set_capacity(1);
  EXPECT_EQ(m.h.step_count(), 1u);
  EXPECT_EQ(m.h.undo_count(), 1u);
  m.h.set_capacity(0);
  m.step({{0, 9}});
  EXPECT_EQ(m.h.step_count(), 0u);
  EXPECT_FALSE(m.undo());
  EXPECT_FALSE(m.h.commit());
  IntModel roomy(4);  // with room to spare, a new step after an undo still drops the redo step
  roomy.step({{0, 1}});
  roomy.step({{1, 2}});
  EXPECT_TRUE(roomy.undo());
  roomy.step({{2, 3}});
  EXPECT_EQ(roomy.h.step_count(), 2u);
  EXPECT_FALSE(roomy.redo());
}

namespace {

// Two chunks, each edited with its own history and held word: undo and redo of one leave
// the other alone.
TEST(ChunkUndoSteps, TwoEditStatesTakeBackOnlyTheirOwnChunk) {
  Chunk a, b;
  ChunkUndoHistory ha(4), hb(4);
  uint8_t changed_a = 0, changed_b = 0;
  int32_t held_a = NOTHING_HELD, held_b = NOTHING_HELD;
  const CellEditState sa{ha, changed_a, held_a}, sb{hb, changed_b, held_b};
  a.width = 2;
  ASSERT_TRUE(set_cell_recorded(sa, a, 0, 5));
  ASSERT_TRUE(change_chunk_width(sa, a, 1));
  ha.commit();
  ASSERT_TRUE(set_cell_recorded(sb, b, 17, 7));
  hb.commit();
  copy_cell(sa, a, 0);
  EXPECT_FALSE(paste_cell(sb, b, 3)) << "b holds nothing of a's";
  ASSERT_TRUE(paste_cell(sa, a, 1));  // left open: undo closes it first
  EXPECT_EQ(changed_a, 1);
  EXPECT_EQ(changed_b, 1);

  ASSERT_TRUE(undo_chunk_step(ha, a));
  EXPECT_EQ(a.cells[1], 0);
  EXPECT_EQ(a.cells[0], 5);
  ASSERT_TRUE(undo_chunk_step(ha, a));
  EXPECT_EQ(a.cells[0], 0);
  EXPECT_EQ(a.width, 2);
  EXPECT_FALSE(undo_chunk_step(ha, a));
  EXPECT_EQ(b.cells[17], 7);
  EXPECT_EQ(hb.undo_count(), 1u);
  ASSERT_TRUE(undo_chunk_step(hb, b));
  EXPECT_EQ(b.cells[17], 0);
  ASSERT_TRUE(redo_chunk_step(ha, a));
  EXPECT_EQ(a.cells[0], 5);
  EXPECT_EQ(a.width, 3);
  EXPECT_EQ(b.cells[17], 0);
  EXPECT_EQ(ha.redo_count(), 1u);
  EXPECT_EQ(hb.redo_count(), 1u);
}

class ChunkUndo : public ::testing::Test {
 protected:
  void SetUp() override { use_history(50); }
  void TearDown() override {
    meta_undo_size = 50;
    allocate_chunk_undo(50);
    reset_chunk_editor_state();
  }
  void use_history(uint16_t size) {
    reset_chunk_editor_state();
    meta_undo_size = size;
    allocate_chunk_undo(size);
    chunk.width = 4;
    chunk.height = 3;
    for (int i = 0; i < 256; ++i) chunk.cells[i] = static_cast<uint16_t>(i + 1);
  }
  void undo_all() {
    while (undo_chunk_change(chunk)) {
    }
  }
  Chunk chunk;
};

}  // namespace

// Ctrl+M, Ctrl+F and Ctrl+R: cells move to the mirrored, flipped or turned position; only
// the flip toggles a bit, the drawn vertical flip (bit 12), and only of non-empty cells. The
// game's collision fields (bits 9-11, 13-15) stay. Each is one undo step.
TEST_F(ChunkUndo, WholeTileTransformsMoveCellsAndToggleOnlyTheDrawnFlip) {
  const struct {
    int (*transform)(const CellEditState&, Chunk&);
    bool columns, rows;
    uint16_t toggled;
  } transforms[] = {{mirror_chunk, true, false, 0}, {flip_chunk, false, true, 0x1000}, {rotate_chunk, true, true, 0x1000}};
  for (const auto& t : transforms) {
    chunk = Chunk();
    chunk.width = 5;
    chunk.height = 3;
    for (int r = 0; r < 3; ++r)
      for (int c = 0; c < 5; ++c) chunk.cell(c, r) = static_cast<uint16_t>((0xAE00 ^ (0x1200 * c) ^ (0x4400 * r)) | (5 * r + c));
    chunk.cell(1, 0) = 0;  // empty: stays empty wherever it goes
    const Chunk start = chunk;
    EXPECT_GT(t.transform(chunk_edit_state(), chunk), 0);
    end_chunk_step();
    for (int r = 0; r < 3; ++r)
      for (int c = 0; c < 5; ++c) {
        const uint16_t from = start.cell(t.columns ? 4 - c : c, t.rows ? 2 - r : r);
        EXPECT_EQ(chunk.cell(c, r), from ? from ^ t.toggled : 0) << c << "," << r << " toggled " << t.toggled;
      }
    ASSERT_TRUE(undo_chunk_change(chunk));
    EXPECT_EQ(std::memcmp(&chunk, &start, sizeof chunk), 0);
    EXPECT_FALSE(undo_chunk_change(chunk));
  }
}

TEST_F(ChunkUndo, SizeChangesStayWithinOneToSixteen) {
  chunk.width = 16;
  chunk.height = 1;
  EXPECT_FALSE(change_chunk_width(chunk_edit_state(), chunk, +1));
  EXPECT_FALSE(change_chunk_height(chunk_edit_state(), chunk, -1));
  EXPECT_EQ(chunks_changed, 0);
  EXPECT_TRUE(change_chunk_width(chunk_edit_state(), chunk, -1));
  EXPECT_TRUE(change_chunk_height(chunk_edit_state(), chunk, +1));
  EXPECT_EQ(chunk.width, 15);
  EXPECT_EQ(chunk.height, 2);
  EXPECT_EQ(chunks_changed, 1);
  undo_all();  // each size goes back
  EXPECT_EQ(chunk.width, 16);
  EXPECT_EQ(chunk.height, 1);
}

// Each line of the block menu on one cell: the four solidity bits and the two flips toggle,
// CUT clears the cell and keeps its word for PASTE, and undo takes them all back.
TEST_F(ChunkUndo, BlockMenuLinesToggleTheirBitsAndCutKeepsTheWord) {
  chunk.cells[5] = 0x0023;
  const std::pair<uint8_t, uint16_t> toggles[] = {{MENU_MIRROR, 0x0400},     {MENU_FLIP, 0x0800},
                                                  {MENU_PLATFORM_A, 0x1000}, {MENU_PLATFORM_B, 0x4000},
                                                  {MENU_SOLID_A, 0x2000},    {MENU_SOLID_B, 0x8000}};
  for (const auto& [line, bit] : toggles) {
    apply_menu_action(chunk_edit_state(), line, chunk, 5);
    EXPECT_EQ(chunk.cells[5], 0x0023 ^ bit) << int(line);
    apply_menu_action(chunk_edit_state(), line, chunk, 5);
    EXPECT_EQ(chunk.cells[5], 0x0023) << int(line);
  }
  apply_menu_action(chunk_edit_state(), MENU_CUT, chunk, 5);
  apply_menu_action(chunk_edit_state(), MENU_PASTE, chunk, 9);
  EXPECT_EQ(chunk.cells[5], 0);
  EXPECT_EQ(chunk.cells[9], 0x0023);
  apply_menu_action(chunk_edit_state(), MENU_SOLID_A, chunk, 256);  // no such cell: nothing
  undo_all();
  EXPECT_EQ(chunk.cells[5], 0x0023);
  EXPECT_EQ(chunk.cells[9], 10);
}
