// The level editor screen driven through scripted input: zoom, scrolling, camera states,
// the hover list, toggles, overlays and leaving.
#include <filesystem>
#include <functional>

#include "app/level_file_commands.h"
#include "files/atomic_file.h"
#include "files/layout_block.h"
#include "gamedata/level_state.h"
#include "render/hex_writers.h"
#include "render/status_bar.h"
#include "level_editor_fixture.h"
#include "ui/frame.h"

namespace {

class LevelEditorScreen : public LevelEditorTest {};

}  // namespace

TEST_F(LevelEditorScreen, ZoomAtTheLimitStaysButRestartsTheReadOut) {
  make_level();
  enter();
  place_mouse(320, 240);
  frames(1);
  EXPECT_TRUE(shows_text(64, 8, 0, "100"));  // ZOOM: shown for the first 150 ticks
  level_zoom = MAX_ZOOM;
  timer_ticks = 1000;
  frames(1);
  EXPECT_FALSE(shows_text(16, 8, 1, "ZOOM:"));

  key(KEY_PGUP);
  EXPECT_EQ(level_zoom, MAX_ZOOM);
  EXPECT_EQ(zoom_changed_at, timer_ticks);
  EXPECT_TRUE(shows_text(16, 8, 1, "ZOOM:"));
  EXPECT_TRUE(shows_text(64, 8, 0, "400"));
  timer_ticks = timer_ticks + 150;
  frames(1);
  EXPECT_FALSE(shows_text(16, 8, 1, "ZOOM:"));
}

TEST_F(LevelEditorScreen, HeldPageUpRepeatsFromTheSeventhFrameAndShiftStepsTwiceEveryFrame) {
  make_level();
  enter();
  place_mouse(320, 240);
  in->press(KEY_PGUP).idle(9).release(KEY_PGUP);
  std::vector<int> zoom_after;
  for (int i = 0; i < 11; ++i) {
    frames(1);
    zoom_after.push_back(level_zoom);
  }
  EXPECT_EQ(zoom_after, (std::vector<int>{1, 1, 1, 1, 1, 1, 2, 3, 4, 5, 5}));

  in->key_shift_flags = KB_SHIFT_FLAG;
  in->press(KEY_PGDN).idle(2).release(KEY_PGDN);
  zoom_after.clear();
  for (int i = 0; i < 4; ++i) {
    frames(1);
    zoom_after.push_back(level_zoom);
  }
  EXPECT_EQ(zoom_after, (std::vector<int>{3, 1, -1, -1}));
  in->key_shift_flags = 0;

  // The wheel: two steps per notch (seen at the next tick); Home goes back to 100 %.
  in->wheel(1);
  frames(2);
  EXPECT_EQ(level_zoom, 1);
  key(KEY_HOME);
  EXPECT_EQ(level_zoom, 0);
}

TEST_F(LevelEditorScreen, WheelZoomKeepsTheLevelPointUnderTheCursor) {
  make_level();
  level_editor_modes = 0x12;  // STATIC: the camera does not follow the mouse
  enter();
  camera_x = 8 * 100;
  camera_y = 8 * 40;
  place_mouse(200, 120);
  in->wheel(4);
  frames(2);
  ASSERT_EQ(level_zoom, 8);
  // Level point under the cursor before: (300, 160) at s = 16; now at s = 24 it is 450, 240.
  EXPECT_EQ(camera_x, 8 * 450 - 8 * 200);
  EXPECT_EQ(camera_y, 8 * 240 - 8 * 120);
}

TEST_F(LevelEditorScreen, CursorNearTheCentreScrollsOnlyFromTheNinthPixel) {
  make_level();
  enter();
  place_mouse(328, 240);
  frames(3);
  EXPECT_EQ(camera_x, 0);
  in->move(329, 247);
  frames(1);
  EXPECT_EQ(camera_x, 1);
  EXPECT_EQ(camera_y, 0);
  frames(2);
  EXPECT_EQ(camera_x, 3);
  in->move(311, 231);  // 9 left of and 9 above the centre: one unit back
  frames(1);
  EXPECT_EQ(camera_x, 2);
}

TEST_F(LevelEditorScreen, ClickAtTheEdgeWhileRoamingSpeedsUpUntilReleased) {
  make_level();
  enter();
  camera_x = 80000;
  place_mouse(630, 240);
  frames(1);
  const int32_t before = camera_x;
  EXPECT_EQ(before, 80000 + 302);
  button(1);
  frames(1);
  EXPECT_EQ(camera_state, 0) << "the click does not stop the camera";
  EXPECT_EQ(camera_x, before + 4 * 302);
  in->move(340, 240);  // back inside the central box, button still held
  frames(1);
  EXPECT_EQ(camera_x, before + 4 * 302 + 4 * 12);
  button(0);
  frames(2);
  EXPECT_EQ(camera_x, before + 4 * 302 + 4 * 12 + 2 * 12);
  EXPECT_EQ(fast_scroll_latch, 0);
  // Inside the box a click fixes the camera (HYBRID: 0 -> 1).
  in->click();
  frames(2);
  EXPECT_EQ(camera_state, 1);
}

TEST_F(LevelEditorScreen, CameraStatesAndEscapeFollowTheEditingMode) {
  make_level();
  level_editor_modes = 0x11;  // ROAMING
  enter();
  EXPECT_EQ(camera_state, 0);
  place_mouse(320, 240);
  in->click();
  frames(1);
  EXPECT_EQ(camera_state, 0x82);
  frames(2);
  EXPECT_EQ(camera_state, 2);
  in->press(KEY_ESC).idle(2).release(KEY_ESC);
  frames(4);  // Esc in state 2 does nothing
  EXPECT_EQ(camera_state, 2);
  in->click();
  frames(3);
  EXPECT_EQ(camera_state, 1);
  in->press(KEY_ESC).idle(1).release(KEY_ESC);
  frames(1);
  EXPECT_EQ(camera_state, 0x80);
  frames(1);
  EXPECT_EQ(camera_state, 0) << "roaming again";
  in->press(KEY_ESC);
  frames(1);
  EXPECT_FALSE(level_editor_pass()) << "Esc while roaming leaves";
  in->keys.erase(KEY_ESC);

  // STATIC: starts fixed; Esc in state 1 leaves.
  level_editor_modes = 0x12;
  enter();
  EXPECT_EQ(camera_state, 1);
  key(KEY_ESC);
  EXPECT_FALSE(level_editor_pass());
}

TEST_F(LevelEditorScreen, AtMostThirtyTwoObjectsAreListedAndTheSelectionSurvivesADrag) {
  make_level();
  level_editor_modes = 0x12;
  for (int i = 0; i < 33; ++i) row(5).objects.push_back({static_cast<uint16_t>(OBJECT_PICKUP | i), 100});
  enter();
  place_mouse(icon_x(100) + 4, icon_y(5) + 4);
  frames(1);
  ASSERT_EQ(ledit.hover_count, 32);
  for (int i = 0; i < 32; ++i) EXPECT_EQ(ledit.hover_stack[static_cast<size_t>(i)].index, i);
  ASSERT_NE(selected_object(), nullptr);
  EXPECT_EQ(selected_object()->code, OBJECT_PICKUP | 31);

  // Ctrl+comma and Ctrl+full stop walk the list.
  key(KEY_COMMA, KB_CTRL_FLAG);
  EXPECT_EQ(selected_object()->code, OBJECT_PICKUP | 30);
  key(KEY_STOP, KB_CTRL_FLAG);
  EXPECT_EQ(ledit.hover_index, 31);

  // Drag the top object one row down: nothing else is listed, the count stays.
  button(1).move(icon_x(100) + 4, icon_y(5) + 20).idle(1);
  frames(3);
  EXPECT_EQ(ledit.hover_count, 32);
  ASSERT_NE(selected_object(), nullptr);
  EXPECT_EQ(ledit.selected_row, 6);
  EXPECT_EQ(row(5).count(), 32);
  button(0);
  frames(1);
  EXPECT_EQ(ledit.hover_count, 1) << "the list is rebuilt once the button is up";
}

TEST_F(LevelEditorScreen, CameraCoordinatesAreScaledByZoom) {
  make_level();
  level_editor_modes = 0x12;
  debug_info_flags = 7;
  enter();
  level_zoom = 0;
  camera_x = 8 * 200;
  camera_y = 8 * 100;
  place_mouse(600, 440);
  frames(1);
  auto coordinates = [&](int y, const char* x_label, uint32_t x_value, const char* y_label, uint32_t y_value) {
    return shows_line(y, {{16, 0, x_label}, hex_piece(80, 0, x_value, 1), {112, 0, y_label}, hex_piece(176, 0, y_value, 1)});
  };
  EXPECT_TRUE(coordinates(24, "CX:", 200, "CY:", 100));
  // Mouse row: the level pixel under the cursor; unit row: the block.
  EXPECT_TRUE(coordinates(32, "MX:", 800, "MY:", 540));
  EXPECT_TRUE(coordinates(40, "BX:", 800 / 16, "BY:", 540 / 16));

  level_zoom = 16;  // s = 32: the camera's pixel position scaled by 64 / 80
  frames(1);
  EXPECT_TRUE(coordinates(24, "CX:", 200 * 64 / 80, "CY:", 100 * 64 / 80));
  EXPECT_TRUE(coordinates(32, "MX:", (600 + 200) * 16 / 32, "MY:", (440 + 100) * 16 / 32));

  // F5 hides the camera row: the mouse row moves up.
  key(KEY_F5);
  EXPECT_EQ(ledit.show_camera_coords, 0);
  EXPECT_TRUE(shows_text(16, 24, 0, "MX:"));
}

TEST_F(LevelEditorScreen, LeavingAsksAboutUnsavedEditsAndYesSavesTheLayout) {
  ScopedCwd cwd(scratch_dir("level_editor_leave"));
  level_files.set("", "", false, "");
  make_level();
  front_layout.theme = 3;
  row(15).objects = {{OBJECT_PICKUP | 4, 330}};
  // HYBRID: a click in the central box fixes the camera over the pickup, Plus changes it,
  // Esc roams again, Esc leaves, Y saves the layout.
  place_mouse(icon_x(330) + 4, icon_y(15) + 4);
  camera_state = 0;
  in->idle(1).click().press(KEY_EQUALS).release(KEY_EQUALS).idle(1);
  in->press(KEY_ESC).release(KEY_ESC).idle(1).press(KEY_ESC).release(KEY_ESC).press(KEY_Y).release(KEY_Y);
  editor_mode = 1;
  level_editor();
  offer_unsaved_saves();
  EXPECT_EQ(editor_mode, 0);
  EXPECT_EQ(level_changed_flags, 0);
  EXPECT_EQ(row(15).objects[0].code, OBJECT_PICKUP | 5);
  std::vector<uint8_t> saved;
  ASSERT_TRUE(read_whole_file("New.lvl", saved));
  LayoutPlane back;
  std::string error;
  ASSERT_TRUE(LoadLevelBlock(saved.data(), saved.size(), 0, back, error)) << error;
  EXPECT_EQ(back, front_layout);
  EXPECT_FALSE(std::filesystem::exists("New.itm")) << "no chunk edit, no question about chunks";

  // N keeps the edits in memory, still unsaved; a failed save keeps the flag too.
  std::filesystem::remove("New.lvl");
  level_changed_flags = CHANGED_LAYOUT | CHANGED_CHUNKS;
  in->press(KEY_N).release(KEY_N).press(KEY_N).release(KEY_N);
  level_editor_leave();
  offer_unsaved_saves();
  EXPECT_EQ(level_changed_flags, CHANGED_LAYOUT | CHANGED_CHUNKS);
  EXPECT_FALSE(std::filesystem::exists("New.lvl"));
  level_file_name = "no_such_dir/level.lvl";
  level_changed_flags = CHANGED_CHUNKS | CHANGED_LAYOUT;
  in->press(KEY_Y).release(KEY_Y).press(KEY_Y).release(KEY_Y);
  level_editor_leave();
  offer_unsaved_saves();
  EXPECT_EQ(level_changed_flags, CHANGED_LAYOUT);
  EXPECT_TRUE(std::filesystem::exists("New.itm"));
  level_file_name.clear();
}

TEST_F(LevelEditorScreen, HelpOverlayDarkensTheFrameAndWaitsForAKeyAfterF1) {
  make_level();
  row(10).objects = {{OBJECT_PICKUP | 1, 480}};
  level_editor_modes = 0x12;
  tips_enabled = 1;
  enter();
  place_mouse(600, 300);
  frames(1);
  EXPECT_TRUE(shows_text(640 - 160, 8, 0, "press F1 for help."));
  const uint32_t pickup = screen_pixel(480 - 16 + 2, 160 - 16 + 2);
  ASSERT_EQ(pickup, pickup_colour(1) & 0xFFFFFF);

  // F1 held for 3 steps, released, 15 idle steps (darkening stops after 12), then a key.
  in->press(KEY_F1).idle(2).release(KEY_F1).idle(15).type_key(KEY_SPACE, ' ').press(KEY_SPACE).release(KEY_SPACE);
  const int presents_before = in->presents;
  in->then([](ScriptedInput& s) { s.mx = 10; });  // moved while the overlay shows
  frames(1);
  EXPECT_EQ(help_requested, 0);
  EXPECT_EQ(in->mx, 600) << "the mouse goes back where it was";
  EXPECT_GE(in->presents - presents_before, 19);
  // Twelve darkening steps: c - (c >> 3) each time.
  uint32_t c = pickup;
  for (int i = 0; i < 12; ++i) {
    uint32_t out = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
      const uint32_t v = (c >> shift) & 0xFF;
      out |= (v - (v >> 3)) << shift;
    }
    c = out;
  }
  EXPECT_EQ(screen_pixel(480 - 16 + 2, 160 - 16 + 2), c);
  // The help text at (16, 60) over the darkened frame.
  EXPECT_TRUE(shows_text(16, 60, 0, "MOVE THE MOUSE TO SCROLL. left click TO STOP THE CAMERA OR SELECT."));
  EXPECT_TRUE(shows_text(16, 60 + 14 * 22, 0, "PRESS f1 FOR HELP. PRESS esc TO RETURN TO THE MAIN MENU."));
  frames(1);
  EXPECT_EQ(screen_pixel(480 - 16 + 2, 160 - 16 + 2), pickup) << "editing goes on";
}

TEST_F(LevelEditorScreen, ToggleKeysAndTheTurnedCursor) {
  make_level();
  enter();
  place_mouse(320, 240);
  in->press(KEY_F9).release(KEY_F9).press(KEY_F10).release(KEY_F10).press(KEY_F11).release(KEY_F11);
  in->press(KEY_F4).release(KEY_F4).press(KEY_M).release(KEY_M).press(KEY_F6).release(KEY_F6);
  frames(6);
  EXPECT_EQ(layer_visibility, 0x7C);
  EXPECT_EQ(snap_to_grid, 1);
  EXPECT_EQ(ledit.edit_flags, EDIT_METABLOCK);
  EXPECT_EQ(ledit.show_mouse_coords, 1);
  // M is not a mode key while Tab is down; Tab switches the plane.
  in->press(KEY_TAB).press(KEY_M).release(KEY_TAB).release(KEY_M);
  frames(2);
  EXPECT_EQ(ledit.edit_flags, EDIT_METABLOCK | EDIT_BACK_PLANE);

  // Outside the central box the cursor is the second picture, turned towards the mouse:
  // straight right of the centre it is drawn unturned about its centre.
  place_mouse(600, 240);
  frames(1);
  ASSERT_EQ(fast_scroll_latch, 1);
  int same = 0, inked = 0;
  for (int y = 0; y < 22; ++y)
    for (int x = 0; x < 22; ++x) {
      const uint32_t p = pixel32(cursor_alt.get(), x, y);
      if (p == MASK_COLOUR) continue;
      ++inked;
      same += screen_pixel(600 - 11 + x, 240 - 11 + y) == p;
    }
  EXPECT_GT(inked, 0);
  EXPECT_GE(same, inked * 9 / 10);
}

TEST_F(LevelEditorScreen, HelpNamesExactlyTheKeysTheScreenReads) {
  make_level();
  map_header.map_front = 0;  // the map screen, with markers
  level_editor_modes = 0x12;
  block_types[0] = {1, 0x0000};
  front_layout.rows[5].objects = {{1, 96}};
  front_layout.rows[8].objects = {{OBJECT_PICKUP | 1, 200}};
  front_layout.rows[10].objects = {{OBJECT_BLOCK | 0, 300}};
  markers[0].x = 400;
  markers[0].y = 403;
  enter();
  in->keys_asked.clear();
  // Over each kind of object and a marker, in both modes, with and without Ctrl.
  const int points[][2] = {{84, 68}, {188, 116}, {288, 148}, {405, 405}, {600, 50}};
  for (uint8_t mode : {uint8_t{0}, EDIT_METABLOCK})
    for (int ctrl : {0, int{KB_CTRL_FLAG}})
      for (const auto& p : points) {
        ledit.edit_flags = mode;
        in->key_shift_flags = ctrl;
        place_mouse(p[0], p[1]);
        frames(1);
      }
  in->key_shift_flags = 0;
  std::set<int> read = in->keys_asked;
  read.erase(KEY_F11);  // waited out, nothing else: it does nothing on this screen
  EXPECT_EQ(read, keys_named_in_help(LEVEL_EDITOR_HELP));
}

TEST_F(LevelEditorScreen, StatusBarNamesPlaneModeCameraZoomSnapOriginAndUnsavedEdits) {
  ScopedCwd cwd(scratch_dir("level_editor_status"));
  level_file_name.clear();
  chunkmap_file_name.clear();
  make_level();
  row(15).objects = {{OBJECT_PICKUP | 4, 330}};
  level_origin = LevelOrigin{LevelSource::RomMap, 0x0A, "", "", ""};
  // HYBRID editing; the cursor over the pickup, inside the central box.
  place_mouse(icon_x(330) + 4, icon_y(15) + 4);
  enter();
  struct Step {
    std::function<void(ScriptedInput&)> script;
    const char* status;
  } steps[] = {
      {[](ScriptedInput&) {}, "FRONT  LAYOUT  ROAMING  ZOOM:100  SNAP:OFF  ROM MAP 0A"},
      {[](ScriptedInput& s) { s.press(KEY_TAB).release(KEY_TAB); }, "BACK  LAYOUT  ROAMING  ZOOM:100  SNAP:OFF  ROM MAP 0A"},
      {[](ScriptedInput& s) { s.press(KEY_M).release(KEY_M); }, "BACK  METABLOCK  ROAMING  ZOOM:100  SNAP:OFF  ROM MAP 0A"},
      {[](ScriptedInput& s) { s.press(KEY_TAB).release(KEY_TAB).press(KEY_M).release(KEY_M); },
       "FRONT  LAYOUT  ROAMING  ZOOM:100  SNAP:OFF  ROM MAP 0A"},
      {[](ScriptedInput& s) { s.press(KEY_F4).release(KEY_F4).press(KEY_PGUP).release(KEY_PGUP); },
       "FRONT  LAYOUT  ROAMING  ZOOM:106  SNAP:ON  ROM MAP 0A"},
      {[](ScriptedInput& s) { s.press(KEY_HOME).release(KEY_HOME).click(); },
       "FRONT  LAYOUT  FIXED  ZOOM:100  SNAP:ON  ROM MAP 0A"},
      // A second click: Esc is ignored until the next click, and the bar says so.
      {[](ScriptedInput& s) { s.click(); }, "FRONT  LAYOUT  FIXED ESC: CLICK TO RELEASE  ZOOM:100  SNAP:ON  ROM MAP 0A"},
      {[](ScriptedInput& s) { s.press(KEY_ESC).release(KEY_ESC); },
       "FRONT  LAYOUT  FIXED ESC: CLICK TO RELEASE  ZOOM:100  SNAP:ON  ROM MAP 0A"},
      {[](ScriptedInput& s) { s.click(); }, "FRONT  LAYOUT  FIXED  ZOOM:100  SNAP:ON  ROM MAP 0A"},
      // Plus changes the pickup: the level has unsaved edits.
      {[](ScriptedInput& s) { s.press(KEY_EQUALS).release(KEY_EQUALS); },
       "FRONT  LAYOUT  FIXED  ZOOM:100  SNAP:ON  ROM MAP 0A  UNSAVED"},
      {[](ScriptedInput& s) { s.press(KEY_ESC).release(KEY_ESC); },
       "FRONT  LAYOUT  ROAMING  ZOOM:100  SNAP:ON  ROM MAP 0A  UNSAVED"},
  };
  for (const Step& step : steps) {
    step.script(*in);
    run_script();
    frames(2);
    EXPECT_EQ(status_bar_difference(in->screen.get(), step.status), "") << step.status;
  }
  ASSERT_EQ(row(15).objects[0].code, OBJECT_PICKUP | 5);

  // Leaving, Y saves the layout; back in the editor nothing is unsaved.
  in->press(KEY_ESC).release(KEY_ESC).press(KEY_Y).release(KEY_Y);
  editor_mode = 1;
  level_editor();
  offer_unsaved_saves();
  ASSERT_TRUE(std::filesystem::exists("New.lvl"));
  enter();
  frames(1);
  EXPECT_EQ(status_bar_difference(in->screen.get(), "FRONT  LAYOUT  ROAMING  ZOOM:100  SNAP:ON  ROM MAP 0A"), "");
  level_origin = LevelOrigin();
}

TEST(StatusText, LongLinesPartFieldsByOneSpaceThenShortenTheOriginAndKeepUnsaved) {
  LevelStatus s;
  s.back_plane = s.metablock = true;
  s.camera_state = 0x82;
  s.zoom_percent = 400;
  s.origin = "PROJECT LEVEL 7F";
  s.unsaved = true;
  const std::string one_space = "BACK METABLOCK FIXED ESC: CLICK TO RELEASE ZOOM:400 SNAP:OFF PROJECT LEVEL 7F UNSAVED";
  const struct {
    size_t chars;
    std::string line;
  } cases[] = {
      {200, "BACK  METABLOCK  FIXED ESC: CLICK TO RELEASE  ZOOM:400  SNAP:OFF  PROJECT LEVEL 7F  UNSAVED"},
      {one_space.size(), one_space},
      {one_space.size() - 1, "BACK METABLOCK FIXED ESC: CLICK TO RELEASE ZOOM:400 SNAP:OFF ..JECT LEVEL 7F UNSAVED"},
      {65, "BACK METABLOCK FIXED ESC: CLICK TO RELEASE ZOOM:400 SNAP: UNSAVED"},
  };
  for (const auto& c : cases) EXPECT_EQ(level_status_text(s, c.chars), c.line) << c.chars;
  EXPECT_EQ(level_origin_text(LevelOrigin{LevelSource::RomMap, 1, "", "levels/w1/Meadow_1.lvl", ""}), "MEADOW_1.LVL");
  EXPECT_EQ(level_origin_text(LevelOrigin{LevelSource::ProjectLevel, 3, "a.glp", "", ""}), "PROJECT LEVEL 03");
}

// The presented frames of a tour over patterned blocks (scaling, flips, transparent pixels
// showing the plane below) at several zooms, with and without the back plane, the object
// panel under the cursor, the back plane edited and the world map with a marker. The level
// comes from no file (the status bar names no origin) and the FPS counter shows 0. Any change
// of a pixel changes a hash.
TEST_F(LevelEditorScreen, PresentedFramesOfATourStayPixelIdentical) {
  make_level(3);
  for (int b = 1; b < 12; ++b) {
    BitmapPtr& bm = block_bitmaps[static_cast<size_t>(b)];
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 16; ++x)
        put_pixel32(bm.get(), x, y,
                    b == 3 && (x + y) % 3 == 0 ? MASK_COLOUR
                                               : 0xFF000000u | uint32_t(b * 21) << 16 | uint32_t(x * 16) << 8 | uint32_t(y * 15));
  }
  chunk(0).width = 3;
  chunk(0).height = 2;
  const uint16_t cells0[6] = {1, static_cast<uint16_t>(2 | CELL_VFLIP), 0, 3, 4, 5};
  for (int i = 0; i < 6; ++i) chunk(0).cell(i % 3, i / 3) = cells0[i];
  chunk(1).width = chunk(1).height = 2;
  const uint16_t cells1[4] = {6, 7, static_cast<uint16_t>(8 | CELL_VFLIP), 9};
  for (int i = 0; i < 4; ++i) chunk(1).cell(i % 2, i / 2) = cells1[i];
  row(4).objects = {{0, 24}, {static_cast<uint16_t>(1 | PLACEMENT_VFLIP), 90}};
  row(6).objects = {{static_cast<uint16_t>(OBJECT_PICKUP | 2), 70}, {OBJECT_POST, 120}};
  row(9).objects = {{1, 40}, {static_cast<uint16_t>(OBJECT_BLOCK | 1), 100}};
  for (int r : {3, 6, 10}) row(r, true).objects = {{0, 8}, {static_cast<uint16_t>(1 | PLACEMENT_VFLIP), 60}, {1, 130}};
  level_editor_modes = 0x12;  // the camera stays put, objects under the cursor get the panel
  fps_counter_enabled = 1;
  enter();

  FrameHashes seen;
  auto frame = [&](const std::string& name, int zoom, int mouse_x, int mouse_y) {
    level_zoom = static_cast<int16_t>(zoom);
    place_mouse(mouse_x, mouse_y);
    frames(1);
    seen.push_back({name, colour_hash(in->screen.get())});
  };
  for (int background : {1, 0}) {
    ledit.background_shown = static_cast<uint8_t>(background);
    const std::string b = background ? " back plane" : "";
    frame("zoom -12" + b, -12, 300, 200);
    frame("zoom 0" + b, 0, 30, 58);  // over the first chunk: panel and frame
    frame("zoom 5" + b, 5, 80, 70);
    frame("zoom 48" + b, 48, 250, 160);
  }
  camera_x = 8 * 40;
  camera_y = 8 * 24;
  frame("zoom 48 scrolled", 48, 100, 100);
  camera_x = camera_y = 0;
  in->press(KEY_TAB).release(KEY_TAB);
  frame("back plane edited", 0, 20, 40);
  frame("back plane edited zoom -7", -7, 20, 40);
  in->press(KEY_TAB).release(KEY_TAB);
  map_header.map_front = 0;
  markers[0] = Marker();
  markers[0].x = 60;
  markers[0].y = 60;
  frame("world map", 0, 200, 200);
  frame("world map zoom 16", 16, 200, 200);

  expect_frame_hashes("level editor tour", seen,
                      {
    {"zoom -12 back plane", 0x88c07e0778fe7a36ull},
    {"zoom 0 back plane", 0x5745481bbb025fa5ull},
    {"zoom 5 back plane", 0xc65e98dd308dda0aull},
    {"zoom 48 back plane", 0x764c7facfcba74f7ull},
    {"zoom -12", 0xd38307f000d3159dull},
    {"zoom 0", 0x01b80a8a87dc6c33ull},
    {"zoom 5", 0xee7e4307d0e59ff3ull},
    {"zoom 48", 0x0c8d3a83643b7127ull},
    {"zoom 48 scrolled", 0x0ba0b43dbd8c4c2full},
    {"back plane edited", 0x65fdf66db63c3f61ull},
    {"back plane edited zoom -7", 0xf6d8da021a35b5d9ull},
    {"world map", 0xd9f0f2b063c73f2eull},
    {"world map zoom 16", 0x29eac45b7139f52bull},
                      });
}
