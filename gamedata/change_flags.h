// Unsaved edits of a level, per part that a save writes: set by real edits only, cleared
// for the parts a save wrote, and cleared by every load or import.
#pragma once
#include <cstdint>

#include "files/level_records.h"

constexpr uint8_t CHANGED_FRONT = 1;   // front_layout edited (written by SAVE LEVEL)
constexpr uint8_t CHANGED_CHUNKS = 2;  // chunk cells or chunkmap edited (SAVE CHUNKMAP)
constexpr uint8_t CHANGED_BACK = 4;    // back_layout edited (SAVE LEVEL, beside the front file)
constexpr uint8_t CHANGED_LAYOUT = CHANGED_FRONT | CHANGED_BACK;

// The parts of the level a file can hold, as the recovery snapshots name them.
constexpr uint8_t UNSAVED_FRONT = 1;
constexpr uint8_t UNSAVED_BACK = 2;
constexpr uint8_t UNSAVED_CHUNKS = 4;

struct LevelChanges {
  uint8_t flags = 0;                 // CHANGED_* bits
  bool marker_notice_shown = false;  // the markers-are-not-saved notice after this load

  void mark(uint8_t parts) { flags |= parts; }
  void clear(uint8_t parts) { flags &= static_cast<uint8_t>(~parts); }
  bool anything_unsaved() const { return flags != 0; }
  // A new level: nothing unsaved, and the marker notice is due again.
  void level_replaced() { *this = LevelChanges(); }
  // Markers are kept in memory only (no file holds them): true for the first marker edit
  // after a load (the user is told so once), false for the others.
  bool first_marker_edit();
  // Which UNSAVED_* parts hold unsaved edits, and marking them (a recovered snapshot's parts).
  uint8_t unsaved_parts() const;
  void mark_parts_unsaved(uint8_t parts);

  // What the files hold, part by part, as last loaded or saved: after an undo or redo a
  // part is unsaved exactly when it differs from it. Parts without a copy (a recovered
  // snapshot: its file holds something else) stay unsaved until saved.
  LayoutPlane saved_front, saved_back;
  ChunkMap saved_chunks;
  uint8_t saved_known = 0;  // CHANGED_* bits whose copy is held
  // The parts (CHANGED_* bits) now hold what their files hold: nothing unsaved in them.
  void parts_saved(uint8_t parts, const LayoutPlane& front, const LayoutPlane& back, const ChunkMap& chunks);
  // The parts differ from their files in a way no copy tells: unsaved until saved.
  void parts_unknown(uint8_t parts);
  // Sets each part's flag by comparing it with its copy.
  void compare_with_saved(const LayoutPlane& front, const LayoutPlane& back, const ChunkMap& chunks);
};
