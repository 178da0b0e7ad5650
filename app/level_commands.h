// The commands that replace the level in memory: LOAD LEVEL FROM ROM... (and the start-up
// import) and LOAD LEVEL... of the loaded project. Each reads through the model's loaders
// (gamedata/rom_import.h, gamedata/project_level_load.h) and shows what they report.
#pragma once
#include <cstdint>
#include <string>

#include "gamedata/level_state.h"
#include "gamedata/load_failure.h"

extern const char* const MAP_NUMBER_PROMPT;
extern const char* const MAP_NUMBER_ERROR;
extern const char* const LEVEL_NUMBER_PROMPT;

// The program's message for a failed load: problem_text of a file that could not be read,
// 'ERROR: File "<path>": <why>.' for what is wrong inside a file, "ERROR: <why>." for the others.
std::string load_failure_text(const LoadFailure& failure);

// The files a loaded level came from (LevelFilePaths::set); all empty for a ROM import.
struct LevelFileNames {
  std::string front, back;
  bool back_from_project = false;
  std::string chunkmap;
};
// Makes a completely loaded level the one being edited: swaps it in, remembers the files
// that SAVE LEVEL / SAVE CHUNKMAP write to (empty: New.lvl / New.itm), marks nothing as
// unsaved, shows the closing message of map `map`, sizes the undo buffers and returns to
// the menu.
void install_loaded_level(LevelModel& model, LevelBitmaps& bitmaps, uint8_t map, const LevelFileNames& files);

// Reads ROM_PATH, imports map into a fresh model and swaps it in, shows the closing
// message, sizes the undo buffers and sets editor_mode to 0. Returns 0, or -1 after an
// error message with the level unchanged.
int level_import_map(uint8_t map);
// Asks for the map number, then level_import_map; Escape at the prompt changes nothing.
int level_import_from_rom();

// Reads the ROM image, loads level `level` of the loaded project into a fresh model and
// swaps it in, shows the closing message, sizes the undo buffers and sets editor_mode to 0.
// Returns 0, or -1 after an error message with the level unchanged.
int project_level_load_number(uint8_t level);
// Asks for the level number ("ENTER A LEVEL NUMBER IN HEX FORMAT:"), then loads it.
int project_level_load();
