#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "test_support.h"
#include "ui/messages.h"
#include "ui/screen_state.h"
#include "ui/settings.h"
#include "ui/setup_screens.h"
#include "leveledit/level_undo.h"

namespace {

// Clicks entry n (1-based, separators counted) of a setup menu at x offset from the centre.
class SetupTest : public ::testing::Test {
 protected:
  void SetUp() override {
    headless_screen(640, 480);
    editor_mode = 4;
  }

  // Top y of entry n of a menu text at y 96 with 16-pixel lines and 2-pixel separators.
  static int entry_top(const char* text, int n) {
    int y = 96;
    const char* p = text;
    for (int k = 1; k < n; ++k) {
      const char* nl = std::strchr(p, '\n');
      y += (nl == p) ? 2 : 16;
      p = nl + 1;
    }
    return y;
  }
  void click_entry(int x_offset, const char* text, int n) {
    const int x = 320 - x_offset + 20, y = entry_top(text, n) + 3 + 8;
    in.move(x, y).idle().click().idle();
  }
  void click_top(int n) { click_entry(108, TOP, n); }

  static constexpr const char* TOP =
      " SCREEN RESOLUTION\n SCREEN MODE\n VSYNC\n FRAME SKIP\n FPS COUNTER\n LEVEL UNDO SIZE\n META UNDO SIZE\n"
      " TIPS\n KEY BINDINGS\n\n LEVEL EDITOR SETUP\n META BLOCK EDITOR SETUP\n BLOCK ANAYSIS TOOL SETUP\n\n GO BACK";
  static constexpr const char* LEVEL = " EDITING MODE\n SELECTION MODE\n BACKGROUND\n DEBUG INFO\n\n GO BACK";
  static constexpr const char* EDITING = "    ROAMING\n    STATIC\n    HYBRID\n\n GO BACK";
  static constexpr const char* SELECTION = "    ROAMING\n    STATIC\n\n GO BACK";
  static constexpr const char* DEBUG = " CAMERA COORDINATES\n MOUSE COORDINATES\n UNIT COORDINATES\n\n GO BACK";
  static constexpr const char* ON_OFF = "    ON BY DEFAULT\n    OFF BY DEFAULT\n\n GO BACK";

  ScriptedInput in{640, 480};
  ScopedInput guard{in};
};

}  // namespace

TEST_F(SetupTest, SelectionThenEditingModeKeepTheOtherHalf) {
  level_editor_modes = 0x11;
  click_top(11);                   // LEVEL EDITOR SETUP
  click_entry(108, LEVEL, 2);      // SELECTION MODE
  in.then([](ScriptedInput&) { EXPECT_EQ(editor_mode & 0x30, 0x30); });
  click_entry(52, SELECTION, 2);   // STATIC
  in.then([](ScriptedInput&) { EXPECT_EQ(level_editor_modes, 0x21); });
  click_entry(52, SELECTION, 4);   // GO BACK
  click_entry(108, LEVEL, 1);      // EDITING MODE
  click_entry(52, EDITING, 3);     // HYBRID
  click_entry(52, EDITING, 5);     // GO BACK
  click_entry(108, LEVEL, 6);      // GO BACK
  click_top(15);                   // GO BACK
  setup_screen(display);
  EXPECT_EQ(level_editor_modes, 0x20);
  EXPECT_EQ(editor_mode, 0);
}

TEST_F(SetupTest, StarRows) {
  EXPECT_EQ(selection_star_row(0x21), 1);
  EXPECT_EQ(selection_star_row(0x31), 2);  // neither half: the third row
  EXPECT_EQ(editing_star_row(0x12), 1);
  EXPECT_EQ(editing_star_row(0x10), 2);
  uint8_t m = 0x21;
  set_editing_mode(m, 2);
  set_selection_mode(m, 1);
  EXPECT_EQ(m, 0x12);
}

TEST_F(SetupTest, SelectionHalfZeroDrawsTheStarInTheThirdRow) {
  meta_editor_modes = 0x01;
  click_top(12);  // META BLOCK EDITOR SETUP
  click_entry(108, " EDITING MODE\n SELECTION MODE\n\n GO BACK", 2);
  in.idle(2);
  // Star "*" in colour 1 (the font's second ink) at x 280, third row y 136; the menu's
  // value texts start further right, so that cell holds only the star.
  in.then([](ScriptedInput& s) {
    Rgb star_ink{-1, -1, -1};  // a pixel where the two inks of "*" differ
    for (int y = 0; y < 8; ++y)
      for (int x = 0; x < 8; ++x)
        if (!(rgb_at(glyphs['*'].get(), x, y) == rgb_at(glyphs['*' + 128].get(), x, y)))
          star_ink = rgb_at(glyphs['*' + 128].get(), x, y);
    auto ink = [&](int y) {
      for (int r = y; r < y + 8; ++r)
        for (int c = 280; c < 288; ++c)
          if (rgb_at(s.screen.get(), c, r) == star_ink) return true;
      return false;
    };
    EXPECT_FALSE(ink(104));
    EXPECT_FALSE(ink(120));
    EXPECT_TRUE(ink(136));
  });
  click_entry(52, SELECTION, 4);
  click_entry(108, " EDITING MODE\n SELECTION MODE\n\n GO BACK", 4);
  click_top(15);
  setup_screen(display);
  EXPECT_EQ(meta_editor_modes, 0x01);
}

TEST_F(SetupTest, MouseCoordinatesOffAndOnClearAndSetBit1) {
  debug_info_flags = 0x07;
  click_top(11);
  click_entry(108, LEVEL, 4);     // DEBUG INFO
  click_entry(108, DEBUG, 2);     // MOUSE COORDINATES
  in.then([](ScriptedInput&) { EXPECT_EQ(editor_mode & 0x70, 0x70); });
  click_entry(76, ON_OFF, 2);     // OFF BY DEFAULT
  in.then([](ScriptedInput&) { EXPECT_EQ(debug_info_flags, 0x05); });
  click_entry(76, ON_OFF, 1);     // ON BY DEFAULT
  click_entry(76, ON_OFF, 4);     // GO BACK
  click_entry(108, DEBUG, 5);
  click_entry(108, LEVEL, 6);
  click_top(15);
  setup_screen(display);
  EXPECT_EQ(debug_info_flags, 0x07);
}

TEST_F(SetupTest, VsyncAloneAndTheSameResolutionLeaveTheModeAlone) {
  BITMAP* before = back_buffer.get();
  click_top(3);
  in.tap(KEY_1).tap(KEY_ENTER);
  click_top(1);
  in.tap(KEY_6).tap(KEY_4).tap(KEY_0).tap(KEY_ENTER).tap(KEY_4).tap(KEY_8).tap(KEY_0).tap(KEY_ENTER);
  click_top(15);
  setup_screen(display);
  EXPECT_EQ(vsync_enabled, 1);
  EXPECT_TRUE(in.mode_requests.empty());
  EXPECT_EQ(back_buffer.get(), before);
}

TEST_F(SetupTest, NewResolutionAppliesOnLeavingAndRefusalRestores) {
  click_top(1);
  in.tap(KEY_8).tap(KEY_0).tap(KEY_0).tap(KEY_ENTER).tap(KEY_6).tap(KEY_0).tap(KEY_0).tap(KEY_ENTER);
  in.then([](ScriptedInput&) { EXPECT_EQ(screen_width, 640); });  // pending only
  click_top(15);
  setup_screen(display);
  ASSERT_EQ(in.mode_requests.size(), 1u);
  EXPECT_EQ(in.mode_requests[0].w, 800);
  EXPECT_EQ(screen_width, 800);
  EXPECT_EQ(screen_height, 600);
  EXPECT_EQ(back_buffer->w, 800 + 128);
  EXPECT_EQ(layer_4->h, 600 + 128);

  // A refused mode: the previous one is set again and nothing changes.
  in.refuse_next = 1;
  EXPECT_FALSE(apply_display_settings(display, 1024, 768, 1));
  ASSERT_EQ(in.mode_requests.size(), 3u);
  EXPECT_EQ(in.mode_requests[2].w, 800);
  EXPECT_FALSE(in.mode_requests[2].full);
  EXPECT_EQ(screen_width, 800);
  EXPECT_EQ(full_screen, 0);

  // Screen bitmaps that cannot be made: said, and the previous mode and bitmaps stay.
  BITMAP* kept = back_buffer.get();
  captured_messages().clear();
  make_screen_bitmap = [](int, int) { return BitmapPtr(); };
  EXPECT_FALSE(apply_display_settings(display, 1024, 768, 0));
  make_screen_bitmap = make_bitmap;
  ASSERT_EQ(in.mode_requests.size(), 5u);
  EXPECT_EQ(in.mode_requests[4].w, 800);
  EXPECT_EQ(screen_width, 800);
  EXPECT_EQ(screen_height, 600);
  EXPECT_EQ(back_buffer.get(), kept);
  EXPECT_EQ(captured_messages(),
            std::vector<std::string>{"ERROR: Cannot create the screen bitmaps for 1024 x 768; the previous mode stays."});
  captured_messages().clear();
  headless_screen(640, 480);
}

// SCREEN MODE changed alone: the same resolution is set again, full screen.
TEST_F(SetupTest, ScreenModeAloneAppliesOnLeaving) {
  click_top(2);
  in.tap(KEY_1).tap(KEY_ENTER);
  click_top(15);
  setup_screen(display);
  ASSERT_EQ(in.mode_requests.size(), 1u);
  EXPECT_TRUE(in.mode_requests[0].full);
  EXPECT_EQ(in.mode_requests[0].w, 640);
  EXPECT_EQ(in.mode_requests[0].h, 480);
  EXPECT_EQ(full_screen, 1);
}

// Escape at the X size cancels the whole question: the Y size is not asked (the click on
// GO BACK would not end it) and the mode stays.
TEST_F(SetupTest, EscapeAtTheXSizeCancelsTheResolution) {
  click_top(1);
  in.tap(KEY_8).tap(KEY_0).tap(KEY_0).tap(KEY_ESC);
  click_top(15);
  setup_screen(display);
  EXPECT_TRUE(in.mode_requests.empty());
  EXPECT_EQ(screen_width, 640);
  EXPECT_EQ(screen_height, 480);
}

TEST_F(SetupTest, ClickOutsideDoesNothingAndKeyPromptTakesEscape) {
  in.move(5, 5).idle().click().idle();
  in.then([](ScriptedInput&) { EXPECT_EQ(editor_mode, 4); });
  click_top(9);                                                  // KEY BINDINGS
  click_entry(108, " SCROLL UP\n SCROLL DOWN\n SCROLL LEFT\n SCROLL RIGHT\n\n GO BACK", 1);
  in.type_key(KEY_ESC, 27);
  click_entry(108, " SCROLL UP\n SCROLL DOWN\n SCROLL LEFT\n SCROLL RIGHT\n\n GO BACK", 4);
  in.type_key(KEY_D, 'd');
  click_entry(108, " SCROLL UP\n SCROLL DOWN\n SCROLL LEFT\n SCROLL RIGHT\n\n GO BACK", 6);
  click_top(15);
  setup_screen(display);
  EXPECT_EQ(key_scroll_up, KEY_ESC);
  EXPECT_EQ(key_scroll_right, KEY_D);
  EXPECT_EQ(key_scroll_down, KEY_DOWN);
}

TEST_F(SetupTest, UndoSizesPromptAndNotifyTheEditors) {
  static int level_calls, meta_calls;
  level_calls = meta_calls = 0;
  SetupActions actions;
  actions.level_undo_size_changed = [] { ++level_calls; };
  actions.meta_undo_size_changed = [] { ++meta_calls; };
  click_top(6);
  in.tap(KEY_9).tap(KEY_9).tap(KEY_9).tap(KEY_9).tap(KEY_9).tap(KEY_ENTER);
  click_top(7);
  in.tap(KEY_3).tap(KEY_ENTER);
  click_top(4);
  in.tap(KEY_7).tap(KEY_ENTER);
  click_top(15);
  setup_screen(display, actions);
  EXPECT_EQ(level_undo_size, 32767);
  EXPECT_EQ(meta_undo_size, 3);
  EXPECT_EQ(frame_skip, 5);
  EXPECT_TRUE(in.mode_requests.empty());  // frame skip alone leaves the graphics mode alone
  EXPECT_EQ(level_calls, 1);
  EXPECT_EQ(meta_calls, 1);
}
