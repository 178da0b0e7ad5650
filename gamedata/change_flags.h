// Unsaved edits of the level in memory, per part that a save writes: set by real edits
// only, cleared for the parts a save wrote, and cleared by every load or import.
#pragma once
#include <cstdint>

constexpr uint8_t CHANGED_FRONT = 1;   // front_layout edited (written by SAVE LEVEL)
constexpr uint8_t CHANGED_CHUNKS = 2;  // chunk cells or chunkmap edited (SAVE CHUNKMAP)
constexpr uint8_t CHANGED_BACK = 4;    // back_layout edited (SAVE LEVEL, beside the front file)
constexpr uint8_t CHANGED_LAYOUT = CHANGED_FRONT | CHANGED_BACK;
extern uint8_t level_changed_flags;

inline void mark_changed(uint8_t parts) { level_changed_flags |= parts; }
inline void clear_changed(uint8_t parts) { level_changed_flags &= static_cast<uint8_t>(~parts); }
inline bool anything_unsaved() { return level_changed_flags != 0; }

// A new level in memory: nothing unsaved, and the marker notice is due again.
void level_replaced();

// Markers are kept in memory only (no file holds them): true for the first marker edit
// after a load (the user is told so once), false for the others.
bool first_marker_edit();

// The parts of the level a file can hold, as the recovery snapshots name them.
constexpr uint8_t UNSAVED_FRONT = 1;
constexpr uint8_t UNSAVED_BACK = 2;
constexpr uint8_t UNSAVED_CHUNKS = 4;
// Which of those parts hold unsaved edits.
uint8_t unsaved_parts();
// Marks parts as holding unsaved edits (a recovered snapshot's parts).
void mark_parts_unsaved(uint8_t parts);
