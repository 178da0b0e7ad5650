// Importing one level, with every game-wide graphic, block type and marker, from the
// Genesis ROM image: the start-up import and LOAD LEVEL FROM ROM...
#pragma once
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "gamedata/level_bitmap_set.h"
#include "gamedata/rom_tables.h"

// A map number as typed: hexadecimal, at most two digits. Empty is 0; a bad first
// character gives 0 and a bad second one the first digit times 16, both with bad set.
struct MapNumber {
  uint8_t map = 0;
  bool bad = false;
};
MapNumber parse_map_number(const std::string& answer);

// Debug dump files collected while a level is read, written into dir (skipped when empty
// or not writable) once the whole level was read.
struct DebugDumps {
  std::string dir;
  std::vector<std::pair<const char*, std::vector<uint8_t>>> files;
  void add(const char* name, const std::vector<uint8_t>& bytes);
  void write() const;
};

// Builds the whole level of `map` from the ROM bytes into model and bitmaps, writing the
// debug dumps into dump_dir (skipped when empty or not writable). On failure error says
// what is wrong; model and bitmaps may then hold a partial level and must be dropped.
bool import_level(const RomImage& rom, uint8_t map, LevelModel& model, LevelBitmaps& bitmaps, std::string& error,
                  const std::string& dump_dir = "dump");
// The game-wide parts of the ROM image (common patterns and block map, moon, pickups,
// block types, icon patterns, markers), with their debug dumps added to dumps (if given).
bool read_game_wide_parts(const RomImage& rom, LevelModel& model, DebugDumps* dumps, std::string& error);
// The two halves of import_level: every record read from the image (and the dumps
// collected), then every display bitmap built from the records.
bool read_level(const RomImage& rom, uint8_t map, LevelModel& model, std::string& error,
                DebugDumps* dumps = nullptr);
void build_level_bitmaps(const LevelModel& model, LevelBitmaps& bitmaps);
// Every display bitmap but the block bitmaps: icons, chunk pictures and thumbnails (drawn
// from the block bitmaps as they are).
void build_object_bitmaps(const LevelModel& model, LevelBitmaps& bitmaps);

// "[00] MAP SCREEN", "[%02X] <name of marker map - 1>", or "[%02X]" above the marker table.
std::string closing_message(uint8_t map, const LevelModel& model);
