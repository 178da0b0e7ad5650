// The BLOCK ANALYSIS TOOL screen (main menu mode 3): the chunks of a theme as a grid of
// thumbnails with their placement counts, or its blocks with their cell counts, and the
// levels that place the chosen chunk. It shows a finished analysis (gamedata/chunk_usage.h)
// and changes nothing; choosing a level in the list asks the caller to open it.
#pragma once
#include <cstdint>
#include <string>

#include "gamedata/chunk_usage.h"
#include "gamedata/level_bitmap_set.h"
#include "gamedata/level_data.h"

extern const char* const BLOCK_ANALYSIS_HELP;

// Fills model and bitmaps with the pictures of level `level` (any level of the theme shown);
// false when it cannot be read (the grid then shows numbers only).
using ThemePictureLoader = bool (*)(uint8_t level, LevelModel& model, LevelBitmaps& bitmaps);

// What the screen ended with: Escape (editor_mode 0), or a level chosen from the list of
// the chunk's levels.
struct AnalysisChoice {
  bool open_level = false;
  uint8_t level = 0;
  uint16_t chunk = 0;
};

// Runs the screen until Escape or a level is chosen; opens on `theme` when some level uses
// it, else on the first theme. `source` names where the analysis came from ("ROM", "PROJECT").
AnalysisChoice block_analysis_tool(const UsageReport& report, int theme, const std::string& source,
                                   ThemePictureLoader loader);

// The screen's parts, for drawing it frame by frame: enter, frames (false once a level was
// chosen), leave (editor_mode 0, and what was chosen).
void block_analysis_enter(const UsageReport& report, int theme, const std::string& source, ThemePictureLoader loader);
bool block_analysis_frame();
AnalysisChoice block_analysis_leave();

// The status line of the screen for what it shows.
struct AnalysisStatus {
  int theme = 0, theme_index = 0, theme_count = 0;
  bool blocks_view = false;
  int selected = -1;        // chunk or block number, -1 for none
  int selected_count = 0;   // its placements or cells
  int selected_levels = 0;  // chunks view: levels that place it; blocks view: chunks holding it
  int unused = 0, items = 0, broken = 0;
  int left_out = 0;
  std::string source;
};
std::string analysis_status_text(const AnalysisStatus& s);
// A line of the level list: "[09] THE KINGS TOWER  FRONT 12  BACK 3".
std::string level_use_text(const ChunkLevelUse& use, const LevelModel& names);
