// Frame skip: with a setting of n, the level editor composes and shows one frame in n + 1 and
// still acts on the input of every frame; with VSYNC on, every frame waits for the retrace, and
// so does each frame of the menus.
#include <functional>

#include "analysis/block_analysis.h"
#include "chunkedit/block_selector.h"
#include "chunkedit/tile_selector.h"
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

// The chunk editor's selectors and the analysis screen too show only the frames they drew their
// texts on, one in skip + 1: showing the others made the texts flicker.
TEST_F(FrameSkip, SelectorsAndTheAnalysisShowOnlyTheFramesWithTheirTexts) {
  make_level();
  UsageReport report;
  report.themes.resize(1);
  report.themes[0].chunks = {{0, true, 1, {}}};
  block_analysis_enter(report, 0, "ROM", nullptr);
  uint16_t cell = 0;
  const std::function<void()> screens[] = {tile_selector, [&cell] { block_selector(0, 0, cell, {}); },
                                           [] { block_analysis_frame(); }};
  frame_skip = 2;
  for (const auto& screen : screens) {
    frame_counter = 0;
    const int before = in->presents;
    for (int f = 0; f < 12; ++f, end_editor_frame(display)) screen();
    EXPECT_EQ(in->presents - before, 4);
  }
  block_analysis_leave();
  frame_skip = 0;
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
