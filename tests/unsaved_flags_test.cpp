// The changed flags (UNSAVED) against the saved point, over sequences of edits, saves,
// loads and undos: a part is unsaved exactly when it differs from what its file holds.

#include <gtest/gtest.h>

#include <cstdio>

#include "app/level_file_commands.h"
#include "app/program_state.h"
#include "files/atomic_file.h"
#include "game_fixtures.h"
#include "gamedata/level_state.h"
#include "leveledit/level_undo.h"
#include "test_support.h"
#include "ui/messages.h"

namespace {

class UnsavedFlags : public ::testing::Test {
 protected:
  void SetUp() override {
    headless_screen();
    dir = scratch_dir(::testing::UnitTest::GetInstance()->current_test_info()->name());
    cwd = std::make_unique<ScopedCwd>(dir);
    set_message_sink(MessageSink::Capture);
  }
  void TearDown() override {
    release_level_undo();
    cwd.reset();
  }

  // A level as an import leaves it: nothing unsaved, no file written yet.
  void start() {
    reset_program_state();
    for (const char* f : {"New.lvl", "New_back.lvl", "New.itm"}) std::remove(f);
    front_layout = fixture_plane(0, 4, 1);
    back_layout = fixture_plane(0, 4, 2);
    chunkmap = fixture_chunks(3, 1);
    markers.assign(2, Marker());
    write_bytes("other.lvl", layout_bytes(fixture_plane(0, 4, 3)));
    allocate_level_undo(2);  // a short history: old steps fall off
  }

  // One step of a sequence, as the editors do it.
  void run(char op) {
    switch (op) {
      case 'f': edit_row(front_layout, CHANGED_FRONT); break;
      case 'b': edit_row(back_layout, CHANGED_BACK); break;
      case 'c':  // a block of a chunk, in the level editor's metablock mode
        level_step_touch_chunk(0);
        chunkmap.chunks[0].cells[0] = static_cast<uint16_t>(chunkmap.chunks[0].cells[0] + 1);
        mark_changed(CHANGED_CHUNKS);
        level_step_end();
        break;
      case 'm':
        level_step_touch_marker(0);
        markers[0].x = static_cast<int16_t>(markers[0].x + 8);
        level_step_end();
        break;
      case 'e':  // a kept chunk-editor pass: its change lies outside the level history
        chunkmap.chunks[1].cells[1] ^= 0x0100;
        mark_changed(CHANGED_CHUNKS);
        level_history_loaded(0);
        break;
      case 'u': level_undo(); break;
      case 'r': level_redo(); break;
      case 'S': ASSERT_EQ(SaveLevel(), 0); break;
      case 'K': ASSERT_EQ(SaveChunkmap(), 0); break;
      case 'L': ASSERT_EQ(load_level_file("other.lvl"), 0); break;
      default: FAIL() << op;
    }
  }
  void edit_row(LayoutPlane& plane, uint8_t flag) {
    level_step_touch_row(plane, 2);
    plane.rows[2].objects.push_back({7, 300});
    mark_changed(flag);
    level_step_end();
  }

  std::string dir;
  std::unique_ptr<ScopedCwd> cwd;
  ScriptedInput in{640, 480};
  ScopedInput guard{in};
};

}  // namespace

TEST_F(UnsavedFlags, FollowTheSavedPointThroughEditsSavesLoadsAndUndos) {
  constexpr uint8_t F = CHANGED_FRONT, B = CHANGED_BACK, C = CHANGED_CHUNKS;
  const struct {
    const char* ops;
    uint8_t flags;
  } cases[] = {
      {"fu", 0},       {"fur", F},      {"fSu", F},     {"fSur", 0},      {"fSfuu", F},
      {"bSu", B},      {"cu", 0},       {"cKu", C},     {"cKur", 0},      {"fbu", F},
      {"Lccuu", 0},    {"Lccu", C},     {"mfu", 0},     {"mfmuu", 0},     {"mmmfu", 0},
      {"eKfu", 0},     {"efu", C},      {"fefu", F | C}, {"fmSuu", F},    {"cmKuur", 0},
  };
  for (const auto& c : cases) {
    start();
    for (const char* op = c.ops; *op; ++op) run(*op);
    EXPECT_EQ(level_changed_flags, c.flags) << c.ops;
  }
}
