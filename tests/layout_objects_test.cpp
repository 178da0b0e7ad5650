// Dragging layout objects through the level editor screen: short drags and row changes.
#include "app/level_file_commands.h"
#include "files/chunk_set_block.h"
#include "files/layout_block.h"
#include "gamedata/chunk_graphics.h"
#include "gamedata/level_state.h"
#include "leveledit/effect_text.h"
#include "leveledit/layout_objects.h"
#include "leveledit/layout_rows.h"
#include "level_editor_fixture.h"
#include "ui/messages.h"

namespace {

class LayoutObjects : public LevelEditorTest {
 protected:
  // STATIC editing: the camera stays put and the object panel runs.
  void start(int chunks = 4) {
    make_level(chunks);
    level_editor_modes = 0x12;
    enter();
  }
  // Puts the mouse over the icon box of an object at x in row r and runs a frame.
  void hover(int x, int r, int dx = 4, int dy = 4) {
    place_mouse(icon_x(x) + dx, icon_y(r) + dy);
    frames(1);
  }
};

}  // namespace

TEST_F(LayoutObjects, ShortDragsMoveNothingAndARowChangeGoesAfterEqualX) {
  start();
  row(5).objects = {{OBJECT_PICKUP | 1, 96}};
  row(6).objects = {{OBJECT_PICKUP | 2, 64}, {OBJECT_PICKUP | 3, 112}, {OBJECT_PICKUP | 4, 128}};
  hover(96, 5, 4, 4);
  const int mx = in->mx, my = in->my;
  button(1).move(mx + 3, my - 3).move(mx - 3, my + 3);
  frames(3);
  EXPECT_EQ(row(5).objects[0], (LayoutObject{OBJECT_PICKUP | 1, 96}));
  EXPECT_EQ(level_changed_flags, 0);
  // 16 right in the same row: the object moves and the level has a change.
  in->move(mx + 16, my);
  frames(1);
  EXPECT_EQ(row(5).objects[0].x, 112);
  EXPECT_EQ(level_changed_flags, CHANGED_FRONT);
  // 16 down and 16 right: row 6, x 112, after the object already at 112.
  in->move(mx + 16, my + 16);
  frames(1);
  EXPECT_EQ(row(5).count(), 0);
  EXPECT_EQ(codes_of(row(6)), (std::vector<uint16_t>{OBJECT_PICKUP | 2, OBJECT_PICKUP | 3, OBJECT_PICKUP | 1,
                                                      OBJECT_PICKUP | 4}));
  EXPECT_EQ(row(6).objects[2].x, 112);
  EXPECT_EQ(ledit.selected_row, 6);
  EXPECT_EQ(ledit.selected_index, 2);
  EXPECT_EQ(level_changed_flags, CHANGED_FRONT);
  // With snapping, x goes to a multiple of 16 and y to the row of the cursor.
  snap_to_grid = 1;
  in->move(mx + 16 + 7, my + 16 + 5);
  frames(1);
  EXPECT_EQ(row(6).objects[static_cast<size_t>(ledit.selected_index)].x, 112);
  in->move(mx + 16 + 21, my + 16);
  frames(1);
  EXPECT_EQ(row(6).objects[static_cast<size_t>(ledit.selected_index)].x, 128);
  EXPECT_EQ(ledit.selected_index, 3) << "after the object at 128";
  button(0);
  frames(1);
  // Snapped, an object inserted while the cursor is over another lands before it: the
  // selection stays on the object under the cursor.
  row(8).objects = {{OBJECT_PICKUP | 5, 100}};
  hover(100, 8);
  key(KEY_INSERT);
  EXPECT_EQ(codes_of(row(8)), (std::vector<uint16_t>{0, OBJECT_PICKUP | 5}));
  EXPECT_EQ(selected_object(), &row(8).objects[1]);
}

// Stepping a block object's type: by kind (5 counts as 4, 5 itself is skipped, 16 wraps to 0)
// or to the next index of the same kind, never past the table's count.
TEST(BlockTypeSteps, KindsAndIndicesStayWithinTheCountedTable) {
  block_types.clear();
  for (int16_t kind : {0, 2, 5, 2, 4, 16, -1, 7}) block_types.push_back({kind, 0});
  block_type_count = 7;  // entry 6 is unused (kind -1); the entry of kind 7 lies beyond the count
  EXPECT_EQ(block_kind_of(2), 4);
  EXPECT_EQ(block_kind_of(5), 16);
  EXPECT_EQ(block_kind_of(6), -1);
  EXPECT_EQ(block_kind_of(-1), -1);
  const struct {
    int index, direction, kind_step, index_step;
  } steps[] = {
      {0, 1, 1, -1},   // kind 0 -> 2; no other entry of kind 0
      {1, 1, 2, 3},    // kind 2 -> 4 (index 2, a 5); the other 2
      {3, -1, 0, 1},   // kind 2 -> 0 (no kind 1); backwards to the other 2
      {2, 1, 5, 4},    // kind 4 -> 16 (7 is beyond the count); the 4 at index 4
      {4, -1, 1, 2},   // kind 4 -> 2; backwards to the 5 at index 2
      {5, 1, 0, -1},   // kind 16 wraps to 0; no other 16
      {0, -1, 5, -1},  // kind 0 wraps back to 16
      {6, 1, 0, -1},   // no kind, so + starts at kind 0; no index step
      {7, 1, 0, -1},   // the count itself: the same, not the unused entry 6
  };
  for (const auto& s : steps) {
    SCOPED_TRACE("index " + std::to_string(s.index) + " direction " + std::to_string(s.direction));
    EXPECT_EQ(step_block_kind(s.index, s.direction), s.kind_step);
    EXPECT_EQ(step_block_index(s.index, s.direction), s.index_step);
  }
}

// The effect texts of the object panel and the effect message box, at every edge of their tables.
TEST(EffectText, EveryEffectAtTheEdgesOfItsAttribute) {
  const struct {
    uint8_t effect, attribute;
    std::string text;
    const char* case_name;
  } effects[] = {
      {0x00, 9, "NONE", "default"},
      {0xEF, 0, "NONE", "default"},
      {0x08, TYPE_NAME_COUNT - 1, std::string("POPUP ") + pickup_type_names[TYPE_NAME_COUNT - 1], "POPUP"},
      {0x08, TYPE_NAME_COUNT, "POPUP 3E", "POPUP"},
      {0xF0, 5, "NO PRIZE", "default"},
      {0xF5, 3, "SMALL MOON SPROUT", "MOON SPROUT"},
      {0xF5, 8, "LARGE MOON SPROUT", "MOON SPROUT"},
      {0xF5, 19, "RANDOM SIZE MOON SPROUT", "MOON SPROUT"},
      {0xF5, 20, "RANDOM SIZE MOON SPROUT", "MOON SPROUT"},
      {0xF6, 0x1F, "SWITCH A 15", "SWITCH A"},
      {0xF7, 0, "SWITCH B", "default"},
      {0xFB, 0, "1 STAR", "STARS"},
      {0xFB, 1, "3 STARS", "STARS"},
      {0xFB, 2, "1 STARS", "STARS"},
      {0xFD, 0, "THROW 0 DYNAMITE STICK", "DYNAMITE STICKS"},
      {0xFD, 5, "THROW 5 DYNAMITE STICKS", "DYNAMITE STICKS"},
      {0xFE, 1, "THROW 1 MOONS", "MOONS"},
      {0xFF, 1, "UNKNOWN", "default"},
  };
  for (const auto& e : effects) {
    EXPECT_EQ(describe_effect(e.effect, e.attribute), e.text) << int(e.effect) << " " << int(e.attribute);
    EXPECT_STREQ(effect_case_name(e.effect), e.case_name) << int(e.effect);
  }
}
