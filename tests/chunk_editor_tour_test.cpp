// A whole session of the chunk editor through its keys and mouse: the tile selector, the
// editing view, the block selector and the block menu, one named step after another. After
// each step the presented frame and everything the session can change (the chunks, the view,
// the screen shown, the unsaved flags and the messages) are hashed and compared with the values
// recorded when the session was checked step by step, so a fault fails here at the step that
// shows it. After a deliberate change, look at the frames again (MOSSFORGE_TOUR_FRAMES=DIR
// writes them there as PNGs) and store the printed values.
#include <allegro.h>
#include <loadpng.h>

#include "chunk_editor_fixture.h"
#include "chunkedit/chunk_editor.h"
#include "game_fixtures.h"
#include "step_hashes.h"
#include "ui/messages.h"

namespace {

class ChunkEditorTour : public ChunkEditorFixture {
 protected:
  FrameHashes seen;

  // Queues the record of the frame and the session's state under a step's name.
  void record(const std::string& name) {
    in.then([this, name](ScriptedInput& s) {
      uint64_t h = colour_hash(s.screen.get());
      auto mix = [&h](const void* p, size_t n) { h = fnv_mix(h, p, n); };
      const std::vector<uint8_t> chunks = chunk_set_bytes(chunkmap);
      mix(chunks.data(), chunks.size());
      const int state[] = {current_chunk, camera_x, camera_y, level_zoom, camera_state, level_changed_flags,
                           static_cast<int>(chunk_editor_screen), selected_block, layer_visibility};
      mix(state, sizeof state);
      for (const std::string& m : captured_messages()) mix(m.c_str(), m.size() + 1);
      captured_messages().clear();
      save_tour_frame(s.screen.get(), seen.size());
      seen.push_back({name, h});
    });
  }
  // A key pressed with `flags` held, then `polls` polls, then the record.
  void press(const std::string& name, int scancode, int flags = 0, int polls = 2) {
    with_flags(flags).press(scancode).idle().release(scancode).then([](ScriptedInput& s) { s.key_shift_flags = 0; });
    in.idle(polls);
    record(name);
  }
  // Slash, the digits of `number` and Enter, as the number prompts read them.
  void go_to(const std::string& name, const std::string& number) {
    in.press(KEY_SLASH).release(KEY_SLASH);
    for (char c : number) in.tap(KEY_0 + (c - '0'));
    in.tap(KEY_ENTER).idle(3);
    record(name);
  }
  // F1 held and let go, the help recorded as `shown`, then a key ends it, recorded as `ended`.
  void help(const std::string& shown, const std::string& ended) {
    in.press(KEY_F1).idle(2).release(KEY_F1).idle(15);
    record(shown);
    in.type_key(KEY_SPACE, ' ').idle(2);
    record(ended);
  }
};

}  // namespace

TEST_F(ChunkEditorTour, ChoosingAndEditingTilesStepByStep) {
  meta_editor_modes = 0x11;
  layer_visibility = 0;  // entering shows every layer again
  fps_counter_enabled = 1;
  for (int b = 0; b < 40; ++b)
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 16; ++x)
        put_pixel32(block_bitmaps[b].get(), x, y,
                    b % 4 == 3 && x == y ? MASK_COLOUR : solid_block_colour(b) ^ uint32_t(x * 16) ^ uint32_t(y * 16) << 8);
  chunkmap.chunks[0].cell(2, 1) |= CELL_VFLIP;
  render_all_chunks(chunkmap, level_bitmaps);
  build_chunk_thumbnails(chunkmap, level_bitmaps);

  in.idle(2);
  record("the tile selector");
  press("right arrow scrolls", KEY_RIGHT, 0, 8);
  press("shift right arrow scrolls faster", KEY_RIGHT, KB_SHIFT_FLAG, 6);
  press("left arrow scrolls back", KEY_LEFT, 0, 4);
  in.wheel(2).idle(4);
  record("the wheel scrolls");
  go_to("slash goes to a tile number", "1");
  press("i inserts a tile", KEY_I);
  press("insert inserts another", KEY_INSERT);
  press("shift delete deletes the last unplaced tile", KEY_DEL, KB_SHIFT_FLAG);
  press("ctrl c copies the tile", KEY_C, KB_CTRL_FLAG);
  go_to("slash: tile 0", "0");
  press("ctrl v asks before pasting: no", KEY_V, KB_CTRL_FLAG);
  press("n keeps the tile", KEY_N);
  help("f1 shows the tile selector's help", "a key ends the help");
  press("enter chooses the tile", KEY_ENTER);
  over_cell(1, 1).idle(2);
  record("over a cell");
  in.click().idle(3);
  record("a click opens the block selector");
  help("f1 shows the block selector's help", "a key ends that help");
  press("right arrow picks the next block", KEY_RIGHT, 0, 6);
  press("1 toggles the bits of the block", KEY_1);
  press("2 flips it", KEY_2);
  press("3 toggles its col bit", KEY_3);
  press("4 toggles its pri bit", KEY_4);
  press("space hides the bar", KEY_SPACE);
  press("space shows it", KEY_SPACE);
  go_to("slash goes to a block number", "20");
  press("enter puts the block in the cell", KEY_ENTER, 0, 3);
  over_cell(2, 1).idle();
  ctrl_click();
  over_cell(3, 2).idle();
  ctrl_click();
  record("ctrl clicks mark two cells");
  over_cell(0, 0).idle();
  press("enter fills the marked cells", KEY_ENTER);
  over_cell(3, 0).idle();
  ctrl_click();
  press("esc unmarks", KEY_ESC);
  press("delete clears the block", KEY_DEL);
  over_cell(2, 2).idle();
  in.click(2).idle(2);
  record("a right click opens the block menu");
  in.move(60, 40 + 148 + 11).idle().click().idle(2);  // DELETE, the menu's twelfth line
  record("its delete line clears the cell");
  over_cell(1, 1).idle();
  in.click(2).idle(2).move(44, 24 + 116 + 11).idle().click().idle(2);  // COPY, the tenth line
  record("the block menu copies a flipped block");
  over_cell(0, 2).idle();
  in.click(2).idle(2).move(28, 40 + 132 + 11).idle().click().idle(2);  // PASTE, the eleventh
  record("its paste line puts it in another cell");
  over_cell(1, 1).idle();
  press("delete clears the flipped block", KEY_DEL);
  press("close bracket widens the tile", KEY_CLOSEBRACE);
  press("open bracket narrows it", KEY_OPENBRACE);
  press("open bracket again", KEY_OPENBRACE);
  press("shift close bracket heightens it", KEY_CLOSEBRACE, KB_SHIFT_FLAG);
  press("shift open bracket shortens it", KEY_OPENBRACE, KB_SHIFT_FLAG);
  over_cell(1, 1).idle();
  press("ctrl m mirrors the tile", KEY_M, KB_CTRL_FLAG);
  press("ctrl f flips it", KEY_F, KB_CTRL_FLAG);
  press("ctrl r rotates it", KEY_R, KB_CTRL_FLAG);
  over_cell(1, 0).idle();
  press("ctrl c copies the block", KEY_C, KB_CTRL_FLAG);
  over_cell(2, 0).idle();
  press("ctrl v pastes it", KEY_V, KB_CTRL_FLAG);
  press("ctrl z undoes", KEY_Z, KB_CTRL_FLAG);
  press("ctrl z again", KEY_Z, KB_CTRL_FLAG);
  press("ctrl y redoes", KEY_Y, KB_CTRL_FLAG);
  press("ctrl shift z redoes", KEY_Z, KB_CTRL_FLAG | KB_SHIFT_FLAG);
  press("f9 hides layer L", KEY_F9);
  press("f10 hides layer H: no tile", KEY_F10);
  press("f9 shows layer L", KEY_F9);
  press("f10 shows layer H", KEY_F10);
  in.wheel(-3).idle(3);
  record("the wheel zooms out");
  press("page up zooms in", KEY_PGUP);
  press("home: 100 percent", KEY_HOME);
  in.press(KEY_PGUP).idle(9).release(KEY_PGUP).idle(2);
  record("page up held repeats from the seventh frame");
  press("shift page down zooms out two steps", KEY_PGDN, KB_SHIFT_FLAG);
  in.wheel(30).idle(3);
  record("the wheel zooms to the top");
  press("home again", KEY_HOME);
  help("f1 shows the editing help", "a key ends it");
  press("esc asks whether to keep the tile", KEY_ESC);
  press("y keeps it", KEY_Y, 0, 3);
  go_to("slash: the tall tile", "1");
  press("enter chooses it", KEY_ENTER);
  in.wheel(30).idle(3);
  record("the tall tile at the top zoom");
  in.move(320, 476).idle(6);
  record("the mouse at the bottom scrolls down");
  in.move(320, 3).idle(3);
  record("at the top it scrolls back");
  in.move(320, 240).idle();
  press("home", KEY_HOME);
  over_cell(15, 15).idle();
  press("delete clears its last block", KEY_DEL);
  press("esc asks", KEY_ESC);
  press("n gives the tile back", KEY_N, 0, 3);
  press("delete clears the tile after a question", KEY_DEL);
  press("y clears it", KEY_Y);
  press("enter edits the cleared tile", KEY_ENTER);
  over_cell(0, 0).idle();
  in.click().idle(3);
  record("the block selector once more");
  press("2 flips the block in the selector", KEY_2);
  press("esc in the block selector keeps the cell", KEY_ESC);
  key(KEY_ESC).idle(2);  // leaves the unchanged tile, then the editor
  key(KEY_ESC);
  run();
  expect_step_hashes("chunk editor session", seen, {
    0x3fc2b9e659e1459eull, 0xabafacc8caf42cdeull, 0x1fd896fddd6c25ddull, 0x7cbf9b6e2443f260ull, 0x586800bd211e56dfull,
    0x548ded45ef09119dull, 0x49e9511e975f9f6eull, 0xc6a0799580688b91ull, 0x49e9511e975f9f6eull, 0x49e9511e975f9f6eull,
    0x2b9261311da07b8dull, 0x2f9dc733d14aa486ull, 0x2b9261311da07b8dull, 0x60d3043848a3d04bull, 0x2b9261311da07b8dull,
    0xb21c9870b5ae5b9full, 0x9d0c29b8356faf37ull, 0xcdcc3accebfdd0dfull, 0x258ea2c130e50d36ull, 0xcdcc3accebfdd0dfull,
    0xe0103e10b81a018full, 0x929327ed17fff8c9ull, 0x92645e871a4bb82cull, 0xa45aec82727696dcull, 0x39de5af5c0a57cf8ull,
    0x0d8cea73a30c1f4cull, 0x802031a3d08577d8ull, 0x9879fd349c40277eull, 0xe5e58e654eec4b43ull, 0x714b7ea777283b9full,
    0x5b41cf3938f8881aull, 0xced7f8b53b09e0f2ull, 0xe05b9244f851fb6eull, 0xfc81931a2d8e758aull, 0x09dfff000da90aecull,
    0x1588f2e6b3a8382cull, 0xd255409a1a81cacdull, 0xd284daf8531beb3bull, 0x359eddfad4e13ca8ull, 0xd284daf8531beb3bull,
    0xed4c705678a0b609ull, 0x1298100de78b209aull, 0xed4c705678a0b609ull, 0xc7c70309609fd029ull, 0x5076ff38859b9c0dull,
    0xed4c705678a0b609ull, 0x953a29131b7d6069ull, 0x1d855de1904640e0ull, 0xb5770a86e4501d87ull, 0x1b599ffb7fd70e25ull,
    0xb5770a86e4501d87ull, 0x3faff48954a9d68full, 0x9fb54880fe7419feull, 0x7dcd4044489744ceull, 0xffba9c78a83e5d6dull,
    0x3faff48954a9d68full, 0x36ee2cfea4dc8f6full, 0xc2c861bc89789454ull, 0x87b4c7590432b8f8ull, 0xba2807e7b9e285b5ull,
    0x5e129b9b89bb77aeull, 0x2dcf317419db23c8ull, 0x87b4c7590432b8f8ull, 0x199927283bcebf86ull, 0x87b4c7590432b8f8ull,
    0x14179b341236db64ull, 0xcca10f4f9a3dbcd7ull, 0xeeb3370463d042caull, 0x0295fb2dfa113ac0ull, 0x370b9d32c15e48edull,
    0xfe20e8db86e227edull, 0xda32daf160f8ed24ull, 0x56711f9b14d089c0ull, 0x476341420ab82d1aull, 0x2f603d9171fba063ull,
    0x393eca1b55d061d9ull, 0xe90ce91c82d13986ull, 0x664bcf3ae5c50806ull, 0xf52eddd957f20a62ull, 0x2f3ef4b518d43751ull,
    0xb6eb88d040f66060ull, 0x242a56037eada03aull,
  });
}
