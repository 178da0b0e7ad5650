// Groups in the level editor screen: selecting by Ctrl+click, Shift+drag and Ctrl+A, what
// ends a selection, the group drag, and the group keys with their undo steps and messages.
#include "files/layout_selection.h"
#include "game_fixtures.h"
#include "level_editor_fixture.h"
#include "render/status_bar.h"
#include "ui/messages.h"

namespace {

class LevelEditorGroups : public LevelEditorTest {
 protected:
  void SetUp() override {
    LevelEditorTest::SetUp();
    layout_clipboard = LayoutClipboard();
    make_level();
    level_editor_modes = 0x12;  // the camera stays put, objects under the cursor get the panel
  }
  void over(int x, int r) {
    place_mouse(icon_x(x) + 4, icon_y(r) + 4);
    frames(1);
  }
  void ctrl_click_over(int x, int r) {
    over(x, r);
    click_with(KB_CTRL_FLAG);
  }
  // A left press and release where the mouse is, with `modifiers` held.
  void click_with(int modifiers) { drag_with(modifiers, 0, 0); }
  // A left drag by (dx, dy) in two moves with `modifiers` held; `midway` runs between them.
  void drag_with(int modifiers, int dx, int dy, const std::function<void()>& midway = {}) {
    const int x = in->mx, y = in->my;
    in->key_shift_flags = modifiers;
    button(1);
    in->move(x + dx / 2, y + dy / 2);
    run_script();
    if (midway) midway();
    in->move(x + dx, y + dy);
    button(0);
    run_script();
    frames(1);
    in->key_shift_flags = 0;
  }
  int32_t selected() { return selected_count(front_layout); }
  std::vector<std::string> selected_objects() {
    std::vector<std::string> out;
    for (size_t r = 0; r < front_layout.rows.size(); ++r)
      for (const LayoutObject& o : front_layout.rows[r].objects)
        if (o.selected) out.push_back(std::to_string(r) + ":" + std::to_string(o.code) + "@" + std::to_string(o.x));
    return out;
  }
  bool light_frame_at(int x, int y) { return (screen_pixel(x, y) & 0xFFFFFF) == 0xFFFF00; }
};

}  // namespace

TEST_F(LevelEditorGroups, CtrlClickShiftDragAndCtrlASelectAndClickOnNothingTabAndLeavingEndIt) {
  row(10).objects = {{0x801, 100}, {0x802, 200}, {0x803, 300}, {0x804, 400}, {0x805, 400}};
  row(3, true).objects = {{0x806, 100}};
  enter();
  ctrl_click_over(100, 10);
  EXPECT_EQ(camera_state, 1);  // a fixed camera stays as it was
  EXPECT_EQ(selected_objects(), (std::vector<std::string>{"10:2049@100"}));
  const std::string status = level_status_text(level_editor_status(), 200);
  EXPECT_EQ(status.substr(status.size() - 13), "  SELECTED: 1");
  // Its frame, seen with the cursor elsewhere (the panel's frame covers it under the cursor).
  place_mouse(600, 400);
  frames(1);
  EXPECT_TRUE(light_frame_at(icon_x(100), icon_y(10)));
  EXPECT_TRUE(light_frame_at(icon_x(100) + 15, icon_y(10) + 15));
  EXPECT_FALSE(light_frame_at(icon_x(200), icon_y(10)));
  // Of the two pickups at one place, the one Ctrl+comma picks; a second Ctrl+click takes it out.
  over(400, 10);
  key(KEY_COMMA, KB_CTRL_FLAG);
  click_with(KB_CTRL_FLAG);
  EXPECT_EQ(selected_objects(), (std::vector<std::string>{"10:2049@100", "10:2052@400"}));
  click_with(KB_CTRL_FLAG);
  EXPECT_EQ(selected(), 1);
  // A Ctrl+click moved nothing and was no undo step.
  EXPECT_EQ(level_history.undo_count(), 0u);

  // Shift+drag from (170, 140) to (290, 150): the pickups at 200 (box 184..199) and 300
  // (284..299, touching) instead of the one at 100; the rectangle is drawn on the way.
  place_mouse(170, 140);
  bool drawn = false;
  drag_with(KB_SHIFT_FLAG, 120, 10, [&] { drawn = light_frame_at(170, 140) && light_frame_at(230, 145); });
  EXPECT_TRUE(drawn);
  EXPECT_EQ(selected_objects(), (std::vector<std::string>{"10:2050@200", "10:2051@300"}));
  // With Ctrl too, it adds.
  place_mouse(60, 140);
  drag_with(KB_SHIFT_FLAG | KB_CTRL_FLAG, 30, 5);
  EXPECT_EQ(selected(), 3);

  // A plain click on no object selects nothing.
  place_mouse(600, 400);
  click_with(0);
  EXPECT_EQ(selected(), 0);
  key(KEY_A, KB_CTRL_FLAG);
  EXPECT_EQ(selected(), 5);
  key(KEY_TAB);
  EXPECT_EQ(selected(), 0);
  key(KEY_A, KB_CTRL_FLAG);
  EXPECT_EQ(selected_count(back_layout), 1);
  key(KEY_TAB);
  EXPECT_EQ(selected_count(back_layout), 0);
  key(KEY_A, KB_CTRL_FLAG);
  level_editor_leave();
  EXPECT_EQ(selected(), 0);
}

TEST_F(LevelEditorGroups, DraggingASelectedObjectMovesTheGroupSnappedAndStopsAtTheEdgesInOneStep) {
  row(10).objects = {{0x801, 100}, {0x802, 150}};
  row(12).objects = {{0x803, 120}};
  const std::vector<uint8_t> loaded = layout_bytes(front_layout);
  enter();
  ctrl_click_over(100, 10);
  ctrl_click_over(120, 12);
  // With F4 the dragged pickup goes from 100 + 37 to 128 and one row down; the other the same.
  key(KEY_F4);
  over(100, 10);
  drag_with(0, 37, 16);
  EXPECT_EQ(selected_objects(), (std::vector<std::string>{"11:2049@128", "13:2051@148"}));
  EXPECT_EQ(codes_of(row(10)), (std::vector<uint16_t>{0x802}));
  EXPECT_EQ(level_history.undo_count(), 1u);
  // Far up and left: the group stops at row 1 and x 0 (the dragged pickup is the leftmost).
  over(128, 11);
  drag_with(0, -400, -300);
  EXPECT_EQ(selected_objects(), (std::vector<std::string>{"1:2049@0", "3:2051@20"}));
  EXPECT_EQ(level_history.undo_count(), 2u);
  // Dragging the unselected pickup moves it alone.
  key(KEY_F4);
  over(150, 10);
  drag_with(0, 10, 0);
  EXPECT_EQ(row(10).objects[0].x, 160);
  EXPECT_EQ(selected(), 2);
  EXPECT_EQ(level_history.undo_count(), 3u);
  level_undo();
  EXPECT_EQ(selected(), 0);  // undo ends the selection
  level_undo();
  EXPECT_EQ(codes_of(row(11)), (std::vector<uint16_t>{0x801}));
  EXPECT_EQ(codes_of(row(13)), (std::vector<uint16_t>{0x803}));
  level_redo();
  EXPECT_EQ(codes_of(row(1)), (std::vector<uint16_t>{0x801}));
  EXPECT_EQ(codes_of(row(3)), (std::vector<uint16_t>{0x803}));
  while (level_undo()) {
  }
  EXPECT_EQ(layout_bytes(front_layout), loaded);
}

TEST_F(LevelEditorGroups, TheGroupKeysAreOneUndoStepEachAndTheClipboardOutlivesTheLevel) {
  row(10).objects = {{0x801, 100}, {0x802, 150}};
  row(12).objects = {{2, 200}};
  front_layout.theme = 4;
  const std::vector<uint8_t> loaded = layout_bytes(front_layout);
  enter();
  ctrl_click_over(100, 10);
  ctrl_click_over(200, 12);
  key(KEY_C, KB_CTRL_FLAG);
  EXPECT_EQ(level_history.undo_count(), 0u);
  // Pasted with the group's top-left (row 10, x 100) where Insert would put an object: row
  // (300 >> 4) + 1 = 19, x 500 + 16.
  place_mouse(500, 300);
  key(KEY_V, KB_CTRL_FLAG);
  EXPECT_EQ(selected_objects(), (std::vector<std::string>{"19:2049@516", "21:2@616"}));
  key(KEY_D, KB_CTRL_FLAG);
  EXPECT_EQ(selected_objects(), (std::vector<std::string>{"19:2049@532", "21:2@632"}));
  EXPECT_EQ(codes_of(row(19)), (std::vector<uint16_t>{0x801, 0x801}));
  key(KEY_DEL);
  EXPECT_EQ(codes_of(row(19)), (std::vector<uint16_t>{0x801}));
  EXPECT_EQ(level_history.undo_count(), 3u);
  // Ctrl+A, Ctrl+X: the plane is empty, the clipboard holds all five objects (rows 10 .. 21).
  key(KEY_A, KB_CTRL_FLAG);
  key(KEY_X, KB_CTRL_FLAG);
  EXPECT_EQ(selected_count(front_layout) + layout_bytes(front_layout).size(), 10u + 512 / 8);
  EXPECT_EQ(level_history.undo_count(), 4u);
  // Near the plane's end (32 rows): the objects of rows 19 and 21 would land in 38 and 40.
  captured_messages().clear();
  place_mouse(30, 450);
  key(KEY_V, KB_CTRL_FLAG);
  EXPECT_EQ(selected(), 3);
  EXPECT_EQ(captured_messages(), (std::vector<std::string>{"2 OBJECTS OUTSIDE THE PLANE WERE NOT PASTED"}));
  EXPECT_EQ(level_history.undo_count(), 5u);
  while (level_undo()) {
  }
  EXPECT_EQ(layout_bytes(front_layout), loaded);
  EXPECT_EQ(level_changed_flags, 0);

  // Another level of another theme: the clipboard stays; the chunk numbers' theme is told once.
  level_editor_leave();
  front_layout.theme = 9;
  front_layout.rows.assign(front_layout.rows.size(), LayoutRow());
  enter();
  captured_messages().clear();
  place_mouse(30, 100);
  key(KEY_V, KB_CTRL_FLAG);
  key(KEY_V, KB_CTRL_FLAG);
  EXPECT_EQ(captured_messages(), (std::vector<std::string>{"CHUNK NUMBERS REFER TO THEME 4"}));
  // The second paste at the same place: each object after the equal one before it.
  EXPECT_EQ(codes_of(row(7)), (std::vector<uint16_t>{0x801, 0x801, 0x802, 0x802}));
  // Metablock mode keeps its Delete: the cell under the cursor, not the group.
  key(KEY_M);
  key(KEY_DEL);
  EXPECT_EQ(selected(), 5);
}
