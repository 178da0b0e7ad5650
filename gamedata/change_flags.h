// Unsaved edits of the level: set by the editors, tested when the level editor is left.
#pragma once
#include <cstdint>

constexpr uint8_t CHANGED_LAYOUT = 1;  // front_layout, back_layout or markers edited
constexpr uint8_t CHANGED_CHUNKS = 2;  // chunk cells or chunkmap edited
extern uint8_t level_changed_flags;

// The parts of the level a file can hold, as the recovery snapshots name them.
constexpr uint8_t UNSAVED_FRONT = 1;
constexpr uint8_t UNSAVED_BACK = 2;
constexpr uint8_t UNSAVED_CHUNKS = 4;
// Which of those parts hold unsaved edits.
uint8_t unsaved_parts();
// Marks parts as holding unsaved edits (a recovered snapshot's parts).
void mark_parts_unsaved(uint8_t parts);
