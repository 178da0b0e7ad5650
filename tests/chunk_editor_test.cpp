// The chunk editor's passes in cases its whole session (chunk_editor_tour_test.cpp) does not
// reach: filling marked cells and undoing it, kept changes and the level's undo, the undo size
// set in SETUP, and the drawing at its edges.
#include <allegro.h>
#include <loadpng.h>

#include <cstring>
#include <filesystem>

#include "app/main_menu.h"
#include "chunk_editor_fixture.h"
#include "chunkedit/chunk_editor.h"
#include "chunkedit/chunk_editor_drawing.h"
#include "chunkedit/chunk_images.h"
#include "leveledit/level_undo.h"
#include "ui/messages.h"

using Screen = ChunkEditorScreen;

namespace {

class ChunkEditor : public ChunkEditorFixture {
 protected:
  // Enter in the tile selector chooses the tile under the centre.
  void choose_tile() { in.press(KEY_ENTER).idle().release(KEY_ENTER).idle(); }
  // Escape `times` over (the last one leaving the tile selector), then runs the editor.
  void escape_and_run(int times) {
    for (int i = 0; i < times; ++i) key(KEY_ESC);
    run();
  }
  // Leaves the editing view answering the save question, leaves the tile selector and runs.
  void leave_answering(int yes_or_no) {
    key(KEY_ESC);
    key(yes_or_no);
    escape_and_run(1);
  }
};

}  // namespace

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
  headless_screen();
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

TEST_F(ChunkEditor, EnterOnAnUnmarkedCellFillsTheMarkedCellsAndUndoTakesEachBack) {
  const Chunk original = chunkmap.chunks[0];
  choose_tile();
  const int marked[][2] = {{0, 0}, {1, 1}, {3, 2}};  // both corners of the used area too
  for (const auto& m : marked) {
    over_cell(m[0], m[1]).idle();
    ctrl_click();
  }
  over_cell(2, 0).idle();
  key(KEY_ENTER);  // the selector does not open: the marked cells take cell (2, 0)'s word
  in.then([&marked](ScriptedInput&) {
    const Chunk& c = chunkmap.chunks[0];
    for (const auto& m : marked) EXPECT_EQ(c.cell(m[0], m[1]), 3);
    EXPECT_EQ(c.cell(3, 1), 8);
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
  for (const auto& m : marked) EXPECT_EQ(chunkmap.chunks[0].cell(m[0], m[1]), 3);
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
  key(KEY_ESC);
  editor_mode = 2;
  run_mode(2);
  EXPECT_TRUE(in.script_done());
  EXPECT_EQ(level_history.undo_count(), 1u);
  choose_tile();
  key(KEY_CLOSEBRACE);  // one column wider
  key(KEY_ESC);
  key(KEY_Y);
  key(KEY_ESC);
  const int8_t width = chunkmap.chunks[0].width;
  editor_mode = 2;
  run_mode(2);
  EXPECT_TRUE(in.script_done());
  EXPECT_EQ(chunkmap.chunks[0].width, width + 1);
  EXPECT_EQ(level_history.undo_count(), 0u);
  level_history_loaded(0);
}

// At 100 % the read-outs (zoom, undo, frame rate) keep off the tile: its 256 x 256 pixels
// show only its block while all three show.
TEST_F(ChunkEditor, TheReadoutsKeepOffTheTileAt100Percent) {
  Chunk& tile = chunkmap.chunks[0];
  tile.width = tile.height = 16;
  for (uint16_t& w : tile.cells) w = 30;
  fps_counter_enabled = 1;
  fps_value = 60;
  choose_tile();
  over_cell(0, 0).idle();
  key(KEY_DEL);
  in.move(400, 400).idle();
  ctrl_key(KEY_Z);
  in.then([](ScriptedInput& s) {
    ASSERT_NE(undo_readout_text(timer_ticks), "");
    for (int y = 0; y < 256; ++y)
      for (int x = 0; x < 256; ++x)
        ASSERT_EQ(pixel32(s.screen.get(), x, y) & 0xFFFFFF, solid_block_colour(30) & 0xFFFFFF) << x << "," << y;
  });
  leave_answering(KEY_N);
  fps_counter_enabled = 0;
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

// F12 saves the current tile as tile_NNN.png: from the tile selector and from the editing view,
// the picture the editor shows of it, pixel for pixel; a tile that does not exist writes nothing.
TEST_F(ChunkEditor, F12SavesTheTileAsAPicture) {
  ScopedCwd cwd(scratch_dir("chunk_png"));
  key(KEY_F12);   // tile 0 in the tile selector
  choose_tile();  // the editing view of tile 0
  key(KEY_F12);
  escape_and_run(2);
  EXPECT_EQ(captured_messages(),
            (std::vector<std::string>{"TILE 0 SAVED AS \"tile_000.png\".", "TILE 0 SAVED AS \"tile_000.png\"."}));
  EXPECT_TRUE(save_chunk_png(2));  // the last tile
  for (int t : {0, 2}) {
    const std::string name = "tile_00" + std::to_string(t) + ".png";
    BitmapPtr saved(load_png(name.c_str(), nullptr));
    ASSERT_TRUE(saved) << name;
    const BitmapPtr shown = render_chunk_bitmap(chunkmap.chunks[static_cast<size_t>(t)], block_bitmaps);
    ASSERT_EQ(saved->w, shown->w);
    ASSERT_EQ(saved->h, shown->h);
    for (int y = 0; y < shown->h; ++y)
      for (int x = 0; x < shown->w; ++x)
        ASSERT_TRUE(rgb_at(saved.get(), x, y) == rgb_at(shown.get(), x, y)) << x << "," << y;
  }
  captured_messages().clear();
  EXPECT_FALSE(save_chunk_png(3));
  EXPECT_EQ(captured_messages(),
            (std::vector<std::string>{"ERROR: Tile 3 does not exist; \"tile_003.png\" not written."}));
  EXPECT_FALSE(std::filesystem::exists("tile_003.png"));
}

// Each editing pass starts afresh: the keypad Enter that chose the tile, still held, opens no
// block selector, and cells marked in the last pass (left by Escape off the tile, which keeps
// the marks) are no longer marked.
TEST_F(ChunkEditor, APassStartsWithEnterReleasedAndNoCellMarked) {
  over_cell(1, 1).idle();
  in.press(KEY_ENTER_PAD).idle(3).release(KEY_ENTER_PAD).idle(2);
  expect_screen(Screen::Editing);
  for (int c : {0, 1}) {
    over_cell(c, 2).idle();
    ctrl_click();
  }
  in.move(300, 300).idle();
  key(KEY_ESC);
  expect_screen(Screen::TileSelector);
  choose_tile();
  over_cell(3, 0).idle();
  key(KEY_ENTER).idle(2);
  expect_screen(Screen::BlockSelector);
  escape_and_run(3);
}

// In the hybrid mode a click holds the roaming camera; a click on a cell of the held view
// then opens the block selector.
TEST_F(ChunkEditor, InTheHybridModeAClickOnACellOfTheHeldViewOpensTheBlockSelector) {
  meta_editor_modes = static_cast<uint8_t>((meta_editor_modes & 0xF0) | MODE_HYBRID);
  choose_tile();
  over_cell(1, 1).idle();
  in.click().idle(2);
  expect_screen(Screen::Editing);
  in.click().idle(3);
  expect_screen(Screen::BlockSelector);
  escape_and_run(4);
}
