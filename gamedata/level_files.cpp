#include "gamedata/level_files.h"

#include <filesystem>

#include "files/atomic_file.h"
#include "files/chunk_set_block.h"
#include "files/layout_block.h"
#include "files/packed_block.h"
#include "gamedata/change_flags.h"
#include "gamedata/chunk_graphics.h"
#include "gamedata/level_bitmaps.h"
#include "gamedata/level_model.h"
#include "gamedata/level_origin.h"
#include "leveledit/level_undo.h"
#include "ui/file_selector.h"
#include "ui/messages.h"
#include "ui/prompts.h"
#include "ui/screen_state.h"

std::string level_file_name;
std::string chunkmap_file_name;
const char* const OVERWRITE_QUESTION = "FILE \"%s\" EXISTS. OVERWRITE? (Y/N)";
const char* const UNSAVED_QUESTION = "UNSAVED CHANGES. SAVE THEM? (Y/N)";
const char* const BACK_PLANE_NOT_SAVED =
    "ERROR: The back plane could not be saved: the level has no map_back file in the project.";

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

std::string front_save_file() { return level_file_name.empty() ? "New.lvl" : level_file_name; }

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

// The selector, then the chosen path shown in a message. False when cancelled.
bool choose_file(const char* title, const char* extensions, std::string& path) {
  path.clear();
  if (!select_file(title, extensions, path, static_cast<int>(FILE_NAME_LIMIT))) return false;
  show_message(path);
  return true;
}

std::string joined(const std::vector<std::string>& names) {
  std::string out;
  for (const std::string& n : names) out += (out.empty() ? "" : ", ") + n;
  return out;
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

bool may_replace(const std::string& path, const std::string& owned) {
  // Only a file can be replaced; a directory in the way is reported by the save itself.
  std::error_code ec;
  if (!std::filesystem::exists(path, ec) || std::filesystem::is_directory(path, ec)) return true;
  if (normal_path(path) == owned) return true;
  return ask_yes_no_cancel(format_text(OVERWRITE_QUESTION, path.c_str())) == Answer::Yes;
}

bool settle_unsaved_changes() {
  if (!anything_unsaved()) return true;
  const Answer answer = ask_yes_no_cancel(UNSAVED_QUESTION);
  if (answer != Answer::Yes) return answer == Answer::No;
  if ((level_changed_flags & CHANGED_LAYOUT) && SaveLevel() != 0) return false;
  if ((level_changed_flags & CHANGED_CHUNKS) && SaveChunkmap() != 0) return false;
  return true;
}

int load_level_file(const std::string& path) {
  std::vector<uint8_t> bytes;
  if (!read_file(path, bytes)) return -1;
  LayoutPlane plane;
  std::string why;
  if (!LoadLevelBlock(bytes.data(), bytes.size(), 0, plane, why)) return refuse(path, why);
  front_layout = std::move(plane);
  level_file_name = remembered(path);
  owned_front = normal_path(level_file_name);
  clear_changed(CHANGED_FRONT);
  level_history_loaded(CHANGED_FRONT);
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
  owned_chunks = normal_path(chunkmap_file_name);
  clear_changed(CHANGED_CHUNKS);
  level_origin.itm_file = chunkmap_file_name;
  render_all_chunks();
  build_chunk_thumbnails();
  level_history_loaded(CHANGED_CHUNKS);
  return 0;
}

int SaveLevel() {
  const std::string front = front_save_file();
  std::string back;
  int result = 0;
  if (level_changed_flags & CHANGED_BACK) {
    back = back_plane_file();
    if (back.empty()) {
      report_error(BACK_PLANE_NOT_SAVED);
      result = -1;
    }
  }
  std::vector<uint8_t> front_block, back_block;
  std::string why;
  if (!build_layout_block(front_layout, front_block, why)) return refuse(front, why);
  if (!back.empty() && !build_layout_block(back_layout, back_block, why)) return refuse(back, why);
  if (!may_replace(front, owned_front) || (!back.empty() && !may_replace(back, owned_back))) return -1;

  std::vector<std::string> written;
  if (save_block(front, front_block) != 0) return -1;
  owned_front = normal_path(front);
  clear_changed(CHANGED_FRONT);
  level_history_saved(CHANGED_FRONT);
  written.push_back(front);
  if (!back.empty()) {
    if (save_block(back, back_block) == 0) {
      owned_back = normal_path(back);
      clear_changed(CHANGED_BACK);
      level_history_saved(CHANGED_BACK);
      written.push_back(back);
    } else {
      result = -1;
    }
  }
  show_message("WROTE " + joined(written));
  return result;
}

int SaveChunkmap() {
  const std::string path = chunkmap_save_file();
  std::vector<uint8_t> block;
  std::string why;
  if (!build_chunk_set_block(chunkmap, block, why)) return refuse(path, why);
  if (!may_replace(path, owned_chunks)) return -1;
  if (save_block(path, block) != 0) return -1;
  owned_chunks = normal_path(path);
  clear_changed(CHANGED_CHUNKS);
  level_history_saved(CHANGED_CHUNKS);
  show_message("WROTE " + path);
  return 0;
}

int load_level_from_lvl_file() {
  std::string path;
  if (choose_file("LOAD LEVEL FROM LVL FILE", "LVL", path) && load_level_file(path) != 0) return -1;
  editor_mode = 0;
  return 0;
}

int load_chunkmap_from_itm_file() {
  std::string path;
  if (choose_file("LOAD CHUNKMAP FROM ITM FILE", "ITM", path) && load_chunkmap_file(path) != 0) return -1;
  editor_mode = 0;
  return 0;
}
