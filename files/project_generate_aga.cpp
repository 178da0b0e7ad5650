// Project generation from the AGA CODE file: the names in the CODE data say which data
// files beside it belong to each theme and layout; those files are copied into the project.
#include <cctype>
#include <cstring>

#include "files/atomic_file.h"
#include "files/game_image.h"
#include "files/packed_block.h"
#include "files/project_generate.h"
#include "files/project_tree.h"
#include "files/rom_tables.h"

namespace {

bool ends_with_ignoring_case(const std::string& name, const char* ending) {
  const size_t n = std::strlen(ending);
  if (name.size() < n) return false;
  for (size_t i = 0; i < n; ++i)
    if (std::toupper(static_cast<unsigned char>(name[name.size() - n + i])) !=
        std::toupper(static_cast<unsigned char>(ending[i])))
      return false;
  return true;
}

struct AgaReader {
  GameImage code;
  std::string game_dir;
  ProjectTree tree;
  GameNames names;

  // The CODE data offset that entry `index` of a table points at; 0 or less when the
  // address lies below the CODE data (no entry).
  bool target(size_t table, int index, const std::string& what, int64_t& offset) {
    uint32_t address;
    if (!code.be32(table + 4 * static_cast<size_t>(index), "the table entry of " + what, address)) return false;
    offset = static_cast<int64_t>(address) - aga::ADDRESS_BASE;
    return true;
  }

  // The zero-terminated file name at offset: at most 12 characters, no directories.
  bool name_at(int64_t offset, const std::string& what, std::string& name) {
    name.clear();
    for (size_t i = 0;; ++i) {
      const size_t at = static_cast<size_t>(offset) + i;
      if (!code.has(at, 1)) {
        code.error = "the name of " + what + " at " + hex_offset(static_cast<size_t>(offset)) + " runs past the end of the data";
        return false;
      }
      const char c = static_cast<char>(*code.at(at));
      if (c == 0) break;
      if (i == aga::NAME_LIMIT) {
        code.error = "the name of " + what + " at " + hex_offset(static_cast<size_t>(offset)) + " is longer than " +
                     std::to_string(aga::NAME_LIMIT) + " characters";
        return false;
      }
      name.push_back(c);
    }
    if (name.find_first_of("/\\") != std::string::npos || name == "." || name == "..") {
      code.error = "the name of " + what + " (\"" + name + "\") is not a plain file name";
      return false;
    }
    return true;
  }

  // Scans one theme name list. end becomes the index where the list ended: a missing entry
  // after entry 0, or a name without the wanted ending; 16 when the list never ends.
  bool theme_names(size_t table, const char* kind, const char* ending, const char* dir,
                   std::array<std::string, PROJECT_THEMES>& out, int& end) {
    for (int t = 0; t < THEME_SCAN_LIMIT; ++t) {
      const std::string what = std::string("the ") + kind + " of theme " + std::to_string(t);
      int64_t offset;
      if (!target(table, t, what, offset)) return false;
      if (offset <= 0) {
        if (t == 0) continue;
        end = t;
        return true;
      }
      std::string name;
      if (!name_at(offset, what, name)) return false;
      if (name.empty()) continue;
      if (name.size() < 5 || !ends_with_ignoring_case(name, ending)) {
        end = t;
        return true;
      }
      out[t] = name;
      tree.add_copy(game_dir + name, std::string("./themes/") + dir + "/" + name);
    }
    end = THEME_SCAN_LIMIT;
    return true;
  }

  bool themes();
  bool layouts();
  bool palettes_and_headers();
};

bool AgaReader::themes() {
  tree.add_directory("./themes");
  tree.add_directory("./themes/itm");
  tree.add_directory("./themes/ins");
  tree.add_directory("./themes/glv");
  int theme_count = 0;
  if (!theme_names(aga::CHUNKMAP_NAMES, "chunkmap", ".ITM", "itm", names.chunkmap, theme_count)) return false;
  if (theme_count == THEME_SCAN_LIMIT) {
    code.error = "the chunkmap name table at " + hex_offset(aga::CHUNKMAP_NAMES) + " has no end mark within " +
                 std::to_string(THEME_SCAN_LIMIT) + " entries";
    return false;
  }
  const struct {
    size_t table;
    const char* kind;
    const char* ending;
    const char* dir;
    std::array<std::string, PROJECT_THEMES>& out;
  } lists[] = {{aga::SOLIDITY_NAMES, "solidity", ".INS", "ins", names.solidity},
               {aga::GRAPHICS_NAMES, "graphics", ".GLV", "glv", names.graphics}};
  for (const auto& list : lists) {
    int end = 0;
    if (!theme_names(list.table, list.kind, list.ending, list.dir, list.out, end)) return false;
    if (end != theme_count) {
      code.error = std::string("the ") + list.kind + " name list ends at theme " + std::to_string(end) +
                   ", the chunkmap name list at theme " + std::to_string(theme_count);
      return false;
    }
  }
  return true;
}

bool AgaReader::layouts() {
  tree.add_directory("./levels");
  tree.add_directory("./levels/lvl");
  tree.add_directory("./levels/pal");
  for (int layout = 0; layout < 2 * LAYOUT_BANK_SIZE; ++layout) {
    const size_t table = layout < LAYOUT_BANK_SIZE ? aga::LAYOUT_NAMES : aga::LAYOUT_NAMES_HIGH;
    const std::string what = "layout " + hex2(layout);
    int64_t offset;
    if (!target(table, layout % LAYOUT_BANK_SIZE, what, offset)) return false;
    if (offset <= 0) continue;
    std::string name;
    if (!name_at(offset, what, name)) return false;
    if (name.empty()) continue;
    names.layouts[layout] = name;
    tree.add_copy(game_dir + name, "./levels/lvl/" + name);
  }
  return true;
}

bool AgaReader::palettes_and_headers() {
  for (int p = 0; p < PALETTE_COUNT; ++p) {
    const std::string what = "palette " + std::to_string(p);
    int64_t offset;
    if (!target(aga::PALETTE_TABLE, p, what, offset)) return false;
    if (offset < 0) {
      code.error = what + " lies outside the data";
      return false;
    }
    if (!code.need(static_cast<size_t>(offset), PALETTE_BYTES, what)) return false;
    tree.add_file("./levels/pal/Pal" + hex2(p) + ".pal",
                  std::vector<uint8_t>(code.at(offset), code.at(offset) + PALETTE_BYTES));
  }
  if (!code.need(aga::MAP_HEADERS, MAP_HEADER_COUNT * MAP_HEADER_BYTES, "the map table")) return false;
  for (int l = 0; l < MAP_HEADER_COUNT; ++l)
    std::memcpy(&names.headers[l], code.at(aga::MAP_HEADERS + MAP_HEADER_BYTES * l), MAP_HEADER_BYTES);
  return true;
}

}  // namespace

bool read_aga_code(const std::vector<uint8_t>& data, const std::string& game_dir, GameNames& names, ProjectTree& tree,
                   std::string& error) {
  AgaReader reader{GameImage{data, {}}, game_dir, {}, {}};
  reader.names.aga = true;
  if (!reader.themes() || !reader.layouts() || !reader.palettes_and_headers()) {
    error = reader.code.error;
    return false;
  }
  names = std::move(reader.names);
  tree = std::move(reader.tree);
  return true;
}

int GenerateAgaProject(const std::string& path, ProjectTables& tables, ProjectMessages& messages,
                       std::string* written, bool overwrite) {
  std::vector<uint8_t> file;
  Problem problem;
  // The CODE file is one packed block, which is never larger than 512 KiB.
  if (!read_whole_file(path, file, &problem, PACKED_BLOCK_LIMIT)) {
    messages.add(problem);
    return -1;
  }
  std::vector<uint8_t> data;
  std::string why;
  if (!unpack_block(file.data(), file.size(), 0, data, why, aga::CODE_LIMIT)) {
    messages.add(Problem{Problem::Kind::Contents, path, "", why});
    return -1;
  }
  // The game directory: the path without its last four characters (the name CODE).
  GameNames names;
  ProjectTree tree;
  if (!read_aga_code(data, path.substr(0, path.size() >= 4 ? path.size() - 4 : 0), names, tree, why)) {
    messages.add(Problem{Problem::Kind::Contents, path, "", why});
    return -1;
  }
  return write_generated_project(names, tree, tables, messages, written, overwrite);
}
