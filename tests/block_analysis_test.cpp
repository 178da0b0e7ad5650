// The BLOCK ANALYSIS TOOL screen on the sample game, driven by a script: it opens on the
// theme of the level in memory, steps through themes, lists the levels of a clicked chunk
// and returns the level chosen from that list; it changes nothing, and its help names
// exactly the keys it reads.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <cstdlib>
#include <map>
#include <regex>
#include <set>
#include <stdexcept>

#include "analysis/block_analysis.h"
#include "app/level_commands.h"
#include "app/usage_command.h"
#include "files/atomic_file.h"
#include "gamedata/level_state.h"
#include "gamedata/rom_import.h"
#include "render/view_state.h"
#include "step_hashes.h"
#include "test_support.h"
#include "ui/messages.h"
#include "ui/screen_state.h"
#include "ui/settings.h"

namespace {

bool load_pictures(uint8_t level, LevelModel& model, LevelBitmaps& bitmaps) {
  RomImage rom;
  std::string error;
  return read_whole_file(ROM_PATH, rom) && import_level(rom, level, model, bitmaps, error, "");
}

// Where the screen puts things at 640x480: the first grid slot and the first line of the
// level list in the panel on the right.
constexpr int FIRST_SLOT_X = 60, FIRST_SLOT_Y = 76;
constexpr int LIST_X = 400, FIRST_LINE_Y = 78;

class BlockAnalysisScreen : public ::testing::Test {
 protected:
  void SetUp() override {
    headless_screen(640, 480);
    dir = scratch_dir("block_analysis_screen");
    const std::string cmd = "'" MOSSFORGE_BINARY_DIR "/samplegame' '" + dir + "/master' >/dev/null 2>&1";
    ASSERT_EQ(std::system(cmd.c_str()), 0);
    cwd = std::make_unique<ScopedCwd>(dir);
    ASSERT_EQ(level_import_map(9), 0);
    RomImage rom;
    ASSERT_TRUE(read_whole_file(ROM_PATH, rom));
    analyse_rom_usage(rom, report);
    ASSERT_GE(report.themes.size(), 2u);
    in.idle_limit = 2000;
    in.on_hang = [] { throw std::runtime_error("the script ran out while the screen kept waiting"); };
    in.mx = 320;
    in.my = 240;
    wheel_now = wheel_before = 0;
    editor_mode = 3;
  }
  void TearDown() override { cwd.reset(); }

  AnalysisChoice run() {
    AnalysisChoice choice;
    run_scripted([&] { choice = block_analysis_tool(report, front_layout.theme, "ROM", load_pictures); });
    return choice;
  }
  template <class F>
  void run_scripted(F f) {
    ScopedInput scope(in);
    try {
      f();
    } catch (const std::runtime_error& e) {
      ADD_FAILURE() << e.what();
    }
  }
  // Clicks the first chunk, then the first level of its list.
  void choose_first_level() { in.move(FIRST_SLOT_X, FIRST_SLOT_Y).idle(2).click().idle(2).move(LIST_X, FIRST_LINE_Y).idle(2).click().idle(4); }

  std::string dir;
  std::unique_ptr<ScopedCwd> cwd;
  UsageReport report;
  ScriptedInput in{640, 480};
};

}  // namespace

// The level chosen is returned with its chunk; the level in memory is as it was.
TEST_F(BlockAnalysisScreen, ChoosingALevelOfAChunkReturnsIt) {
  const LayoutPlane front = front_layout, back = back_layout;
  const std::vector<Chunk> chunks = chunkmap.chunks;
  choose_first_level();
  const AnalysisChoice c = run();
  ASSERT_TRUE(c.open_level);
  EXPECT_EQ(c.chunk, 0);
  EXPECT_EQ(c.level, report.theme(front_layout.theme)->chunk(0)->levels.at(0).level);
  EXPECT_EQ(editor_mode, 0);
  EXPECT_EQ(front_layout, front);
  EXPECT_EQ(back_layout, back);
  ASSERT_EQ(chunkmap.chunks.size(), chunks.size());
  EXPECT_EQ(std::memcmp(chunkmap.chunks.data(), chunks.data(), chunks.size() * sizeof(Chunk)), 0);
}

// Every key and mouse action of the screen, one step after another, on the sample's report
// with a chunk added that the set lacks, one without a picture, a chunk placed in more levels
// than the list can show and a level left out: each step's frame is hashed and compared with the value stored when
// the frames were looked at (MOSSFORGE_TOUR_FRAMES=DIR writes them as PNGs).
TEST_F(BlockAnalysisScreen, EveryKeyAndClickStepByStep) {
  ThemeUsage& t = report.themes[static_cast<size_t>(report.theme(front_layout.theme) - report.themes.data())];
  for (int k = 0; k < 40; ++k) t.chunks[1].levels.push_back(t.chunks[1].levels.at(0));
  t.chunks.push_back({static_cast<uint16_t>(t.chunks.back().chunk + 1), true, 0, {}});  // in the set, no picture
  t.chunks.push_back({static_cast<uint16_t>(t.chunks.back().chunk + 1), false, 3, {{t.first_level, 3, 0}}});
  report.unread.push_back({0x1F, {}});
  for (BlockUsage& b : t.blocks)  // block 32, clicked below, in more chunks than one line holds
    for (uint16_t c = 100; c < 130 && b.block == 32; ++c) b.chunks.push_back(c);
  FrameHashes seen;
  const auto record = [&](const char* name) {
    in.then([&seen, name](ScriptedInput& s) {
      save_tour_frame(s.screen.get(), seen.size());
      seen.push_back({name, colour_hash(s.screen.get())});
    });
  };
  const auto key = [&](const char* name, int k, int flags = 0, int held = 1) {
    in.then([flags](ScriptedInput& s) { s.key_shift_flags = flags; }).press(k).idle(held).release(k);
    in.then([](ScriptedInput& s) { s.key_shift_flags = 0; }).idle(2);
    record(name);
  };
  const auto go_to = [&](const char* name, int number) {
    in.press(KEY_SLASH).release(KEY_SLASH);
    for (char d : std::to_string(number)) in.tap(KEY_0 + (d - '0'));
    in.tap(KEY_ENTER).idle(3);
    record(name);
  };
  const auto button = [&](int b) { in.then([b](ScriptedInput& s) { s.mb = b; }).idle(3); };
  in.idle(2);
  record("the chunks of the level's theme");
  in.move(148, 76).idle(2);
  record("the chunk under the mouse grows and the panel names it");
  in.click().idle(2).move(LIST_X, FIRST_LINE_Y + 12).idle(2);
  record("a click lists its levels, the line under the mouse is lit, more levels are counted");
  go_to("slash goes to the chunk the set lacks", t.chunks.back().chunk);
  go_to("and to an unused one", t.chunks[static_cast<size_t>(std::find_if(t.chunks.begin(), t.chunks.end(), [](const ChunkUsage& c) { return c.placements == 0; }) - t.chunks.begin())].chunk);
  in.move(LIST_X, FIRST_LINE_Y).idle(2).click().idle(2);
  record("a click where its list would be chooses nothing");
  key("tab shows the blocks", KEY_TAB);
  in.move(156, 340).idle(2).click().idle(2);
  record("a click on a block lists its chunks");
  in.move(300, 248).idle(2);
  record("the mouse in the middle of the grid holds it still");
  key("down scrolls", key_scroll_down, 0, 3);
  key("up scrolls back", key_scroll_up);
  key("shift down scrolls faster", key_scroll_down, KB_SHIFT_FLAG, 2);
  in.wheel(1).idle(2);
  record("the wheel forward shows earlier rows");
  in.move(60, 100).idle(2);
  record("the mouse above the middle scrolls up");
  in.move(60, 460);
  button(1);
  record("held at the bottom edge the grid scrolls fast");
  in.move(60, 300).idle(3);
  record("dragged into the middle it keeps scrolling fast");
  button(0);
  record("let go");
  go_to("slash goes to a block", 300);
  key("pgdn held shows the next theme", KEY_PGDN, 0, 3);
  key("tab shows its chunks", KEY_TAB);
  key("pgup held goes back", KEY_PGUP, 0, 3);
  in.press(KEY_F1).idle(2).release(KEY_F1).idle(4);
  record("f1 shows the help");
  in.type_key(KEY_SPACE, ' ').idle(2);
  record("a key ends it");
  in.tap(KEY_ESC);
  EXPECT_FALSE(run().open_level);
  expect_step_hashes("block analysis session", seen, {
    0x348c1a503d514f78ull, 0x423c46a95fe46090ull, 0xb22445eefbebd638ull, 0x0ba2882662c5ba85ull, 0x25286583b781566eull,
    0xa6889bdd0774cb6eull, 0x70e4fffa7f7653b8ull, 0x6cc6a06296c54ea5ull, 0xa438d25c9a213282ull, 0x1fdfc5a5a71f972aull,
    0x47be16e6247bd662ull, 0xe1ce0548a4c8baa2ull, 0xa057697446d8a112ull, 0x9b3166282b2956caull, 0x7506c668bc1c34c2ull,
    0x42d6f53cc98f4242ull, 0x70879a2b9596e1c2ull, 0xfd8846ed8af6d4e6ull, 0x8cd047da52bdfd50ull, 0x05e583c0afdd4e97ull,
    0x37880cf97322ccbfull, 0xd5e93d4767e29811ull, 0xace9348ed37debffull});
}

// From the menu: the level chosen replaces the one in memory after asking about its unsaved
// edits (Escape keeps them), opens in the level editor, and leaving it offers to save what was
// edited there, as LEVEL EDITOR does.
TEST_F(BlockAnalysisScreen, TheChosenLevelOpensInTheEditorThatOffersItsEdits) {
  level_changed_flags = CHANGED_FRONT;
  choose_first_level();
  in.tap(KEY_ESC);
  run_scripted(run_block_analysis_tool);
  EXPECT_EQ(level_changed_flags, CHANGED_FRONT);
  level_changed_flags = 0;
  choose_first_level();
  in.idle(4).tap(KEY_DEL).idle(4).tap(KEY_ESC).idle(3).tap(KEY_ESC).idle(3).tap(KEY_Y);
  captured_messages().clear();
  run_scripted(run_block_analysis_tool);
  EXPECT_TRUE(in.script_done());
  EXPECT_EQ(level_changed_flags, 0);
  EXPECT_EQ(captured_messages(), (std::vector<std::string>{"[06] OLD CASTLE GATE", "WROTE New.lvl"}));
}

TEST_F(BlockAnalysisScreen, HelpNamesExactlyTheKeysTheScreenReads) {
  // Every key of the screen once, then Escape.
  in.tap(KEY_TAB).idle(2).wheel(-1).idle(2).tap(KEY_PGDN).idle(2).tap(KEY_PGUP).idle(2);
  in.press(KEY_DOWN).idle(2).release(KEY_DOWN).idle(1).press(KEY_ESC).idle(3).release(KEY_ESC);
  run();
  EXPECT_TRUE(in.script_done());  // the screen returns once Escape is up: the menu would take it
  // The keys the help names: lower-case words, less the mouse and the Shift key (read with
  // the other modifiers, not as a key).
  const std::map<std::string, std::set<int>> key_words = {
      {"up", {key_scroll_up}},   {"down", {key_scroll_down}}, {"tab", {KEY_TAB}}, {"pgup", {KEY_PGUP}},
      {"pgdn", {KEY_PGDN}},      {"slash", {KEY_SLASH, KEY_SLASH_PAD}}, {"f1", {KEY_F1}}, {"esc", {KEY_ESC}}};
  const std::set<std::string> not_keys = {"left", "click", "mouse", "wheel", "shift"};
  std::set<int> named;
  const std::string help = BLOCK_ANALYSIS_HELP;
  const std::regex lower_case_word("[a-z][a-z0-9]*");
  for (std::sregex_iterator w(help.begin(), help.end(), lower_case_word), end; w != end; ++w) {
    const std::string word = w->str();
    if (not_keys.count(word)) continue;
    ASSERT_TRUE(key_words.count(word)) << "the help names a key the test does not know: " << word;
    named.insert(key_words.at(word).begin(), key_words.at(word).end());
  }
  EXPECT_EQ(in.keys_asked, named);
}

// A line of the level list names the level and its placements in both planes.
TEST(BlockAnalysisTexts, LevelLinesNameTheLevelAndBothPlanes) {
  LevelModel names;
  names.markers.resize(9);
  names.markers[8].name = "THE KINGS TOWER";
  EXPECT_EQ(level_use_text({9, 12, 3}, names), "[09] THE KINGS TOWER  FRONT 12  BACK 3");
  EXPECT_EQ(level_use_text({0, 1, 0}, names), "[00] MAP SCREEN  FRONT 1  BACK 0");
}
