// The one level the editor holds: every record of it, as program-wide variables that the
// screens read and change directly. Loads build a complete LevelModel first and then
// swap it in, so a load that fails leaves the level as it was.
#pragma once
#include <array>
#include <cstdint>
#include <vector>

#include "files/level_records.h"
#include "gamedata/level_data.h"

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

// "PICKUP TYPE:" names 0..57, followed by the four marker type names (58..61).
constexpr int TYPE_NAME_COUNT = PICKUP_TYPE_COUNT + 4;
extern const char* const pickup_type_names[TYPE_NAME_COUNT];
// Name of a pickup type, or null for types without one (58 and above).
const char* pickup_type_name(int type);
// Name of a marker type: the entry (type + 2) & 3 of the four marker type names.
const char* marker_type_name(uint8_t type);

// Empties every record (shut-down).
void release_level_model();
