#include "gamedata/level_files.h"

#include <filesystem>

#include "files/atomic_file.h"
#include "files/chunk_set_block.h"
#include "files/layout_block.h"
#include "files/packed_block.h"
#include "files/shown_names.h"
#include "gamedata/change_flags.h"

namespace {

std::string normal_path(const std::string& path) {
  if (path.empty()) return path;
  std::error_code ec;
  const std::filesystem::path absolute = std::filesystem::absolute(path, ec);
  return (ec ? std::filesystem::path(path) : absolute).lexically_normal().string();
}

std::string remembered(const std::string& path) {
  return path.size() > FILE_NAME_LIMIT ? path.substr(0, FILE_NAME_LIMIT) : path;
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

std::string& LevelFilePaths::owned(uint8_t part) {
  return part == CHANGED_CHUNKS ? owned_chunks_ : part == CHANGED_BACK ? owned_back_ : owned_front_;
}
const std::string& LevelFilePaths::owned(uint8_t part) const { return const_cast<LevelFilePaths*>(this)->owned(part); }

void LevelFilePaths::set(const std::string& front, const std::string& back, bool back_from_project,
                     const std::string& chunkmap) {
  level_file_name = remembered(front);
  back_file_name_ = remembered(back);
  back_file_from_project_ = back_from_project;
  chunkmap_file_name = remembered(chunkmap);
  owned_front_ = normal_path(level_file_name);
  owned_back_ = normal_path(back_file_name_);
  owned_chunks_ = normal_path(chunkmap_file_name);
}

std::string LevelFilePaths::front_save_file() const { return level_file_name.empty() ? "New.lvl" : level_file_name; }

std::string LevelFilePaths::back_plane_file() const {
  if (back_file_from_project_) return back_file_name_;
  const std::filesystem::path front(front_save_file());
  std::filesystem::path back = front;
  back.replace_filename(front.stem().string() + "_back" + front.extension().string());
  return back.string();
}

std::vector<std::string> LevelFilePaths::level_save_file_list(uint8_t changed) const {
  std::vector<std::string> files{front_save_file()};
  if ((changed & CHANGED_BACK) && !back_plane_file().empty()) files.push_back(back_plane_file());
  return files;
}

std::string LevelFilePaths::level_save_files(uint8_t changed) const { return joined_names(level_save_file_list(changed)); }

std::string LevelFilePaths::chunkmap_save_file() const {
  return chunkmap_file_name.empty() ? "New.itm" : chunkmap_file_name;
}

bool LevelFilePaths::replaces_foreign_file(const std::string& path, uint8_t part) const {
  std::error_code ec;
  if (!std::filesystem::exists(path, ec) || std::filesystem::is_directory(path, ec)) return false;
  return part == 0 || normal_path(path) != owned(part);
}

void LevelFilePaths::file_saved(uint8_t part, const std::string& path) { owned(part) = normal_path(path); }

void LevelFilePaths::front_file_loaded(const std::string& path, LevelOrigin& origin) {
  level_file_name = remembered(path);
  owned_front_ = normal_path(level_file_name);
  origin.lvl_file = level_file_name;
}

void LevelFilePaths::chunkmap_file_loaded(const std::string& path, LevelOrigin& origin) {
  chunkmap_file_name = remembered(path);
  owned_chunks_ = normal_path(chunkmap_file_name);
  origin.itm_file = chunkmap_file_name;
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
