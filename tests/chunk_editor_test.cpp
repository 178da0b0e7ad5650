// The chunk editor's passes driven through the input layer: choosing a tile, the camera
// states of the three editing modes, marks, undo, the size keys, zoom and the save question.
#include <allegro.h>
#include <loadpng.h>

#include <cstring>
#include <fstream>

#include "app/main_menu.h"
#include "chunk_editor_fixture.h"
#include "chunkedit/chunk_editor.h"
#include "chunkedit/chunk_editor_drawing.h"
#include "chunkedit/chunk_editor_help.h"
#include "leveledit/level_undo.h"
#include "render/view_state.h"
#include "ui/screen_state.h"
#include "ui/scripted_input.h"
#include "ui/font.h"
#include "ui/messages.h"
#include "ui/setup_screens.h"

using Screen = ChunkEditorScreen;

namespace {

class ChunkEditor : public ChunkEditorFixture {
 protected:
  // Runs the editor on the queued script; fails when it did not return to the menu.
  void run() {
    try {
      chunk_editor();
    } catch (const ScriptRanOut& e) {
      FAIL() << e.what();
    }
    EXPECT_EQ(editor_mode, 0);
    EXPECT_TRUE(in.script_done());
  }
  // Enter in the tile selector chooses the tile under the centre.
  void choose_tile() { in.press(KEY_ENTER).idle().release(KEY_ENTER).idle(); }
  void escape() { key(KEY_ESC); }
  void answer(int yes_or_no) { key(yes_or_no); }
  // Escape `times` over (the last one leaving the tile selector), then runs the editor.
  void escape_and_run(int times) {
    for (int i = 0; i < times; ++i) escape();
    run();
  }
  // Leaves the editing view answering the save question, leaves the tile selector and runs.
  void leave_answering(int yes_or_no) {
    escape();
    answer(yes_or_no);
    escape_and_run(1);
  }
  // True when (x, y) .. (x + w, y + h) of the screen looks as `draw` draws it onto black.
  template <typename Draw>
  bool screen_shows(int x, int y, int w, int h, Draw draw) {
    BitmapPtr expected = make_bitmap(640 + 128, 480 + 128);
    fill_rect32(expected.get(), 0, 0, expected->w, expected->h, 0xFF000000u);
    draw(expected.get());
    for (int r = y; r < y + h; ++r)
      for (int c = x; c < x + w; ++c)
        if (!(rgb_at(in.screen.get(), c, r) == rgb_at(expected.get(), c + MARGIN, r + MARGIN))) return false;
    return true;
  }
};

}  // namespace

TEST_F(ChunkEditor, RoamingOneClickOpensTheBlockSelector) {
  meta_editor_modes = 0x11;
  choose_tile();
  over_cell(1, 1).idle();
  in.click().idle(2);
  expect_screen(Screen::BlockSelector);
  // The bar opens on the cell's block (6); Escape gives the cell its word back.
  in.then([](ScriptedInput&) { EXPECT_EQ(selected_block, 6); });
  escape();
  in.idle(2);
  expect_screen(Screen::Editing);
  escape();
  expect_screen(Screen::TileSelector);
  escape_and_run(1);
  EXPECT_EQ(chunkmap.chunks[0].cell(1, 1), 6);
}

TEST_F(ChunkEditor, AClickBesideTheChunkSelectsNothingAndEscapeStillEnds) {
  // ROAMING: below the 4x3 chunk a click leaves the camera roaming.
  choose_tile();
  in.move(20, 100).idle().click().idle(2);
  in.then([](ScriptedInput&) { EXPECT_EQ(camera_state, 0); });
  over_cell(1, 1).idle(2);
  expect_screen(Screen::Editing);
  escape();
  // HYBRID: the first click stops the camera anywhere; the second selects only on a cell.
  in.then([](ScriptedInput&) { meta_editor_modes = 0x10; });
  choose_tile();
  in.move(20, 100).idle().click().idle().click().idle(2);
  in.then([](ScriptedInput&) { EXPECT_EQ(camera_state, 1); });
  escape();
  escape();
  expect_screen(Screen::TileSelector);
  escape_and_run(1);
}

// The cell under the mouse: the used area's last column and row end one pixel before w * s
// and h * s (camera at the top).
TEST(CellUnderCursor, TheUsedAreaEndsExactlyAtItsLastPixel) {
  ScriptedInput mouse(640, 480);
  ScopedInput scope(mouse);
  const int saved_camera = camera_y;
  camera_y = 0;
  Chunk c{};
  c.width = 4;
  c.height = 3;
  auto at = [&](int x, int y) {
    mouse.mx = x;
    mouse.my = y;
    const CellUnderCursor cell = cell_under_cursor(c, 16);
    return cell.inside ? 100 * cell.column + cell.row : -1;
  };
  EXPECT_EQ(at(0, 0), 0);
  EXPECT_EQ(at(63, 47), 302);
  EXPECT_EQ(at(64, 47), -1);
  EXPECT_EQ(at(63, 48), -1);
  EXPECT_EQ(at(-1, 0), -1);
  camera_y = saved_camera;
}

// A block ending exactly at the target's right or bottom edge is drawn; one pixel further it is not.
TEST(ChunkEditorDrawing, BlocksEndingAtTheTargetsEdgeAreDrawnWhole) {
  BitmapPtr block = make_bitmap(16, 16), target = make_bitmap(MARGIN + 40, MARGIN + 40);
  ASSERT_TRUE(block && target);
  auto drawn = [&](int x, int y) {
    for (int r = 0; r < 16; ++r)
      for (int c = 0; c < 16; ++c) put_pixel32(block.get(), c, r, 0x123456);
    for (int r = 0; r < target->h; ++r)
      for (int c = 0; c < target->w; ++c) put_pixel32(target.get(), c, r, 0);
    draw_block_masked(block.get(), target.get(), x, y, 0, 8);
    return pixel32(target.get(), MARGIN + 39, MARGIN + 39) == 0x123456;
  };
  EXPECT_TRUE(drawn(32, 32));
  EXPECT_FALSE(drawn(33, 32));
  EXPECT_FALSE(drawn(32, 33));
  // Blocks of 1 to 64 pixels (the top zoom) are drawn, larger ones not.
  BitmapPtr big = make_bitmap(MARGIN + 70, MARGIN + 70);
  for (int size : {1, 64, 65}) {
    clear_to_color(big.get(), 0);
    draw_block_masked(block.get(), big.get(), 0, 0, 0, size);
    EXPECT_EQ(pixel32(big.get(), MARGIN + size - 1, MARGIN + size - 1) == 0x123456, size <= 64) << size;
  }
}

TEST_F(ChunkEditor, HybridTakesTwoClicksAndTwoEscapes) {
  meta_editor_modes = 0x10;
  choose_tile();
  over_cell(1, 1).idle();
  in.click().idle(2);
  expect_screen(Screen::Editing);
  in.then([](ScriptedInput&) { EXPECT_EQ(camera_state, 1); });
  in.click().idle(2);
  expect_screen(Screen::BlockSelector);
  escape();
  in.idle(2);
  in.then([](ScriptedInput&) { EXPECT_EQ(camera_state, 1); });
  escape();  // releases the stopped camera
  in.idle(2);
  expect_screen(Screen::Editing);
  in.then([](ScriptedInput&) { EXPECT_EQ(camera_state, 0); });
  escape();  // ends the pass
  expect_screen(Screen::TileSelector);
  escape_and_run(1);
}

TEST_F(ChunkEditor, StaticFirstEscapeEndsThePass) {
  meta_editor_modes = 0x12;
  choose_tile();
  in.idle(2);
  in.then([](ScriptedInput&) { EXPECT_EQ(camera_state, 1); });
  escape();
  expect_screen(Screen::TileSelector);
  escape_and_run(1);
}

TEST_F(ChunkEditor, EscapeWithMarksClearsThemAndStays) {
  choose_tile();
  over_cell(1, 1).idle();
  ctrl_click();
  over_cell(2, 0).idle();
  ctrl_click();
  in.then([](ScriptedInput&) {
    EXPECT_EQ(cell_marks[17], 1);
    EXPECT_EQ(cell_marks[2], 1);
  });
  escape();
  in.idle(2);
  in.then([](ScriptedInput&) { EXPECT_FALSE(any_cell_marked()); });
  expect_screen(Screen::Editing);
  escape();
  expect_screen(Screen::TileSelector);
  escape_and_run(1);
}

TEST_F(ChunkEditor, EnterOnAnUnmarkedCellFillsTheMarkedCellsAndUndoTakesEachBack) {
  const Chunk original = chunkmap.chunks[0];
  choose_tile();
  for (int c : {0, 1, 2}) {
    over_cell(c, 2).idle();
    ctrl_click();
  }
  over_cell(3, 0).idle();
  key(KEY_ENTER);  // the selector does not open: the marked cells take cell (3, 0)'s word
  in.then([](ScriptedInput&) {
    const Chunk& c = chunkmap.chunks[0];
    for (int col : {0, 1, 2}) EXPECT_EQ(c.cell(col, 2), 4);
    EXPECT_EQ(chunk_history.undo_count(), 1u);
    EXPECT_FALSE(any_cell_marked());
    EXPECT_EQ(static_cast<int>(chunk_editor_screen), static_cast<int>(Screen::Editing));
  });
  // The whole fill is one step: one Ctrl+Z takes it back, and the chunk is unchanged again.
  ctrl_key(KEY_Z);
  in.then([original](ScriptedInput&) {
    EXPECT_EQ(std::memcmp(&chunkmap.chunks[0], &original, sizeof original), 0);
    EXPECT_EQ(chunk_history.undo_count(), 0u);
    EXPECT_EQ(chunks_changed, 0);
    EXPECT_EQ(undo_readout_text(timer_ticks), "UNDO 0 / REDO 1");
  });
  // Ctrl+Y redoes it, then leave keeping it.
  ctrl_key(KEY_Y);
  leave_answering(KEY_Y);
  for (int col : {0, 1, 2}) EXPECT_EQ(chunkmap.chunks[0].cell(col, 2), 4);
}

TEST_F(ChunkEditor, SelectorPlacesABlockAndFillsMarkedCells) {
  choose_tile();
  over_cell(0, 0).idle();
  ctrl_click();
  over_cell(1, 0).idle();
  ctrl_click();
  // Over a marked cell a click opens the selector on it; two blocks to the right, Enter.
  in.click().idle(2);
  expect_screen(Screen::BlockSelector);
  in.press(KEY_RIGHT).idle(14).release(KEY_RIGHT).idle();
  in.then([](ScriptedInput&) { EXPECT_EQ(selected_block, 4); });
  key(KEY_ENTER);
  in.idle(2);
  in.then([](ScriptedInput&) {
    EXPECT_EQ(chunkmap.chunks[0].cell(0, 0), 4);  // the marked cell takes it too
    EXPECT_EQ(chunkmap.chunks[0].cell(1, 0), 4);
    EXPECT_EQ(chunk_history.undo_count(), 1u);
  });
  leave_answering(KEY_N);  // N: the chunk is as it was
  EXPECT_EQ(chunkmap.chunks[0].cell(0, 0), 1);
  EXPECT_EQ(chunkmap.chunks[0].cell(1, 0), 2);
}

TEST_F(ChunkEditor, CtrlKeysCopyPasteMirrorAndYesKeepsWithNewImages) {
  const uint32_t thumbnail_before = pixel32(chunk_thumbnails[0].get(), 16, 24);
  choose_tile();
  over_cell(3, 2).idle();
  ctrl_key(KEY_C);
  over_cell(0, 0).idle();
  ctrl_key(KEY_V);
  ctrl_key(KEY_V);  // the same word again: nothing recorded
  in.then([](ScriptedInput&) {
    EXPECT_EQ(held_block, 12);
    EXPECT_EQ(chunkmap.chunks[0].cell(0, 0), 12);
    EXPECT_EQ(chunk_history.undo_count(), 1u);
  });
  ctrl_key(KEY_M);
  in.then([](ScriptedInput&) {
    EXPECT_EQ(chunkmap.chunks[0].cell(3, 0), 12 | 0x0400);
    EXPECT_EQ(chunkmap.chunks[0].cell(0, 0), 4 | 0x0400);
    EXPECT_EQ(chunk_history.undo_count(), 2u);
  });
  key(KEY_DEL);
  in.then([](ScriptedInput&) { EXPECT_EQ(chunkmap.chunks[0].cell(0, 0), 0); });
  leave_answering(KEY_Y);
  EXPECT_EQ(level_changed_flags & CHANGED_CHUNKS, CHANGED_CHUNKS);
  // The image shows block 0 at cell (0, 0) now; the thumbnail was rebuilt from it.
  EXPECT_EQ(pixel32(chunk_bitmaps[0].get(), 3, 3), block_colour(0) & 0xFFFFFF);
  EXPECT_EQ(pixel32(chunk_bitmaps[0].get(), 16 * 3 + 3, 3), block_colour(12) & 0xFFFFFF);
  EXPECT_NE(pixel32(chunk_thumbnails[0].get(), 16, 24), thumbnail_before);
}

TEST_F(ChunkEditor, NoRestoresTheChunkExactlySizeIncluded) {
  const Chunk original = chunkmap.chunks[0];
  choose_tile();
  key(KEY_CLOSEBRACE);
  with_flags(KB_SHIFT_FLAG).tap(KEY_OPENBRACE).idle();
  with_flags(0);
  over_cell(0, 0).idle();
  key(KEY_DEL);
  in.then([](ScriptedInput&) {
    EXPECT_EQ(chunkmap.chunks[0].width, 5);
    EXPECT_EQ(chunkmap.chunks[0].height, 2);
    EXPECT_EQ(chunks_changed, 1);
  });
  leave_answering(KEY_N);
  EXPECT_EQ(std::memcmp(&chunkmap.chunks[0], &original, sizeof original), 0);
  EXPECT_EQ(chunks_changed, 0);
  EXPECT_EQ(level_changed_flags, 0);
}

// From the main menu: a pass that keeps a chunk change forgets the level's undo steps (they
// name cells of chunks); a pass that changes nothing keeps them.
TEST_F(ChunkEditor, KeptChunkChangesFromTheMenuForgetTheLevelsUndoSteps) {
  resize_level_undo(16);
  level_history_loaded(0);
  front_layout.rows.resize(2);
  level_step_touch_row(front_layout, 1);
  front_layout.rows[1].objects.push_back({1, 16});
  level_step_end();
  ASSERT_EQ(level_history.undo_count(), 1u);
  in.idle(3);
  escape();
  editor_mode = 2;
  run_mode(2);
  EXPECT_TRUE(in.script_done());
  EXPECT_EQ(level_history.undo_count(), 1u);
  choose_tile();
  key(KEY_CLOSEBRACE);  // one column wider
  escape();
  answer(KEY_Y);
  escape();
  const int8_t width = chunkmap.chunks[0].width;
  editor_mode = 2;
  run_mode(2);
  EXPECT_TRUE(in.script_done());
  EXPECT_EQ(chunkmap.chunks[0].width, width + 1);
  EXPECT_EQ(level_history.undo_count(), 0u);
  level_history_loaded(0);
}

TEST_F(ChunkEditor, SizeKeysAtTheirLimitsChangeNothingAndAskNothing) {
  // Tile 1 is 16x16: "]" does nothing.
  in.press(KEY_RIGHT).idle(7).release(KEY_RIGHT).idle();
  in.then([](ScriptedInput&) { EXPECT_EQ(current_chunk, 1); });
  choose_tile();
  key(KEY_CLOSEBRACE);
  escape();
  // Tile 2 is 1x1: Shift+"[" does nothing.
  in.press(KEY_RIGHT).idle(15).release(KEY_RIGHT).idle();
  in.then([](ScriptedInput&) { EXPECT_EQ(current_chunk, 2); });
  choose_tile();
  with_flags(KB_SHIFT_FLAG).tap(KEY_OPENBRACE).idle();
  with_flags(0);
  in.then([](ScriptedInput&) { EXPECT_EQ(chunks_changed, 0); });
  escape_and_run(2);
  EXPECT_EQ(chunkmap.chunks[1].width, 16);
  EXPECT_EQ(chunkmap.chunks[2].height, 1);
}

TEST_F(ChunkEditor, OneWheelNotchZoomsTo112PercentForAWhile) {
  in.press(KEY_RIGHT).idle(15).release(KEY_RIGHT).idle();  // tile 2, a single block
  choose_tile();
  in.idle(160);  // the read-out of the pass start has gone
  in.then([this](ScriptedInput&) {
    EXPECT_TRUE(screen_shows(16, 8, 48, 20, [](BITMAP*) {}));
  });
  in.wheel(1).idle(3);
  in.then([this](ScriptedInput&) {
    EXPECT_EQ(level_zoom, 2);
    EXPECT_EQ(zoom_percent(level_zoom), 112);
    // (x from 20: the 18-pixel block lies left of it)
    EXPECT_TRUE(screen_shows(20, 8, 44, 20, [](BITMAP* b) {
      text_out(display, b, 1, 16, 8, "ZOOM:");
      number_out(display, b, 48, 20, 1, 112);
    }));
  });
  in.idle(150);
  in.then([this](ScriptedInput&) { EXPECT_TRUE(screen_shows(20, 8, 44, 20, [](BITMAP*) {})); });
  escape_and_run(2);
  EXPECT_EQ(zoom_percent(-12), 25);
  EXPECT_EQ(zoom_percent(48), 400);
}

TEST_F(ChunkEditor, PageKeysRepeatOnTheFirstAndFromTheSeventhFrame) {
  choose_tile();
  in.press(KEY_PGUP);
  std::vector<int> zooms;
  for (int i = 0; i < 9; ++i) in.then([&zooms](ScriptedInput&) { zooms.push_back(level_zoom); });
  in.release(KEY_PGUP).idle();
  in.then([](ScriptedInput&) { EXPECT_EQ(zoom_repeat_count, 0); });
  with_flags(KB_SHIFT_FLAG).press(KEY_PGDN).idle(2).release(KEY_PGDN);
  with_flags(0).idle();
  in.then([](ScriptedInput&) { EXPECT_EQ(level_zoom, -1); });
  key(KEY_HOME);
  in.then([](ScriptedInput&) { EXPECT_EQ(level_zoom, 0); });
  escape_and_run(2);
  // Frame by frame while held: a step on the first frame, then from the seventh on.
  EXPECT_EQ(zooms, (std::vector<int>{1, 1, 1, 1, 1, 1, 2, 3, 4}));
}

TEST_F(ChunkEditor, RightClickMenuActsOnTheCellUnderTheMouse) {
  choose_tile();
  over_cell(2, 1).idle();
  in.click(2).idle();
  expect_screen(Screen::BlockMenu);
  // The menu opens at the mouse (40, 24): DELETE is its twelfth line, at y 24 + 148.
  in.move(60, 24 + 148 + 11).idle().click().idle(2);
  in.then([](ScriptedInput&) {
    EXPECT_EQ(chunkmap.chunks[0].cell(2, 1), 0);
    EXPECT_EQ(chunk_history.undo_count(), 1u);
    EXPECT_EQ(static_cast<int>(chunk_editor_screen), static_cast<int>(Screen::Editing));
  });
  leave_answering(KEY_Y);
}

TEST_F(ChunkEditor, HelpDarkensThePictureAndGivesTheMouseBack) {
  in.press(KEY_RIGHT).idle(7).release(KEY_RIGHT).idle();  // tile 1, 16x16 blocks 30
  choose_tile();
  over_cell(1, 1).idle();
  in.press(KEY_F1).idle(15).release(KEY_F1).idle(3);
  in.then([](ScriptedInput&) { EXPECT_EQ(help_requested, 1); });
  in.then([](ScriptedInput& s) {
    // (20, 70) lies between the first two help lines; twelve steps of c - c / 8.
    int r = (block_colour(30) >> 16) & 0xFF;
    for (int i = 0; i < 12; ++i) r -= r >> 3;
    EXPECT_EQ(rgb_at(s.screen.get(), 20, 70).r, r);
    s.mx = s.my = 300;
  });
  in.type_key(KEY_SPACE, ' ').idle(2);
  in.then([](ScriptedInput& s) {
    EXPECT_EQ(help_requested, 0);
    EXPECT_EQ(s.mx, 24);
    EXPECT_EQ(s.my, 24);
  });
  escape_and_run(2);
}

TEST_F(ChunkEditor, EmptyChunkmapKeepsTheSelector) {
  chunkmap.chunks.clear();
  build_chunk_thumbnails(chunkmap, level_bitmaps);
  choose_tile();
  expect_screen(Screen::TileSelector);
  escape_and_run(1);
}

TEST_F(ChunkEditor, F12WritesTheTileAsAPngNamedAfterIt) {
  const std::string dir = scratch_dir("chunk_png");
  ScopedCwd cwd(dir);
  captured_messages().clear();  // messages of earlier tests in the process
  choose_tile();
  over_cell(2, 1).idle();
  key(KEY_DEL);  // the picture is of the cells as they are now
  key(KEY_F12);
  leave_answering(KEY_N);
  ASSERT_EQ(captured_messages().size(), 1u);
  EXPECT_NE(captured_messages()[0].find("tile_000.png"), std::string::npos);
  BitmapPtr png(load_png("tile_000.png", nullptr));
  ASSERT_TRUE(png);
  EXPECT_EQ(png->w, 64);
  EXPECT_EQ(png->h, 48);
  EXPECT_EQ(pixel32(png.get(), 5, 5), block_colour(1) & 0xFFFFFF);
  EXPECT_EQ(pixel32(png.get(), 2 * 16 + 5, 16 + 5), block_colour(0) & 0xFFFFFF);
  EXPECT_FALSE(std::ifstream("tile_000.png.tmp").good());
  captured_messages().clear();
}

TEST_F(ChunkEditor, MetaUndoSizeInSetupResizesTheHistory) {
  reset_editor_state();
  editor_mode = 4;
  // META UNDO SIZE is the seventh line of the setup menu, GO BACK the fifteenth.
  in.move(232, 96 + 6 * 16 + 11).idle().click().idle();
  in.tap(KEY_3).tap(KEY_ENTER).idle();
  in.move(232, 292 + 11).idle().click().idle();
  setup_screen(display, setup_actions);
  EXPECT_EQ(meta_undo_size, 3);
  EXPECT_EQ(chunk_history.capacity(), 3u);
}

TEST_F(ChunkEditor, F9AndF10HideTheChunkOnlyWhenBothAreOff) {
  const uint32_t block1 = block_colour(1) & 0xFFFFFF;
  choose_tile();
  in.move(300, 240);
  key(KEY_F9);
  in.idle(2).then([block1](ScriptedInput& s) {
    EXPECT_EQ(layer_visibility, 0x7E);
    EXPECT_EQ(pixel32(s.screen.get(), 4, 4), block1);
  });
  key(KEY_F10);
  in.idle(2).then([](ScriptedInput& s) {
    EXPECT_EQ(layer_visibility, 0x7C);
    EXPECT_EQ(pixel32(s.screen.get(), 4, 4), 0u);
  });
  key(KEY_F9);
  in.idle(2).then([block1](ScriptedInput& s) { EXPECT_EQ(pixel32(s.screen.get(), 4, 4), block1); });
  escape_and_run(2);
}

TEST_F(ChunkEditor, HelpNamesExactlyTheKeysTheEditingScreenReads) {
  std::set<int> read;
  choose_tile();
  in.then([](ScriptedInput& s) { s.keys_asked.clear(); });
  over_cell(1, 1).idle(2);
  with_flags(KB_CTRL_FLAG).idle(2);
  with_flags(0).idle();
  in.then([&read](ScriptedInput& s) { read = s.keys_asked; });
  escape_and_run(2);
  EXPECT_EQ(read, keys_named_in_help(CHUNK_EDITOR_HELP));
}

// The same for the tile selector and, opened from a cell, the block selector.
TEST_F(ChunkEditor, SelectorHelpsNameExactlyTheKeysTheSelectorsRead) {
  std::set<int> tiles, blocks;
  in.idle().then([](ScriptedInput& s) { s.keys_asked.clear(); });
  in.idle(2);
  with_flags(KB_CTRL_FLAG).idle(2);
  with_flags(KB_SHIFT_FLAG).idle(2);
  with_flags(0).idle();
  in.then([&tiles](ScriptedInput& s) { tiles = s.keys_asked; });
  choose_tile();
  over_cell(1, 1).idle();
  in.click().idle(2);
  in.then([](ScriptedInput& s) { s.keys_asked.clear(); });
  in.idle(2);
  with_flags(KB_CTRL_FLAG).idle(2);
  with_flags(KB_SHIFT_FLAG).idle(2);
  with_flags(0).idle();
  in.then([&blocks](ScriptedInput& s) { blocks = s.keys_asked; });
  escape_and_run(3);
  EXPECT_EQ(tiles, keys_named_in_help(TILE_SELECTOR_HELP));
  EXPECT_EQ(blocks, keys_named_in_help(BLOCK_SELECTOR_HELP));
}

TEST_F(ChunkEditor, StatusBarShowsChunkSizeMarksAndUnsavedEdits) {
  auto status = [this](const char* text) {
    in.idle(2).then([text](ScriptedInput& s) { EXPECT_EQ(status_bar_difference(s.screen.get(), text), "") << text; });
  };
  choose_tile();
  status("CHUNK:000  SIZE:4X3  MARKED:0  ROAMING");
  over_cell(1, 1).idle();
  ctrl_click();
  status("CHUNK:000  SIZE:4X3  MARKED:1  ROAMING");
  key(KEY_CLOSEBRACE);
  status("CHUNK:000  SIZE:5X3  MARKED:1  ROAMING  UNSAVED");
  escape();  // clears the mark
  status("CHUNK:000  SIZE:5X3  MARKED:0  ROAMING  UNSAVED");
  escape();
  answer(KEY_N);  // the chunk as it was: nothing left unsaved
  choose_tile();
  status("CHUNK:000  SIZE:4X3  MARKED:0  ROAMING");
  escape_and_run(2);
}

// The presented frames of a tour over patterned blocks: the tile selector, the editing view
// at three zooms with a marked cell and the cursor over a cell, the block selector over it
// with its bar moved. Any change of a pixel changes a hash.
TEST_F(ChunkEditor, PresentedFramesOfATourStayPixelIdentical) {
  meta_editor_modes = 0x11;
  for (int b = 0; b < 40; ++b)
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 16; ++x)
        put_pixel32(block_bitmaps[b].get(), x, y,
                    b % 4 == 3 && x == y ? MASK_COLOUR : block_colour(b) ^ uint32_t(x * 16) ^ uint32_t(y * 16) << 8);
  chunkmap.chunks[0].cell(2, 1) |= CELL_VFLIP;
  render_all_chunks(chunkmap, level_bitmaps);
  build_chunk_thumbnails(chunkmap, level_bitmaps);
  FrameHashes seen;
  auto snap = [&](const std::string& name) {
    in.then([&seen, name](ScriptedInput& s) { seen.push_back({name, colour_hash(s.screen.get())}); });
  };
  in.idle(2);
  snap("tile selector");
  in.press(KEY_RIGHT).idle(7);
  snap("tile selector scrolling");
  in.idle(8).release(KEY_RIGHT).idle();
  in.press(KEY_LEFT).idle(15).release(KEY_LEFT).idle();
  in.then([](ScriptedInput&) { ASSERT_EQ(current_chunk, 0); });
  choose_tile();
  over_cell(2, 1).idle(2);
  ctrl_click();
  over_cell(1, 2).idle(2);
  snap("editing zoom 0");
  in.wheel(-6).idle(2);
  snap("editing zoom -12");
  in.wheel(30).idle(2);
  snap("editing zoom 48");
  in.move(100, 100).idle();
  in.click().idle(3);
  snap("block selector");
  in.move(400, 100).idle(3);
  snap("block selector moved");
  escape();  // the block selector
  in.idle(2);
  escape();  // the mark
  escape();  // the editing view, whose question N answers
  answer(KEY_N);
  escape();  // the tile selector
  run();
  expect_frame_hashes("chunk editor tour", seen,
                      {
    {"tile selector", 0xe044ba8df9d054eaull},
    {"tile selector scrolling", 0x4b71e6da8cf43742ull},
    {"editing zoom 0", 0xa5d2b763fbe08426ull},
    {"editing zoom -12", 0x675176593ea77432ull},
    {"editing zoom 48", 0x6177d3a56032c62cull},
    {"block selector", 0xa4b441d4c267a7bbull},
    {"block selector moved", 0xd5a2bc068d35c3e3ull},
                      });
}
