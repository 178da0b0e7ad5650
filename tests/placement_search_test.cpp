// Following a chunk in the level editor: the camera and selection on its first placement,
// N / Shift+N through its placements of both planes (wrapping at the ends), H framing every
// placement of the chunk under the cursor.
#include "leveledit/placement_search.h"

#include "level_editor_fixture.h"

namespace {

class PlacementSearchTest : public LevelEditorTest {
 protected:
  void SetUp() override {
    LevelEditorTest::SetUp();
    make_level(8);
    row(3).objects = {{0x0001, 40}, {0x0002, 116}};
    row(10).objects = {{0x0002, 1500}};
    row(5, true).objects = {{0x0202, 300}};  // flipped: still chunk 2
    row(6).objects = {{0x0802, 200}};        // a pickup whose low bits are 2 is no placement
    enter();
  }
  void expect_selected(bool back, int r, int index) {
    EXPECT_EQ(editing_back_plane(), back);
    ASSERT_NE(selected_object(), nullptr);
    EXPECT_EQ(ledit.selected_back_plane, back);
    EXPECT_EQ(ledit.selected_row, r);
    EXPECT_EQ(ledit.selected_index, index);
  }
};

}  // namespace

TEST_F(PlacementSearchTest, FirstPlacementIsSelectedAndNStepsThroughBothPlanes) {
  EXPECT_FALSE(focus_first_placement(7));
  ASSERT_TRUE(focus_first_placement(2));
  expect_selected(false, 3, 1);
  EXPECT_EQ(camera_state, 1);
  frames(2);  // the cursor sits on it: the frames keep it selected
  expect_selected(false, 3, 1);

  key(KEY_N);
  expect_selected(false, 10, 0);
  EXPECT_GT(camera_x, 0);  // x 1500 is off the first screen
  key(KEY_N);
  expect_selected(true, 5, 0);
  key(KEY_N);
  expect_selected(false, 3, 1);  // round again
  key(KEY_N, KB_SHIFT_FLAG);
  expect_selected(true, 5, 0);
  frames(1);
  expect_selected(true, 5, 0);
}

// The placement's middle, where the cursor goes, lies under a pickup of the row below: the
// selection is still the placement stepped to, not the object on top of it.
TEST_F(PlacementSearchTest, NSelectsThePlacementUnderAnotherRowsObject) {
  level_editor_leave();
  chunkmap.chunks[2].height = 2;
  row(4).objects = {{0x0802, 116}};
  enter();
  ASSERT_TRUE(focus_first_placement(2));
  for (int k = 0; k < 3; ++k) key(KEY_N);
  expect_selected(false, 3, 1);
  frames(1);
  expect_selected(false, 3, 1);
}

TEST_F(PlacementSearchTest, HFramesEveryPlacementOfTheChunkUnderTheCursor) {
  ASSERT_TRUE(focus_first_placement(2));
  frames(1);
  key(KEY_H);
  EXPECT_EQ(placement_search.highlighted_chunk, 2);
  frames(1);
  // The frame lies two pixels outside the placement's box, in both places on the screen.
  const int view_x = camera_x >> 3, view_y = camera_y >> 3;
  const int x = static_cast<int>(ledit.selected_screen_x) - view_x, y = static_cast<int>(ledit.selected_screen_y) - view_y;
  EXPECT_EQ(rgb_at(in->screen.get(), x - 2, y - 2), (Rgb{255, 208, 64}));
  EXPECT_EQ(rgb_at(in->screen.get(), x + 16 + 1, y + 16 + 1), (Rgb{255, 208, 64}));
  EXPECT_FALSE(rgb_at(in->screen.get(), 40 - 16 - 2, y - 2) == (Rgb{255, 208, 64}));  // chunk 1 beside it is not framed
  key(KEY_H);
  EXPECT_EQ(placement_search.highlighted_chunk, -1);
  frames(1);
  EXPECT_FALSE(rgb_at(in->screen.get(), x - 2, y - 2) == (Rgb{255, 208, 64}));
}
