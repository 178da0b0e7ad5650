// Map-screen markers in the level editor: drawing, hovering, the panel, keys, renaming, dragging.
#include "leveledit/level_editor.h"
#include "leveledit/markers_view.h"
#include "render/panel_band.h"
#include "level_editor_fixture.h"
#include "ui/messages.h"

namespace {

class MarkersView : public LevelEditorTest {
 protected:
  void start() {
    make_level();
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

TEST(MarkerSteps, LinksTypesAndLines) {
  // Links cycle over 0..130 and 255 (none); values outside the cycle count as none.
  const int links[][3] = {{130, 1, 255}, {255, 1, 0}, {0, -1, 255}, {255, -1, 130},
                          {255, 16, 15}, {10, -16, 126}, {120, 16, 4}, {200, 1, 0}};
  for (const auto& l : links) EXPECT_EQ(step_marker_link(uint8_t(l[0]), l[1]), l[2]) << l[0] << " " << l[1];
  const int types[][3] = {{MARKER_SECRET, 1, MARKER_SECRET_FORK}, {MARKER_SECRET_FORK, 1, MARKER_NORMAL},
                          {MARKER_TUNNEL, 1, MARKER_SECRET},      {5, 1, MARKER_SECRET},
                          {MARKER_SECRET, -1, MARKER_TUNNEL},     {MARKER_NORMAL, -1, MARKER_SECRET_FORK}};
  for (const auto& t : types) EXPECT_EQ(step_marker_type(uint8_t(t[0]), t[1]), t[2]) << t[0] << " " << t[1];
  EXPECT_EQ(marker_panel_lines(MARKER_TUNNEL), 7);
  EXPECT_EQ(marker_panel_lines(MARKER_NORMAL), 6);
}

TEST_F(MarkersView, MarkersAnimateByTypeOnlyOnTheMapScreen) {
  start();
  marker(0) = {MARKER_NORMAL, "A", 100, 103};
  marker(1) = {MARKER_TUNNEL, "B", 200, 103};
  marker(2) = {MARKER_SECRET_FORK, "C", 300, 103};
  marker(3) = {7, "D", 400, 103};
  place_mouse(600, 440);
  const int frame_at[4] = {0, 1, 2, 1};
  for (int step = 0; step < 4; ++step) {
    timer_ticks = 8 * step;
    frames(1);  // the tick of the pass adds one
    const size_t f = static_cast<size_t>(frame_at[step]);
    EXPECT_EQ(screen_pixel(104, 104), pixel32(marker_icons_normal[f].get(), 0, 0)) << step;
    EXPECT_EQ(screen_pixel(204, 104), pixel32(marker_icons_tunnel[f].get(), 0, 0));
    EXPECT_EQ(screen_pixel(304, 104), pixel32(marker_icons_secret[f].get(), 0, 0));
    EXPECT_EQ(screen_pixel(404, 104), 0u) << "other types are not drawn";
  }
  map_header.map_front = 3;
  place_mouse(105, 105);
  frames(1);
  EXPECT_EQ(screen_pixel(104, 104), 0u);
  EXPECT_EQ(ledit.marker_hovered, 0);
}

TEST_F(MarkersView, TheLastMarkerUnderTheCursorWinsAndItsPanelShows) {
  start();
  marker(4) = {MARKER_NORMAL, "FIRST", 100, 103};
  marker(9) = {MARKER_NORMAL, "ISLAND OF PERIL", 96, 100};
  marker(9).next_up = 255;
  marker(9).next_down = 0;
  marker(9).next_left = 0x2A;
  hover_marker(9, 96, 100);
  EXPECT_EQ(ledit.marker_hovered, 1);
  EXPECT_EQ(ledit.hovered_marker, 9);
  EXPECT_EQ(ledit.hovered_marker_number, 10);
  EXPECT_TRUE(shows_line(25, {hex_plain_piece(231, 2, 10)}));
  EXPECT_TRUE(shows_line(25, {{256, 1, "ISLAND OF PERIL"}}, BAR));
  EXPECT_TRUE(shows_line(40, {{256, 0, "MARKER TYPE:"}, {360, 1, "     NORMAL"}}));
  EXPECT_TRUE(shows_line(55, {{256, 0, "NEXT MARKER UP:"}, hex_plain_piece(440, 2, 0x100)})) << "255 shows as 100";
  EXPECT_TRUE(shows_line(65, {{256, 0, "NEXT MARKER DOWN:"}, hex_plain_piece(440, 2, 1)}));
  EXPECT_TRUE(shows_line(75, {{256, 0, "NEXT MARKER LEFT:"}, hex_plain_piece(440, 2, 0x2B)}));
  EXPECT_FALSE(shows_line(95, {{256, 0, "NEXT MARKER TUNNEL:"}}));
  EXPECT_TRUE(shows_line(110, {{256, 0, "COORDINATES:      :"}, hex_piece(384, 2, 96, 4), hex_piece(440, 2, 100, 4)}));
  EXPECT_EQ(rgb_at(in->screen.get(), 456, 34), (Rgb{0xFF, 0x3F, 0x00}));
  // A marker takes precedence over objects: no object panel.
  row(7).objects = {{OBJECT_PICKUP, 112}};
  frames(1);
  EXPECT_FALSE(shows_line(25, {{256, 0, "PICKUP TYPE:"}}, BAR));
}

TEST_F(MarkersView, LinesTypeAndLinksChangeWithTheKeys) {
  start();
  marker(2) = {MARKER_TUNNEL, "T", 64, 67};
  marker(2).next_up = 130;
  hover_marker(2, 64, 67);
  // Seven lines on a tunnel: full stop walks 0..6 and back to 0; comma goes back from 0 to 6.
  for (int line = 1; line <= 6; ++line) {
    key(KEY_STOP);
    EXPECT_EQ(ledit.panel_line, line);
  }
  EXPECT_TRUE(shows_line(95, {{256, 0, "NEXT MARKER TUNNEL:"}, hex_plain_piece(440, 2, 0x100)}, BAR));
  key(KEY_STOP);
  EXPECT_EQ(ledit.panel_line, 0);
  key(KEY_COMMA);
  EXPECT_EQ(ledit.panel_line, 6);
  key(KEY_STOP);
  key(KEY_STOP);
  key(KEY_STOP);  // line 2: next up
  key(KEY_EQUALS);
  EXPECT_EQ(marker(2).next_up, 255);
  key(KEY_PLUS_PAD);
  EXPECT_EQ(marker(2).next_up, 0);
  key(KEY_MINUS);
  EXPECT_EQ(marker(2).next_up, 255);
  key(KEY_ASTERISK);
  EXPECT_EQ(marker(2).next_up, 15);
  marker(2).next_up = 10;
  key(KEY_SLASH);
  EXPECT_EQ(marker(2).next_up, 126);
  // Markers are saved to no file: no unsaved layout, one notice for all the edits.
  EXPECT_EQ(level_changed_flags, 0);
  EXPECT_EQ(captured_messages(), std::vector<std::string>{MARKER_NOTICE});
  // Line 1: the type; on a plain marker six lines only.
  key(KEY_COMMA);
  marker(2).type = 5;
  key(KEY_EQUALS);
  EXPECT_EQ(marker(2).type, MARKER_SECRET);
  key(KEY_EQUALS);
  EXPECT_EQ(marker(2).type, MARKER_SECRET_FORK);
  for (int i = 0; i < 5; ++i) key(KEY_STOP);
  EXPECT_EQ(ledit.panel_line, 0) << "line 6 is never reached on a marker that is not a tunnel";
  // Another level in memory: its first marker edit tells it again.
  level_replaced();
  key(KEY_STOP);  // line 1: the type
  const uint8_t type = marker(2).type;
  key(KEY_EQUALS);
  EXPECT_NE(marker(2).type, type);
  EXPECT_EQ(captured_messages(), (std::vector<std::string>{MARKER_NOTICE, MARKER_NOTICE}));
  // Leaving after marker edits alone asks nothing (a question would wait for keys that no
  // script gives).
  level_editor_leave();
  EXPECT_EQ(level_changed_flags, 0);
}

TEST_F(MarkersView, RenamingUpperCasesAndKeepsTwentyFourCharacters) {
  start();
  marker(0) = {MARKER_NORMAL, "OLD", 64, 67};
  hover_marker(0, 64, 67);
  // Enter on the unchanged name is no edit: no step, no notice that markers are not saved.
  in->press(KEY_ENTER).release(KEY_ENTER).type("\n");
  frames(1);
  EXPECT_EQ(level_history.undo_count(), 0u);
  EXPECT_TRUE(captured_messages().empty());
  in->press(KEY_ENTER).release(KEY_ENTER).type("\b\b\bthe very long name of a level!x\n");
  frames(1);
  EXPECT_EQ(marker(0).name, "THE VERY LONG NAME OF A ");
  EXPECT_EQ(marker(0).name.size(), 24u);
  EXPECT_EQ(level_changed_flags, 0);
  // Escape keeps the name.
  in->press(KEY_ENTER).release(KEY_ENTER).type("X").type_key(KEY_ESC, 27);
  frames(1);
  EXPECT_EQ(marker(0).name, "THE VERY LONG NAME OF A ");
  // Undo brings the old name back; markers never count as unsaved.
  key(KEY_Z, KB_CTRL_FLAG);
  EXPECT_EQ(marker(0).name, "OLD");
  EXPECT_EQ(level_changed_flags, 0);
}

TEST_F(MarkersView, DraggedMarkersSnapToEightInBothDirections) {
  start();
  marker(0) = {MARKER_NORMAL, "M", 100, 103};
  hover_marker(0, 100, 103);
  const int mx = in->mx, my = in->my;
  button(1).move(mx + 2, my + 3);
  frames(2);
  EXPECT_EQ(marker(0).x, 100);
  EXPECT_EQ(marker(0).y, 103);
  in->move(mx + 21, my + 7);
  frames(1);
  EXPECT_EQ(marker(0).x, 121);
  EXPECT_EQ(marker(0).y, 110);
  EXPECT_EQ(ledit.marker_hovered, 1) << "kept while the button is held";
  snap_to_grid = 1;
  in->move(mx + 30, my + 30);
  frames(1);
  EXPECT_EQ(marker(0).x, 128);
  EXPECT_EQ(marker(0).y, 128);
  in->move(mx + 30, my + 53);  // y 156: the step of 8 below it, not of 16
  frames(1);
  EXPECT_EQ(marker(0).y, 152);
  button(0);
  frames(1);
  EXPECT_EQ(level_changed_flags, 0);
  // The whole drag is one step; the type and link keys are one each.
  key(KEY_STOP);
  key(KEY_EQUALS);
  key(KEY_STOP);
  key(KEY_EQUALS);
  const Marker edited = marker(0);
  EXPECT_EQ(level_history.undo_count(), 3u);
  for (int i = 0; i < 3; ++i) key(KEY_Z, KB_CTRL_FLAG);
  EXPECT_TRUE(marker(0) == (Marker{MARKER_NORMAL, "M", 100, 103}));
  EXPECT_EQ(level_changed_flags, 0);
  for (int i = 0; i < 3; ++i) key(KEY_Y, KB_CTRL_FLAG);
  EXPECT_TRUE(marker(0) == edited);
  EXPECT_EQ(level_changed_flags, 0);
}

// Dragged to the level's last line the marker follows; below it, the marker keeps its height.
TEST_F(MarkersView, ADragBelowTheLastLineKeepsTheMarkersHeight) {
  make_level(4, 2048, 256);
  map_header.map_front = 0;
  level_editor_modes = 0x12;
  enter();
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
