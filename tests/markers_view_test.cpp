// Map-screen markers in the level editor: drawing, hovering, the panel, keys, renaming, dragging.
#include "leveledit/level_editor.h"
#include "leveledit/markers_view.h"
#include "render/panel_band.h"
#include "level_editor_fixture.h"
#include "ui/messages.h"

namespace {

class MarkersView : public LevelEditorTest {
 protected:
  void start(int height = 512) {
    make_level(4, 2048, height);
    map_header.map_front = 0;
    level_editor_modes = 0x12;
    enter();
  }
  Marker& marker(int i) { return markers[static_cast<size_t>(i)]; }
  // Places marker i at (x, y) and hovers over its box (x, y - 3 at zoom 0).
  void hover_marker(int i, int x, int y) {
    marker(i).x = static_cast<int16_t>(x);
    marker(i).y = static_cast<int16_t>(y);
    place_mouse(x + 5, y - 3 + 5);
    frames(1);
  }
};

}  // namespace

// Marker types step through the cycle; a tunnel's panel has one line more.
TEST(MarkerSteps, TypesAndLines) {
  const int types[][3] = {{MARKER_SECRET, 1, MARKER_SECRET_FORK}, {MARKER_SECRET_FORK, 1, MARKER_NORMAL},
                          {MARKER_TUNNEL, 1, MARKER_SECRET},      {5, 1, MARKER_SECRET},
                          {MARKER_SECRET, -1, MARKER_TUNNEL},     {MARKER_NORMAL, -1, MARKER_SECRET_FORK}};
  for (const auto& t : types) EXPECT_EQ(step_marker_type(uint8_t(t[0]), t[1]), t[2]) << t[0] << " " << t[1];
  EXPECT_EQ(marker_panel_lines(MARKER_TUNNEL), 7);
  EXPECT_EQ(marker_panel_lines(MARKER_NORMAL), 6);
}

// Enter on the unchanged name is no edit: no step, no notice that markers are not saved. A
// rename is one step that undo takes back, and tells once that markers are not saved; they
// never count as unsaved.
TEST_F(MarkersView, AnUnchangedNameIsNoStepAndARenameUndoes) {
  start();
  marker(0) = {MARKER_NORMAL, "OLD", 64, 67};
  hover_marker(0, 64, 67);
  key(KEY_ENTER, 0, "\n");
  EXPECT_EQ(level_history.undo_count(), 0u);
  EXPECT_TRUE(captured_messages().empty());
  key(KEY_ENTER, 0, "\b\b\bthe very long name of a level!x\n");
  EXPECT_EQ(marker(0).name, "THE VERY LONG NAME OF A ");
  EXPECT_EQ(captured_messages(), std::vector<std::string>{MARKER_NOTICE});  // the first marker edit
  key(KEY_Z, KB_CTRL_FLAG);
  EXPECT_EQ(marker(0).name, "OLD");
  EXPECT_EQ(level_changed_flags, 0);
}

// Dragged to the level's last line the marker follows; below it, the marker keeps its height.
// With snap to grid on, it lands on multiples of 8.
TEST_F(MarkersView, ADragBelowTheLastLineKeepsTheMarkersHeight) {
  start(256);
  hover_marker(0, 100, 203);
  const int mx = in->mx, my = in->my;
  button(1).move(mx, my + 50);  // level y 255, the last line
  frames(2);
  EXPECT_EQ(marker(0).y, 253);
  in->move(mx + 8, my + 51);  // level y 256: x follows, y stays
  frames(1);
  EXPECT_EQ(marker(0).x, 108);
  EXPECT_EQ(marker(0).y, 253);
  button(0);
  frames(1);
  snap_to_grid = 1;  // the drag lands on multiples of 8
  hover_marker(0, 100, 203);
  button(1).move(in->mx + 13, in->my + 10);
  frames(2);
  EXPECT_EQ(marker(0).x, 112);
  EXPECT_EQ(marker(0).y, 208);
  button(0);
  frames(1);
  snap_to_grid = 0;
}

TEST_F(MarkersView, PanelLiesOnADarkTranslucentBandOverTheScenery) {
  start();
  // Light scenery under the panel: a 16 x 8 chunk of block 50 over (240, 0) .. (496, 128).
  chunk(0).width = 16;
  chunk(0).height = 8;
  for (uint16_t& cell : chunk(0).cells) cell = 50;
  row(1).objects = {{0, 240}};
  marker(9) = {MARKER_NORMAL, "ISLAND OF PERIL", 96, 200};
  hover_marker(9, 96, 200);
  ASSERT_EQ(ledit.marker_hovered, 1);
  const uint32_t scenery = block_colour(50) & 0xFFFFFF, band = panel_band_pixel(block_colour(50)) & 0xFFFFFF;
  // Around and between the texts the scenery shows at a quarter of its brightness; the
  // texts themselves are unchanged; beside the panel the scenery is as it was.
  EXPECT_TRUE(shows_line(40, {{256, 0, "MARKER TYPE:"}, {360, 1, "     NORMAL"}}, band));
  EXPECT_TRUE(shows_line(85, {{256, 0, "NEXT MARKER RIGHT:"}}, band));
  EXPECT_EQ(screen_pixel(250, 120) & 0xFFFFFF, band);
  EXPECT_EQ(screen_pixel(300, 121) & 0xFFFFFF, scenery);
  EXPECT_EQ(screen_pixel(459, 50) & 0xFFFFFF, band);
  EXPECT_EQ(screen_pixel(460, 50) & 0xFFFFFF, scenery);
  EXPECT_EQ(screen_pixel(300, 21) & 0xFFFFFF, band);
  EXPECT_EQ(screen_pixel(300, 20) & 0xFFFFFF, scenery);
}

// A marker dragged from over one chunk to over another, and the drag undone: Delete removes
// the chunk now under the cursor, not the one the marker covered before.
TEST_F(MarkersView, AfterUndoingADragDeleteRemovesTheObjectUnderTheCursor) {
  start();
  row(13).objects = {{1, 96}, {2, 160}};  // boxes 96..112 and 160..176, rows 192..208
  hover_marker(0, 100, 203);
  const int mx = in->mx, my = in->my;
  button(1).move(mx + 64, my);
  frames(3);
  button(0);
  frames(2);
  ASSERT_EQ(marker(0).x, 164);
  key(KEY_Z, KB_CTRL_FLAG);
  ASSERT_EQ(marker(0).x, 100);
  frames(1);
  key(KEY_DEL);
  EXPECT_EQ(codes_of(row(13)), (std::vector<uint16_t>{1}));
}
