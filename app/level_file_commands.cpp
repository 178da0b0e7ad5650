#include "app/level_file_commands.h"

#include "app/level_commands.h"
#include "app/problem_text.h"
#include "files/atomic_file.h"
#include "files/chunk_set_block.h"
#include "files/layout_block.h"
#include "files/shown_names.h"
#include "gamedata/level_state.h"
#include "gamedata/chunk_graphics.h"
#include "leveledit/level_undo.h"
#include "app/file_choice.h"
#include "ui/messages.h"
#include "ui/prompts.h"
#include "ui/screen_state.h"

const char* const OVERWRITE_QUESTION = "FILE \"%s\" EXISTS. OVERWRITE? (Y/N)";
const char* const UNSAVED_QUESTION = "UNSAVED CHANGES. SAVE THEM? (Y/N)";
const char* const UNSAVED_BUILD_QUESTION = "UNSAVED CHANGES. SAVE THEM BEFORE THE BUILD? (Y/N)";
const char* const BACK_PLANE_NOT_SAVED =
    "ERROR: The back plane could not be saved: the level has no map_back file in the project.";

namespace {

int refuse(const std::string& path, const std::string& why) {
  report_error(format_text("ERROR: File \"%s\": %s.", path.c_str(), why.c_str()));
  return -1;
}

int refuse(const LoadFailure& failure) {
  report_error(load_failure_text(failure));
  return -1;
}

int save_block(const std::string& path, const std::vector<uint8_t>& block) {
  std::string why;
  switch (write_packed_block(path, block, why)) {
    case SaveFailure::None: return 0;
    case SaveFailure::Packing: return refuse(path, why);
    case SaveFailure::Writing: break;
  }
  if (why == WRITE_PROTECTED) report_error(problem_text(Problem(Problem::Kind::WriteProtected, path)));
  else report_error(format_text("ERROR: Cannot save \"%s\": %s.", path.c_str(), why.c_str()));
  return -1;
}

// The selector, then the chosen path shown in a message. False when cancelled.
bool choose_file(const char* title, const char* extensions, std::string& path) {
  path.clear();
  if (!open_file_selector(title, extensions, path, static_cast<int>(FILE_NAME_LIMIT))) return false;
  show_message(path);
  return true;
}

void offer(uint8_t parts, const char* what, const std::string& files, int (*save)()) {
  if (!(level_changed_flags & parts)) return;
  if (ask_save_to(display, what, files)) save();
}

}  // namespace

bool may_replace(const std::string& path, uint8_t part) {
  if (!level_files.replaces_foreign_file(path, part)) return true;
  return ask_yes_no_cancel(display, format_text(OVERWRITE_QUESTION, shown_file_name(path).c_str())) == Answer::Yes;
}

bool settle_unsaved_changes(const char* question) {
  if (!anything_unsaved()) return true;
  const Answer answer = ask_yes_no_cancel(display, question);
  if (answer != Answer::Yes) return answer == Answer::No;
  if ((level_changed_flags & CHANGED_LAYOUT) && SaveLevel() != 0) return false;
  if ((level_changed_flags & CHANGED_CHUNKS) && SaveChunkmap() != 0) return false;
  return true;
}

bool settle_unsaved_before_build() {
  return level_origin.source != LevelSource::ProjectLevel || settle_unsaved_changes(UNSAVED_BUILD_QUESTION);
}

int load_level_file(const std::string& path) {
  LayoutPlane plane;
  LoadFailure error;
  if (!read_layout_file(path, plane, error)) return refuse(error);
  front_layout = std::move(plane);
  level_files.front_file_loaded(path, level_origin);
  clear_changed(CHANGED_FRONT);
  level_history_loaded(CHANGED_FRONT);
  return 0;
}

int load_chunkmap_file(const std::string& path) {
  ChunkMap map;
  LoadFailure error;
  if (!read_chunkmap_file(path, map, error)) return refuse(error);
  chunkmap = std::move(map);
  level_files.chunkmap_file_loaded(path, level_origin);
  clear_changed(CHANGED_CHUNKS);
  render_all_chunks(chunkmap, level_bitmaps);
  build_chunk_thumbnails(chunkmap, level_bitmaps);
  level_history_loaded(CHANGED_CHUNKS);
  return 0;
}

int SaveLevel() {
  const std::string front = level_files.front_save_file();
  std::string back;
  int result = 0;
  if (level_changed_flags & CHANGED_BACK) {
    back = level_files.back_plane_file();
    if (back.empty()) {
      report_error(BACK_PLANE_NOT_SAVED);
      result = -1;
    }
  }
  std::vector<uint8_t> front_block, back_block;
  std::string why;
  if (!build_layout_block(front_layout, front_block, why)) return refuse(front, why);
  if (!back.empty() && !build_layout_block(back_layout, back_block, why)) return refuse(back, why);
  if (!may_replace(front, CHANGED_FRONT) || (!back.empty() && !may_replace(back, CHANGED_BACK))) return -1;

  std::vector<std::string> written;
  if (save_block(front, front_block) != 0) return -1;
  level_files.file_saved(CHANGED_FRONT, front);
  clear_changed(CHANGED_FRONT);
  level_history_saved(CHANGED_FRONT);
  written.push_back(front);
  if (!back.empty()) {
    if (save_block(back, back_block) == 0) {
      level_files.file_saved(CHANGED_BACK, back);
      clear_changed(CHANGED_BACK);
      level_history_saved(CHANGED_BACK);
      written.push_back(back);
    } else {
      result = -1;
    }
  }
  show_message("WROTE " + joined_names(written));
  return result;
}

int SaveChunkmap() {
  const std::string path = level_files.chunkmap_save_file();
  std::vector<uint8_t> block;
  std::string why;
  if (!build_chunk_set_block(chunkmap, block, why)) return refuse(path, why);
  if (!may_replace(path, CHANGED_CHUNKS)) return -1;
  if (save_block(path, block) != 0) return -1;
  level_files.file_saved(CHANGED_CHUNKS, path);
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

void offer_unsaved_saves() {
  std::vector<std::string> layout_files;
  for (const std::string& f : level_files.level_save_file_list(level_changed_flags)) layout_files.push_back(shown_file_name(f));
  offer(CHANGED_LAYOUT, "THE LEVEL LAYOUT", joined_names(layout_files), SaveLevel);
  offer(CHANGED_CHUNKS, "THE METABLOCK DATA", shown_file_name(level_files.chunkmap_save_file()), SaveChunkmap);
}
