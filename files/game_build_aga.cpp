// The AGA game build: the layout and chunkmap names of the master CODE data point at the
// project's files, which are copied beside the repacked CODE.
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>
#include <set>
#include <system_error>

#include "files/atomic_file.h"
#include "files/byte_order.h"
#include "files/chunk_set_block.h"
#include "files/game_build.h"
#include "files/layout_block.h"
#include "files/packed_block.h"
#include "files/pp20.h"
#include "files/project_tree.h"
#include "files/rom_tables.h"

namespace fs = std::filesystem;

namespace {

std::string upper_case(std::string s) {
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

struct AgaBuild {
  std::vector<uint8_t> data;  // the CODE data, in a buffer of 647,168 bytes
  size_t size = 0;            // U, the unpacked length of the master
  size_t position = aga::NAME_AREA_START;
  struct Copy {
    std::string source, name;
    std::vector<uint8_t> bytes;
  };
  std::vector<Copy> copies;
  std::map<std::string, size_t> by_name;  // upper-case name -> copy: the Amiga ignores case

  // Appends a file name to the name area (or, once that is full, behind the CODE data)
  // and points the table entry at it; the file goes beside CODE under that name.
  bool add_name(const std::string& source, std::vector<uint8_t> bytes, size_t table_entry, ProjectMessages& messages) {
    const std::string name = source.substr(source.find_last_of("/\\") + 1);
    if (name.empty() || name.size() > aga::NAME_LIMIT) {
      messages.add(Problem{Problem::Kind::BadGameName, source, "", name, 0, aga::NAME_LIMIT});
      return false;
    }
    if (upper_case(name) == "CODE") {
      messages.add(Problem{Problem::Kind::GameProgramName, source, "", name});
      return false;
    }
    const auto known = by_name.find(upper_case(name));
    if (known != by_name.end() && copies[known->second].bytes != bytes) {
      messages.add(Problem{Problem::Kind::NameClash, source, copies[known->second].source});
      return false;
    }
    if (position < size && position + name.size() > aga::NAME_AREA_END) position = size;
    if (position + name.size() + 1 > aga::CODE_LIMIT) {
      messages.add(Problem{Problem::Kind::NamesDoNotFit, "", "", "", 0, aga::CODE_LIMIT});
      return false;
    }
    write_be32(&data[table_entry], static_cast<uint32_t>(position + aga::ADDRESS_BASE));
    std::memcpy(&data[position], name.data(), name.size());
    data[position + name.size()] = 0;
    position += name.size() + 1;
    if (known == by_name.end()) {
      by_name.emplace(upper_case(name), copies.size());
      copies.push_back({source, name, std::move(bytes)});
    }
    return true;
  }
};

// Reads a project file and checks it holds the block it should; false after a problem.
bool read_source(const std::string& path, bool layout, std::vector<uint8_t>& bytes, ProjectMessages& messages) {
  Problem problem;
  if (!read_whole_file(path, bytes, &problem, PACKED_BLOCK_LIMIT)) {
    messages.add(problem);
    return false;
  }
  LayoutPlane plane;
  ChunkMap chunks;
  std::string error;
  const bool ok = layout ? LoadLevelBlock(bytes.data(), bytes.size(), 0, plane, error)
                         : LoadChunkSet(bytes.data(), bytes.size(), 0, chunks, error);
  if (!ok) messages.add(Problem{Problem::Kind::Contents, path, "", error});
  return ok;
}

bool unpack_master(AgaBuild& build, ProjectMessages& messages) {
  std::vector<uint8_t> file;
  const std::string master = MASTER_CODE_PATH;
  // Any packed block of at most 647,168 unpacked bytes is far below 16 MiB.
  Problem problem;
  if (!read_whole_file(master, file, &problem, 16 << 20)) {
    messages.add(problem);
    return false;
  }
  const int64_t size = pp20_unpacked_size(file.data(), file.size());
  if (size < 0) {
    messages.add(Problem{Problem::Kind::NotPacked, master});
    return false;
  }
  if (size > static_cast<int64_t>(aga::CODE_LIMIT)) {
    messages.add(Problem{Problem::Kind::UnpacksTooLarge, master, "", "", size, aga::CODE_LIMIT});
    return false;
  }
  build.data.assign(aga::CODE_LIMIT, 0);
  if (pp20_decrunch(file.data(), file.size(), build.data.data(), build.data.size()) != size) {
    messages.add(Problem{Problem::Kind::DoesNotDecode, master});
    return false;
  }
  build.size = static_cast<size_t>(size);
  return true;
}

// The regular files of folder by the upper-case form of their names (the Amiga ignores case).
std::map<std::string, std::string> files_in(const std::string& folder) {
  std::map<std::string, std::string> names;
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
    if (it->is_regular_file(ec)) names.emplace(upper_case(it->path().filename().string()), it->path().filename().string());
  return names;
}

// Writes CODE and the copies into out_dir, each over a file of its name in any case; every
// other data file of the master game that the folder lacks is copied from beside the master
// CODE, so the game is complete. Everything else in the folder stays. All or nothing.
bool write_game_folder(const std::string& out_dir, const std::vector<uint8_t>& code, const AgaBuild& build,
                       ProjectMessages& messages) {
  const std::map<std::string, std::string> present = files_in(out_dir);
  std::set<std::string> written;
  ProjectTree tree;
  tree.add_directory(out_dir);
  auto add = [&](const std::string& name, const std::vector<uint8_t>& bytes) {
    const auto found = present.find(upper_case(name));
    tree.add_file(out_dir + "/" + (found == present.end() ? name : found->second), bytes);
    written.insert(upper_case(name));
  };
  add("CODE", code);
  for (const AgaBuild::Copy& copy : build.copies) add(copy.name, copy.bytes);
  const std::string master_dir = directory_of(MASTER_CODE_PATH);
  for (const auto& [upper, name] : files_in(master_dir))
    if (!written.count(upper) && !present.count(upper)) tree.add_copy(master_dir + name, out_dir + "/" + name);
  return write_project_tree(tree, messages);
}

}  // namespace

int BuildAgaGame(const ProjectTables& tables, ProjectMessages& messages, std::string* output, BuildRoom* room) {
  AgaBuild build;
  if (!unpack_master(build, messages)) return -1;
  const std::string& project_file = tables.project_file;
  std::string out_dir = project_file.size() > 4 ? project_file.substr(0, project_file.size() - 4) : "";
  while (!out_dir.empty() && (out_dir.back() == '/' || out_dir.back() == '\\')) out_dir.pop_back();
  if (out_dir.empty()) {
    messages.add(Problem{Problem::Kind::NoProjectFile});
    return -1;
  }

  for (int i = 0; i < PROJECT_LEVELS; ++i) {
    const LevelRecord& level = tables.levels[i];
    if (level.map_front.empty()) continue;
    const std::string source = project_source_path(tables.level_paths[i], level.map_front);
    std::vector<uint8_t> bytes;
    if (!read_source(source, true, bytes, messages) ||
        !build.add_name(source, std::move(bytes), aga::LAYOUT_NAMES + 4 * i, messages))
      return -1;
  }
  for (int t = 0; t < BUILD_THEMES; ++t) {
    const ThemeRecord& theme = tables.themes[t];
    if (theme.chunkmap.empty()) continue;
    const std::string source = project_source_path(tables.theme_paths[t], theme.chunkmap);
    std::vector<uint8_t> bytes;
    if (!read_source(source, false, bytes, messages) ||
        !build.add_name(source, std::move(bytes), aga::CHUNKMAP_NAMES + 4 * t, messages))
      return -1;
  }

  const size_t size = std::max(build.position, build.size);
  const std::vector<uint8_t> packed = pp20_pack(build.data.data(), size);
  if (packed.empty() || packed.size() > aga::PACKED_CODE_LIMIT) {
    messages.add(Problem{Problem::Kind::CodeTooBig, "", "", "", static_cast<long long>(packed.size()),
                         aga::PACKED_CODE_LIMIT});
    return -1;
  }
  if (Problem clash; output_folder_clash(out_dir, build_inputs(tables, MASTER_CODE_PATH), clash)) {
    messages.add(clash);
    return -1;
  }
  if (!write_game_folder(out_dir, packed, build, messages)) return -1;
  if (output) *output = out_dir;
  if (room) *room = BuildRoom{0, 0, packed.size()};
  return 0;
}
