#include <allegro.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <vector>

#include "app/level_file_commands.h"
#include "app/main_menu.h"
#include "gamedata/level_state.h"
#include "app/file_choice.h"
#include "ui/messages.h"
#include "ui/settings.h"
#include "test_support.h"
#include "ui/font.h"
#include "ui/menu.h"
#include "ui/prompts.h"
#include "ui/screen_layers.h"

namespace {

class MenuTest : public ::testing::Test {
 protected:
  void SetUp() override { headless_screen(640, 480); }
  ScriptedInput in{640, 480};
  ScopedInput guard{in};

  // Main menu box at x = 320 - 136 = 184, y = 96, width 264.
  uint8_t main_menu_at(int x, int y, int buttons = 0) {
    in.mx = x;
    in.my = y;
    in.mb = buttons;
    return menu_widget(display, 184, 96, 264, 16, MAIN_MENU_TEXT);
  }
};

class PromptTest : public MenuTest {};

}  // namespace

TEST_F(MenuTest, HoverClickSeparatorAndOutsideResults) {
  // Entry k spans (entry y, entry y + height] for mouse y - 3.
  EXPECT_EQ(main_menu_at(200, 96 + 3 + 1), 1);
  EXPECT_EQ(main_menu_at(200, 96 + 3 + 16), 1);
  EXPECT_EQ(main_menu_at(200, 96 + 3 + 17), 2);
  EXPECT_EQ(main_menu_at(200, 96 + 3 + 49), 4);  // the first separator
  // The mouse is read 3 pixels up and left: an entry spans (y, y + 16] and (x, x + width].
  for (const auto& [x, y, entry] : {std::tuple{200, 96, 0}, {185, 100, 1}, {184, 100, 0}, {448, 100, 1}, {449, 100, 0}})
    EXPECT_EQ(main_menu_at(x + 3, y + 3), entry) << x << "," << y;
  // Click on LEVEL EDITOR.
  EXPECT_EQ(main_menu_at(200, 104, 1), 129);
  // Holding the button is not a new click.
  EXPECT_EQ(main_menu_at(200, 104, 1), 1);
  EXPECT_EQ(main_menu_at(200, 104, 0), 1);
  // A click on a separator gives only its number.
  EXPECT_EQ(main_menu_at(200, 96 + 3 + 49, 1), 4);
  main_menu_at(200, 96 + 3 + 49, 0);
  // QUIT is entry 22: 16 text entries above it... its y is 96 + 15*16 + 6*2.
  EXPECT_EQ(main_menu_at(200, 96 + 3 + 15 * 16 + 12 + 8, 1), 128 + 22);
  main_menu_at(200, 10, 0);
  // Outside: 0 without a click, 128 with one; inside the box border a click gives 0.
  EXPECT_EQ(main_menu_at(10, 10), 0);
  EXPECT_EQ(main_menu_at(10, 10, 1), 128);
  main_menu_at(10, 10, 0);
  EXPECT_EQ(main_menu_at(185, 97, 1), 0);
  // The border ends 7 pixels past the entries' right edge: a click there gives 0, one
  // pixel further out 128.
  main_menu_at(10, 10, 0);
  EXPECT_EQ(main_menu_at(184 + 264 + 7, 200, 1), 0);
  main_menu_at(10, 10, 0);
  EXPECT_EQ(main_menu_at(184 + 264 + 8, 200, 1), 128);
  // Right button alone is not a click.
  main_menu_at(10, 10, 0);
  EXPECT_EQ(main_menu_at(200, 104, 2), 1);
}

// read_click reports the buttons newly pressed since the last call.
TEST_F(MenuTest, ReadClickReportsNewlyPressedButtons) {
  buttons_before = 0;
  for (const auto& [held, click] : {std::pair{3, 3}, {3, 0}, {1, 0}, {3, 2}}) {
    in.mb = held;
    read_click(display);
    EXPECT_EQ(click_event, click) << held;
  }
}

TEST_F(PromptTest, NumberPromptDigitsClampingAndEscape) {
  const struct {
    std::vector<int> keys;
    int min, max, current, expected;
  } cases[] = {
      {{KEY_7, KEY_3, KEY_ENTER}, 0, 5, 2, 5},  // max 5: one digit, clamped
      {{KEY_9, KEY_9, KEY_9, KEY_9, KEY_9, KEY_9, KEY_ENTER}, 0, 32767, 50, 32767},
      {{KEY_0, KEY_0_PAD, KEY_4, KEY_ENTER}, 0, 5, 1, 4},  // a leading 0 does not use up the digit
      {{KEY_ENTER}, 512, 1600, 640, 512},                  // nothing typed: 0, clamped up to min
      {{KEY_1, KEY_9, KEY_BACKSPACE, KEY_3_PAD, KEY_ENTER}, 0, 99, 0, 13},
      {{KEY_1, KEY_0, KEY_ENTER}, 0, 10, 3, 10},            // max 10: two digits
      {{KEY_1, KEY_0, KEY_0, KEY_ENTER}, 0, 100, 3, 100},    // max 100: three
      {{KEY_9, KEY_9, KEY_ENTER}, 0, 9, 3, 9},              // max 9: one
      {{KEY_1, KEY_2, KEY_3, KEY_ENTER}, 0, 50, 3, 12},     // a third digit is not taken
      {{KEY_BACKSPACE, KEY_1, KEY_2, KEY_3, KEY_ENTER}, 0, 50, 3, 12},  // a backspace before any digit
  };
  for (const auto& c : cases) {
    for (int k : c.keys) in.tap(k);
    EXPECT_EQ(prompt_number(display, c.min, c.max, c.current, "ENTER A LEVEL UNDO BUFFER SIZE:"), c.expected) << c.max;
  }
  in.tap(KEY_3).press(KEY_ESC).release(KEY_ESC);
  EXPECT_EQ(prompt_number(display, 0, 9, 7, "X"), 7);
}

// Where every prompt and question puts its texts in the message band (rows 0 to 35, shown from
// screen row 480 / 2 - 18 = 222 on): each band shown is compared pixel for pixel with a band
// drawn from the rule, so a text one pixel off, or in another ink, fails by name. The screen
// outside the band keeps its picture.
TEST_F(PromptTest, EveryPromptPlacesItsTextsByItsRule) {
  struct PlacedText {  // a text as the rule places it: ink colour, position, and the text
    int colour, x, y;
    std::string text;
  };
  const int w = 640, centre = w / 2;
  const auto centred = [=](int colour, int y, const std::string& text) {
    return PlacedText{colour, centre - 4 * static_cast<int>(text.size()), y, text};
  };
  const PlacedText yes_no{0, centre - 36, 20, "yES OR nO"};
  const struct {
    const char* name;
    std::function<void()> run;
    std::vector<PlacedText> texts;
  } rows[] = {
      // the number's last digit at the centre + 8
      {"number prompt", [&] { in.tap(KEY_4).tap(KEY_2).tap(KEY_ENTER); prompt_number(display, 0, 999, 0, "LEVEL:"); },
       {centred(0, 8, "LEVEL:"), {0, centre, 20, "42"}}},
      {"text prompt", [&] { in.type("abc").idle(2).type_key(KEY_ENTER, '\r'); prompt_text(display, 20, "SAVE AS:"); },
       {centred(0, 8, "SAVE AS:"), centred(2, 20, "abc")}},
      {"key prompt", [&] { in.type_key(KEY_W, 'w'); prompt_key(display, "PRESS A KEY FOR scroll up..."); },
       {centred(0, 8, "PRESS A KEY FOR scroll up...")}},
      {"metablock question", [&] { in.tap(KEY_N); ask_save_metablocks(display); },
       {{0, centre - 196, 8, "DO YOU WISH TO SAVE CHANGES TO THE METABLOCK DATA"}, yes_no}},
      {"layout question", [&] { in.tap(KEY_Y); ask_save_layout(display); },
       {{0, centre - 188, 8, "DO YOU WISH TO SAVE CHANGES TO THE LEVEL LAYOUT"}, yes_no}},
      {"save-to question", [&] { in.tap(KEY_N); ask_save_to(display, "LEVEL", "New.lvl, New_back.lvl"); },
       {centred(0, 8, "SAVE LEVEL TO New.lvl, New_back.lvl"), yes_no}},
      {"three-way question", [&] { in.tap(KEY_ESC); ask_yes_no_cancel(display, "REPLACE Old.lvl? yES, nO OR eSC"); },
       {centred(0, 8, "REPLACE Old.lvl? yES, nO OR eSC")}},
  };
  BITMAP* band = display.back_buffer.get();
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    clear_to_color(in.screen.get(), 0x000044);
    row.run();
    ASSERT_TRUE(in.script_done());
    clear_to_color(band, 0);
    for (const PlacedText& t : row.texts)
      text_out(display, band, static_cast<uint8_t>(t.colour), static_cast<int16_t>(t.x), static_cast<int16_t>(t.y),
               t.text.c_str());
    for (int y = 0; y < 36; ++y)
      for (int x = 0; x < w; ++x)
        ASSERT_EQ(rgb_at(in.screen.get(), x, 222 + y), rgb_at(band, MARGIN + x, MARGIN + y)) << x << ", band row " << y;
    for (int y : {0, 221, 258, 479}) EXPECT_EQ(rgb_at(in.screen.get(), 5, y), (Rgb{0, 0, 0x44})) << "row " << y;
  }
}

namespace {

// Whether the screen shows `lines` in colour 0, each centred, from screen row `top` on, 12
// rows apart, over black; and nothing else on those rows.
bool band_shows(BITMAP* screen, int top, const std::vector<std::string>& lines) {
  BitmapPtr expected = make_bitmap(640 + 2 * MARGIN, 12 * static_cast<int>(lines.size()) + 2 * MARGIN);
  clear_to_color(expected.get(), 0);
  for (size_t i = 0; i < lines.size(); ++i)
    text_out(display, expected.get(), 0, static_cast<int16_t>(320 - 4 * static_cast<int>(lines[i].size())),
             static_cast<int16_t>(12 * i), lines[i].c_str());
  for (int y = 0; y < 12 * static_cast<int>(lines.size()); ++y)
    for (int x = 0; x < 640; ++x)
      if ((pixel32(expected.get(), x + MARGIN, y + MARGIN) & 0xFFFFFF) != (pixel32(screen, x, top + y) & 0xFFFFFF))
        return false;
  return true;
}

}  // namespace

// A question wider than the screen breaks at spaces onto further lines, each centred, in a
// band that grows by 12 rows a line and stays in the middle; a short one is as before.
TEST_F(PromptTest, LongQuestionsWrapAtSpacesInsideTheScreen) {
  const std::string words = "RECOVER UNSAVED CHANGES OF PROJECT LEVEL 03 WITH LEVELS/WORLD_ONE/MEADOW.LVL";
  in.tap(KEY_Y);
  ask_yes_no_cancel(display, words + " FROM 2026.12.08 17:33:58? (Y/N)");
  EXPECT_TRUE(band_shows(in.screen.get(), 240 - 24 + 8, {words, "FROM 2026.12.08 17:33:58? (Y/N)"}));
  // A word longer than a line is cut where the line ends.
  in.tap(KEY_N);
  ask_yes_no(display, (std::string(90, 'W') + " X").c_str(), 8);
  EXPECT_TRUE(band_shows(in.screen.get(), 240 - 24 + 8, {std::string(78, 'W'), std::string(12, 'W') + " X"}));
  EXPECT_TRUE(band_shows(in.screen.get(), 240 - 24 + 32, {"yES OR nO"}));
  in.tap(KEY_N);
  ask_yes_no(display, "SHORT", 320 - 20);
  EXPECT_TRUE(band_shows(in.screen.get(), 240 - 18 + 8, {"SHORT", "yES OR nO"}));
}

// The save questions on leaving the level editor name the files relative to the working
// folder when they lie below it, in capitals (one ink: lower case is the font's key ink).
TEST_F(MenuTest, SaveQuestionsNameFilesBelowTheWorkingFolderRelativeInCapitals) {
  ScopedCwd cwd(scratch_dir("save_question_names"));
  const std::string here = std::filesystem::current_path().string();
  level_files.set(here + "/levels/meadow_1.lvl", "", false, "/elsewhere/Set-2.itm");
  level_changed_flags = CHANGED_FRONT | CHANGED_CHUNKS;
  const auto shows = [](const char* question) {
    return [question](ScriptedInput& s) { EXPECT_TRUE(band_shows(s.screen.get(), 240 - 18 + 8, {question})) << question; };
  };
  in.then(shows("SAVE THE LEVEL LAYOUT TO LEVELS/MEADOW_1.LVL")).tap(KEY_N);
  in.then(shows("SAVE THE METABLOCK DATA TO /ELSEWHERE/SET-2.ITM")).tap(KEY_N);
  offer_unsaved_saves();
  EXPECT_TRUE(in.script_done());
  level_replaced();
}

TEST_F(PromptTest, TextPromptRefusesFileNameCharactersAndLimitsLength) {
  in.key_buffer.push_back('q');  // typed before the prompt opened: not part of the answer
  in.type("a*b/c?d!e<f>g").type_key(KEY_ENTER, '\r');
  prompt_text(display, 5, "NAME:");
  EXPECT_EQ(text_entry, "abcde");
  in.type("xy").type_key(KEY_BACKSPACE, 8).type("z").type_key(KEY_ENTER, '\r');
  prompt_text(display, 10, "NAME:");
  EXPECT_EQ(text_entry, "xz");
  in.then([](ScriptedInput& s) { s.key_buffer = {'v', 'w'}; }).idle(2).type_key(KEY_ENTER, '\r');  // one key a frame
  prompt_text(display, 5, "NAME:");
  EXPECT_EQ(text_entry, "v");
}

TEST_F(PromptTest, EditTextFieldStartsFromInitialText) {
  std::string line;
  uint64_t shown = 0;  // the field while "MAP ONP" is typed
  in.type_key(KEY_BACKSPACE, 8).type("P").idle(2).then([&shown](ScriptedInput& s) {
    shown = colour_hash(s.screen.get());
  });
  in.type_key(KEY_ENTER, '\r');
  EXPECT_TRUE(edit_text_field(display, 10, 10, 24, "MAP ONE", line));
  EXPECT_EQ(line, "MAP ONP");
  EXPECT_EQ(shown, 0xe6e26bee9002ab03ull);
  in.type("X").type_key(KEY_ENTER, '\r');
  EXPECT_TRUE(edit_text_field(display, 10, 10, 3, "ABCDE", line));
  EXPECT_EQ(line, "ABC");
}

// Every command that replaces the level in memory or its files asks first when edits are
// unsaved: Escape cancels it before its prompt or selector opens, with the edits kept; Y
// saves them as SAVE CHUNKMAP would, then the command goes on (here to a cancelled selector).
TEST_F(MenuTest, CommandsThatReplaceTheLevelAskAboutUnsavedEditsFirst) {
  ScopedCwd cwd(scratch_dir("replacing_commands"));
  release_level_model();
  front_layout.rows.resize(3);
  front_layout.rows[1].objects = {{5, 32}};
  chunkmap.chunks.resize(2);
  chunkmap.chunks[1].width = chunkmap.chunks[1].height = 1;
  chunkmap.chunks[1].cell(0, 0) = 0x0123;
  level_files.set("", "", false, "");
  int selector_opened = 0;
  file_selector_hook = [&selector_opened](const char*, const char*, std::string&) {
    ++selector_opened;
    return false;
  };
  const LayoutPlane before = front_layout;
  // LOAD LEVEL FROM ROM, LOAD LEVEL FROM LVL FILE, LOAD LEVEL, LOAD CHUNKMAP, both
  // GENERATE ... PROJECT and LOAD PROJECT.
  for (uint8_t mode : {5, 6, 7, 9, 11, 12, 13}) {
    level_changed_flags = CHANGED_FRONT;
    in.tap(KEY_ESC);
    editor_mode = mode;
    run_mode(mode);
    EXPECT_TRUE(in.script_done()) << int{mode};
    EXPECT_EQ(editor_mode, 0) << int{mode};
    EXPECT_EQ(level_changed_flags, CHANGED_FRONT) << int{mode};
    EXPECT_TRUE(front_layout == before) << int{mode};
  }
  EXPECT_EQ(selector_opened, 0);
  EXPECT_FALSE(std::filesystem::exists("New.lvl"));
  // With nothing unsaved no question: the selector opens at once.
  level_changed_flags = 0;
  run_mode(9);
  EXPECT_EQ(selector_opened, 1);
  // Y saves the chunk edits, then the selector opens.
  captured_messages().clear();
  level_changed_flags = CHANGED_CHUNKS;
  in.tap(KEY_Y);
  run_mode(9);
  EXPECT_TRUE(in.script_done());
  EXPECT_EQ(selector_opened, 2);
  EXPECT_EQ(level_changed_flags, 0);
  EXPECT_TRUE(std::filesystem::exists("New.itm"));
  EXPECT_EQ(captured_messages(), std::vector<std::string>{"WROTE New.itm"});
}
