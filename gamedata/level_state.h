// The program's one level in memory: its records, its display bitmaps, its unsaved-edit
// flags, where it came from, its files, and the loaded project. Only the screens and app/
// include this header; the code below them takes what it works on as parameters. The
// objects are defined in app/program_state.cpp. Loads build a complete LevelModel and
// LevelBitmaps first and then swap them in, so a load that fails leaves the level as it was.
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "files/level_records.h"
#include "files/level_source.h"
#include "files/project_files.h"
#include "gamedata/bitmap.h"
#include "gamedata/change_flags.h"
#include "gamedata/level_bitmap_set.h"
#include "gamedata/level_data.h"
#include "gamedata/level_files.h"
#include "gamedata/level_model.h"
#include "gamedata/level_origin.h"

// The level being edited; the names below are its parts.
extern LevelModel level_model;
extern MapHeader& map_header;
extern LayoutPlane& front_layout;
extern LayoutPlane& back_layout;
extern ChunkMap& chunkmap;
extern Palettes& palettes;
extern PatternSet& level_patterns;
extern PatternSet& common_patterns;
extern PatternSet& moon_patterns;
extern PatternSet& pickup_patterns;
extern PatternSet& block_type_patterns;
extern PatternSet& large_object_patterns;
extern PatternSet& marker_patterns;
extern BlockMap& common_blockmap;
extern BlockMap& level_blockmap;
extern std::vector<Marker>& markers;
extern int32_t& marker_count;
extern std::vector<BlockType>& block_types;
extern int32_t& block_type_count;

// Its display bitmaps (derived data, rebuilt by every import and after chunk edits).
extern LevelBitmaps level_bitmaps;
extern std::array<BitmapPtr, BLOCK_SLOTS>& block_bitmaps;
extern std::array<BitmapPtr, CHUNK_SLOTS>& chunk_bitmaps;
extern std::vector<BitmapPtr>& chunk_thumbnails;
extern int32_t& chunk_thumbnail_count;
extern std::array<BitmapPtr, PICKUP_TYPE_COUNT>& pickup_icons;
extern std::array<BitmapPtr, BLOCK_TYPE_ICON_COUNT>& block_type_icons;
extern std::array<BitmapPtr, 2>& block_type_large_icons;
extern std::array<BitmapPtr, 3>& large_object_frames;
extern std::array<BitmapPtr, 3>& marker_icons_normal;
extern std::array<BitmapPtr, 3>& marker_icons_secret;
extern std::array<BitmapPtr, 3>& marker_icons_tunnel;

// Its unsaved edits; level_changed_flags names the CHANGED_* bits.
extern LevelChanges level_changes;
extern uint8_t& level_changed_flags;
inline void mark_changed(uint8_t parts) { level_changes.mark(parts); }
inline void clear_changed(uint8_t parts) { level_changes.clear(parts); }
inline bool anything_unsaved() { return level_changes.anything_unsaved(); }
inline void level_replaced() { level_changes.level_replaced(); }
inline bool first_marker_edit() { return level_changes.first_marker_edit(); }
inline uint8_t unsaved_parts() { return level_changes.unsaved_parts(); }
inline void mark_parts_unsaved(uint8_t parts) { level_changes.mark_parts_unsaved(parts); }

// Where it came from, kept up to date by the imports and loads.
extern LevelOrigin level_origin;
// Where its saves write; level_file_name and chunkmap_file_name name its remembered files.
extern LevelFilePaths level_files;
extern std::string& level_file_name;
extern std::string& chunkmap_file_name;

// The project loaded by LOAD PROJECT... or made by a project generation: LOAD LEVEL...
// reads its levels, the builds write it out, the chunk editor asks it which levels place a
// chunk. Empty until then.
extern ProjectTables project;

// Shut-down: destroys every display bitmap and empties every record.
void release_level_bitmaps();
void release_level_model();
