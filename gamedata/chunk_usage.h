// Where every chunk and block of the game is used: per theme, the chunk placements of
// every level's front and back layouts and the block numbers of every chunk's cells.
// Reads the loaded project (by level number) or the Genesis ROM image (by map number);
// changes nothing, writes no file.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "files/level_records.h"
#include "files/project_files.h"
#include "gamedata/load_failure.h"
#include "gamedata/rom_tables.h"

constexpr int USAGE_LISTED_BLOCKS = 519;  // blocks 1 .. 519 are listed even when unused

// One level's placements of a chunk.
struct ChunkLevelUse {
  uint8_t level = 0;
  int front = 0;
  int back = 0;
};

struct ChunkUsage {
  uint16_t chunk = 0;
  bool in_set = true;  // false: placed, but the theme's chunk set has no such chunk
  int placements = 0;
  std::vector<ChunkLevelUse> levels;  // ascending level numbers, only levels that place it
};

struct BlockUsage {
  uint16_t block = 0;
  int cells = 0;
  std::vector<uint16_t> chunks;  // ascending, each once
};

struct ThemeUsage {
  uint8_t theme = 0;
  uint8_t first_level = 0;           // the lowest level of the theme
  std::vector<ChunkUsage> chunks;    // ascending chunk numbers
  std::vector<BlockUsage> blocks;    // ascending block numbers
  const ChunkUsage* chunk(int number) const;
};

// A level that could not be read, and why.
struct UnreadLevel {
  uint8_t level = 0;
  LoadFailure failure;
};

struct UsageReport {
  std::vector<ThemeUsage> themes;  // ascending theme numbers, only themes some level uses
  std::vector<UnreadLevel> unread;
  int levels_read = 0;
  const ThemeUsage* theme(int number) const;
};

// One level as the analysis counts it: its layouts, theme and the theme's chunk set.
struct UsageLevel {
  uint8_t level = 0;
  const LayoutPlane* front = nullptr;
  const LayoutPlane* back = nullptr;
  int theme = 0;
  const ChunkMap* chunk_set = nullptr;
};

// Counts the placements and cells of the given levels (each theme's chunk set is taken
// from the first level of that theme).
void count_usage(const std::vector<UsageLevel>& levels, UsageReport& report);

// Maps 0x00 .. 0x6F of the ROM image: header bytes 0 and 1 index the layout table, a back
// layout entry of 0 is the empty plane, the theme's chunk set comes from the chunkmap table.
void analyse_rom_usage(const RomImage& rom, UsageReport& report);
// Every level of the project with a descriptor, read as LOAD LEVEL... reads it.
void analyse_project_usage(const ProjectTables& tables, UsageReport& report);

// The batch command's CSV texts: "theme,chunk,placements,levels" with levels as two-digit
// hex numbers, and "theme,block,cells,chunks" with decimal chunk numbers; one line each, LF.
std::string usage_chunks_csv(const UsageReport& report);
std::string usage_blocks_csv(const UsageReport& report);

// The placement order of a layout plane: every placement of `chunk` (code & 0x1FF, codes
// below 0x400) as row and index within the row, rows top to bottom, objects left to right.
struct PlacementRef {
  int row = 0;
  int index = 0;
};
std::vector<PlacementRef> chunk_placements(const LayoutPlane& plane, int chunk);
