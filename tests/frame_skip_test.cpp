// Frame skip: with a setting of n, the level editor composes and shows one frame in n + 1 and
// still acts on the input of every frame; with VSYNC on, every frame waits for the retrace, and
// so does each frame of the menus.
#include "level_editor_fixture.h"
#include "ui/frame.h"

namespace {

class FrameSkip : public LevelEditorTest {};

}  // namespace

TEST_F(FrameSkip, OneFrameInSkipPlusOneIsShown) {
  for (const int skip : {0, 1, 2, 3}) {
    make_level();
    enter();
    frame_skip = static_cast<uint8_t>(skip);
    frame_counter = 0;
    snap_to_grid = 0;
    vsync_enabled = 1;
    const int before = in->presents, vsyncs = in->vsyncs;
    frames(12);
    EXPECT_EQ(in->presents - before, 12 / (skip + 1)) << skip;
    EXPECT_EQ(in->vsyncs - vsyncs, 12) << skip;
    vsync_enabled = 0;
    key(KEY_F4);  // read on a frame that shows nothing, too
    key(KEY_F4);
    key(KEY_F4);
    EXPECT_EQ(snap_to_grid, 1) << skip;
    frame_skip = 0;
  }
}

TEST_F(FrameSkip, MenuFramesWaitForTheRetraceWithVsyncOn) {
  for (const uint8_t on : {0, 1}) {
    vsync_enabled = on;
    const int presents = in->presents, vsyncs = in->vsyncs;
    present_frame(display);
    EXPECT_EQ(in->presents - presents, 1);
    EXPECT_EQ(in->vsyncs - vsyncs, on);
  }
  vsync_enabled = 0;
}
