// The tile selector and the block context menu, one frame at a time.
#include <array>
#include <cstring>

#include "chunk_editor_fixture.h"
#include "chunkedit/block_context_menu.h"
#include "chunkedit/block_selector.h"
#include "chunkedit/chunkmap_edits.h"
#include "chunkedit/tile_selector.h"
#include "game_fixtures.h"
#include "ui/frame.h"
#include "ui/messages.h"

namespace {

class Selectors : public ChunkEditorFixture {
 protected:
  void SetUp() override {
    ChunkEditorFixture::SetUp();
    chunk_selection_mode = MODE_ROAMING;
    selection_bar_y = SELECTION_BAR_HEIGHT;
    selection_bar_shown = 1;
    bar_at_top = 0;
    captured_messages().clear();
  }
  // Shift+Delete in the tile selector, and its frames.
  void shift_delete() {
    with_flags(KB_SHIFT_FLAG).tap(KEY_DEL).idle();
    tile_frames(3);
  }
  // Tile selector frames until the script has run out, and one more.
  void run_tiles() {
    do tile_frames(1);
    while (!in.script_done());
    tile_frames(1);
  }
  void tile_frames(int n) {
    for (int i = 0; i < n; ++i) {
      end_editor_frame(display);
      tile_selector();
      wheel_before = wheel_now;
    }
  }
};

}  // namespace

TEST_F(Selectors, MenuNearTheBottomRightCornerOpensUpAndToTheLeft) {
  // At (496, 308) the box just fits.
  for (const auto& [x, y, left, top] : {std::array{600, 450, 456, 278}, {496, 308, 496, 308}, {497, 309, 353, 137}})
    EXPECT_EQ((std::pair<int, int>(block_menu_place(x, y).x, block_menu_place(x, y).y)), std::pair(left, top)) << x;
  // Run there: DELETE, the last line, lies at y 278 + 148; clicking it clears the cell.
  Chunk& chunk = chunkmap.chunks[0];
  in.move(476, 278 + 148 + 11).idle().click();
  block_context_menu(600, 450, chunk, cell_index(1, 1), nullptr);
  EXPECT_EQ(chunk.cell(1, 1), 0);
  end_chunk_step();
  EXPECT_EQ(chunk_history.undo_count(), 1u);
  // A click on a separator closes the menu and changes nothing.
  in.move(476, 278 + 32 + 4).idle().click();
  block_context_menu(600, 450, chunk, cell_index(2, 1), nullptr);
  EXPECT_EQ(chunk.cell(2, 1), 7);
  end_chunk_step();
  EXPECT_EQ(chunk_history.undo_count(), 1u);
}

TEST_F(Selectors, ShiftDeleteRemovesOnlyTheLastUnplacedTile) {
  // Tile 0 is not the last: refused with a message.
  shift_delete();
  EXPECT_EQ(chunkmap.count(), 3);
  ASSERT_EQ(captured_messages().size(), 1u);
  // The last tile, placed in the front layout: refused.
  front_layout.height = 16;
  front_layout.rows.resize(2);
  front_layout.rows[1].objects.push_back({0x0202, 40});
  camera_x = 2 * 704;
  shift_delete();
  EXPECT_EQ(chunkmap.count(), 3);
  EXPECT_EQ(captured_messages().size(), 2u);
  // Not placed any more: removed, with its image and thumbnail.
  front_layout.rows[1].objects.clear();
  shift_delete();
  EXPECT_EQ(chunkmap.count(), 2);
  EXPECT_EQ(chunk_thumbnail_count, 2);
  EXPECT_FALSE(chunk_bitmaps[2]);
  EXPECT_EQ(current_chunk, 1);
  EXPECT_EQ(captured_messages().size(), 2u);
}

TEST_F(Selectors, RefusalsNameTheTileAndAFullChunkmapTakesNoMore) {
  const LayoutPlane none;
  EXPECT_EQ(chunk_removal_refusal(chunkmap, none, none, 3), "TILE 3 DOES NOT EXIST.");
  EXPECT_EQ(chunk_removal_refusal(chunkmap, none, none, -1), "TILE -1 DOES NOT EXIST.");
  EXPECT_EQ(chunk_removal_refusal(chunkmap, none, none, 1),
            "ONLY THE LAST TILE (2) CAN BE DELETED: LAYOUTS NAME TILES BY NUMBER.");
  EXPECT_EQ(chunk_removal_refusal(chunkmap, none, none, 2), "");
  chunkmap.chunks.resize(1);
  EXPECT_EQ(chunk_removal_refusal(chunkmap, none, none, 0), "TILE 0 IS THE ONLY TILE AND CANNOT BE DELETED.");
  while (chunkmap.count() < MAX_EDITABLE_CHUNKS) append_empty_chunk(chunkmap);
  in.tap(KEY_I).idle();
  run_tiles();
  EXPECT_EQ(chunkmap.count(), MAX_EDITABLE_CHUNKS);
  EXPECT_EQ(captured_messages(), std::vector<std::string>{"THE CHUNKMAP HOLDS 512 TILES: NO MORE CAN BE ADDED."});
}

// With a project loaded the chunk set is its theme's: the levels of that theme count too.
TEST_F(Selectors, ShiftDeleteIsRefusedWhileALevelOfTheThemePlacesTheTile) {
  ScopedCwd cwd(scratch_dir("shift_delete_project"));
  auto layout = [](const char* path, uint8_t theme, uint16_t code) {
    LayoutPlane p;
    p.theme = theme;
    p.width = 320;
    p.height = 32;
    p.rows.resize(3);
    p.rows[2].objects.push_back({code, 200});
    write_bytes(path, layout_bytes(p));
  };
  front_layout.theme = 1;
  layout("l4f.lvl", 1, 0x0001);
  layout("l4b.lvl", 1, 0x0202);  // tile 2, flipped, in the back layout of a theme-1 level
  layout("l5f.lvl", 0, 0x0002);  // tile 2 in a level of another theme
  project.level_paths[0] = "d4.gll";  // level 0, the first a project has
  project.levels[0].map_front = "l4f.lvl";
  project.levels[0].map_back = "l4b.lvl";
  project.level_paths[5] = "d5.gll";
  project.levels[5].map_front = "l5f.lvl";
  camera_x = 2 * 704;
  shift_delete();
  EXPECT_EQ(chunkmap.count(), 3);
  EXPECT_EQ(captured_messages(),
            std::vector<std::string>{"TILE 2 IS PLACED IN LEVEL 00 OF THE PROJECT AND CANNOT BE DELETED."});
  project.levels[0].map_back.clear();
  shift_delete();
  project = ProjectTables();
  captured_messages().clear();
  EXPECT_EQ(chunkmap.count(), 2);
}

TEST_F(Selectors, DeleteClearsAndCtrlCCtrlVCopyATileAfterTheQuestion) {
  with_flags(KB_CTRL_FLAG).tap(KEY_V).idle();  // nothing copied yet: no question, no paste
  with_flags(0).tap(KEY_Y).idle();
  run_tiles();
  EXPECT_EQ(chunkmap.chunks[0].width, 4);
  camera_x = 2 * 704;  // tile 2: 1x1 block 7
  with_flags(KB_CTRL_FLAG).tap(KEY_C).idle();
  with_flags(0).then([](ScriptedInput&) { camera_x = 0; }).idle();
  with_flags(KB_CTRL_FLAG).tap(KEY_V).idle();
  with_flags(0).tap(KEY_N).idle();  // no: tile 0 stays
  run_tiles();
  EXPECT_EQ(chunkmap.chunks[0].width, 4);
  with_flags(KB_CTRL_FLAG).tap(KEY_V).idle();
  with_flags(0).tap(KEY_Y).idle();
  run_tiles();
  EXPECT_EQ(std::memcmp(&chunkmap.chunks[0], &chunkmap.chunks[2], sizeof(Chunk)), 0);
  EXPECT_EQ(chunk_bitmaps[0]->w, 16);
  in.tap(KEY_DEL).idle().tap(KEY_Y).idle();
  run_tiles();
  EXPECT_EQ(chunkmap.chunks[0].cells[0], 0);
  EXPECT_EQ(chunkmap.chunks[0].width, 1);
  EXPECT_EQ(pixel32(chunk_bitmaps[0].get(), 4, 4), solid_block_colour(0) & 0xFFFFFF);
}

