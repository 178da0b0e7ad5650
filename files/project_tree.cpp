#include "files/project_tree.h"

#include <cstdio>
#include <filesystem>
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

// The message of a file that could not be written, with the reason (a full disk, no permission).
std::string could_not_create(const std::string& path, const std::string& why) {
  return "ERROR: Could not create file \"" + path + "\" (" + why + ")";
}

bool make_directory(const std::string& path, ProjectMessages& messages) {
  std::error_code ec;
  std::filesystem::create_directory(path, ec);
  if (std::filesystem::is_directory(path, ec)) return true;
  messages.add("ERROR: Could not create directory \"" + path + "\"");
  return false;
}

}  // namespace

bool write_project_tree(const ProjectTree& tree, ProjectMessages& messages) {
  for (const ProjectTree::Entry& e : tree.entries) {
    switch (e.kind) {
      case ProjectTree::Entry::Directory:
        if (!make_directory(e.path, messages)) return false;
        break;
      case ProjectTree::Entry::File:
        if (std::string why; !write_file_atomic(e.path, e.bytes, &why)) {
          messages.add(could_not_create(e.path, why));
          return false;
        }
        break;
      case ProjectTree::Entry::Copy:
        CopyGameFile(e.source, e.path, messages);
        break;
    }
  }
  return true;
}

int CopyGameFile(const std::string& source, const std::string& destination, ProjectMessages& messages) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(source, ec)) return -1;
  const uintmax_t size = std::filesystem::file_size(source, ec);
  if (ec) return -1;
  if (size > GAME_FILE_LIMIT) {
    char buf[600];
    std::snprintf(buf, sizeof buf,
                  "ERROR: Cannot copy the file '%s', because it has an unsupported file size of %llu bytes.",
                  source.c_str(), static_cast<unsigned long long>(size));
    messages.add(buf);
    return -1;
  }
  std::vector<uint8_t> bytes;
  if (!read_whole_file(source, bytes)) return -1;
  if (std::string why; !write_file_atomic(destination, bytes, &why)) {
    messages.add(could_not_create(destination, why));
    return -1;
  }
  return 0;
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

std::string theme_descriptor_path(const GameNames& names, int theme) {
  if (!names.aga) return "./themes/theme" + hex1(theme) + ".glt";
  // The longest of the chunkmap, graphics and solidity names; on equal length in that order.
  const std::string* longest = &names.chunkmap[theme];
  for (const std::string* n : {&names.graphics[theme], &names.solidity[theme]})
    if (n->size() > longest->size()) longest = n;
  return "./themes/" + with_extension(*longest, "glt");
}

std::string level_descriptor_path(const GameNames& names, int level) {
  if (!names.aga) return "./levels/level" + hex2(level) + ".gll";
  return "./levels/" + with_extension(names.layouts[level], "gll");
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
  const std::string& back = names.layouts[LAYOUT_BANK_SIZE + (h.map_back & 0x7F)];
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
  std::string text = "glb_project_file_version = 0\r\n";
  for (int t = 0; t < PROJECT_THEMES; ++t) {
    tables.theme_paths[t].clear();
    if (names.chunkmap[t].empty()) continue;
    const std::string path = theme_descriptor_path(names, t);
    const std::string descriptor = theme_descriptor_text(names, t);
    tree.add_text(path, descriptor);
    tables.theme_paths[t] = path;
    tables.themes[t] = parse_theme_descriptor(descriptor + "\n", path, unused);
    text += "\r\n" + theme_key(t) + " = " + path;
  }
  text += "\r\n";
  for (int l = 0; l < PROJECT_LEVELS; ++l) {
    tables.level_paths[l].clear();
    if (l >= MAP_HEADER_COUNT || names.layouts[l].empty()) continue;
    const std::string path = level_descriptor_path(names, l);
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
                            ProjectMessages& messages) {
  ProjectTables next = tables;
  add_project_files(names, tree, next);
  if (!write_project_tree(tree, messages)) return -1;
  tables = std::move(next);
  return 0;
}
