// The names the panels show for pickup and marker types. (The level's records are the
// LevelModel of gamedata/level_data.h; the level in memory is gamedata/level_state.h.)
#pragma once
#include <array>
#include <cstdint>
#include <vector>

#include "files/level_records.h"
#include "gamedata/level_data.h"

// "PICKUP TYPE:" names 0..57, followed by the four marker type names (58..61).
constexpr int TYPE_NAME_COUNT = PICKUP_TYPE_COUNT + 4;
extern const char* const pickup_type_names[TYPE_NAME_COUNT];
// Name of a pickup type, or null for types without one (58 and above).
const char* pickup_type_name(int type);
// Name of a marker type: the entry (type + 2) & 3 of the four marker type names.
const char* marker_type_name(uint8_t type);

