// Editing layout objects through the level editor screen: keys, drag, delete, insert, panel.
#include "app/level_file_commands.h"
#include "files/chunk_set_block.h"
#include "files/layout_block.h"
#include "gamedata/chunk_graphics.h"
#include "gamedata/level_state.h"
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
  uint16_t code_at(int r, int i) { return row(r).objects[static_cast<size_t>(i)].code; }
  // One key per step, after setting the code of row 5's first object when `set` is not -1;
  // that object's code must then be `code`.
  struct Step {
    const char* name;
    int set, scancode, code;
  };
  void expect_steps(std::initializer_list<Step> steps) {
    for (const Step& s : steps) {
      if (s.set >= 0) row(5).objects[0].code = static_cast<uint16_t>(s.set);
      key(s.scancode);
      EXPECT_EQ(code_at(5, 0), s.code) << s.name;
    }
  }
};

}  // namespace

TEST_F(LayoutObjects, CtrlKeysReorderChunkPlacementsAndTheSelectionFollows) {
  start();
  row(5).objects = {{1, 100}, {2, 100}, {3, 100}};
  hover(100, 5);
  ASSERT_EQ(ledit.selected_index, 2);
  // Ctrl with each key; the selection stays on chunk 3 throughout.
  const struct {
    const char* name;
    int scancode;
    std::vector<uint16_t> codes;
    int selected, flags;
  } steps[] = {{"= when last: nothing", KEY_EQUALS, {1, 2, 3}, 2, 0},
               {"- one earlier", KEY_MINUS, {1, 3, 2}, 1, CHANGED_FRONT},
               {"= one later again", KEY_EQUALS, {1, 2, 3}, 2, CHANGED_FRONT},
               {"- one earlier again", KEY_MINUS, {1, 3, 2}, 1, CHANGED_FRONT},
               {"/ to the start", KEY_SLASH, {3, 1, 2}, 0, CHANGED_FRONT},
               {"pad - when first: nothing", KEY_MINUS_PAD, {3, 1, 2}, 0, CHANGED_FRONT},
               {"* to the end", KEY_ASTERISK, {1, 2, 3}, 2, CHANGED_FRONT}};
  for (const auto& s : steps) {
    key(s.scancode, KB_CTRL_FLAG);
    EXPECT_EQ(codes_of(row(5)), s.codes) << s.name;
    EXPECT_EQ(ledit.selected_index, s.selected) << s.name;
    ASSERT_NE(selected_object(), nullptr) << s.name;
    EXPECT_EQ(selected_object()->code, 3) << s.name;
    EXPECT_EQ(level_changed_flags, s.flags) << s.name;
  }
}

TEST_F(LayoutObjects, ChunkNumberKeysWrapOverTheChunkCountAndKeepTheFlip) {
  start(100);
  row(5).objects = {{95, 100}};
  hover(100, 5);
  expect_steps({{"95 + 16", -1, KEY_ASTERISK, 11},
                {"5 - 16, flipped", 5 | PLACEMENT_VFLIP, KEY_SLASH_PAD, 89 | PLACEMENT_VFLIP},
                {"99 + 1", 99, KEY_PLUS_PAD, 0},
                {"0 - 1", -1, KEY_MINUS, 99},
                {"~ flips", -1, KEY_TILDE, 99 | PLACEMENT_VFLIP},
                {"~ flips back", -1, KEY_TILDE, 99}});
  EXPECT_EQ(level_changed_flags, CHANGED_FRONT);
}

TEST_F(LayoutObjects, PickupTypesCycleOverTheFiftyEightTypes) {
  start();
  row(5).objects = {{OBJECT_PICKUP | 57, 100}};
  hover(100, 5);
  ledit.panel_line = 4;
  expect_steps({{"57 + 1", -1, KEY_EQUALS, OBJECT_PICKUP | 0}});
  EXPECT_EQ(ledit.panel_line, 0);
  expect_steps({{"0 - 1", -1, KEY_MINUS, OBJECT_PICKUP | 57},
                {"50 + 16", OBJECT_PICKUP | 50, KEY_ASTERISK, OBJECT_PICKUP | 8},
                {"5 - 16", OBJECT_PICKUP | 5, KEY_SLASH, OBJECT_PICKUP | 47}});
  EXPECT_EQ(level_changed_flags, CHANGED_FRONT);
  EXPECT_TRUE(shows_line(25, {{256, 0, "PICKUP TYPE:"}, {368, 1, "LOST MOON TREASURE 4,"}}, BAR));
  EXPECT_EQ(rgb_at(in->screen.get(), 248, 24), (Rgb{0xFF, 0x3F, 0x00})) << "highlight bar";
  EXPECT_EQ(rgb_at(in->screen.get(), 552, 34), (Rgb{0xFF, 0x3F, 0x00}));
}

TEST_F(LayoutObjects, BlockObjectKindsStepWithFiveCountedAsFour) {
  start();
  block_types[0] = {0, 0x0000};
  block_types[1] = {5, 0x0000};
  block_types[2] = {4, 0x0000};
  block_types[3] = {6, 0xFB02};
  block_types[4] = {0, 0xFE01};
  block_types[5] = {16, 0x0000};
  row(5).objects = {{OBJECT_BLOCK | 3, 100}};
  hover(100, 5);
  EXPECT_TRUE(shows_line(40, {{256, 0, "EFFECT:"}, {352, 1, "1 STARS"}}));
  // Kind 5 is never a step of its own, and a kind steps to its lowest index.
  expect_steps({{"kind 6 -> 4", -1, KEY_MINUS, OBJECT_BLOCK | 1},
                {"kind 4 -> 6", -1, KEY_EQUALS, OBJECT_BLOCK | 3},
                {"kind 6 -> 16 (7..15 have no entries)", -1, KEY_EQUALS, OBJECT_BLOCK | 5},
                {"kind 16 -> 0", -1, KEY_EQUALS, OBJECT_BLOCK | 0}});
  // Line 1 steps through the entries of the same kind, cyclically.
  key(KEY_STOP);
  EXPECT_EQ(ledit.panel_line, 1);
  expect_steps({{"entry 0 -> 4", -1, KEY_EQUALS, OBJECT_BLOCK | 4}});
  EXPECT_TRUE(shows_line(40, {{256, 0, "EFFECT:"}, {352, 1, "THROW 1 MOONS"}}, BAR));
  expect_steps({{"entry 4 -> 0", -1, KEY_EQUALS, OBJECT_BLOCK | 0},
                {"entry 0 -> 4 backwards", -1, KEY_MINUS, OBJECT_BLOCK | 4},
                {"the only entry of kind 16", OBJECT_BLOCK | 5, KEY_EQUALS, OBJECT_BLOCK | 5}});
  key(KEY_COMMA);
  EXPECT_EQ(ledit.panel_line, 0);
}

TEST_F(LayoutObjects, ReferencePanelAndEffectMessageBoxes) {
  start();
  block_types[7] = {8, 0x0000};
  block_types[9] = {4, 0x0007};
  block_types[10] = {8, 0xFE00};
  row(5).objects = {{OBJECT_BLOCK | 9, 0x40}};
  hover(0x40, 5);
  EXPECT_TRUE(shows_line(25, {{256, 0, "BLOCK TYPE:"}, {352, 1, "  HIDDEN PRIZE"}}, BAR));
  EXPECT_TRUE(shows_line(40, {{256, 0, "REFERENCE:"}, hex_plain_piece(352, 2, 7)}));
  EXPECT_TRUE(shows_line(55, {{256, 0, "  REF. TYPE:"}, {352, 1, "          STAR"}}));
  EXPECT_TRUE(shows_line(65, {{256, 0, "  REF. EFFECT:"}, {352, 1, "NONE"}}));
  EXPECT_TRUE(shows_line(80, {{256, 0, "COORDINATES:        :"}, hex_piece(400, 2, 0x40, 4), hex_piece(456, 2, 0x50, 4)}));

  captured_messages().clear();
  row(5).objects[0].code = OBJECT_BLOCK | 10;
  in->press(KEY_7).release(KEY_7);
  frames(2);
  in->press(KEY_8).press(KEY_9).release(KEY_8).release(KEY_9);
  frames(4);
  std::vector<std::string> expected = {"effect = 0x00FE\neffect_attribute = 0x0000\n\neffect_string_index = 0x0010",
                                       "MOONS", "MOONS", "THROW 0 MOON", "THROW 0 MOON"};
  EXPECT_EQ(captured_messages(), expected);
}

TEST_F(LayoutObjects, BlockObjectOfANegativeKindIsDeleted) {
  start();
  block_types[2] = {0, 0};
  row(5).objects = {{OBJECT_PICKUP, 100}, {OBJECT_BLOCK | 2, 100}};
  hover(100, 5);
  ASSERT_EQ(ledit.selected_index, 1);
  EXPECT_EQ(row(5).count(), 2);
  block_types[2].kind = -1;
  frames(1);
  EXPECT_EQ(codes_of(row(5)), (std::vector<uint16_t>{OBJECT_PICKUP}));
  EXPECT_EQ(ledit.hover_count, 0);
  EXPECT_EQ(selected_object(), nullptr);
  frames(1);
  EXPECT_EQ(ledit.hover_count, 1) << "the list is rebuilt the next frame";
  EXPECT_EQ(selected_object()->code, OBJECT_PICKUP);
}

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
}

TEST_F(LayoutObjects, BackPlaneEditsAreRecordedUndoneAndSavedForTheBackPlaneOnly) {
  start();
  back_layout.rows[5].objects = {{OBJECT_PICKUP | 1, 100}};
  key(KEY_TAB);
  hover(100, 5);
  key(KEY_EQUALS);
  EXPECT_EQ(back_layout.rows[5].objects[0].code, OBJECT_PICKUP | 2);
  EXPECT_EQ(level_changed_flags, CHANGED_BACK);
  // Undone and redone on the back plane; the flag follows.
  key(KEY_Z, KB_CTRL_FLAG);
  EXPECT_EQ(back_layout.rows[5].objects[0].code, OBJECT_PICKUP | 1);
  EXPECT_EQ(level_changed_flags, 0);
  key(KEY_Y, KB_CTRL_FLAG);
  EXPECT_EQ(back_layout.rows[5].objects[0].code, OBJECT_PICKUP | 2);
  EXPECT_EQ(level_changed_flags, CHANGED_BACK);
  // A save is the new saved point: undoing past it is unsaved again, redoing back is not.
  ScopedCwd cwd(scratch_dir("back_plane_undo"));
  level_files.set("", "", false, "");
  ASSERT_EQ(SaveLevel(), 0);
  EXPECT_EQ(level_changed_flags, 0);
  key(KEY_Z, KB_CTRL_FLAG);
  EXPECT_EQ(level_changed_flags, CHANGED_BACK);
  key(KEY_Z, KB_CTRL_FLAG | KB_SHIFT_FLAG);
  EXPECT_EQ(level_changed_flags, 0);
  // A clicked object, deleted: the undo brings it back selected, the redo leaves nothing
  // selected.
  hover(100, 5);
  button(1);
  frames(1);
  button(0);
  frames(1);
  ASSERT_TRUE(ledit.object_selected);
  key(KEY_DEL);
  ASSERT_EQ(back_layout.rows[5].count(), 0);
  key(KEY_Z, KB_CTRL_FLAG);
  frames(1);
  EXPECT_EQ(back_layout.rows[5].count(), 1);
  EXPECT_TRUE(ledit.object_selected);
  EXPECT_EQ(ledit.selected_row, 5);
  key(KEY_Y, KB_CTRL_FLAG);
  frames(1);
  EXPECT_EQ(back_layout.rows[5].count(), 0);
  EXPECT_FALSE(ledit.object_selected);
  captured_messages().clear();
}

TEST_F(LayoutObjects, ADragAboveRowOneKeepsTheObjectInRowOne) {
  start();
  row(1).objects = {{OBJECT_PICKUP | 1, 96}};
  row(2).objects = {{OBJECT_PICKUP | 2, 96}};
  for (int r : {1, 2}) {
    hover(96, r);  // rows 1 and 2 lie at screen y 0..31
    const int mx = in->mx, my = in->my;
    button(1).move(mx + 8, my - 40);
    frames(2);
    button(0);
    frames(1);
  }
  EXPECT_EQ(row(0).count(), 0);
  EXPECT_EQ(codes_of(row(1)), (std::vector<uint16_t>{OBJECT_PICKUP | 1, OBJECT_PICKUP | 2}));
}

TEST_F(LayoutObjects, ADragPastTheLeftEdgeStopsAtZero) {
  start();
  map_header.map_front = 0;  // chunk boxes start at the placement's own x
  chunk(1).width = 4;
  row(5).objects = {{1, 32}};
  hover(32 + 16 + 24, 5);  // grabbed 24 pixels into the chunk
  button(1).move(10, in->my).move(3, in->my);
  frames(3);
  EXPECT_EQ(row(5).objects[0], (LayoutObject{1, 0}));
  button(0);
  frames(1);
}

TEST_F(LayoutObjects, DeleteRemovesTheSelectedObject) {
  start();
  row(5).objects = {{OBJECT_PICKUP | 1, 100}, {OBJECT_PICKUP | 2, 100}};
  hover(100, 5);
  key(KEY_DEL);
  EXPECT_EQ(codes_of(row(5)), (std::vector<uint16_t>{OBJECT_PICKUP | 1}));
  EXPECT_EQ(ledit.hover_count, 0);
  frames(1);
  EXPECT_EQ(ledit.hover_count, 1);
  EXPECT_EQ(selected_object()->code, OBJECT_PICKUP | 1);
  layout_row_failing_allocations = 1;
  captured_messages().clear();
  key(KEY_DEL_PAD);
  layout_row_failing_allocations = 0;
  EXPECT_EQ(codes_of(row(5)), (std::vector<uint16_t>{OBJECT_PICKUP | 1}));
  EXPECT_EQ(captured_messages(), (std::vector<std::string>{DELETE_MEMORY_ERROR}));
}

TEST_F(LayoutObjects, InsertPutsTheObjectUnderTheCursorButNotOnTheLastLine) {
  start();
  // Level y = height - 1 (511): nothing.
  camera_y = 8 * (512 - 480 + 16);
  place_mouse(200, 479 - 16);
  frames(1);
  key(KEY_INSERT);
  for (const LayoutRow& r : front_layout.rows) EXPECT_EQ(r.count(), 0);
  EXPECT_EQ(level_changed_flags, 0);
  // Level y 510 goes into row 510 / 16 + 1 = 32.
  place_mouse(200, 478 - 16);
  key(KEY_I);
  EXPECT_EQ(codes_of(row(32)), (std::vector<uint16_t>{0}));
  EXPECT_EQ(row(32).objects[0].x, 216);
  EXPECT_EQ(level_changed_flags, CHANGED_FRONT);

  // Ctrl: the code is asked for in hex.
  camera_y = 0;
  place_mouse(40, 40);
  key(KEY_I, KB_CTRL_FLAG, "8A1\n");
  EXPECT_EQ(row(3).objects.at(0), (LayoutObject{0x8A1, 56}));
  captured_messages().clear();
  snap_to_grid = 1;
  key(KEY_INSERT, KB_CTRL_FLAG, "1G\n");
  EXPECT_EQ(captured_messages(), (std::vector<std::string>{OBJECT_NUMBER_ERROR}));
  EXPECT_EQ(row(3).objects.at(0), (LayoutObject{0x10, 48})) << "snapped x 32, read so far 0x1 shifted";
  // Escape at the prompt inserts nothing.
  in->key_shift_flags = KB_CTRL_FLAG;
  in->press(KEY_INSERT).release(KEY_INSERT).type("7").type_key(KEY_ESC, 27);
  frames(1);
  in->key_shift_flags = 0;
  EXPECT_EQ(row(3).count(), 2);
  // An object inserted before the selected one (snapped to x 48, under the cursor): the
  // selection stays on the same object.
  hover(56, 3);
  ASSERT_NE(selected_object(), nullptr);
  const LayoutObject chosen = *selected_object();
  EXPECT_EQ(chosen.x, 56);
  key(KEY_I);
  EXPECT_EQ(row(3).count(), 3);
  ASSERT_NE(selected_object(), nullptr);
  EXPECT_EQ(*selected_object(), chosen);
}

TEST(ObjectNumber, HexAnswers) {
  // Up to four hex digits; a bad character ends the number and marks it bad.
  const struct {
    const char* answer;
    int value;
    bool bad;
  } cases[] = {{"", 0, false}, {"a0F", 0xA0F, false}, {"FFFF", 0xFFFF, false}, {"G1", 0, true},
               {"12X", 0x120, true}, {"12345", 0x1234, false}};
  for (const auto& c : cases) {
    EXPECT_EQ(parse_object_number(c.answer).value, c.value) << c.answer;
    EXPECT_EQ(parse_object_number(c.answer).bad, c.bad) << c.answer;
  }
}

TEST_F(LayoutObjects, MetablockModeEditsTheCellUnderTheCursor) {
  start();
  Chunk& c = chunk(2);
  c.width = 3;
  c.height = 2;
  for (int r = 0; r < 2; ++r)
    for (int col = 0; col < 3; ++col) c.cell(col, r) = static_cast<uint16_t>(10 + 3 * r + col);
  c.cell(1, 1) |= 0x0400;  // bits the editing keeps
  render_all_chunks(chunkmap, level_bitmaps);
  row(5).objects = {{2 | PLACEMENT_VFLIP, 96}};
  // Placement box: x 80..128, y 64..96; flipped, so screen row 0 is chunk row 1.
  place_mouse(80 + 16 + 5, 64 + 3);
  frames(1);
  key(KEY_M);
  ASSERT_TRUE(ledit.edit_flags & EDIT_METABLOCK);
  EXPECT_TRUE(ledit.cell_located);
  EXPECT_EQ(ledit.cell_column, 1);
  EXPECT_EQ(ledit.cell_row, 1);
  key(KEY_EQUALS);
  EXPECT_EQ(c.cell(1, 1), 0x0400 | 15);
  key(KEY_TILDE);
  EXPECT_EQ(c.cell(1, 1), 0x0400 | CELL_VFLIP | 15);
  key(KEY_SLASH);
  EXPECT_EQ(c.cell(1, 1), 0x0400 | CELL_VFLIP | (15 - 16 + LEVEL_BLOCKMAP_COUNT));
  EXPECT_EQ(code_at(5, 0), 2 | PLACEMENT_VFLIP) << "the placement itself is unchanged";
  EXPECT_EQ(level_changed_flags, CHANGED_CHUNKS);
  key(KEY_DEL);
  EXPECT_EQ(c.cell(1, 1), 0);
  EXPECT_EQ(row(5).count(), 1) << "Delete clears the cell, not the placement";
  // The chunk image follows the cells.
  EXPECT_EQ(pixel32(chunk_bitmaps[2].get(), 16 + 3, 16 + 3), block_colour(0) & 0xFFFFFF);
}

TEST_F(LayoutObjects, PanelShowsThumbnailsOfThreeNeighbouringHoverEntries) {
  start(8);
  row(5).objects = {{1, 100}, {OBJECT_PICKUP, 100}, {3, 100}, {4, 100}, {5, 100}};
  hover(100, 5);
  ASSERT_EQ(ledit.hover_index, 4);
  // Points that lie in one slot only.
  auto slot = [&](int k) {
    static const int x[3] = {380, 450, 480}, y[3] = {20, 50, 120};
    return screen_pixel(x[k], y[k]);
  };
  // The last entry selected: the two before it in slots 1 and 2.
  EXPECT_EQ(slot(0), block_colour(4) & 0xFFFFFF);
  EXPECT_EQ(slot(1), block_colour(5) & 0xFFFFFF);
  EXPECT_EQ(slot(2), block_colour(6) & 0xFFFFFF);
  in->key_shift_flags = KB_CTRL_FLAG;
  in->press(KEY_COMMA).release(KEY_COMMA).press(KEY_COMMA).release(KEY_COMMA);
  frames(2);
  ASSERT_EQ(ledit.hover_index, 2);
  EXPECT_EQ(slot(0), 0u) << "entry 1 is a pickup: no thumbnail";
  EXPECT_EQ(slot(1), block_colour(4) & 0xFFFFFF);
  EXPECT_EQ(slot(2), block_colour(5) & 0xFFFFFF);
  // The selected one is drawn last, over its neighbours.
  EXPECT_EQ(screen_pixel(430, 70), block_colour(4) & 0xFFFFFF);
  EXPECT_TRUE(shows_line(24, {{256, 0, "OBJECT:"}, hex_piece(360, 2, 3, 4)}));
  EXPECT_TRUE(shows_line(48, {{256, 0, "PRIORITY:"}, hex_piece(360, 2, 2, 4)}));
  EXPECT_TRUE(shows_line(72, {{256, 0, "ST. COUNT:"}, hex_piece(360, 2, 5, 4)}));
  in->key_shift_flags = 0;
}

TEST_F(LayoutObjects, EveryEditIsOneUndoStepAndUndoAllGivesTheSavedBytesBack) {
  start();
  row(5).objects = {{1, 96}, {2, 96}};
  row(8).objects = {{OBJECT_PICKUP | 1, 200}};
  const LayoutPlane start_plane = front_layout;
  const ChunkMap start_chunks = chunkmap;
  size_t steps = 0;
  auto expect_step = [&](const char* what) { EXPECT_EQ(level_history.undo_count(), ++steps) << what; };

  hover(96, 5);
  key(KEY_EQUALS);  // chunk number of the top placement
  expect_step("chunk number");
  key(KEY_MINUS, KB_CTRL_FLAG);  // drawing order
  expect_step("drawing order");
  hover(200, 8);
  key(KEY_ASTERISK);  // pickup type
  expect_step("pickup type");
  // A drag over several frames, across a row line, is one step.
  const int mx = in->mx, my = in->my;
  button(1).move(mx + 8, my).move(mx + 16, my + 8).move(mx + 40, my + 16);
  frames(4);
  EXPECT_EQ(level_history.undo_count(), steps) << "the drag is still going on";
  button(0);
  frames(1);
  expect_step("drag");
  EXPECT_EQ(row(9).count(), 1);
  place_mouse(300, 200);
  key(KEY_INSERT);
  expect_step("insert");
  key(KEY_INSERT, KB_CTRL_FLAG, "8A1\n");
  expect_step("Ctrl+Insert");
  key(KEY_M);  // metablock mode: the cell of the placement under the cursor
  hover(96, 5);
  key(KEY_EQUALS);
  expect_step("cell value");
  key(KEY_DEL);
  expect_step("cell cleared");
  key(KEY_M);
  hover(96, 5);
  key(KEY_DEL);
  expect_step("delete");
  EXPECT_EQ(level_changed_flags, CHANGED_FRONT | CHANGED_CHUNKS);

  const LayoutPlane edited_plane_copy = front_layout;
  const ChunkMap edited_chunks = chunkmap;
  auto saved = [](const LayoutPlane& p, const ChunkMap& m) {
    std::vector<uint8_t> lvl, itm;
    std::string error;
    EXPECT_TRUE(build_layout_block(p, lvl, error)) << error;
    EXPECT_TRUE(build_chunk_set_block(m, itm, error)) << error;
    lvl.insert(lvl.end(), itm.begin(), itm.end());
    return lvl;
  };
  for (size_t i = 0; i < steps; ++i) key(KEY_Z, KB_CTRL_FLAG);
  EXPECT_EQ(level_history.undo_count(), 0u);
  EXPECT_TRUE(front_layout == start_plane);
  EXPECT_EQ(saved(front_layout, chunkmap), saved(start_plane, start_chunks));
  EXPECT_EQ(level_changed_flags, 0) << "back at the loaded state";
  int rendered = 0;  // the pictures of the edited chunk follow
  for (int c = 0; c < 4; ++c)
    if (BITMAP* b = chunk_bitmaps[static_cast<size_t>(c)].get()) {
      ++rendered;
      EXPECT_EQ(pixel32(b, 3, 3), block_colour(c + 1) & 0xFFFFFF) << c;
    }
  EXPECT_EQ(rendered, 1);
  for (size_t i = 0; i < steps; ++i) key(i % 2 ? KEY_Y : KEY_Z, KB_CTRL_FLAG | (i % 2 ? 0 : KB_SHIFT_FLAG));
  EXPECT_TRUE(front_layout == edited_plane_copy);
  EXPECT_EQ(saved(front_layout, chunkmap), saved(edited_plane_copy, edited_chunks));
  EXPECT_EQ(level_changed_flags, CHANGED_FRONT | CHANGED_CHUNKS);
}
