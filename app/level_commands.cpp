#include "app/level_commands.h"

#include <memory>

#include "app/problem_text.h"
#include "chunkedit/chunk_undo.h"
#include "files/atomic_file.h"
#include "gamedata/level_state.h"
#include "gamedata/project_level_load.h"
#include "gamedata/rom_import.h"
#include "leveledit/level_undo.h"
#include "ui/messages.h"
#include "ui/prompts.h"
#include "ui/screen_state.h"
#include "ui/settings.h"

const char* const MAP_NUMBER_PROMPT = "ENTER A MAP NUMBER IN HEX FORMAT (ENTER: WORLD MAP):";
const char* const MAP_NUMBER_ERROR = "ERROR: Map number must be a valid 2-digit hex number.";
const char* const LEVEL_NUMBER_PROMPT = "ENTER A LEVEL NUMBER IN HEX FORMAT:";

std::string load_failure_text(const LoadFailure& failure) {
  switch (failure.kind) {
    case LoadFailure::Kind::Read: return problem_text(failure.unread);
    case LoadFailure::Kind::Contents:
      return format_text("ERROR: File \"%s\": %s.", failure.path.c_str(), failure.why.c_str());
    case LoadFailure::Kind::Other: break;
  }
  return "ERROR: " + failure.why + ".";
}

void install_loaded_level(LevelModel& model, LevelBitmaps& bitmaps, uint8_t map, const LevelFileNames& files) {
  std::swap(level_model, model);
  std::swap(level_bitmaps, bitmaps);
  level_files.set(files.front, files.back, files.back_from_project, files.chunkmap);
  level_replaced();
  show_message(closing_message(map, level_model));
  allocate_level_undo(level_undo_size);
  allocate_chunk_undo(meta_undo_size);
  editor_mode = 0;
}

// The ROM image whole; false (and said) when it cannot be read.
static bool read_rom(RomImage& rom) {
  Problem problem;
  if (read_whole_file(ROM_PATH, rom, &problem, genesis::IMAGE_LIMIT)) return true;
  report_error(problem_text(problem));
  return false;
}

int level_import_map(uint8_t map) {
  RomImage rom;
  if (!read_rom(rom)) return -1;
  if (rom.empty()) {
    report_error(format_text("ERROR: File \"%s\" is empty.", ROM_PATH));
    return -1;
  }
  auto model = std::make_unique<LevelModel>();
  auto bitmaps = std::make_unique<LevelBitmaps>();
  std::string error;
  if (!import_level(rom, map, *model, *bitmaps, error)) {
    report_error(format_text("ERROR: File \"%s\": %s.", ROM_PATH, error.c_str()));
    return -1;
  }
  // The level comes from no file: saves go to New.lvl / New.itm rather than overwriting
  // the files of the level loaded before.
  install_loaded_level(*model, *bitmaps, map, LevelFileNames{});
  level_origin = LevelOrigin{LevelSource::RomMap, map, "", "", ""};
  return 0;
}

namespace {

// Asks for a two-digit hex number and loads that level; Escape keeps the level.
int prompt_level_number(const char* prompt, int (*load)(uint8_t)) {
  if (!prompt_text(display, 2, prompt)) {
    editor_mode = 0;
    return 0;
  }
  const MapNumber n = parse_map_number(text_entry);
  if (n.bad) report_error(MAP_NUMBER_ERROR);
  return load(n.map);
}

}  // namespace

int level_import_from_rom() { return prompt_level_number(MAP_NUMBER_PROMPT, level_import_map); }

int project_level_load_number(uint8_t level) {
  if (project_is_empty(project)) {
    report_error("ERROR: No project is loaded.");
    return -1;
  }
  RomImage rom;
  if (!read_rom(rom)) return -1;
  auto model = std::make_unique<LevelModel>();
  auto bitmaps = std::make_unique<LevelBitmaps>();
  LoadFailure failure;
  if (!load_project_level(project, rom, level, level_model, *model, *bitmaps, failure)) {
    report_error(load_failure_text(failure));
    return -1;
  }
  // SAVE LEVEL and SAVE CHUNKMAP write back into the project's own files.
  const int theme = model->front_layout.theme;
  const std::string dl = directory_of(project.level_paths[level]);
  const LevelRecord& record = project.levels[level];
  install_loaded_level(*model, *bitmaps, level,
                       LevelFileNames{dl + record.map_front, record.map_back.empty() ? "" : dl + record.map_back, true,
                                      directory_of(project.theme_paths[theme]) + project.themes[theme].chunkmap});
  level_origin = LevelOrigin{LevelSource::ProjectLevel, level, project.project_file, "", ""};
  return 0;
}

int project_level_load() { return prompt_level_number(LEVEL_NUMBER_PROMPT, project_level_load_number); }
