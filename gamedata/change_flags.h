// Unsaved edits of the level: set by the editors, tested when the level editor is left.
#pragma once
#include <cstdint>

constexpr uint8_t CHANGED_LAYOUT = 1;  // front_layout, back_layout or markers edited
constexpr uint8_t CHANGED_CHUNKS = 2;  // chunk cells or chunkmap edited
extern uint8_t level_changed_flags;
