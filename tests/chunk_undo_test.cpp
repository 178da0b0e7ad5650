// The undo history on its own (on a plain int model), and the chunk cell edits that record
// into the chunk editor's history, on a plain Chunk.
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

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
struct IntRecord {
  int slot, old_value, new_value;
};
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

TEST(UndoHistory, StepsCapacityRedoAndSavedPoint) {
  IntModel m(3);
  m.step({{0, 1}, {1, 1}});  // one step of two records: 1100
  m.step({{2, 1}});
  m.step({{0, 2}, {0, 3}});  // the same slot twice in a step: undo gives the first old value
  m.step({{3, 1}});          // four steps in a room of three: the first is dropped whole
  EXPECT_EQ(m.h.undo_count(), 3u);
  while (m.undo()) {
  }
  EXPECT_EQ(m.str(), "1100");  // back to the state after the dropped step, not a half of it
  EXPECT_FALSE(m.h.at_saved());  // the saved (start) state is out of reach
  while (m.redo()) {
  }
  EXPECT_EQ(m.str(), "3111");
  EXPECT_EQ(m.h.redo_count(), 0u);

  // Saved point: undo away and back; a new step after undo discards the redo steps and
  // with them a saved state that lay among them.
  m.h.mark_saved();
  ASSERT_TRUE(m.undo());
  EXPECT_FALSE(m.h.at_saved());
  ASSERT_TRUE(m.redo());
  EXPECT_TRUE(m.h.at_saved());
  ASSERT_TRUE(m.undo());
  m.step({{3, 7}});
  EXPECT_EQ(m.h.redo_count(), 0u);
  EXPECT_FALSE(m.redo());
  EXPECT_FALSE(m.h.at_saved());
  m.step({{3, 1}});  // the same values again are still another state
  EXPECT_FALSE(m.h.at_saved());

  // Shrinking keeps the newest applied steps; redo steps go first.
  ASSERT_TRUE(m.undo());
  m.h.set_capacity(1);
  EXPECT_EQ(m.h.undo_count(), 1u);
  EXPECT_EQ(m.h.redo_count(), 0u);
  ASSERT_TRUE(m.undo());
  EXPECT_EQ(m.str(), "3110");
  EXPECT_FALSE(m.undo());

  // No room: edits go unrecorded and no earlier state counts as saved any more.
  IntModel none(0);
  none.step({{0, 5}});
  EXPECT_FALSE(none.undo());
  EXPECT_FALSE(none.h.at_saved());
  EXPECT_FALSE(none.h.commit());  // nothing open
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

Chunk numbered(int w, int h) {
  Chunk c;
  c.width = static_cast<int8_t>(w);
  c.height = static_cast<int8_t>(h);
  for (int r = 0; r < 16; ++r)
    for (int col = 0; col < 16; ++col) c.cell(col, r) = static_cast<uint16_t>(0x100 * r + col + 1);
  return c;
}

// What SAVE CHUNKMAP would write for a chunkmap of this one chunk.
std::vector<uint8_t> saved_bytes(const Chunk& c) {
  ChunkMap map;
  map.chunks.push_back(c);
  std::vector<uint8_t> out;
  std::string error;
  EXPECT_TRUE(build_chunk_set_block(map, out, error)) << error;
  return out;
}

}  // namespace

TEST_F(ChunkUndo, MixedSessionUndoesAndRedoesStepByStepToTheExactBytes) {
  chunk = numbered(8, 8);
  chunk.cell(2, 2) = 0;  // an empty cell inside the used area
  const Chunk start = chunk;
  std::array<uint8_t, 256> marks{};
  marks[cell_index(0, 1)] = marks[cell_index(5, 5)] = 1;
  held_block = 0x1234;
  // Each line is one user action, closed as the editor closes it at the end of a frame.
  const std::function<void()> actions[] = {
      [&] { set_cell_recorded(chunk_edit_state(), chunk, cell_index(1, 1), 0x0099); },  // a placement
      [&] { clear_cell(chunk_edit_state(), chunk, cell_index(3, 0)); },                  // Delete
      [&] { paste_cell(chunk_edit_state(), chunk, cell_index(4, 4)); },                  // Ctrl+V
      [&] {  // the block selector's fill through marks, then the cell itself
        fill_marked_cells(chunk_edit_state(), chunk, marks, 0x0042);
        set_cell_recorded(chunk_edit_state(), chunk, cell_index(7, 7), 0x0042);
      },
      [&] { mirror_chunk(chunk_edit_state(), chunk); },
      [&] { flip_chunk(chunk_edit_state(), chunk); },
      [&] { rotate_chunk(chunk_edit_state(), chunk); },
      [&] { apply_menu_action(chunk_edit_state(), MENU_SOLID_B, chunk, cell_index(0, 0)); },
      [&] { change_chunk_width(chunk_edit_state(), chunk, -3); },
      [&] { change_chunk_height(chunk_edit_state(), chunk, +2); },
  };
  std::vector<Chunk> states{start};
  for (const auto& action : actions) {
    action();
    end_chunk_step();
    states.push_back(chunk);
  }
  EXPECT_EQ(chunk_history.undo_count(), std::size(actions));
  EXPECT_EQ(chunk.cell(2, 2), 0);  // mirror, flip and rotate left the empty cell empty
  EXPECT_EQ(chunk.width, 5);
  EXPECT_EQ(chunk.height, 10);
  for (size_t i = states.size() - 1; i > 0; --i) {
    ASSERT_TRUE(undo_chunk_change(chunk));
    EXPECT_EQ(std::memcmp(&chunk, &states[i - 1], sizeof chunk), 0) << "undo to state " << i - 1;
    EXPECT_EQ(chunks_changed, i - 1 == 0 ? 0 : 1);
  }
  EXPECT_FALSE(undo_chunk_change(chunk));
  EXPECT_EQ(saved_bytes(chunk), saved_bytes(start));
  while (redo_chunk_change(chunk)) {
  }
  EXPECT_EQ(saved_bytes(chunk), saved_bytes(states.back()));
  EXPECT_EQ(std::memcmp(&chunk, &states.back(), sizeof chunk), 0);
}

TEST_F(ChunkUndo, WholeTileMirrorOfSixtyFourCellsIsOneUndo) {
  chunk = numbered(8, 8);
  const Chunk start = chunk;
  EXPECT_EQ(mirror_chunk(chunk_edit_state(), chunk), 64);
  end_chunk_step();
  EXPECT_EQ(chunk.cell(0, 0), start.cell(7, 0) ^ 0x0400);
  ASSERT_TRUE(undo_chunk_change(chunk));
  EXPECT_EQ(std::memcmp(&chunk, &start, sizeof chunk), 0);
  EXPECT_FALSE(undo_chunk_change(chunk));
}

TEST_F(ChunkUndo, SizeThreeKeepsTheLastThreeOfFourSteps) {
  use_history(3);
  for (uint16_t i = 0; i < 4; ++i) {
    set_cell_recorded(chunk_edit_state(), chunk, i, static_cast<uint16_t>(100 + i));
    end_chunk_step();
  }
  undo_all();
  EXPECT_EQ(chunk.cells[0], 100);  // the first step was dropped
  EXPECT_EQ(chunk.cells[1], 2);
  EXPECT_EQ(chunks_changed, 1);  // the start of the pass is out of reach
  // Size 0 edits without recording.
  use_history(0);
  EXPECT_TRUE(clear_cell(chunk_edit_state(), chunk, 3));
  end_chunk_step();
  EXPECT_EQ(chunks_changed, 1);
  EXPECT_FALSE(undo_chunk_change(chunk));
  EXPECT_EQ(chunk.cells[3], 0);
}

TEST_F(ChunkUndo, PasteCopyAndCut) {
  // Nothing held: paste does nothing.
  EXPECT_FALSE(paste_cell(chunk_edit_state(), chunk, 0));
  EXPECT_EQ(chunk.cells[0], 1);
  copy_cell(chunk_edit_state(), chunk, 9);
  EXPECT_EQ(held_block, 10);
  // Pasting the word the cell already holds records nothing and changes nothing.
  EXPECT_FALSE(paste_cell(chunk_edit_state(), chunk, 9));
  end_chunk_step();
  EXPECT_EQ(chunks_changed, 0);
  EXPECT_EQ(chunk_history.undo_count(), 0u);
  EXPECT_TRUE(paste_cell(chunk_edit_state(), chunk, 0));
  EXPECT_EQ(chunk.cells[0], 10);
  EXPECT_EQ(chunks_changed, 1);
  // Every word can be held, 0xFFFF included.
  chunk.cells[1] = 0xFFFF;
  EXPECT_TRUE(cut_cell(chunk_edit_state(), chunk, 1));
  EXPECT_EQ(held_block, 0xFFFF);
  EXPECT_EQ(chunk.cells[1], 0);
  EXPECT_TRUE(paste_cell(chunk_edit_state(), chunk, 2));
  EXPECT_EQ(chunk.cells[2], 0xFFFF);
}

TEST_F(ChunkUndo, MenuActionsToggleOneBitEachAndCutOfAnEmptyCellRecordsNothing) {
  chunk.cells[4] = 0;
  apply_menu_action(chunk_edit_state(), MENU_CUT, chunk, 4);
  apply_menu_action(chunk_edit_state(), MENU_DELETE, chunk, 4);
  end_chunk_step();
  EXPECT_EQ(held_block, 0);
  EXPECT_EQ(chunk_history.undo_count(), 0u);
  EXPECT_EQ(chunks_changed, 0);
  chunk.cells[5] = 0x0012;
  const uint8_t toggles[] = {MENU_MIRROR, MENU_FLIP, MENU_PLATFORM_A, MENU_PLATFORM_B, MENU_SOLID_A, MENU_SOLID_B};
  const uint16_t bits[] = {0x0400, 0x0800, 0x1000, 0x4000, 0x2000, 0x8000};
  uint16_t expected = 0x0012;
  for (int i = 0; i < 6; ++i) {
    apply_menu_action(chunk_edit_state(), toggles[i], chunk, 5);
    end_chunk_step();
    expected ^= bits[i];
    EXPECT_EQ(chunk.cells[5], expected) << i;
  }
  EXPECT_EQ(chunk_history.undo_count(), 6u);
  // Separators and clicks outside change nothing.
  apply_menu_action(chunk_edit_state(), 131, chunk, 5);
  apply_menu_action(chunk_edit_state(), 128, chunk, 5);
  EXPECT_EQ(chunk.cells[5], 0xFC12);
}

TEST_F(ChunkUndo, MirrorFlipRotateTransformTheUsedAreaOnly) {
  chunk = numbered(3, 2);
  const Chunk original = chunk;
  EXPECT_EQ(mirror_chunk(chunk_edit_state(), chunk), 6);
  EXPECT_EQ(chunk.cell(0, 0), original.cell(2, 0) ^ 0x0400);
  EXPECT_EQ(chunk.cell(2, 1), original.cell(0, 1) ^ 0x0400);
  EXPECT_EQ(chunk.cell(3, 0), original.cell(3, 0));  // outside the used area
  mirror_chunk(chunk_edit_state(), chunk);
  EXPECT_EQ(std::memcmp(chunk.cells, original.cells, sizeof chunk.cells), 0);
  EXPECT_EQ(flip_chunk(chunk_edit_state(), chunk), 6);
  EXPECT_EQ(chunk.cell(1, 0), original.cell(1, 1) ^ 0x0800);
  flip_chunk(chunk_edit_state(), chunk);
  rotate_chunk(chunk_edit_state(), chunk);
  EXPECT_EQ(chunk.cell(0, 0), original.cell(2, 1) ^ 0x0C00);
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
}

TEST_F(ChunkUndo, CellsOutsideTheUsedAreaAreClearedOnKeeping) {
  chunk = numbered(3, 2);
  clear_cells_outside(chunk);
  for (int r = 0; r < 16; ++r)
    for (int c = 0; c < 16; ++c)
      EXPECT_EQ(chunk.cell(c, r) != 0, c < 3 && r < 2) << c << "," << r;
}
