// LOAD LEVEL...: a level of the loaded project from the project's own files (layouts,
// palettes, the theme's chunkmap and graphics), with everything game-wide (common blocks,
// icons, block types, markers) from the Genesis ROM image as the ROM import reads it.
#pragma once
#include <cstdint>
#include <string>

#include "files/project_files.h"
#include "gamedata/level_bitmap_set.h"
#include "gamedata/load_failure.h"
#include "gamedata/rom_tables.h"

// A 16x16 bitmap of one planar block: 16 rows of four big-endian bitplane words (plane 0
// first), pixel x taking bit 15 - x of each; coloured with palette line 0, index 0 masked.
BitmapPtr planar_block_bitmap(const uint8_t* block, const Palettes& palettes);

// The front and back layouts of level `level` as LOAD LEVEL... reads them: a back layout
// file that is not there gives the empty plane.
bool read_project_layouts(const ProjectTables& tables, uint8_t level, LayoutPlane& front, LayoutPlane& back,
                          LoadFailure& failure);
// The chunkmap of theme `theme` as LOAD LEVEL... reads it for level `level` (named in failures).
bool read_project_chunkmap(const ProjectTables& tables, int theme, uint8_t level, ChunkMap& out, LoadFailure& failure);

// Builds level `level` of tables into model and bitmaps: map_header gets the level's
// number and the byte values of its record; for a theme with planar graphics
// level_patterns and level_blockmap are taken over from `previous`. The debug dumps are
// written into dump_dir only when the whole level was read. On failure `failure` says
// why; model and bitmaps must be dropped.
bool load_project_level(const ProjectTables& tables, const RomImage& rom, uint8_t level, const LevelModel& previous,
                        LevelModel& model, LevelBitmaps& bitmaps, LoadFailure& failure,
                        const std::string& dump_dir = "dump");
