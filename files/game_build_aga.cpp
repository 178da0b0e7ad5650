// The AGA game build: the layout and chunkmap names of the master CODE data point at the
// project's files, which are copied beside the repacked CODE.
#include <algorithm>
#include <cstring>
#include <filesystem>
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

namespace {

struct AgaBuild {
  std::vector<uint8_t> data;  // the CODE data, in a buffer of 647,168 bytes
  size_t size = 0;            // U, the unpacked length of the master
  size_t position = aga::NAME_AREA_START;
  struct Copy {
    std::string source, name;
  };
  std::vector<Copy> copies;

  // Appends a file name to the name area (or, once that is full, behind the CODE data)
  // and points the table entry at it.
  bool add_name(const std::string& source, size_t table_entry, ProjectMessages& messages) {
    const std::string name = source.substr(source.find_last_of("/\\") + 1);
    if (name.empty() || name.size() > aga::NAME_LIMIT) {
      messages.add("ERROR: The file name \"" + name + "\" of \"" + source + "\" must have 1 to " +
                   std::to_string(aga::NAME_LIMIT) + " characters.");
      return false;
    }
    if (position < size && position + name.size() > aga::NAME_AREA_END) position = size;
    if (position + name.size() + 1 > aga::CODE_LIMIT) {
      messages.add("ERROR: The file names do not fit into the CODE data (" + std::to_string(aga::CODE_LIMIT) +
                   " bytes).");
      return false;
    }
    write_be32(&data[table_entry], static_cast<uint32_t>(position + aga::ADDRESS_BASE));
    std::memcpy(&data[position], name.data(), name.size());
    data[position + name.size()] = 0;
    position += name.size() + 1;
    copies.push_back({source, name});
    return true;
  }
};

// Reads a project file and checks it holds the block it should; false after a message.
bool check_source(const std::string& path, bool layout, ProjectMessages& messages) {
  std::vector<uint8_t> bytes;
  std::string error;
  if (!read_whole_file(path, bytes, &error, PACKED_BLOCK_LIMIT)) {
    messages.add(error);
    return false;
  }
  LayoutPlane plane;
  ChunkMap chunks;
  const bool ok = layout ? LoadLevelBlock(bytes.data(), bytes.size(), 0, plane, error)
                         : LoadChunkSet(bytes.data(), bytes.size(), 0, chunks, error);
  if (!ok) messages.add("ERROR: File \"" + path + "\": " + error + ".");
  return ok;
}

bool unpack_master(AgaBuild& build, ProjectMessages& messages) {
  std::vector<uint8_t> file;
  const std::string master = MASTER_CODE_PATH;
  // Any packed block of at most 647,168 unpacked bytes is far below 16 MiB.
  std::string why;
  if (!read_whole_file(master, file, &why, 16 << 20)) {
    messages.add(why);
    return false;
  }
  const int64_t size = pp20_unpacked_size(file.data(), file.size());
  if (size < 0) {
    messages.add("ERROR: File \"" + master + "\" is not a packed block.");
    return false;
  }
  if (size > static_cast<int64_t>(aga::CODE_LIMIT)) {
    messages.add("ERROR: File \"" + master + "\" unpacks to " + std::to_string(size) + " bytes, more than " +
                 std::to_string(aga::CODE_LIMIT) + ".");
    return false;
  }
  build.data.assign(aga::CODE_LIMIT, 0);
  if (pp20_decrunch(file.data(), file.size(), build.data.data(), build.data.size()) != size) {
    messages.add("ERROR: File \"" + master + "\": the packed block does not decode.");
    return false;
  }
  build.size = static_cast<size_t>(size);
  return true;
}

}  // namespace

int BuildAgaGame(const ProjectTables& tables, ProjectMessages& messages, std::string* output) {
  AgaBuild build;
  if (!unpack_master(build, messages)) return -1;
  const std::string& project_file = tables.project_file;
  if (project_file.size() <= 4) {
    messages.add("ERROR: No project file is loaded; the game directory is named after it.");
    return -1;
  }
  const std::string out_dir = project_file.substr(0, project_file.size() - 4);

  for (int i = 0; i < PROJECT_LEVELS; ++i) {
    const LevelRecord& level = tables.levels[i];
    if (level.map_front.empty()) continue;
    const std::string source = project_source_path(tables.level_paths[i], level.map_front);
    if (!check_source(source, true, messages) || !build.add_name(source, aga::LAYOUT_NAMES + 4 * i, messages))
      return -1;
  }
  for (int t = 0; t < BUILD_THEMES; ++t) {
    const ThemeRecord& theme = tables.themes[t];
    if (theme.chunkmap.empty()) continue;
    const std::string source = project_source_path(tables.theme_paths[t], theme.chunkmap);
    if (!check_source(source, false, messages) || !build.add_name(source, aga::CHUNKMAP_NAMES + 4 * t, messages))
      return -1;
  }

  const size_t size = std::max(build.position, build.size);
  const std::vector<uint8_t> packed = pp20_pack(build.data.data(), size);
  if (packed.empty() || packed.size() > aga::PACKED_CODE_LIMIT) {
    messages.add("ERROR: The packed CODE takes " + std::to_string(packed.size()) + " bytes, more than " +
                 std::to_string(aga::PACKED_CODE_LIMIT) + ".");
    return -1;
  }
  std::error_code ec;
  std::filesystem::create_directory(out_dir, ec);
  if (!std::filesystem::is_directory(out_dir, ec)) {
    messages.add("ERROR: Could not create directory \"" + out_dir + "\"");
    return -1;
  }
  const std::string code_path = out_dir + "/CODE";
  if (std::string why; !write_file_atomic(code_path, packed, &why)) {
    messages.add("ERROR: Could not create file \"" + code_path + "\" (" + why + ")");
    return -1;
  }
  for (const AgaBuild::Copy& c : build.copies) CopyGameFile(c.source, out_dir + "/" + c.name, messages);
  if (output) *output = out_dir;
  return 0;
}
