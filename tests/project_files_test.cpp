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

TEST(FindKey, BlanksAroundEqualsAreOptionalAndTrailingBlanksStay) {
  EXPECT_EQ(find("chunkmap=a.itm", "chunkmap"), "a.itm");
  EXPECT_EQ(find("chunkmap = a.itm", "chunkmap"), "a.itm");
  EXPECT_EQ(find("chunkmap\t=\t\ta.itm", "chunkmap"), "a.itm");
  EXPECT_EQ(find("chunkmap = a.itm  ", "chunkmap"), "a.itm  ");
  EXPECT_EQ(find("chunkmap = a = b\r", "chunkmap"), "a = b");
  // Keys match exactly, case included; the first occurrence wins; a key-only line has an empty value.
  int r = 0;
  EXPECT_EQ(find("Chunkmap = x", "chunkmap", &r), "<none>");
  EXPECT_EQ(r, -1);
  EXPECT_EQ(find("chunkmap = one\r\nchunkmap = two", "chunkmap"), "one");
  EXPECT_EQ(find("solidity\n", "solidity", &r), "");
  EXPECT_EQ(r, 0);
  EXPECT_EQ(find("solidity = \t ", "solidity", &r), "");  // blanks alone are no value
  EXPECT_EQ(r, 0);
  // An empty key part matches nothing, not even an empty key.
  EXPECT_EQ(find(" = x", "", &r), "<none>");
  EXPECT_EQ(r, -1);
}

TEST(FindKey, LineLimitCountsTheCarriageReturn) {
  const std::string key = "k = ";
  const std::string v126(126 - key.size(), 'x');
  const std::string v127(127 - key.size(), 'x');
  ProjectMessages m;
  int r = 0;
  // 126 characters + CR: passes (the value itself is then too long for a field, which is refused).
  find("a = 1\r\n" + key + v126 + "\r\nb = 2", "b", &r, &m);
  EXPECT_EQ(r, 0);
  m = ProjectMessages();
  find("a = 1\r\n" + key + v127 + "\r\nb = 2", "b", &r, &m);
  EXPECT_EQ(r, -1);
  ASSERT_EQ(m.all().size(), 1u);
  EXPECT_EQ(problem_texts(m)[0], "ERROR: Line 2 of \"t.glt\" is too long. Must not exceed 127 characters.");
  // A key found before the long line is still found.
  EXPECT_EQ(find("a = 1\r\n" + key + v127, "a", &r), "1");
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
}

TEST(ProjectKeys, ThemeAndLevelKeyNames) {
  EXPECT_EQ(theme_key(0), "theme_0");
  EXPECT_EQ(theme_key(15), "theme_F");
  EXPECT_EQ(level_key(0), "level_00");
  EXPECT_EQ(level_key(0x1A), "level_1A");
  EXPECT_EQ(level_key(127), "level_7F");
  EXPECT_EQ(project_text({"a", "b", "c"}), "a\r\nb\r\nc");
  EXPECT_EQ(project_text({}), "");
  EXPECT_EQ(directory_of("levels/level_00.gll"), "levels/");
  EXPECT_EQ(directory_of("level_00.gll"), "");
}

TEST(LoadProject, ReadsDescriptorsAndNumbers) {
  ScopedCwd cwd(scratch_dir("project_load"));
  const std::string dir = ".";
  write(dir + "/p.glp", project_text({"theme_0 = t0.glt", "level_01=l1.gll", "level_80 = l80.gll"}));
  write(dir + "/t0.glt", project_text({"chunkmap = T0.itm", "patterns = T0.pat", "blockmap = T0.bma",
                                       "solidity = T0.ins"}));
  write(dir + "/l1.gll", project_text({"map_front = L1.lvl", "palette_main = Pal01.pal", "flags = 300",
                                       "back_scroll_a = 7", "front_scroll = x"}));
  ProjectTables t;
  ProjectMessages m;
  ASSERT_TRUE(LoadProject(dir + "/p.glp", t, m));
  EXPECT_TRUE(m.all().empty());
  EXPECT_EQ(t.themes[0].chunkmap, "T0.itm");
  EXPECT_EQ(t.themes[0].graphics, "");
  EXPECT_EQ(t.levels[1].map_front, "L1.lvl");
  EXPECT_EQ(t.levels[1].map_back, "");  // missing key: empty field
  EXPECT_EQ(t.levels[1].flags, 44);     // 300 modulo 256
  EXPECT_EQ(t.levels[1].back_scroll_a, 7);
  EXPECT_EQ(t.levels[1].front_scroll, 0);  // non-numeric
  EXPECT_EQ(t.levels[1].music, 0);
  // level_80 is beyond the 128 levels and never looked up.
  for (const std::string& p : t.level_paths) EXPECT_EQ(p.find("l80"), std::string::npos);
}

TEST(LoadProject, MissingDescriptorIsSkippedAndOldRecordsGo) {
  ScopedCwd cwd(scratch_dir("project_versions"));
  const std::string dir = "d";
  std::filesystem::create_directory(dir);
  ProjectTables t;
  t.levels[5].map_front = "old.lvl";
  // A missing descriptor is reported and skipped; records of the project before are gone.
  write(dir + "/v0.glp", project_text({"glb_project_file_version = 0", "level_02 = " + dir + "/gone.gll"}));
  ProjectMessages m0;
  EXPECT_TRUE(LoadProject(dir + "/v0.glp", t, m0));
  ASSERT_EQ(m0.all().size(), 1u);
  EXPECT_EQ(problem_texts(m0)[0], "ERROR: File \"" + dir + "/gone.gll\" not found.");
  EXPECT_TRUE(t.levels[5] == LevelRecord());
  EXPECT_EQ(t.level_paths[5], "");
}

TEST(LoadProject, LongLineIsReportedOnceNotForEveryKey) {
  const std::string dir = scratch_dir("project_long");
  write(dir + "/p.glp", "theme_0 = a.glt\r\n" + std::string(130, 'x') + "\r\nlevel_00 = b.gll");
  ProjectTables t;
  ProjectMessages m;
  EXPECT_TRUE(LoadProject(dir + "/p.glp", t, m));
  // The keys after the long line count as missing; the message appears once.
  EXPECT_EQ(t.level_paths[0], "");
  int long_line = 0;
  for (const std::string& s : problem_texts(m)) long_line += s == "ERROR: Line 2 of \"" + dir + "/p.glp\" is too long. Must not exceed 127 characters.";
  EXPECT_EQ(long_line, 1);
}
