// A small level for the chunk editor's screen tests: distinct solid blocks 0..39 and
// three chunks (4x3 numbered 1..12, a full 16x16, a 1x1), with images and thumbnails, the
// default settings and an empty undo history, driven by a ScriptedInput at 640x480.
#pragma once
#include <gtest/gtest.h>

#include <stdexcept>

#include "chunkedit/chunk_editor.h"
#include "chunkedit/chunk_editor_state.h"
#include "chunkedit/chunk_history.h"
#include "chunkedit/chunk_undo.h"
#include "gamedata/level_state.h"
#include "gamedata/chunk_graphics.h"
#include "render/undo_readout.h"
#include "render/view_state.h"
#include "test_support.h"
#include "ui/screen_state.h"
#include "ui/settings.h"

// Thrown when the script ran out while a screen still waited (a question nobody answers,
// a loop that did not end).
struct ScriptRanOut : std::runtime_error {
  ScriptRanOut() : std::runtime_error("the script ran out while the screen kept waiting") {}
};

inline uint32_t solid_block_colour(int i) { return 0xFF000000u | uint32_t(0x20 + 5 * i) << 16 | uint32_t(0x80 + i) << 8 | 0x10; }

class ChunkEditorFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    headless_screen(640, 480);
    for (int i = 0; i < 40; ++i) {
      block_bitmaps[i] = make_bitmap(16, 16);
      clear_to_color(block_bitmaps[i].get(), solid_block_colour(i));
    }
    add_chunk(4, 3);
    for (int r = 0; r < 3; ++r)
      for (int c = 0; c < 4; ++c) chunkmap.chunks[0].cell(c, r) = static_cast<uint16_t>(1 + c + 4 * r);
    add_chunk(16, 16);
    for (uint16_t& w : chunkmap.chunks[1].cells) w = 30;
    add_chunk(1, 1).cells[0] = 7;
    render_all_chunks(chunkmap, level_bitmaps);
    build_chunk_thumbnails(chunkmap, level_bitmaps);
    reset_chunk_editor_state();
    allocate_chunk_undo(meta_undo_size);
    level_changed_flags = 0;
    editor_mode = 2;
    camera_x = camera_y = 0;
    level_zoom = 0;
    camera_state = 0;
    fast_scroll_latch = 0;
    wheel_now = wheel_before = 0;
    click_event = 0;
    buttons_before = 0;
    in.mx = 320;
    in.my = 240;
    in.idle_limit = 2000;
    in.on_hang = [] { throw ScriptRanOut(); };
  }
  void TearDown() override { chunk_editor_screen = ChunkEditorScreen::None; }
  Chunk& add_chunk(int w, int h) {
    chunkmap.chunks.emplace_back();
    Chunk& c = chunkmap.chunks.back();
    c.width = static_cast<int8_t>(w);
    c.height = static_cast<int8_t>(h);
    return c;
  }
  // Mouse over cell (c, r) of a chunk drawn at zoom 0 with no scrolling.
  ScriptedInput& over_cell(int c, int r) { return in.move(8 + 16 * c, 8 + 16 * r); }
  ScriptedInput& with_flags(int flags) {
    return in.then([flags](ScriptedInput& s) { s.key_shift_flags = flags; });
  }
  ScriptedInput& ctrl_key(int key) { return with_flags(KB_CTRL_FLAG).tap(key).idle().then([](ScriptedInput& s) { s.key_shift_flags = 0; }); }
  ScriptedInput& ctrl_click() { return with_flags(KB_CTRL_FLAG).click().idle().then([](ScriptedInput& s) { s.key_shift_flags = 0; }); }
  ScriptedInput& key(int k) { return in.press(k).idle().release(k); }
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
  ScriptedInput& expect_screen(ChunkEditorScreen screen) {
    return in.then([screen](ScriptedInput&) { EXPECT_EQ(static_cast<int>(chunk_editor_screen), static_cast<int>(screen)); });
  }

  ScriptedInput in{640, 480};
  ScopedInput guard{in};
};
