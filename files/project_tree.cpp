#include "files/project_tree.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <map>
#include <set>
#include <system_error>

#include "files/atomic_file.h"

void ProjectTree::add_directory(const std::string& path) { entries.push_back({Entry::Directory, path, {}, {}}); }

void ProjectTree::add_file(const std::string& path, std::vector<uint8_t> bytes) {
  entries.push_back({Entry::File, path, std::move(bytes), {}});
}

void ProjectTree::add_text(const std::string& path, const std::string& text) {
  add_file(path, std::vector<uint8_t>(text.begin(), text.end()));
}

void ProjectTree::add_copy(const std::string& source, const std::string& destination) {
  entries.push_back({Entry::Copy, destination, {}, source});
}

namespace {

// The files of a tree with their contents, each path once (a later entry for a path wins),
// in the order of their first entries; the game files to copy are read here.
bool collect_files(const ProjectTree& tree, std::vector<std::pair<std::string, std::vector<uint8_t>>>& files,
                   ProjectMessages& messages) {
  std::map<std::string, size_t> index;
  for (const ProjectTree::Entry& e : tree.entries) {
    if (e.kind == ProjectTree::Entry::Directory) continue;
    std::vector<uint8_t> bytes = e.bytes;
    if (e.kind == ProjectTree::Entry::Copy && !read_game_file(e.source, bytes, messages)) return false;
    const auto [it, added] = index.emplace(e.path, files.size());
    if (added) files.emplace_back(e.path, std::move(bytes));
    else files[it->second].second = std::move(bytes);
  }
  return true;
}

// Something is at path that writing bytes there would replace by other contents.
bool replaces_other_contents(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::error_code ec;
  if (!std::filesystem::exists(path, ec)) return false;
  std::vector<uint8_t> old;
  return !read_whole_file(path, old, nullptr, bytes.size()) || old != bytes;
}

}  // namespace

bool write_project_tree(const ProjectTree& tree, ProjectMessages& messages, bool overwrite) {
  std::vector<std::pair<std::string, std::vector<uint8_t>>> files;
  if (!collect_files(tree, files, messages)) return false;
  for (const auto& [path, bytes] : files)
    if (!overwrite && replaces_other_contents(path, bytes)) {
      messages.add(Problem{Problem::Kind::WouldReplace, path});
      return false;
    }
  std::vector<std::string> made;  // directories this write created
  size_t staged = 0;
  auto undo = [&] {
    for (size_t i = 0; i < staged; ++i) discard_staged_file(files[i].first);
    std::error_code ec;
    for (auto d = made.rbegin(); d != made.rend(); ++d) std::filesystem::remove(*d, ec);
    return false;
  };
  for (const ProjectTree::Entry& e : tree.entries) {
    if (e.kind != ProjectTree::Entry::Directory) continue;
    std::error_code ec;
    if (std::filesystem::create_directory(e.path, ec)) made.push_back(e.path);
    if (!std::filesystem::is_directory(e.path, ec)) {
      messages.add(Problem{Problem::Kind::CreateDirectory, e.path});
      return undo();
    }
  }
  for (; staged < files.size(); ++staged) {
    const auto& [path, bytes] = files[staged];
    if (std::string why; !write_file_staged(path, bytes.data(), bytes.size(), &why)) {
      messages.add(write_problem(Problem::Kind::CreateFile, path, why));
      return undo();
    }
  }
  for (const auto& [path, bytes] : files) {
    if (std::string why; !commit_staged_file(path, &why)) {
      messages.add(Problem{Problem::Kind::CreateFile, path, "", why});
      return false;
    }
  }
  return true;
}

bool read_game_file(const std::string& source, std::vector<uint8_t>& bytes, ProjectMessages& messages) {
  std::error_code ec;
  const uintmax_t size = std::filesystem::is_regular_file(source, ec) ? std::filesystem::file_size(source, ec) : 0;
  if (!ec && size > GAME_FILE_LIMIT) {
    messages.add(Problem{Problem::Kind::UnsupportedSize, source, "", "", static_cast<long long>(size)});
    return false;
  }
  Problem problem;
  if (read_whole_file(source, bytes, &problem, GAME_FILE_LIMIT)) return true;
  messages.add(problem);
  return false;
}

std::string written_summary(const ProjectTree& tree) {
  std::vector<std::string> tops;
  for (const ProjectTree::Entry& e : tree.entries) {
    std::string path = e.path.rfind("./", 0) == 0 ? e.path.substr(2) : e.path;
    const size_t slash = path.find('/');
    if (slash != std::string::npos) path.erase(slash + 1);
    else if (e.kind == ProjectTree::Entry::Directory) path += "/";
    if (std::find(tops.begin(), tops.end(), path) == tops.end()) tops.push_back(path);
  }
  std::string out;
  for (const std::string& t : tops) out += (out.empty() ? "" : ", ") + t;
  return out;
}

std::string hex1(int value) { return std::string(1, "0123456789ABCDEF"[value & 15]); }
std::string hex2(int value) { return hex1(value >> 4) + hex1(value); }

namespace {

// A name with its last three characters replaced ("Jungle.ITM" -> "Jungle.glt").
std::string with_extension(const std::string& name, const char* extension) {
  return name.substr(0, name.size() >= 3 ? name.size() - 3 : 0) + extension;
}

std::string palette_line(const char* key, uint8_t number) { return std::string(key) + " = ./pal/Pal" + hex2(number) + ".pal"; }

std::string number_line(const char* key, uint8_t value) { return std::string(key) + " = " + std::to_string(value); }

// The file of a layout: its own name or, for a repeated table entry, the earlier layout's.
const std::string& layout_file(const GameNames& names, int layout) {
  return names.layouts[layout].empty() ? names.layout_aliases[layout] : names.layouts[layout];
}

}  // namespace

namespace {

std::string theme_descriptor_name(const GameNames& names, int theme) {
  if (!names.aga) return "./themes/theme" + hex1(theme) + ".glt";
  // The longest of the chunkmap, graphics and solidity names; on equal length in that order.
  const std::string* longest = &names.chunkmap[theme];
  for (const std::string* n : {&names.graphics[theme], &names.solidity[theme]})
    if (n->size() > longest->size()) longest = n;
  return "./themes/" + with_extension(*longest, "glt");
}

std::string level_descriptor_name(const GameNames& names, int level) {
  if (!names.aga) return "./levels/level" + hex2(level) + ".gll";
  return "./levels/" + with_extension(names.layouts[level], "gll");
}

std::string lower_case(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

// The name itself when it is free, else with "_2", "_3" ... before the extension.
std::string unique_name(const std::string& name, std::set<std::string>& taken) {
  const size_t dot = name.find_last_of('.');
  const size_t cut = dot == std::string::npos || dot < name.find_last_of('/') + 1 ? name.size() : dot;
  std::string candidate = name;
  for (int n = 2; !taken.insert(lower_case(candidate)).second; ++n)
    candidate = name.substr(0, cut) + "_" + std::to_string(n) + name.substr(cut);
  return candidate;
}

}  // namespace

DescriptorPaths descriptor_paths(const GameNames& names) {
  DescriptorPaths paths;
  std::set<std::string> taken;
  for (int t = 0; t < PROJECT_THEMES; ++t)
    if (!names.chunkmap[t].empty()) paths.themes[t] = unique_name(theme_descriptor_name(names, t), taken);
  for (int l = 0; l < PROJECT_LEVELS && l < MAP_HEADER_COUNT; ++l)
    if (!names.layouts[l].empty()) paths.levels[l] = unique_name(level_descriptor_name(names, l), taken);
  return paths;
}

std::string theme_descriptor_text(const GameNames& names, int t) {
  std::vector<std::string> lines{"chunkmap = ./itm/" + names.chunkmap[t]};
  if (names.aga) {
    if (!names.graphics[t].empty()) lines.push_back("graphics = ./glv/" + names.graphics[t]);
    if (!names.solidity[t].empty()) lines.push_back("solidity = ./ins/" + names.solidity[t]);
  } else {
    if (!names.solidity[t].empty()) lines.push_back("solidity = ./ins/" + names.solidity[t]);
    if (!names.patterns[t].empty()) lines.push_back("patterns = ./pat/" + names.patterns[t]);
    if (!names.blockmap[t].empty()) lines.push_back("blockmap = ./bma/" + names.blockmap[t]);
  }
  return project_text(lines);
}

std::string level_descriptor_text(const GameNames& names, int level) {
  const MapHeader& h = names.headers[level];
  std::vector<std::string> lines{"map_front = ./lvl/" + layout_file(names, h.map_front)};
  const std::string& back = layout_file(names, LAYOUT_BANK_SIZE + (h.map_back & 0x7F));
  if (!back.empty()) lines.push_back("map_back = ./lvl/" + back);
  lines.push_back(palette_line("palette_main", h.palette_main));
  lines.push_back(palette_line("palette_front", h.palette_front));
  lines.push_back(palette_line("palette_back", h.palette_back));
  lines.push_back(palette_line("palette_flash", h.palette_flash));
  lines.push_back(number_line("back_scroll_a", h.back_scroll_a));
  lines.push_back(number_line("back_scroll_b", h.back_scroll_b));
  lines.push_back(number_line("back_scroll_c", h.back_scroll_c));
  lines.push_back(number_line("back_scroll_d", h.back_scroll_d));
  lines.push_back(number_line("front_scroll", h.front_scroll));
  lines.push_back(number_line("flags", h.flags));
  lines.push_back(number_line("music", h.music));
  return project_text(lines);
}

void add_project_files(const GameNames& names, ProjectTree& tree, ProjectTables& tables) {
  ProjectMessages unused;  // generated texts hold no over-long lines or values
  const DescriptorPaths paths = descriptor_paths(names);
  tables = ProjectTables();
  std::string text = "glb_project_file_version = 0\r\n";
  for (int t = 0; t < PROJECT_THEMES; ++t) {
    const std::string& path = paths.themes[t];
    if (path.empty()) continue;
    const std::string descriptor = theme_descriptor_text(names, t);
    tree.add_text(path, descriptor);
    tables.theme_paths[t] = path;
    tables.themes[t] = parse_theme_descriptor(descriptor + "\n", path, unused);
    text += "\r\n" + theme_key(t) + " = " + path;
  }
  text += "\r\n";
  for (int l = 0; l < PROJECT_LEVELS; ++l) {
    const std::string& path = paths.levels[l];
    if (path.empty()) continue;
    const std::string descriptor = level_descriptor_text(names, l);
    tree.add_text(path, descriptor);
    tables.level_paths[l] = path;
    tables.levels[l] = parse_level_descriptor(descriptor + "\n", path, unused);
    text += "\r\n" + level_key(l) + " = " + path;
  }
  text += "\r\n";
  tree.add_text(names.aga ? "GLB-AGA.glp" : "GLB-Gen.glp", text);
}

int write_generated_project(const GameNames& names, ProjectTree& tree, ProjectTables& tables,
                            ProjectMessages& messages, std::string* written, bool overwrite) {
  ProjectTables next;
  add_project_files(names, tree, next);
  if (!write_project_tree(tree, messages, overwrite)) return -1;
  tables = std::move(next);
  if (written) *written = written_summary(tree);
  return 0;
}
