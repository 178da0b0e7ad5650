#include "gamedata/level_files.h"

#include <filesystem>

#include "files/atomic_file.h"
#include "files/chunk_set_block.h"
#include "files/layout_block.h"
#include "files/packed_block.h"
#include "gamedata/change_flags.h"
#include "gamedata/level_origin.h"

std::string level_file_name;
std::string chunkmap_file_name;

namespace {

// The back plane's file and the files that hold this level's own data (loaded from them or
// last saved to them), as absolute normal paths.
std::string back_file_name;
bool back_file_from_project = false;
std::string owned_front, owned_back, owned_chunks;

std::string normal_path(const std::string& path) {
  if (path.empty()) return path;
  std::error_code ec;
  const std::filesystem::path absolute = std::filesystem::absolute(path, ec);
  return (ec ? std::filesystem::path(path) : absolute).lexically_normal().string();
}

std::string remembered(const std::string& path) {
  return path.size() > FILE_NAME_LIMIT ? path.substr(0, FILE_NAME_LIMIT) : path;
}

std::string joined(const std::vector<std::string>& names) {
  std::string out;
  for (const std::string& n : names) out += (out.empty() ? "" : ", ") + n;
  return out;
}

std::string& owned(uint8_t part) {
  return part == CHANGED_CHUNKS ? owned_chunks : part == CHANGED_BACK ? owned_back : owned_front;
}

// A .lvl or .itm file holds one block, packed (at most 512 KiB) or plain (less).
bool read_block_file(const std::string& path, std::vector<uint8_t>& bytes, LoadFailure& error) {
  error = LoadFailure{LoadFailure::Kind::Read, path, "", {}};
  return read_whole_file(path, bytes, &error.unread, PACKED_BLOCK_LIMIT);
}

bool bad_contents(LoadFailure& error) {
  error.kind = LoadFailure::Kind::Contents;
  return false;
}

}  // namespace

void set_level_files(const std::string& front, const std::string& back, bool back_from_project,
                     const std::string& chunkmap) {
  level_file_name = remembered(front);
  back_file_name = remembered(back);
  back_file_from_project = back_from_project;
  chunkmap_file_name = remembered(chunkmap);
  owned_front = normal_path(level_file_name);
  owned_back = normal_path(back_file_name);
  owned_chunks = normal_path(chunkmap_file_name);
}

std::string front_save_file() { return level_file_name.empty() ? "New.lvl" : level_file_name; }

std::string back_plane_file() {
  if (back_file_from_project) return back_file_name;
  const std::filesystem::path front(front_save_file());
  std::filesystem::path back = front;
  back.replace_filename(front.stem().string() + "_back" + front.extension().string());
  return back.string();
}

std::string level_save_files() {
  std::vector<std::string> files{front_save_file()};
  if ((level_changed_flags & CHANGED_BACK) && !back_plane_file().empty()) files.push_back(back_plane_file());
  return joined(files);
}

std::string chunkmap_save_file() { return chunkmap_file_name.empty() ? "New.itm" : chunkmap_file_name; }

bool replaces_foreign_file(const std::string& path, uint8_t part) {
  std::error_code ec;
  if (!std::filesystem::exists(path, ec) || std::filesystem::is_directory(path, ec)) return false;
  return part == 0 || normal_path(path) != owned(part);
}

void file_saved(uint8_t part, const std::string& path) { owned(part) = normal_path(path); }

void front_file_loaded(const std::string& path) {
  level_file_name = remembered(path);
  owned_front = normal_path(level_file_name);
  level_origin.lvl_file = level_file_name;
}

void chunkmap_file_loaded(const std::string& path) {
  chunkmap_file_name = remembered(path);
  owned_chunks = normal_path(chunkmap_file_name);
  level_origin.itm_file = chunkmap_file_name;
}

bool read_layout_file(const std::string& path, LayoutPlane& plane, LoadFailure& error) {
  std::vector<uint8_t> bytes;
  if (!read_block_file(path, bytes, error)) return false;
  return LoadLevelBlock(bytes.data(), bytes.size(), 0, plane, error.why) || bad_contents(error);
}

bool read_chunkmap_file(const std::string& path, ChunkMap& map, LoadFailure& error) {
  std::vector<uint8_t> bytes;
  if (!read_block_file(path, bytes, error)) return false;
  return LoadChunkSet(bytes.data(), bytes.size(), 0, map, error.why) || bad_contents(error);
}

SaveFailure write_packed_block(const std::string& path, const std::vector<uint8_t>& block, std::string& why) {
  const std::vector<uint8_t> packed = pack_block(block);
  if (packed.empty()) {
    why = "the block could not be packed";
    return SaveFailure::Packing;
  }
  return write_file_atomic(path, packed, &why) ? SaveFailure::None : SaveFailure::Writing;
}
