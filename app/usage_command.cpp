#include "app/usage_command.h"

#include <cstdio>
#include <cstring>

#include "analysis/block_analysis.h"
#include "app/level_commands.h"
#include "app/level_file_commands.h"
#include "app/problem_text.h"
#include "app/project_commands.h"
#include "files/atomic_file.h"
#include "files/pp20.h"
#include "gamedata/level_state.h"
#include "gamedata/project_level_load.h"
#include "gamedata/rom_import.h"
#include "leveledit/placement_search.h"
#include "ui/screen_state.h"
#include "ui/messages.h"

namespace {

bool analyse_rom(UsageReport& report) {
  RomImage rom;
  Problem problem;
  if (!read_whole_file(ROM_PATH, rom, &problem, genesis::IMAGE_LIMIT)) {
    report_error(problem_text(problem));
    return false;
  }
  analyse_rom_usage(rom, report);
  return true;
}

// The pictures of a level of the theme shown: read like LOAD LEVEL... or the ROM import, into
// a model of its own (the level in memory stays as it is), writing no debug dumps.
bool load_theme_pictures(uint8_t level, LevelModel& model, LevelBitmaps& bitmaps) {
  RomImage rom;
  if (!read_whole_file(ROM_PATH, rom, nullptr, genesis::IMAGE_LIMIT)) return false;
  if (project_loaded()) {
    LoadFailure failure;
    return load_project_level(project, rom, level, level_model, model, bitmaps, failure, "");
  }
  std::string error;
  return import_level(rom, level, model, bitmaps, error, "");
}

const char* no_level_text(bool from_project) {
  return from_project ? "ERROR: No level of the project could be read." : "ERROR: No map of the ROM image could be read.";
}

int usage_error() {
  report_error("ERROR: Usage: mossforge usage chunks|blocks [PROJECT.glp]");
  return 1;
}

}  // namespace

bool analyse_loaded_game(UsageReport& report) {
  if (project_loaded()) {
    analyse_project_usage(project, report);
    return true;
  }
  return analyse_rom(report);
}

std::string unread_level_text(const UsageReport&, const UnreadLevel& unread, bool from_project) {
  std::string why = load_failure_text(unread.failure);
  if (why.rfind("ERROR: ", 0) == 0) why.erase(0, 7);
  return format_text("WARNING: %s %02X is left out: ", from_project ? "Level" : "Map", unread.level) + why;
}

int run_usage_command(int argc, char** argv) {
  if (argc < 2 || argc > 3) return usage_error();
  const bool chunks = !std::strcmp(argv[1], "chunks");
  if (!chunks && std::strcmp(argv[1], "blocks") != 0) return usage_error();
  pp20_set_trace(nullptr);
  UsageReport report;
  const bool from_project = argc == 3;
  if (from_project) {
    if (load_project_file(argv[2]) < 0) return 1;
    analyse_project_usage(project, report);
  } else if (!analyse_rom(report)) {
    return 1;
  }
  for (const UnreadLevel& u : report.unread)
    std::fprintf(stderr, "%s\n", unread_level_text(report, u, from_project).c_str());
  if (report.levels_read == 0) {
    report_error(no_level_text(from_project));
    return 1;
  }
  const std::string text = chunks ? usage_chunks_csv(report) : usage_blocks_csv(report);
  std::fwrite(text.data(), 1, text.size(), stdout);
  return 0;
}

void run_block_analysis_tool() {
  editor_mode = 0;
  UsageReport report;
  if (!analyse_loaded_game(report)) return;
  const bool from_project = project_loaded();
  if (report.levels_read == 0) {
    report_error(no_level_text(from_project));
    return;
  }
  const AnalysisChoice choice =
      block_analysis_tool(report, front_layout.theme, from_project ? "PROJECT" : "ROM", load_theme_pictures);
  if (!choice.open_level) return;
  // The chosen level replaces the one in memory as LOAD LEVEL... / LOAD LEVEL FROM ROM... do,
  // then the level editor opens on the chunk's first placement, as LEVEL EDITOR does.
  if (!settle_unsaved_changes()) return;
  const int loaded = from_project ? project_level_load_number(choice.level) : level_import_map(choice.level);
  editor_mode = 0;
  if (loaded != 0) return;
  level_editor_at_chunk(choice.chunk);
  offer_unsaved_saves();
  editor_mode = 0;
}
