#include "level_editor_fixture.h"
#include "render/status_bar.h"
#include "render/undo_readout.h"

namespace {

class LevelCamera : public LevelEditorTest {
 protected:
  // One frame of scrolling with the mouse at (x, y) on the 640 x 480 screen; returns how far
  // the camera moved from the middle of the world.
  std::pair<int32_t, int32_t> scrolled(int x, int y, int buttons = 0) {
    ledit.mouse_x = x;
    ledit.mouse_y = y;
    ledit.mouse_b = buttons;
    camera_x = camera_y = 40000;
    handle_scrolling();
    return {camera_x - 40000, camera_y - 40000};
  }
  using Move = std::pair<int32_t, int32_t>;
};

}  // namespace

// The camera follows the mouse beyond 8 pixels from the centre; outside a box of 96 x 72
// pixels each side the fast latch is set, and with the left button held it moves four
// times as fast. The scroll keys move it 256 units, 512 with Shift.
TEST_F(LevelCamera, MouseBandEdgesLatchAndKeys) {
  for (const auto& [x, y, moved] : {std::tuple{327, 240, Move{0, 0}}, {328, 240, {0, 0}}, {329, 240, {1, 0}},
                                    {312, 240, {0, 0}}, {311, 240, {-1, 0}}, {320, 248, {0, 0}}, {320, 249, {0, 1}},
                                    {320, 232, {0, 0}}, {320, 231, {0, -1}}, {416, 312, {88, 64}}})
    EXPECT_EQ(scrolled(x, y), moved) << x << "," << y;
  EXPECT_EQ(fast_scroll_latch, 0);
  scrolled(320, 313);
  EXPECT_EQ(fast_scroll_latch, 1);
  fast_scroll_latch = 0;
  scrolled(417, 240);
  EXPECT_EQ(fast_scroll_latch, 1);
  EXPECT_EQ(scrolled(329, 231, 1), Move(4, -4));
  EXPECT_EQ(scrolled(311, 249, 1), Move(-4, 4));
  EXPECT_EQ(scrolled(329, 240), Move(1, 0)) << "no button, no speed";
  camera_state = 1;  // a fixed camera does not follow the mouse
  EXPECT_EQ(scrolled(600, 400), Move(0, 0));
  in->keys = {key_scroll_up, key_scroll_left};
  EXPECT_EQ(scrolled(320, 240), Move(-256, -256));
  in->key_shift_flags = KB_SHIFT_FLAG;
  in->keys = {key_scroll_down, key_scroll_right};
  EXPECT_EQ(scrolled(320, 240), Move(512, 512));
}

// The wheel and the zoom keys stop at the smallest and largest zoom exactly.
TEST_F(LevelCamera, ZoomStopsAtBothEnds) {
  for (const auto& c : {std::pair<int, int>{MIN_ZOOM + 1, -3}, {MAX_ZOOM - 1, 3}}) {
    level_zoom = static_cast<int16_t>(c.first);
    wheel_before = 0;
    wheel_now = static_cast<int16_t>(c.second);
    handle_zoom_input();
    EXPECT_EQ(level_zoom, c.second < 0 ? MIN_ZOOM : MAX_ZOOM);
  }
}

// The undo read-out shows for 150 ticks; the status bar takes (width - 4) / 8 characters.
TEST(ReadoutLimits, UndoReadoutTicksAndStatusBarWidth) {
  show_undo_readout(3, 1, 100);
  EXPECT_EQ(undo_readout_text(249), "UNDO 3 / REDO 1");
  EXPECT_EQ(undo_readout_text(250), "");
  hide_undo_readout();
  EXPECT_EQ(undo_readout_text(101), "");
  EXPECT_EQ(status_bar_chars(640), 79u);
  EXPECT_EQ(status_bar_chars(12), 1u);
  EXPECT_EQ(status_bar_chars(11), 0u);
  EXPECT_EQ(status_bar_chars(4), 0u);
}
