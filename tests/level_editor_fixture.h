// A small synthetic level and a scripted session of the level editor for screen tests.
#pragma once
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "gamedata/level_state.h"
#include "leveledit/level_editor.h"
#include "leveledit/level_editor_state.h"
#include "leveledit/level_undo.h"
#include "render/view_state.h"
#include "test_support.h"
#include "ui/screen_state.h"
#include "ui/settings.h"

std::vector<uint16_t> codes_of(const LayoutRow& r);
// A 16x16 bitmap filled with one colour (opaque, or the mask colour).
BitmapPtr solid_bitmap(uint32_t colour, int w = 16, int h = 16);
// Colour of test block b: distinct, opaque.
uint32_t block_colour(int b);
uint32_t pickup_colour(int type);

class LevelEditorTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // The level: `chunks` 1x1 chunks (chunk i is block i + 1), planes of width x height.
  void make_level(int chunks = 4, int width = 2048, int height = 512);
  Chunk& chunk(int i) { return chunkmap.chunks[static_cast<size_t>(i)]; }
  // Blocks 1..11 patterned (block 3 with transparent pixels), chunk 0 3x2 and chunk 1 2x2 of
  // them with flipped cells: what the frame tours draw, so that scaling and flips show.
  void pattern_blocks_and_chunks();
  LayoutRow& row(int r, bool back = false) { return (back ? back_layout : front_layout).rows[static_cast<size_t>(r)]; }

  // Enters the screen (settings as they are; the level as built counts as saved) and runs
  // `n` passes of its loop.
  void enter();
  void frames(int n);
  // Puts the mouse at (x, y) at once (not as a script step).
  void place_mouse(int x, int y) {
    in->mx = x;
    in->my = y;
  }
  // Presses and releases a key with `modifiers` held, types `text` after it, and runs a pass.
  void key(int scancode, int modifiers = 0, const std::string& text = "") {
    in->key_shift_flags = modifiers;
    in->press(scancode).release(scancode).type(text);
    frames(1);
    in->key_shift_flags = 0;
  }
  // The left button held down (1) or let go (0) from the next poll of the script on.
  ScriptedInput& button(int held) { return in->then([held](ScriptedInput& s) { s.mb = held; }); }
  // Runs passes until the script is used up.
  void run_script(int limit = 2000);
  // The screen position (top-left) of a non-chunk object's icon at zoom 0 with the camera at 0.
  static int icon_x(int x) { return x - 16; }
  static int icon_y(int row) { return 16 * row - 16; }

  uint32_t screen_pixel(int x, int y) { return pixel32(in->screen.get(), x, y); }
  // Whether the screen shows texts on one line at y, drawn in order (later ones over earlier ones),
  // over a background colour (black, or the highlight bar's).
  struct Piece { int x; uint8_t colour; std::string text; };
  bool shows_line(int y, const std::vector<Piece>& pieces, uint32_t background = 0);
  static constexpr uint32_t BAR = 0xFF3F00;

  std::unique_ptr<ScriptedInput> in;
  std::unique_ptr<ScopedInput> scope;
};
