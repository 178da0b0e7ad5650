// Frame skip: with a setting of n, the level editor composes and shows one frame in n + 1 and
// still acts on the input of every frame.
#include "level_editor_fixture.h"

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
    const int before = in->presents;
    frames(12);
    EXPECT_EQ(in->presents - before, 12 / (skip + 1)) << skip;
    key(KEY_F4);  // read on a frame that shows nothing, too
    key(KEY_F4);
    key(KEY_F4);
    EXPECT_EQ(snap_to_grid, 1) << skip;
    frame_skip = 0;
  }
}
