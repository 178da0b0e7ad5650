// The Genesis game build: front layouts and plain chunk sets placed into a copy of the
// master ROM image, with the pointer tables rewritten to reach them.
#include <algorithm>
#include <cstring>

#include "files/atomic_file.h"
#include "files/bps_patch.h"
#include "files/byte_order.h"
#include "files/chunk_set_block.h"
#include "files/game_build.h"
#include "files/game_image.h"
#include "files/layout_block.h"
#include "files/packed_block.h"
#include "files/pp20.h"
#include "files/rom_header.h"
#include "files/rom_tables.h"

std::string project_source_path(const std::string& descriptor_path, const std::string& record_path) {
  return directory_of(descriptor_path) + record_path;
}

namespace {

struct GenesisBuild {
  std::vector<uint8_t> image;
  size_t position = genesis::PLACEMENT_START;

  // New data goes from 0x1128AC on; a piece reaching past 0x164904 starts the area at
  // 0x200000, and everything after it follows there. False when it would reach past the
  // 4 MiB image.
  bool place(const std::vector<uint8_t>& data, size_t table_entry) {
    if (position < genesis::OVERFLOW_START && position + data.size() > genesis::PLACEMENT_END)
      position = genesis::OVERFLOW_START;
    if (position + data.size() > genesis::IMAGE_LIMIT) return false;
    write_be32(&image[table_entry], static_cast<uint32_t>(position));
    std::memcpy(&image[position], data.data(), data.size());
    position += data.size();
    return true;
  }
};

// A layout or chunk-set file of the project: one block, packed (at most 512 KiB) or plain.
bool read_source(const std::string& path, std::vector<uint8_t>& bytes, ProjectMessages& messages) {
  Problem problem;
  if (read_whole_file(path, bytes, &problem, PACKED_BLOCK_LIMIT)) return true;
  messages.add(problem);
  return false;
}

// A chunk-set file as the ROM holds it: plain, unpacked when the file is packed.
bool plain_chunk_set(const std::string& path, std::vector<uint8_t>& bytes, ProjectMessages& messages) {
  std::string error;
  if (bytes.size() < 4 || std::memcmp(bytes.data(), "ITMS", 4) != 0) {
    const int64_t size = pp20_unpacked_size(bytes.data(), bytes.size());
    std::vector<uint8_t> plain(size > 0 && size <= static_cast<int64_t>(genesis::CHUNK_SET_LIMIT) ? size : 0);
    if (size < 0) {
      error = "it is neither a chunk-set block nor a packed block";
    } else if (size > static_cast<int64_t>(genesis::CHUNK_SET_LIMIT)) {
      error = "it unpacks to " + std::to_string(size) + " bytes, more than a chunk set can hold";
    } else if (pp20_decrunch(bytes.data(), bytes.size(), plain.data(), plain.size()) != size) {
      error = "the packed block does not decode";
    } else {
      bytes.swap(plain);
    }
  }
  ChunkMap check;
  if (error.empty() && decode_chunk_set_block(bytes.data(), bytes.size(), check, error)) return true;
  messages.add(Problem{Problem::Kind::Contents, path, "", error});
  return false;
}

}  // namespace

int BuildGenesisGame(const ProjectTables& tables, ProjectMessages& messages, std::string* output, BuildRoom* room) {
  GenesisBuild build;
  Problem problem;
  if (!read_whole_file(MASTER_ROM_PATH, build.image, &problem, genesis::IMAGE_LIMIT)) {
    messages.add(problem);
    return -1;
  }
  const std::vector<uint8_t> master = build.image;  // the source of the patch beside the image
  const size_t master_size = master.size();
  build.image.resize(genesis::IMAGE_LIMIT, 0);

  for (int i = 0; i < PROJECT_LEVELS; ++i) {
    const LevelRecord& level = tables.levels[i];
    if (level.map_front.empty()) continue;
    const std::string path = project_source_path(tables.level_paths[i], level.map_front);
    std::vector<uint8_t> bytes;
    if (!read_source(path, bytes, messages)) return -1;
    LayoutPlane check;
    std::string error;
    if (!LoadLevelBlock(bytes.data(), bytes.size(), 0, check, error)) {
      messages.add(Problem{Problem::Kind::Contents, path, "", error});
      return -1;
    }
    if (!build.place(bytes, genesis::LAYOUT_TABLE + 4 * i)) {
      messages.add(Problem{Problem::Kind::DoesNotFitImage, path});
      return -1;
    }
  }
  for (int t = 0; t < BUILD_THEMES; ++t) {
    const ThemeRecord& theme = tables.themes[t];
    if (theme.chunkmap.empty()) continue;
    const std::string path = project_source_path(tables.theme_paths[t], theme.chunkmap);
    std::vector<uint8_t> bytes;
    if (!read_source(path, bytes, messages) || !plain_chunk_set(path, bytes, messages)) return -1;
    if (!build.place(bytes, genesis::CHUNKMAP_TABLE + 4 * t)) {
      messages.add(Problem{Problem::Kind::DoesNotFitImage, path});
      return -1;
    }
  }
  static const uint8_t nops[6] = {0x4E, 0x71, 0x4E, 0x71, 0x4E, 0x71};
  std::memcpy(&build.image[genesis::NOP_PATCH], nops, sizeof nops);

  const std::string& project_file = tables.project_file;
  const std::string name = project_file.empty()
                               ? std::string("Newrom.bin")
                               : project_file.substr(0, project_file.size() >= 3 ? project_file.size() - 3 : 0) + "bin";
  const std::string patch_name = patch_path_for(name);
  for (const std::string& out : {name, patch_name}) {
    if (Problem clash; output_file_clash(out, build_inputs(tables, MASTER_ROM_PATH), clash)) {
      messages.add(clash);
      return -1;
    }
  }
  // At least 2 MiB, and never shorter than the master: its bytes past the placed data stay.
  const size_t size = std::max({build.position, genesis::MIN_IMAGE_SIZE, master_size});
  // The header is made to describe the written image: its end address and checksum.
  fix_genesis_header(build.image.data(), size);
  // The patch from the master, which modders may share where the image itself may not go.
  const std::vector<uint8_t> patch = bps_create(master.data(), master.size(), build.image.data(), size);
  // Both files are written before either replaces an earlier build.
  std::string why;
  const char* failed = nullptr;
  if (!write_file_staged(name, build.image.data(), size, &why)) {
    failed = name.c_str();
  } else if (!write_file_staged(patch_name, patch.data(), patch.size(), &why)) {
    failed = patch_name.c_str();
    discard_staged_file(name);
  } else if (!commit_staged_file(name, &why)) {
    failed = name.c_str();
    discard_staged_file(patch_name);
  } else if (!commit_staged_file(patch_name, &why)) {
    failed = patch_name.c_str();
  }
  if (failed) {
    messages.add(write_problem(Problem::Kind::CreateFile, failed, why));
    return -1;
  }
  if (output) *output = name;
  if (room) *room = BuildRoom{build.position, size, 0};
  return 0;
}
