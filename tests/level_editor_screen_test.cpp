// The level editor screen beside its whole sessions (level_editor_tour_test.cpp): held zoom
// keys, the state a session starts from and the panel of referring block objects.

#include "gamedata/chunk_graphics.h"
#include "render/status_bar.h"
#include "ui/messages.h"
#include "level_editor_fixture.h"
#include "step_hashes.h"

namespace {

class LevelEditorScreen : public LevelEditorTest {};

}  // namespace

TEST_F(LevelEditorScreen, HeldPageUpRepeatsFromTheSeventhFrameAndShiftStepsTwiceEveryFrame) {
  make_level();
  enter();
  place_mouse(320, 240);
  // The zoom after each of n passes.
  const auto zooms = [this](int n) {
    std::vector<int> after;
    for (int i = 0; i < n; ++i) {
      frames(1);
      after.push_back(level_zoom);
    }
    return after;
  };
  in->press(KEY_PGUP).idle(9).release(KEY_PGUP);
  EXPECT_EQ(zooms(11), (std::vector<int>{1, 1, 1, 1, 1, 1, 2, 3, 4, 5, 5}));
  in->key_shift_flags = KB_SHIFT_FLAG;
  in->press(KEY_PGDN).idle(2).release(KEY_PGDN);
  EXPECT_EQ(zooms(4), (std::vector<int>{3, 1, -1, -1}));
  in->key_shift_flags = 0;

  // The wheel: two steps per notch (seen at the next tick); Home goes back to 100 %.
  in->wheel(1);
  frames(2);
  EXPECT_EQ(level_zoom, 1);
  key(KEY_HOME);
  EXPECT_EQ(level_zoom, 0);
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

// Every session of the screen starts at the top left at 100 %, all layers shown, nothing
// selected, the background and coordinate readouts as the settings say; leaving ends in the menu.
TEST_F(LevelEditorScreen, EachSessionStartsFromTheSettings) {
  make_level();
  for (const uint8_t flags : {5, 2}) {
    camera_x = 320;
    camera_y = 64;
    level_zoom = 3;
    layer_visibility = 0x03;
    help_requested = 1;
    fast_scroll_latch = 1;
    ledit.selected_row = 4;
    ledit.selected_index = 2;
    debug_info_flags = flags;
    background_default = flags & 1;
    editor_mode = 1;
    level_editor_modes = flags == 2 ? 0x12 : 0x11;  // Escape leaves the static mode too
    place_mouse(320, 240);  // the middle: the camera does not follow it
    in->press(KEY_ESC).release(KEY_ESC);
    level_editor();
    SCOPED_TRACE(flags);
    EXPECT_EQ((std::vector<int>{camera_x, camera_y, level_zoom, layer_visibility, help_requested, fast_scroll_latch,
                                ledit.selected_row, ledit.selected_index, editor_mode}),
              (std::vector<int>{0, 0, 0, 0x7F, 0, 0, 0, 0, 0}));
    EXPECT_EQ(ledit.background_shown, flags & 1);
    EXPECT_EQ(ledit.show_camera_coords, flags & 1);
    EXPECT_EQ(ledit.show_mouse_coords, (flags >> 1) & 1);
    EXPECT_EQ(ledit.show_unit_coords, (flags >> 2) & 1);
    EXPECT_FALSE(in->key_down(KEY_ESC));
  }
}

// The panel of block objects whose entry refers to another (kinds 4 and 5): the reference, the
// referred entry's kind and effect (none for a reference past the table), the coordinates;
// an object of an entry of no kind is deleted.
TEST_F(LevelEditorScreen, ReferringBlockObjectsShowTheEntryTheyReferTo) {
  make_level();
  block_types[2] = BlockType{3, 0x0807};  // effect 8 (a popup), attribute 7
  block_types[5] = BlockType{4, 2};
  block_types[6] = BlockType{5, 200};
  row(12).objects = {{static_cast<uint16_t>(OBJECT_BLOCK | 5), 200}, {static_cast<uint16_t>(OBJECT_BLOCK | 6), 400}};
  level_editor_modes = 0x12;
  enter();
  FrameHashes seen;
  for (const int x : {200, 400}) {
    place_mouse(icon_x(x) + 4, icon_y(12) + 4);
    frames(1);
    save_tour_frame(in->screen.get(), seen.size());
    seen.push_back({"over the block object at " + std::to_string(x), colour_hash(in->screen.get())});
  }
  expect_step_hashes("referring block objects", seen, {0x45803ac6e24d0a94ull, 0x873745738a9719d3ull});
  // 7 and 8 held over the first: the message boxes of the entry it refers to, on each frame held.
  place_mouse(icon_x(200) + 4, icon_y(12) + 4);
  captured_messages().clear();
  in->press(KEY_7).idle(2).release(KEY_7).press(KEY_8).idle(2).release(KEY_8);
  run_script();
  const std::string values = "effect = 0x0008\neffect_attribute = 0x0007\n\neffect_string_index = 0x0001";
  EXPECT_EQ(captured_messages(), (std::vector<std::string>{values, values, values, "POPUP", "POPUP", "POPUP"}));
  // An object whose entry has a negative kind is no valid object: once selected, it goes;
  // one of kind 0 stays.
  block_types[3] = BlockType{0, 0};
  row(12).objects.push_back({static_cast<uint16_t>(OBJECT_BLOCK | 1), 600});
  row(12).objects.push_back({static_cast<uint16_t>(OBJECT_BLOCK | 3), 800});
  for (const int x : {800, 600}) {
    place_mouse(icon_x(x) + 4, icon_y(12) + 4);
    frames(2);
  }
  ASSERT_EQ(row(12).objects.size(), 3u);
  EXPECT_EQ(row(12).objects[2].code, OBJECT_BLOCK | 3);
}

// Undo and redo of a block edit in a chunk draw the chunk's picture and thumbnail again; z
// without ctrl undoes nothing.
TEST_F(LevelEditorScreen, UndoOfABlockEditDrawsTheChunkAgain) {
  make_level();
  pattern_blocks_and_chunks();
  row(9).objects = {{1, 40}};
  render_all_chunks(chunkmap, level_bitmaps);
  build_chunk_thumbnails(chunkmap, level_bitmaps);
  level_editor_modes = 0x12;
  enter();
  const auto pictures = [] { return colour_hash(chunk_bitmaps[1].get()) ^ colour_hash(chunk_thumbnails[1].get()); };
  const uint64_t before = pictures();
  key(KEY_M);
  place_mouse(45, 130);
  key(KEY_TILDE);  // flips the block under the cursor
  run_script();
  ASSERT_NE(pictures(), before);
  key(KEY_Z);
  run_script();
  EXPECT_EQ(level_history.undo_count(), 1u);
  key(KEY_Z, KB_CTRL_FLAG);
  run_script();
  EXPECT_EQ(pictures(), before);
  key(KEY_Y, KB_CTRL_FLAG);
  run_script();
  EXPECT_NE(pictures(), before);
}

// A cell naming a block at or past the level's count steps from the ends of the count.
TEST_F(LevelEditorScreen, BlockNumbersPastTheCountStepFromTheEnds) {
  make_level();
  pattern_blocks_and_chunks();
  row(9).objects = {{1, 40}};
  level_editor_modes = 0x12;
  enter();
  // Last: a level with no blocks has nothing to step through.
  for (const auto& [key_code, want] :
       {std::pair{KEY_MINUS, LEVEL_BLOCKMAP_COUNT - 1}, {KEY_EQUALS, 0}, {KEY_MINUS, LEVEL_BLOCKMAP_COUNT}}) {
    level_blockmap.count = want == LEVEL_BLOCKMAP_COUNT ? 0 : LEVEL_BLOCKMAP_COUNT;
    std::fill_n(chunk(1).cells, 4, LEVEL_BLOCKMAP_COUNT);
    key(KEY_M);
    place_mouse(45, 130);
    key(key_code);
    key(KEY_M);
    run_script();
    EXPECT_EQ(std::count(chunk(1).cells, chunk(1).cells + 4, want), want == LEVEL_BLOCKMAP_COUNT ? 4 : 1) << want;
  }
}

// After undo and redo the keys act on the object under the cursor, the one the frame and
// panel show, never on the one the undone step had selected: in layout and in metablock mode.
TEST_F(LevelEditorScreen, AfterUndoTheKeysActOnTheObjectUnderTheCursor) {
  for (const bool metablock : {false, true}) {
    make_level();
    row(9).objects = {{1, 48}, {2, 80}};  // boxes 32..48 and 64..80, rows 128..144
    level_editor_modes = 0x12;
    enter();
    if (metablock) key(KEY_M);
    place_mouse(40, 135);
    frames(1);
    key(KEY_TILDE);  // flips the first (its cell in metablock mode)
    place_mouse(70, 135);
    frames(2);
    ASSERT_EQ(ledit.selected_index, 1);
    key(KEY_Z, KB_CTRL_FLAG);
    EXPECT_EQ(ledit.selected_index, 1) << metablock;
    key(KEY_EQUALS);
    if (metablock) {
      EXPECT_EQ(chunk(1).cells[0], 2) << "the undone chunk is left alone";
      EXPECT_EQ(chunk(2).cells[0], 4) << "the framed chunk's block steps";
    } else {
      EXPECT_EQ(codes_of(row(9)), (std::vector<uint16_t>{1, 3}));
    }
    key(KEY_Y, KB_CTRL_FLAG);  // redo: the cursor still decides
    EXPECT_EQ(ledit.selected_index, 1) << metablock;
  }
}

// F9 and F10 hide and show layer L and layer H: the blocks whose priority bit is clear, set.
TEST_F(LevelEditorScreen, F9AndF10HideTheBlocksOfLayerLAndLayerH) {
  make_level();
  chunk(0).width = 2;
  chunk(0).cell(0, 0) = 5;           // layer L
  chunk(0).cell(1, 0) = 0x8000 | 6;  // layer H: priority bit set
  row(9).objects = {{0, 40}};        // blocks at x 24..40 and 40..56, rows 128..144
  level_editor_modes = 0x12;
  enter();
  place_mouse(600, 300);
  frames(1);
  const auto lit = [this](int x) { return (screen_pixel(x, 135) & 0xFFFFFF) != 0; };
  // The toggle acts after the frame's drawing: the next frame shows it.
  const auto shown = [this, &lit] {
    frames(1);
    return std::make_pair(lit(30), lit(46));
  };
  ASSERT_EQ(screen_pixel(30, 135) & 0xFFFFFF, block_colour(5) & 0xFFFFFF);
  ASSERT_EQ(screen_pixel(46, 135) & 0xFFFFFF, block_colour(6) & 0xFFFFFF);
  key(KEY_F9);
  EXPECT_EQ(shown(), std::make_pair(false, true));
  key(KEY_F10);
  EXPECT_EQ(shown(), std::make_pair(false, false));
  key(KEY_F9);
  EXPECT_EQ(shown(), std::make_pair(true, false));
  key(KEY_F10);
  EXPECT_EQ(shown(), std::make_pair(true, true));
}

// The frame rate keeps clear of the zoom read-out: nothing is drawn on the row of glyphs
// above "ZOOM:" while both show.
TEST_F(LevelEditorScreen, TheFrameRateKeepsClearOfTheZoomReadout) {
  make_level();
  fps_counter_enabled = 1;
  fps_value = 60;
  enter();
  place_mouse(600, 300);
  frames(1);
  ASSERT_NE(screen_pixel(18, 8) & 0xFFFFFF, 0u) << "the zoom read-out shows";
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 120; ++x) ASSERT_EQ(screen_pixel(x, y) & 0xFFFFFF, 0u) << x << "," << y;
  fps_counter_enabled = 0;
}
