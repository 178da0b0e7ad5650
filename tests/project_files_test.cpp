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
