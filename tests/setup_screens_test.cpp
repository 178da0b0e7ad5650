#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "step_hashes.h"
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

// SCREEN MODE changed alone: the same resolution is set again, full screen, on leaving. OFF and
// ON of MOUSE COORDINATES clear and set bit 1 of the debug flags.
TEST_F(SetupTest, ScreenModeAloneAndADebugReadoutOffAndOn) {
  debug_info_flags = 0x07;
  click_top(2);
  in.tap(KEY_1).tap(KEY_ENTER);
  click_top(11);
  click_entry(108, LEVEL, 4);  // DEBUG INFO
  click_entry(108, DEBUG, 2);  // MOUSE COORDINATES
  in.then([](ScriptedInput&) { EXPECT_EQ(editor_mode & 0x70, 0x70); });
  click_entry(76, ON_OFF, 2);  // OFF BY DEFAULT
  in.then([](ScriptedInput&) { EXPECT_EQ(debug_info_flags, 0x05); });
  click_entry(76, ON_OFF, 1);  // ON BY DEFAULT
  click_entry(76, ON_OFF, 4);  // GO BACK
  click_entry(108, DEBUG, 5);
  click_entry(108, LEVEL, 6);
  click_top(15);
  setup_screen(display);
  EXPECT_EQ(debug_info_flags, 0x07);
  ASSERT_EQ(in.mode_requests.size(), 1u);
  EXPECT_TRUE(in.mode_requests[0].full);
  EXPECT_EQ(in.mode_requests[0].w, 640);
  EXPECT_EQ(in.mode_requests[0].h, 480);
  EXPECT_EQ(full_screen, 1);
}

// Every entry of every SETUP screen in one session, each step's frame, settings (as saved),
// screen mode and mode requests hashed and compared with the values recorded when the session
// was checked step by step: a wrong title, star, prompt, limit or setting fails at its step.
TEST_F(SetupTest, EveryScreenAndSettingStepByStep) {
  FrameHashes seen;
  auto hash_now = [&seen](const std::string& name, ScriptedInput& s) {
    // The build's date and time at the bottom change with every build: left out.
    rectfill(s.screen.get(), 0, s.screen->h - 24, s.screen->w - 1, s.screen->h - 1, 0);
    uint64_t h = colour_hash(s.screen.get());
    std::vector<uint8_t> state = config_to_bytes();
    for (int v : {int(screen_width), int(screen_height), int(full_screen), int(s.mode_requests.size())})
      state.push_back(uint8_t(v));
    h = fnv_mix(h, state.data(), state.size());
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
  expect_step_hashes("setup session", seen, {
    0x1bed4495ed94b305ull, 0x2893274e61166353ull, 0x60d1c60cbaf71613ull, 0xb7dab10364c144ceull, 0xc1ccbc78708944abull,
    0x52944a678ccbf0d6ull, 0x32056df5fe919b35ull, 0xbbb3c4f149ea20d7ull, 0xc79b02d4ea3fffa7ull, 0xf0d875a998599577ull,
    0x1110847e572e2726ull, 0x238abebcc5291838ull, 0x50761a00af3193afull, 0x006b45c8f8f186d8ull, 0xb59f948b5e2b5d9bull,
    0xa15f0b368e581a12ull, 0x25fe3502f9d4f19cull, 0xb20310d7f124396full, 0x1df9b3cb00a91099ull, 0x4e930e2e7655a736ull,
    0x0049bbacb0329464ull, 0xc17a0673635c7973ull, 0x40bbc971d57137e2ull, 0xf5094fd3be9f54eeull, 0x59155232c52d587eull,
    0x96a227f524dd62a0ull, 0xde6f72983a574094ull, 0x9825d7e58f1c632aull, 0x691b1ebf58494658ull, 0xedb7cb722bb5fcbcull,
    0x975ab416360932c5ull, 0xf4a696e5918e4159ull, 0x40097640faba3bceull, 0x816a74d259adfab5ull, 0xd2e597ad1ae79a77ull,
    0x6a99060c82fd4a22ull, 0xd2e597ad1ae79a77ull, 0xb3cde4567b0aa560ull, 0x4e29b0658a214967ull, 0x772716e6b5055482ull,
    0x7590649f12b1c985ull, 0x496fab4829dd93fbull, 0x8241c2840166cd49ull, 0xbfc4d96f81f8fe06ull, 0xc65cf84fddbb772dull,
    0xbede3ae38348252cull, 0xaa53f09c3cc197cdull, 0xf0688b894e545266ull, 0x2ed46a4b7f9543e0ull, 0x160a105a34ea31b9ull,
    0xc16788fee2fbebe9ull, 0xe2e9f1167344ce4aull, 0xc60a37e228b7b55dull, 0xe5c4212d658de71dull
  });
}
