#include "gamedata/level_files.h"

#include "files/atomic_file.h"
#include "files/chunk_set_block.h"
#include "files/layout_block.h"
#include "files/packed_block.h"
#include "gamedata/chunk_graphics.h"
#include "gamedata/level_bitmaps.h"
#include "gamedata/level_model.h"
#include "gamedata/level_origin.h"
#include "ui/file_selector.h"
#include "ui/messages.h"
#include "ui/screen_state.h"

std::string level_file_name;
std::string chunkmap_file_name;

namespace {

// A .lvl or .itm file holds one block, packed (at most 512 KiB) or plain (less).
bool read_file(const std::string& path, std::vector<uint8_t>& bytes) {
  std::string message;
  if (read_whole_file(path, bytes, &message, PACKED_BLOCK_LIMIT)) return true;
  report_error(message);
  return false;
}

int refuse(const std::string& path, const std::string& why) {
  report_error(format_text("ERROR: File \"%s\": %s.", path.c_str(), why.c_str()));
  return -1;
}

int save_block(const std::string& path, const std::vector<uint8_t>& block) {
  const std::vector<uint8_t> packed = pack_block(block);
  if (packed.empty()) return refuse(path, "the block could not be packed");
  std::string why;
  if (!write_file_atomic(path, packed, &why)) {
    report_error(format_text("ERROR: Cannot save \"%s\": %s.", path.c_str(), why.c_str()));
    return -1;
  }
  return 0;
}

std::string remembered(const std::string& path) {
  return path.size() > FILE_NAME_LIMIT ? path.substr(0, FILE_NAME_LIMIT) : path;
}

// The selector, then the chosen path shown as the original program does.
std::string choose_file(const char* title, const char* extensions) {
  std::string path;
  select_file(title, extensions, path, static_cast<int>(FILE_NAME_LIMIT));
  show_message(path);
  return path;
}

}  // namespace

int load_level_file(const std::string& path) {
  std::vector<uint8_t> bytes;
  if (!read_file(path, bytes)) return -1;
  LayoutPlane plane;
  std::string why;
  if (!LoadLevelBlock(bytes.data(), bytes.size(), 0, plane, why)) return refuse(path, why);
  front_layout = std::move(plane);
  level_file_name = remembered(path);
  level_origin.lvl_file = level_file_name;
  return 0;
}

int load_chunkmap_file(const std::string& path) {
  std::vector<uint8_t> bytes;
  if (!read_file(path, bytes)) return -1;
  ChunkMap map;
  std::string why;
  if (!LoadChunkSet(bytes.data(), bytes.size(), 0, map, why)) return refuse(path, why);
  chunkmap = std::move(map);
  chunkmap_file_name = remembered(path);
  level_origin.itm_file = chunkmap_file_name;
  render_all_chunks();
  build_chunk_thumbnails();
  return 0;
}

int SaveLevel() {
  const std::string path = level_file_name.empty() ? "New.lvl" : level_file_name;
  std::vector<uint8_t> block;
  std::string why;
  if (!build_layout_block(front_layout, block, why)) return refuse(path, why);
  return save_block(path, block);
}

int SaveChunkmap() {
  const std::string path = chunkmap_file_name.empty() ? "New.itm" : chunkmap_file_name;
  std::vector<uint8_t> block;
  std::string why;
  if (!build_chunk_set_block(chunkmap, block, why)) return refuse(path, why);
  return save_block(path, block);
}

int load_level_from_lvl_file() {
  if (load_level_file(choose_file("Load Level", "LVL")) != 0) return -1;
  editor_mode = 0;
  return 0;
}

int load_chunkmap_from_itm_file() {
  if (load_chunkmap_file(choose_file("Load Chunkmap", "ITM")) != 0) return -1;
  editor_mode = 0;
  return 0;
}
