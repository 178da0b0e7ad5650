#include <gtest/gtest.h>

#include <tuple>

#include "chunkedit/chunk_editor.h"
#include "chunkedit/chunk_editor_state.h"
#include "chunkedit/selector_scroll.h"
#include "render/view_state.h"
#include "test_support.h"
#include "ui/screen_state.h"
#include "ui/settings.h"

namespace {

// One frame of the block bar's scrolling with the mouse at x (the screen's centre is 320),
// the left button held or not; returns how far the camera moved.
int32_t scrolled(ScriptedInput& in, int x, bool held, int32_t from = 8000) {
  in.mx = x;
  in.mb = held ? 1 : 0;
  camera_x = from;
  scroll_strip(block_bar_scroll());
  return camera_x - from;
}

}  // namespace

// The mouse band: still within 8 pixels of the centre, then the camera follows the mouse
// (roaming) or, once the mouse has left the band with the button held, scrolls four times
// as fast until the button goes up.
TEST(SelectorScroll, BandEdgesLatchAndClamps) {
  ScriptedInput in(640, 480);
  ScopedInput guard(in);
  chunk_selection_mode = MODE_ROAMING;
  for (const auto& [x, held, moved] : {std::tuple{327, false, 0}, {328, false, 0}, {329, false, 1}, {312, false, 0},
                                      {311, false, -1}, {416, true, 88}})
    EXPECT_EQ(scrolled(in, x, held), moved) << x;
  EXPECT_EQ(fast_scroll_latch, 0) << "the band is 96 pixels each side";
  // Out of the band with the button held: latched; back inside it stays fast.
  EXPECT_EQ(scrolled(in, 417, true), 4 * 97 - 32);
  EXPECT_EQ(fast_scroll_latch, 1);
  EXPECT_EQ(scrolled(in, 328, true), 0);
  EXPECT_EQ(scrolled(in, 329, true), 4);
  EXPECT_EQ(scrolled(in, 311, true), -4);
  // Button up: the latch goes and the roaming speed comes back.
  EXPECT_EQ(scrolled(in, 329, false), 1);
  EXPECT_EQ(fast_scroll_latch, 0);
  // Static selection: the band does nothing without the latch.
  chunk_selection_mode = MODE_STATIC;
  EXPECT_EQ(scrolled(in, 400, false), 0);
  // The camera stops exactly at both ends.
  EXPECT_EQ(scrolled(in, 0, true, 10) + 10, 0);
  EXPECT_EQ(scrolled(in, 639, true, block_bar_scroll().top - 10) + block_bar_scroll().top - 10,
            block_bar_scroll().top);
  chunk_selection_mode = MODE_ROAMING;  // as the chunk editor leaves it by default
}

// The chunk editor's view follows the mouse up and down beyond 8 pixels from the middle
// row (not while the right button is held), within the chunk; a screen of 512 rows or more
// shows the whole chunk.
TEST(ChunkEditorScroll, DeadZoneEdgesAndClamps) {
  ScriptedInput in(640, 480);
  ScopedInput guard(in);
  level_zoom = 48;  // 64-pixel cells: the chunk is 1024 pixels high
  const int32_t top = (16 * 64 - 480) * 8;
  auto moved = [&](int y, int buttons = 0, int32_t from = 1000) {
    in.my = y;
    in.mb = buttons;
    camera_y = from;
    scroll_editing_view();
    return camera_y - from;
  };
  EXPECT_EQ(moved(248), 0);
  EXPECT_EQ(moved(249), 1);
  EXPECT_EQ(moved(232), 0);
  EXPECT_EQ(moved(231), -1);
  EXPECT_EQ(moved(400, 2), 0);
  EXPECT_EQ(moved(0, 0, 100) + 100, 0);
  EXPECT_EQ(moved(479, 0, top - 10) + top - 10, top);
  camera_state = 1;  // a fixed camera does not follow
  EXPECT_EQ(moved(400), 0);
  camera_state = 0;
  screen_height = 512;
  EXPECT_EQ(moved(400) + 1000, 0);
}
