// Keys pressed while the mouse button still holds a drag.

#include "level_editor_fixture.h"

namespace {

class HeldDrag : public LevelEditorTest {};

}  // namespace

// Ctrl+Z in the middle of a drag first closes the drag as a step of its own, so the undo takes
// back the drag and nothing older; Ctrl+Y gives the dragged place back. The frame drawn around
// the object while it is dragged is where the hover puts it once the cursor rests over it: for a
// chunk placement (its box starts at its x) and for another object (its icon ends there).
TEST_F(HeldDrag, UndoDuringADragTakesBackTheDragOnly) {
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
  }
}
