#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/problem_text.h"
#include "files/project_files.h"
#include "test_support.h"

namespace {

void write(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

std::string find(const std::string& text, const std::string& key, int* result = nullptr,
                 ProjectMessages* messages = nullptr) {
  std::string v = "<none>";
  int r = FindKey(text + "\n", key, v, messages, "t.glt");
  if (result) *result = r;
  return v;
}

}  // namespace

// Blanks around = are optional and trailing blanks stay; keys match exactly, case included;
// the first occurrence wins; a key-only line (or blanks alone) has an empty value; an empty
// key part matches nothing, not even an empty key.
TEST(FindKey, BlanksAroundEqualsAreOptionalAndTrailingBlanksStay) {
  const struct {
    const char *text, *key, *value;
    int result;
  } cases[] = {
      {"chunkmap=a.itm", "chunkmap", "a.itm", 0},          {"chunkmap = a.itm", "chunkmap", "a.itm", 0},
      {"chunkmap\t=\t\ta.itm", "chunkmap", "a.itm", 0},     {"chunkmap = a.itm  ", "chunkmap", "a.itm  ", 0},
      {"chunkmap = a = b\r", "chunkmap", "a = b", 0},       {"Chunkmap = x", "chunkmap", "<none>", -1},
      {"chunkmap = one\r\nchunkmap = two", "chunkmap", "one", 0},
      {"solidity\n", "solidity", "", 0},                   {"solidity = \t ", "solidity", "", 0},
      {" = x", "", "<none>", -1},
  };
  for (const auto& c : cases) {
    int r = 1;
    EXPECT_EQ(find(c.text, c.key, &r), c.value) << c.text;
    EXPECT_EQ(r, c.result) << c.text;
  }
}

TEST(FindKey, OverlongValuesAndKeysAreRefusedWithFileAndLine) {
  ProjectMessages m;
  int r = 0;
  EXPECT_EQ(find("x = 1\nchunkmap = " + std::string(31, 'a'), "chunkmap", &r, &m), std::string(31, 'a'));
  EXPECT_TRUE(m.all().empty());
  find("x = 1\nchunkmap = " + std::string(32, 'a'), "chunkmap", &r, &m);
  EXPECT_EQ(r, -1);
  ASSERT_EQ(m.all().size(), 1u);
  EXPECT_EQ(problem_texts(m)[0], "ERROR: Value on line 2 of \"t.glt\" is too long. Must not exceed 31 characters.");
  ProjectMessages k;
  find(std::string(31, 'k') + " = 1\nchunkmap = a", "chunkmap", &r, &k);
  EXPECT_TRUE(k.all().empty());
  find(std::string(32, 'k') + " = 1\nchunkmap = a", "chunkmap", &r, &k);
  EXPECT_EQ(r, 0);
  ASSERT_EQ(k.all().size(), 1u);
  EXPECT_NE(problem_texts(k)[0].find("Key on line 1 of \"t.glt\" is too long"), std::string::npos);
  // A line over 127 characters ends the search: nothing after it is found.
  EXPECT_EQ(find(std::string(128, 'x') + "\nchunkmap = a", "chunkmap", &r), "<none>");
  EXPECT_EQ(r, -1);
}

// A whole project: keys up to the last theme (F) and level (7F), a line of exactly the longest
// length, every descriptor field, numbers kept to 8 bits; then the texts that are no project.
TEST(LoadProject, ReadsEveryRecordOfTheLastThemeAndLevelAndRefusesWhatIsNoProject) {
  ScopedCwd cwd(scratch_dir("project_whole"));
  const std::string dir;
  write(dir + "tf.glt", "chunkmap = c.itm\ngraphics = g.glv\npatterns = p.pat\nblockmap = b.bma\nsolidity = s.ins\n");
  write(dir + "l7f.gll",
        "map_front = f.lvl\r\nmap_back = b.lvl\r\npalette_main = m.pal\r\npalette_front = f.pal\r\npalette_back = "
        "b.pal\r\npalette_flash = x.pal\r\nback_scroll_a = 300\r\nback_scroll_b = 1\r\nback_scroll_c = 2\r\n"
        "back_scroll_d = 3\r\nfront_scroll = -1\r\nflags = 255\r\nmusic = 256\r\n");
  write(dir + "p.glp", "glb_project_file_version = 0\r\nk" + std::string(60, ' ') + "=" + std::string(63, ' ') +
                           "v\r\ntheme_F = " + dir + "tf.glt\r\nlevel_7F = " + dir + "l7f.gll\r\n");
  ProjectTables t;
  t.level_paths[3] = "from an earlier project";
  ProjectMessages m;
  ASSERT_TRUE(LoadProject(dir + "p.glp", t, m));
  EXPECT_TRUE(m.all().empty()) << problem_texts(m)[0];
  EXPECT_EQ(t.theme_paths[15], dir + "tf.glt");
  EXPECT_EQ(t.level_paths[127], dir + "l7f.gll");
  EXPECT_EQ(t.level_paths[3], "");
  EXPECT_TRUE(t.themes[15] == (ThemeRecord{"c.itm", "g.glv", "p.pat", "b.bma", "s.ins"}));
  const LevelRecord& l = t.levels[127];
  EXPECT_TRUE(l == (LevelRecord{"f.lvl", "b.lvl", "m.pal", "f.pal", "b.pal", "x.pal", 44, 1, 2, 3, 255, 255, 0}));
  EXPECT_TRUE(t.themes[14] == ThemeRecord());

  const ProjectTables loaded = t;
  const struct {
    std::string text, message;
  } refused[] = {
      {"glb_project_file_version = 1\r\n", "ERROR: Unknown project version 1 in \"" + dir + "p.glp\""},
      {"", "ERROR: File \"" + dir + "p.glp\" is empty."},
      {std::string("theme_0 = a\0b", 13), "ERROR: File \"" + dir + "p.glp\" is not a text file (a zero byte at 0xB)."},
  };
  for (const auto& r : refused) {
    write(dir + "p.glp", r.text);
    ProjectMessages refusal;
    EXPECT_FALSE(LoadProject(dir + "p.glp", t, refusal));
    ASSERT_EQ(problem_texts(refusal).size(), 1u);
    EXPECT_EQ(problem_texts(refusal)[0], r.message);
    EXPECT_TRUE(t == loaded);
  }
}
