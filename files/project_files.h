// Project text files: the project file (.glp), theme descriptors (.glt) and level
// descriptors (.gll), and the project tables they fill.
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "files/problem.h"

constexpr int PROJECT_THEMES = 16;
constexpr int PROJECT_LEVELS = 128;
constexpr size_t PROJECT_FIELD_MAX = 31;  // a 32-byte field with its terminator
constexpr size_t PROJECT_LINE_MAX = 127;  // characters per line, a final CR included
constexpr size_t PROJECT_PATH_MAX = 480;
constexpr size_t PROJECT_TEXT_LIMIT = 1 << 20;  // largest project file or descriptor read

struct ThemeRecord {
  std::string chunkmap, graphics, patterns, blockmap, solidity;
  bool operator==(const ThemeRecord& o) const {
    return chunkmap == o.chunkmap && graphics == o.graphics && patterns == o.patterns && blockmap == o.blockmap &&
           solidity == o.solidity;
  }
};

struct LevelRecord {
  std::string map_front, map_back, palette_main, palette_front, palette_back, palette_flash;
  uint8_t back_scroll_a = 0, back_scroll_b = 0, back_scroll_c = 0, back_scroll_d = 0;
  uint8_t front_scroll = 0, flags = 0, music = 0;
  bool operator==(const LevelRecord& o) const {
    return map_front == o.map_front && map_back == o.map_back && palette_main == o.palette_main &&
           palette_front == o.palette_front && palette_back == o.palette_back && palette_flash == o.palette_flash &&
           back_scroll_a == o.back_scroll_a && back_scroll_b == o.back_scroll_b && back_scroll_c == o.back_scroll_c &&
           back_scroll_d == o.back_scroll_d && front_scroll == o.front_scroll && flags == o.flags && music == o.music;
  }
};

struct ProjectTables {
  std::array<std::string, PROJECT_THEMES> theme_paths;
  std::array<std::string, PROJECT_LEVELS> level_paths;
  std::array<ThemeRecord, PROJECT_THEMES> themes;
  std::array<LevelRecord, PROJECT_LEVELS> levels;
  std::string project_file;
  bool operator==(const ProjectTables& o) const {
    return theme_paths == o.theme_paths && level_paths == o.level_paths && themes == o.themes && levels == o.levels &&
           project_file == o.project_file;
  }
};

// The problems met while reading, generating or building, in order, each once; app/ words
// them for the user.
class ProjectMessages {
 public:
  void add(const Problem& problem);
  const std::vector<Problem>& all() const { return problems_; }

 private:
  std::vector<Problem> problems_;
};

// Looks a key up in a project text: 0 and the value when found, -1 when not found or
// when a line over 127 characters stops the search (reported with its line number).
// A value over 31 characters is refused (reported with the file and line) and counts as missing.
int FindKey(const std::string& text, const std::string& key, std::string& value, ProjectMessages* messages = nullptr,
            const std::string& file_name = "");

// Reads a project file and every descriptor it names into empty tables, which then replace
// tables (the project file name too, which the caller sets). Returns false when the project
// file is missing, holds a line that no project file holds (NotAProject) or is of an unknown
// version (tables unchanged then). Missing descriptors are
// reported and skipped. Descriptor paths lead from the project file's folder; the tables hold
// them joined to it.
bool LoadProject(const std::string& path, ProjectTables& tables, ProjectMessages& messages);
bool ReadThemeDescriptor(const std::string& path, int theme, ProjectTables& tables, ProjectMessages& messages);
bool ReadLevelDescriptor(const std::string& path, int level, ProjectTables& tables, ProjectMessages& messages);

// The records of a descriptor's text (an LF ends the text); path names it in messages.
ThemeRecord parse_theme_descriptor(const std::string& text, const std::string& path, ProjectMessages& messages);
LevelRecord parse_level_descriptor(const std::string& text, const std::string& path, ProjectMessages& messages);

// True for tables of no project: no project file name and no descriptor.
bool project_is_empty(const ProjectTables& tables);

// Key names: "theme_X" (X one hex digit) and "level_XY" (X 0..7, Y a hex digit).
std::string theme_key(int theme);
std::string level_key(int level);

// A project text from its lines: CR LF between lines, none after the last.
std::string project_text(const std::vector<std::string>& lines);
// The directory part of a path, with its separator ("" when there is none).
std::string directory_of(const std::string& path);
