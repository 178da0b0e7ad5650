#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "test_support.h"
#include "ui/messages.h"
#include "ui/screen_state.h"
#include "ui/settings.h"
#include "ui/setup_screens.h"
#include "app/config.h"
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

// Every entry of every SETUP screen in one session, each step's frame, settings (as saved),
// screen mode and mode requests hashed and compared with the values recorded when the session
// was checked step by step: a wrong title, star, prompt, limit or setting fails at its step.
TEST_F(SetupTest, EveryScreenAndSettingStepByStep) {
  FrameHashes seen;
  auto hash_now = [&seen](const std::string& name, ScriptedInput& s) {
    uint64_t h = colour_hash(s.screen.get());
    std::vector<uint8_t> state = config_to_bytes();
    for (int v : {int(screen_width), int(screen_height), int(full_screen), int(s.mode_requests.size())})
      state.push_back(uint8_t(v));
    for (uint8_t b : state) h = (h ^ b) * 1099511628211ull;
    seen.push_back({name, h});
  };
  auto record = [&](const std::string& name) { in.then([&hash_now, name](ScriptedInput& s) { hash_now(name, s); }); };
  auto digits = [&](const std::string& n) {
    for (char c : n) in.tap(KEY_0 + (c - '0'));
    in.tap(KEY_ENTER).idle();
  };
  const char* KEYS = " SCROLL UP\n SCROLL DOWN\n SCROLL LEFT\n SCROLL RIGHT\n\n GO BACK";
  const char* META = " EDITING MODE\n SELECTION MODE\n\n GO BACK";
  in.idle(2);
  record("the setup menu");
  click_top(1);
  record("the X size question");
  digits("2000");
  record("the Y size question after an X size over the limit");
  digits("100");
  record("a Y size under the limit");
  const std::pair<int, const char*> numbers[] = {{2, "1"},  {3, "1"},     {4, "9"}, {5, "1"},
                                                 {6, "12"}, {7, "40000"}, {8, "0"}};
  for (const auto& [entry, value] : numbers) {
    click_top(entry);
    record("entry " + std::to_string(entry) + ": its question");
    digits(value);
    record("entry " + std::to_string(entry) + " set to " + value);
  }
  click_top(9);
  record("key bindings");
  for (int n = 1; n <= 4; ++n) {
    click_entry(108, KEYS, n);
    record("key binding " + std::to_string(n) + ": its question");
    in.type_key(KEY_A + n, 'a' + n).idle();
    record("key binding " + std::to_string(n) + " set");
  }
  click_entry(108, KEYS, 6);
  click_top(11);
  record("level editor setup");
  const std::pair<int, int> level_options[] = {{1, 1}, {1, 2}, {1, 3}, {2, 1}, {2, 2}};
  for (const auto& [entry, option] : level_options) {
    click_entry(108, LEVEL, entry);
    record("level editor entry " + std::to_string(entry) + " before option " + std::to_string(option));
    click_entry(52, entry == 1 ? EDITING : SELECTION, option);
    record("level editor entry " + std::to_string(entry) + " option " + std::to_string(option));
    click_entry(52, entry == 1 ? EDITING : SELECTION, entry == 1 ? 5 : 4);
  }
  for (int option : {2, 1}) {
    click_entry(108, LEVEL, 3);
    click_entry(76, ON_OFF, option);
    record("background option " + std::to_string(option));
    click_entry(76, ON_OFF, 4);
  }
  click_entry(108, LEVEL, 4);
  record("debug info");
  for (int entry : {1, 2, 3}) {
    click_entry(108, DEBUG, entry);
    record("debug info entry " + std::to_string(entry));
    click_entry(76, ON_OFF, entry == 2 ? 2 : 1);
    record("debug info entry " + std::to_string(entry) + " set");
    click_entry(76, ON_OFF, 4);
  }
  click_entry(108, DEBUG, 5);
  click_entry(108, LEVEL, 6);
  click_top(12);
  record("meta block editor setup");
  click_entry(108, META, 1);
  click_entry(52, EDITING, 2);
  record("meta block editor: static editing");
  click_entry(52, EDITING, 5);
  click_entry(108, META, 2);
  click_entry(52, SELECTION, 1);
  record("meta block editor: roaming selection");
  click_entry(52, SELECTION, 4);
  click_entry(108, META, 4);
  click_top(13);
  record("block analysis tool setup");
  click_entry(108, " SELECTION MODE\n\n GO BACK", 1);
  click_entry(52, SELECTION, 2);
  record("block analysis tool: static selection");
  click_entry(52, SELECTION, 4);
  click_entry(108, " SELECTION MODE\n\n GO BACK", 3);
  record("back at the setup menu");
  click_top(15);
  setup_screen(display);
  hash_now("left", in);
  expect_frame_hashes("setup session", seen,
                      {
      {"the setup menu", 0xafddc66464fea295ull},
      {"the X size question", 0xacbf0550f04a1783ull},
      {"the Y size question after an X size over the limit", 0xc0ae1c7d3b7d78c3ull},
      {"a Y size under the limit", 0xd4399a7194e2c0feull},
      {"entry 2: its question", 0x34251135729c121bull},
      {"entry 2 set to 1", 0x0c1939ec9803b586ull},
      {"entry 3: its question", 0x975130184b20b0a5ull},
      {"entry 3 set to 1", 0xc23425aa6980eec7ull},
      {"entry 4: its question", 0x046214f9194886b7ull},
      {"entry 4 set to 9", 0xf76e11f18f07f507ull},
      {"entry 5: its question", 0xbc5b9b9ab2255696ull},
      {"entry 5 set to 1", 0x6237014028536f28ull},
      {"entry 6: its question", 0x5d3a4b885699f37full},
      {"entry 6 set to 12", 0x1cdc317f3e85e608ull},
      {"entry 7: its question", 0x6d19a5fe806bd38bull},
      {"entry 7 set to 40000", 0xde8f727c2a4986e2ull},
      {"entry 8: its question", 0x5b21083c76d9a16cull},
      {"entry 8 set to 0", 0x38268676e900f43full},
      {"key bindings", 0xf15d0af2daf4f729ull},
      {"key binding 1: its question", 0xb347de6fb5066066ull},
      {"key binding 1 set", 0xc4eb873cf1b03114ull},
      {"key binding 2: its question", 0x5f2d0c310d634703ull},
      {"key binding 2 set", 0x2b0384e293bed5d2ull},
      {"key binding 3: its question", 0xa0ef3b942a4a2ffeull},
      {"key binding 3 set", 0x33161b78fa9f886eull},
      {"key binding 4: its question", 0x2afe7e8e7adf9650ull},
      {"key binding 4 set", 0xccb5788f787e7a64ull},
      {"level editor setup", 0x5c42fe0f508c317aull},
      {"level editor entry 1 before option 1", 0xcd60c6cf13cf7e08ull},
      {"level editor entry 1 option 1", 0xa3499074f530bf0cull},
      {"level editor entry 1 before option 2", 0xa12dee2c9448fb15ull},
      {"level editor entry 1 option 2", 0xc596d1179d90e7c9ull},
      {"level editor entry 1 before option 3", 0xa6e480b99c34bc3eull},
      {"level editor entry 1 option 3", 0x5641fee8e4ca1d05ull},
      {"level editor entry 2 before option 1", 0xbac8b27fd45c9fa7ull},
      {"level editor entry 2 option 1", 0x96aa741fd2070c12ull},
      {"level editor entry 2 before option 2", 0xbac8b27fd45c9fa7ull},
      {"level editor entry 2 option 2", 0x55512e6700e6ce30ull},
      {"background option 2", 0x55ed68df711464b7ull},
      {"background option 1", 0x71fff4d4ef4054f2ull},
      {"debug info", 0x7a6d819bda918f15ull},
      {"debug info entry 1", 0x3d501faa8f48ec8bull},
      {"debug info entry 1 set", 0x638a83c92cfe8d39ull},
      {"debug info entry 2", 0x3c18e9f4050eed76ull},
      {"debug info entry 2 set", 0xc9ee9f08a3d6a7ddull},
      {"debug info entry 3", 0xdbfa96d9bfe8b6bcull},
      {"debug info entry 3 set", 0xac95a33f2122357dull},
      {"meta block editor setup", 0x736a1ff7e9525bd6ull},
      {"meta block editor: static editing", 0x288884d2b9e27fb0ull},
      {"meta block editor: roaming selection", 0x4c81da556da9e489ull},
      {"block analysis tool setup", 0x1942d77f80a62499ull},
      {"block analysis tool: static selection", 0x62feee347484f27aull},
      {"back at the setup menu", 0xcebf90687e98c24dull},
      {"left", 0xe5c4212d658de71dull},
                      });
}
