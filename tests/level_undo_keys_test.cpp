// Every edit of the level editor is one step of its undo history, a drag held while Ctrl+Z is
// pressed included; a button that ends the help does not start a drag.

#include "level_editor_fixture.h"
#include "render/undo_readout.h"

namespace {

class LevelUndoKeys : public LevelEditorTest {
 protected:
  // What the edits change: both planes, the chunks and the markers.
  struct State {
    std::vector<LayoutRow> front, back;
    std::vector<std::vector<uint16_t>> cells;
    std::vector<Marker> markers;
    bool operator==(const State& o) const {
      return front == o.front && back == o.back && cells == o.cells && markers == o.markers;
    }
  };
  static State state() {
    State s{front_layout.rows, back_layout.rows, {}, markers};
    for (const Chunk& c : chunkmap.chunks) s.cells.emplace_back(std::begin(c.cells), std::end(c.cells));
    return s;
  }
};

}  // namespace

// Ctrl+Z in the middle of a drag first closes the drag as a step of its own, so the undo takes
// back the drag and nothing older; Ctrl+Y gives the dragged place back. The frame drawn around
// the object while it is dragged is where the hover puts it once the cursor rests over it: for a
// chunk placement (its box starts at its x) and for another object (its icon ends there).
TEST_F(LevelUndoKeys, UndoDuringADragTakesBackTheDragOnly) {
  for (const uint16_t code : {uint16_t{1}, static_cast<uint16_t>(OBJECT_PICKUP | 2)}) {
    make_level();
    map_header.map_front = 0;  // the map screen, where chunks are placed by their left edge
    pattern_blocks_and_chunks();  // chunk 1 is 2x2 blocks: its box is not an icon's
    row(9).objects = {{code, 48}, {2, 120}};
    level_editor_modes = 0x12;
    enter();
    place_mouse(125, 135);
    frames(1);
    key(KEY_TILDE);  // an older step: the second object flipped
    const LayoutRow flipped = row(9);
    const int grab = code < OBJECT_CHUNK_LIMIT ? 56 : 40;
    place_mouse(grab, 135);
    frames(1);
    button(1).move(grab + 16, 135).idle().move(grab + 32, 135);
    frames(4);
    ASSERT_FALSE(row(9) == flipped) << "the drag moved the object";
    const LayoutRow dragged = row(9);
    const float box_x = ledit.selected_screen_x, box_y = ledit.selected_screen_y;
    key(KEY_Z, KB_CTRL_FLAG);
    button(0);
    frames(3);
    EXPECT_EQ(row(9), flipped) << code;
    EXPECT_EQ(level_history.undo_count(), 1u);
    EXPECT_EQ(level_history.redo_count(), 1u);
    key(KEY_Y, KB_CTRL_FLAG);
    EXPECT_EQ(row(9), dragged) << code;
    frames(1);
    EXPECT_EQ(ledit.selected_screen_x, box_x) << code;
    EXPECT_EQ(ledit.selected_screen_y, box_y) << code;
    level_changed_flags = 0;  // as if saved: a drag into the next row is an unsaved edit again
    button(1).move(grab + 32, 151);
    frames(3);
    button(0);
    EXPECT_EQ(level_changed_flags, CHANGED_FRONT) << code;
  }
}

// Each editing key, over an object of the front or back plane or over a chunk's cell: the edit
// changes something, Ctrl+Z gives the state before back with no step left, Ctrl+Y the edit.
TEST_F(LevelUndoKeys, EveryEditKeyIsOneUndoStep) {
  struct Case {
    const char* what;
    bool metablock, back;
    int x, key, modifiers;
  };
  const Case cases[] = {
      {"tilde flips", false, false, 70, KEY_TILDE, 0},
      {"plus steps the chunk", false, false, 70, KEY_EQUALS, 0},
      {"minus steps it back", false, false, 70, KEY_MINUS, 0},
      {"star steps 16", false, false, 70, KEY_ASTERISK, 0},
      {"slash steps 16 back", false, false, 70, KEY_SLASH, 0},
      {"ctrl plus draws later", false, false, 70, KEY_EQUALS, KB_CTRL_FLAG},
      {"ctrl minus draws earlier", false, false, 70, KEY_MINUS, KB_CTRL_FLAG},
      {"ctrl star draws last", false, false, 70, KEY_ASTERISK, KB_CTRL_FLAG},
      {"ctrl slash draws first", false, false, 70, KEY_SLASH, KB_CTRL_FLAG},
      {"pad plus steps the pickup", false, false, 102, KEY_PLUS_PAD, 0},
      {"delete", false, false, 70, KEY_DEL, 0},
      {"insert", false, false, 200, KEY_INSERT, 0},
      {"back plane: delete", false, true, 70, KEY_DEL, 0},
      {"back plane: plus", false, true, 70, KEY_EQUALS, 0},
      {"cell: plus", true, false, 70, KEY_EQUALS, 0},
      {"cell: minus", true, false, 70, KEY_MINUS, 0},
      {"cell: tilde", true, false, 70, KEY_TILDE, 0},
      {"cell: delete", true, false, 70, KEY_DEL, 0},
  };
  for (const Case& c : cases) {
    make_level(40);  // more chunks than one step of 16
    for (const bool back : {false, true})
      row(9, back).objects = {{1, 80}, {2, 80}, {static_cast<uint16_t>(OBJECT_PICKUP | 2), 112}};
    level_editor_modes = 0x12;
    enter();
    if (c.metablock) key(KEY_M);
    if (c.back) key(KEY_TAB);
    place_mouse(c.x, 135);
    frames(2);
    const State before = state();
    key(c.key, c.modifiers);
    const State after = state();
    ASSERT_FALSE(after == before) << c.what << ": the key edits";
    key(KEY_Z, KB_CTRL_FLAG);
    EXPECT_TRUE(state() == before) << c.what;
    EXPECT_EQ(level_history.undo_count(), 0u) << c.what;
    EXPECT_EQ(undo_readout_text(timer_ticks), "UNDO 0 / REDO 1") << c.what;
    key(c.key, c.modifiers);  // a new step: the read-out of the undo is gone
    EXPECT_EQ(undo_readout_text(timer_ticks), "") << c.what;
    key(KEY_Z, KB_CTRL_FLAG);
    key(KEY_Y, KB_CTRL_FLAG);
    EXPECT_TRUE(state() == after) << c.what;
  }
}

// The left button that ends the help, held and moved, drags nothing on the screen below: a drag
// needs the button to go down on the object.
TEST_F(LevelUndoKeys, TheButtonThatEndsTheHelpIsNoClick) {
  make_level();
  row(9).objects = {{1, 80}};
  level_editor_modes = 0x12;
  enter();
  place_mouse(70, 135);
  frames(2);
  const State before = state();
  in->press(KEY_F1).idle(2).release(KEY_F1).idle(2);
  button(1).idle(2).move(120, 135).idle(2);
  button(0).idle(2);
  run_script();
  EXPECT_TRUE(state() == before);
}
