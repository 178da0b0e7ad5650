#include <allegro.h>
#include <gtest/gtest.h>

#include "app/config.h"
#include "files/atomic_file.h"
#include "test_support.h"
#include "ui/settings.h"

// Every field in its own place: a file whose fields all differ gives each setting its own
// value and writes back the same bytes.
TEST(Config, EachFieldIsReadIntoItsOwnSetting) {
  const std::vector<uint8_t> bytes = {3, 0x81, 0x02, 0xE1, 0x01, 1, 2, 3, 4, 51, 0, 52, 0, 0x12, 0x21, 0x20, 30, 31,
                                      32, 33, 5, 6, 7};
  ASSERT_TRUE(config_from_bytes(bytes));
  const int got[] = {screen_width,     screen_height,    full_screen,         vsync_enabled,     frame_skip,
                     fps_counter_enabled, level_undo_size, meta_undo_size,    level_editor_modes, meta_editor_modes,
                     analysis_tool_modes, key_scroll_up,   key_scroll_down,   key_scroll_left,    key_scroll_right,
                     background_default,  tips_enabled,    debug_info_flags};
  const int want[] = {0x281, 0x1E1, 1, 2, 3, 4, 51, 52, 0x12, 0x21, 0x20, 30, 31, 32, 33, 5, 6, 7};
  for (size_t i = 0; i < std::size(want); ++i) EXPECT_EQ(got[i], want[i]) << "field " << i;
  EXPECT_EQ(config_to_bytes(), bytes);
}

TEST(Config, OlderVersionsReadOnlyTheirFields) {
  std::vector<uint8_t> bytes = {1, 0x80, 0x02, 0xE0, 0x01, 0, 0, 0, 0, 50, 0, 50, 0,
                                0x10, 0x11, 0x10, 84, 85, 82, 83, 1, 1, 7};
  ASSERT_TRUE(config_from_bytes(bytes));
  EXPECT_EQ(background_default, 1);
  EXPECT_EQ(tips_enabled, 0);  // version 1 has no TIPS field
  EXPECT_EQ(debug_info_flags, 0);
  bytes[0] = 2;
  ASSERT_TRUE(config_from_bytes(bytes));
  EXPECT_EQ(tips_enabled, 1);
  EXPECT_EQ(debug_info_flags, 0);
}

// A file shorter than its version's size is taken like no file: the defaults.
TEST(Config, FileShorterThanItsVersionGetsTheDefaultsAndVersion4IsRefused) {
  settings_set_defaults();
  std::vector<uint8_t> wide = config_to_bytes();
  wide[1] = 0x00;  // 1024 wide
  wide[2] = 0x04;
  const struct {
    uint8_t version;
    size_t size;
  } cases[] = {{3, 1}, {3, 2}, {3, 4}, {0, 19}, {1, 20}, {2, 21}, {3, 22}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "version " << int(c.version) << ", " << c.size << " bytes");
    std::vector<uint8_t> bytes(wide.begin(), wide.begin() + c.size);
    bytes[0] = c.version;
    screen_width = screen_height = 0;
    tips_enabled = 0;
    ASSERT_TRUE(config_from_bytes(bytes));
    EXPECT_EQ(screen_width, 640);
    EXPECT_EQ(screen_height, 480);
    EXPECT_EQ(tips_enabled, 1);
  }
  std::vector<uint8_t> v0(wide.begin(), wide.begin() + 20);
  v0[0] = 0;
  ASSERT_TRUE(config_from_bytes(v0));
  EXPECT_EQ(screen_width, 1024);  // complete: read
  settings_set_defaults();
  std::vector<uint8_t> bytes = config_to_bytes();
  bytes[0] = 4;
  EXPECT_FALSE(config_from_bytes(bytes));
  EXPECT_EQ(screen_width, 640);  // untouched
}

TEST(Config, FrameSkipOutside0To5IsNotUsedAsDivisor) {
  std::vector<uint8_t> bytes = config_to_bytes();
  for (int v : {0xFF, 0, 5, 6}) {  // -1 would make the frame-skip divisor 0
    bytes[7] = static_cast<uint8_t>(v);
    ASSERT_TRUE(config_from_bytes(bytes));
    EXPECT_EQ(frame_skip, v == 5 ? 5 : 0) << v;
  }
}

TEST(Config, ScrollKeysOutsideTheKeyArrayFallBackToTheArrows) {
  settings_set_defaults();
  key_scroll_up = KEY_W;
  std::vector<uint8_t> bytes = config_to_bytes();
  bytes[17] = 0xFF;     // down: beyond the key array, which the editors index with it
  bytes[18] = KEY_MAX;  // left: one past the last key
  bytes[19] = 0;        // right: no key
  ASSERT_TRUE(config_from_bytes(bytes));
  EXPECT_EQ(key_scroll_up, KEY_W);
  EXPECT_EQ(key_scroll_down, KEY_DOWN);
  EXPECT_EQ(key_scroll_left, KEY_LEFT);
  EXPECT_EQ(key_scroll_right, KEY_RIGHT);
}
