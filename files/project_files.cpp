#include "files/project_files.h"

#include <algorithm>
#include <cstdlib>

#include "files/atomic_file.h"

void ProjectMessages::add(const Problem& problem) {
  if (std::find(problems_.begin(), problems_.end(), problem) == problems_.end()) problems_.push_back(problem);
}

namespace {

bool is_blank(char c) { return c == ' ' || c == '\t'; }

// A problem of the file path with a number: a line, an offset, a version.
Problem numbered(Problem::Kind kind, const std::string& path, long long number) {
  return Problem(kind, path, "", "", number);
}

// Reads a text file whole, with an LF appended; false (and the problem) when it cannot be
// read. A project text is a few kilobytes; anything beyond PROJECT_TEXT_LIMIT is no project text.
bool read_text(const std::string& path, std::string& text, ProjectMessages& messages) {
  std::vector<uint8_t> bytes;
  Problem problem;
  if (!read_whole_file(path, bytes, &problem, PROJECT_TEXT_LIMIT)) {
    messages.add(problem);
    return false;
  }
  if (bytes.empty()) {
    messages.add(Problem{Problem::Kind::Empty, path});
    return false;
  }
  // A zero byte ends no line and no value: such a file is not a project text at all.
  for (size_t i = 0; i < bytes.size(); ++i)
    if (bytes[i] == 0) {
      messages.add(numbered(Problem::Kind::NotText, path, static_cast<long long>(i)));
      return false;
    }
  text.assign(bytes.begin(), bytes.end());
  text.push_back('\n');
  return true;
}

// Decimal number stored in 8 bits; a missing or non-numeric value reads as 0.
uint8_t read_number(const std::string& value) {
  return static_cast<uint8_t>(std::strtol(value.c_str(), nullptr, 10) & 0xFF);
}

std::string hex_digit(int v) { return std::string(1, "0123456789ABCDEF"[v & 15]); }

}  // namespace

int FindKey(const std::string& text, const std::string& key, std::string& value, ProjectMessages* messages,
            const std::string& file_name) {
  size_t pos = 0;
  int line_number = 0;
  while (pos < text.size()) {
    size_t end = text.find('\n', pos);
    if (end == std::string::npos) end = text.size();
    ++line_number;
    std::string line = text.substr(pos, end - pos);
    pos = end + 1;
    if (line.size() > PROJECT_LINE_MAX) {
      // The file is named too: a project has well over a hundred texts.
      if (messages) messages->add(numbered(Problem::Kind::LineTooLong, file_name, line_number));
      return -1;
    }
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty()) continue;
    const size_t eq = line.find('=');
    std::string k = line.substr(0, eq);
    while (!k.empty() && is_blank(k.back())) k.pop_back();
    if (k.empty()) continue;
    if (k.size() > PROJECT_FIELD_MAX && messages) {
      messages->add(numbered(Problem::Kind::KeyTooLong, file_name, line_number));
    }
    if (k != key) continue;
    std::string v;
    if (eq != std::string::npos) {
      size_t start = eq + 1;
      while (start < line.size() && is_blank(line[start])) ++start;
      v = line.substr(start);
    }
    if (v.size() > PROJECT_FIELD_MAX) {
      if (messages) messages->add(numbered(Problem::Kind::ValueTooLong, file_name, line_number));
      return -1;
    }
    value = v;
    return 0;
  }
  return -1;
}

std::string theme_key(int theme) { return "theme_" + hex_digit(theme); }
std::string level_key(int level) { return "level_" + hex_digit(level >> 4) + hex_digit(level); }

// The value of a key, empty when it is missing.
static std::string lookup(const std::string& text, const char* key, const std::string& path, ProjectMessages& messages) {
  std::string v;
  FindKey(text, key, v, &messages, path);
  return v;
}

ThemeRecord parse_theme_descriptor(const std::string& text, const std::string& path, ProjectMessages& messages) {
  auto get = [&](const char* key) { return lookup(text, key, path, messages); };
  ThemeRecord r;
  r.chunkmap = get("chunkmap");
  r.graphics = get("graphics");
  r.patterns = get("patterns");
  r.blockmap = get("blockmap");
  r.solidity = get("solidity");
  return r;
}

LevelRecord parse_level_descriptor(const std::string& text, const std::string& path, ProjectMessages& messages) {
  auto get = [&](const char* key) { return lookup(text, key, path, messages); };
  LevelRecord r;
  r.map_front = get("map_front");
  r.map_back = get("map_back");
  r.palette_main = get("palette_main");
  r.palette_front = get("palette_front");
  r.palette_back = get("palette_back");
  r.palette_flash = get("palette_flash");
  r.back_scroll_a = read_number(get("back_scroll_a"));
  r.back_scroll_b = read_number(get("back_scroll_b"));
  r.back_scroll_c = read_number(get("back_scroll_c"));
  r.back_scroll_d = read_number(get("back_scroll_d"));
  r.front_scroll = read_number(get("front_scroll"));
  r.flags = read_number(get("flags"));
  r.music = read_number(get("music"));
  return r;
}

bool ReadThemeDescriptor(const std::string& path, int theme, ProjectTables& tables, ProjectMessages& messages) {
  std::string text;
  if (!read_text(path, text, messages)) return false;
  tables.themes[theme] = parse_theme_descriptor(text, path, messages);
  return true;
}

bool ReadLevelDescriptor(const std::string& path, int level, ProjectTables& tables, ProjectMessages& messages) {
  std::string text;
  if (!read_text(path, text, messages)) return false;
  tables.levels[level] = parse_level_descriptor(text, path, messages);
  return true;
}

// The descriptor path of a key of the project file at project_path (empty when missing):
// relative paths lead from the project file's folder, so a project in the working directory
// is used as written.
static std::string descriptor_path(const std::string& text, const std::string& key, const std::string& project_path,
                                   ProjectMessages& messages) {
  std::string p;
  FindKey(text, key, p, &messages, project_path);
  const std::string folder = directory_of(project_path);
  if (p.empty() || folder.empty() || p[0] == '/' || p[0] == '\\') return p;
  return folder + (p.rfind("./", 0) == 0 || p.rfind(".\\", 0) == 0 ? p.substr(2) : p);
}

// A key a project file holds: the version, "theme_X" or "level_XY" (X, Y upper-case hex digits).
static bool project_key(const std::string& key) {
  auto hex = [&](size_t from) {
    return key.find_first_not_of("0123456789ABCDEF", from) == std::string::npos;
  };
  return key == "glb_project_file_version" || (key.size() == 7 && key.rfind("theme_", 0) == 0 && hex(6)) ||
         (key.size() == 8 && key.rfind("level_", 0) == 0 && hex(6));
}

// The first line that shows text is no project file: a line without "=", or, in a text
// without any project key, its first line that is not blank. Its number, and the line in
// `line`; 0 when there is none. Over-long lines are left to FindKey, which reports them.
static long long first_foreign_line(const std::string& text, std::string& line) {
  long long number = 0, first_other = 0;
  std::string other;
  bool any_key = false;
  for (size_t pos = 0; pos < text.size();) {
    size_t end = text.find('\n', pos);
    if (end == std::string::npos) end = text.size();
    line = text.substr(pos, end - pos);
    pos = end + 1;
    ++number;
    if (line.size() > PROJECT_LINE_MAX) continue;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.find_first_not_of(" \t") == std::string::npos) continue;
    const size_t eq = line.find('=');
    std::string key = line.substr(0, eq);
    while (!key.empty() && is_blank(key.back())) key.pop_back();
    if (eq == std::string::npos) return number;
    if (project_key(key)) {
      any_key = true;
    } else if (first_other == 0) {
      first_other = number;
      other = line;
    }
  }
  line = other;
  return any_key ? 0 : first_other;
}

bool LoadProject(const std::string& path, ProjectTables& tables, ProjectMessages& messages) {
  std::string text;
  if (!read_text(path, text, messages)) return false;
  std::string line;
  if (const long long bad = first_foreign_line(text, line)) {
    if (line.size() > 40) line = line.substr(0, 37) + "...";
    messages.add(Problem(Problem::Kind::NotAProject, path, "", line, bad));
    return false;
  }
  std::string v;
  FindKey(text, "glb_project_file_version", v, &messages, path);
  const long version = std::strtol(v.c_str(), nullptr, 10);
  if (version != 0) {
    messages.add(numbered(Problem::Kind::UnknownVersion, path, version));
    return false;
  }
  // The new project is built aside from empty tables: nothing of an earlier project (a level
  // or theme this one does not name) may reach a build. On success it replaces them whole.
  ProjectTables next;
  for (int t = 0; t < PROJECT_THEMES; ++t) next.theme_paths[t] = descriptor_path(text, theme_key(t), path, messages);
  for (int l = 0; l < PROJECT_LEVELS; ++l) next.level_paths[l] = descriptor_path(text, level_key(l), path, messages);
  for (int t = 0; t < PROJECT_THEMES; ++t)
    if (!next.theme_paths[t].empty()) ReadThemeDescriptor(next.theme_paths[t], t, next, messages);
  for (int l = 0; l < PROJECT_LEVELS; ++l)
    if (!next.level_paths[l].empty()) ReadLevelDescriptor(next.level_paths[l], l, next, messages);
  tables = std::move(next);
  return true;
}

bool project_is_empty(const ProjectTables& tables) {
  auto empty = [](const std::string& path) { return path.empty(); };
  return tables.project_file.empty() && std::all_of(tables.theme_paths.begin(), tables.theme_paths.end(), empty) &&
         std::all_of(tables.level_paths.begin(), tables.level_paths.end(), empty);
}

std::string project_text(const std::vector<std::string>& lines) {
  std::string out;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (i) out += "\r\n";
    out += lines[i];
  }
  return out;
}

std::string directory_of(const std::string& path) {
  const size_t slash = path.find_last_of("/\\");
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}
