// Importing one level, with every game-wide graphic, block type and marker, from the
// Genesis ROM image: the start-up import and LOAD LEVEL FROM ROM...
#pragma once
#include <cstdint>
#include <string>

#include "gamedata/level_bitmaps.h"
#include "gamedata/rom_tables.h"

extern const char* const MAP_NUMBER_PROMPT;
extern const char* const MAP_NUMBER_ERROR;

// A map number as typed: hexadecimal, at most two digits. Empty is 0; a bad first
// character gives 0 and a bad second one the first digit times 16, both with bad set.
struct MapNumber {
  uint8_t map = 0;
  bool bad = false;
};
MapNumber parse_map_number(const std::string& answer);

// Builds the whole level of `map` from the ROM bytes into model and bitmaps, writing the
// debug dumps into dump_dir (skipped when empty or not writable). On failure error says
// what is wrong; model and bitmaps may then hold a partial level and must be dropped.
bool import_level(const RomImage& rom, uint8_t map, LevelModel& model, LevelBitmaps& bitmaps, std::string& error,
                  const std::string& dump_dir = "dump");
// The game-wide parts of the ROM image (common patterns and block map, moon, pickups,
// block types, icon patterns, markers), with their debug dumps into dump_dir.
bool read_game_wide_parts(const RomImage& rom, LevelModel& model, const std::string& dump_dir, std::string& error);
// The two halves of import_level: every record read from the image (and the dumps
// written), then every display bitmap built from the records.
bool read_level(const RomImage& rom, uint8_t map, LevelModel& model, std::string& error,
                const std::string& dump_dir = "dump");
void build_level_bitmaps(const LevelModel& model, LevelBitmaps& bitmaps);
// Every display bitmap but the block bitmaps: icons, chunk pictures and thumbnails (drawn
// from the block bitmaps as they are).
void build_object_bitmaps(const LevelModel& model, LevelBitmaps& bitmaps);

// "[00] MAP SCREEN", "[%02X] <name of marker map - 1>", or "[%02X]" above the marker table.
std::string closing_message(uint8_t map, const LevelModel& model);

// Reads ROM_PATH, imports map into a fresh model and swaps it in, shows the closing
// message, sizes the undo buffers and sets editor_mode to 0. Returns 0, or -1 after an
// error message with the level unchanged.
int level_import_map(uint8_t map);
// Makes a completely loaded level the one being edited: swaps it in, remembers the files
// that SAVE LEVEL / SAVE CHUNKMAP write to (empty: New.lvl / New.itm), shows the closing
// message of map `map`, sizes the undo buffers and returns to the menu.
void install_loaded_level(LevelModel& model, LevelBitmaps& bitmaps, uint8_t map, const std::string& level_file,
                          const std::string& chunkmap_file);
// Asks for the map number, then level_import_map.
int level_import_from_rom();
