// The level editor's undo history: one step per edit (a whole drag from button down to
// up is one edit), capacity level_undo_size steps. Edits announce what they are about to
// change (a row of a plane, a marker, a chunk); the step keeps the old and new values of
// what really changed.
#pragma once
#include <cstdint>
#include <vector>

#include "files/level_records.h"
#include "files/undo_history.h"

enum class LevelTarget : uint8_t { FrontRow, BackRow, MarkerEntry, ChunkCell };

struct LevelUndoRecord {
  LevelTarget target = LevelTarget::FrontRow;
  int32_t index = 0;  // row, marker, or 256 * chunk + cell
  LayoutRow old_row, new_row;
  Marker old_marker, new_marker;
  uint16_t old_word = 0, new_word = 0;
};

extern UndoHistory<LevelUndoRecord> level_history;

// Before an edit changes it: remembers its value unless the open step already holds it.
void level_step_touch_row(const LayoutPlane& plane, int row);
void level_step_touch_marker(int index);
void level_step_touch_chunk(int chunk);
// Closes the open step with what really changed (nothing when nothing did).
void level_step_end();

// Ctrl+Z / Ctrl+Shift+Z and Ctrl+Y: one whole step back or forward (the open step is
// closed first). Chunk pictures are rebuilt, each changed flag tells whether its part
// differs from what its file holds, and the objects and marker under the cursor, with the
// selection, are found again (rebuild_hover_from_cursor). False at the start / end of the
// history.
bool level_undo();
bool level_redo();

// A load or an import replaced the level: every step is forgotten and the present state
// counts as saved for the parts in `flags` (change_flags.h bits; 0: only the steps are
// forgotten).
void level_history_loaded(uint8_t flags);
// A save wrote the parts in `flags`: the present state is their saved point.
void level_history_saved(uint8_t flags);
// The parts in `flags` hold edits made outside the history (a recovered snapshot): no
// undo clears their flags, only a save.
void level_history_unsaved(uint8_t flags);

// Capacity level_undo_size steps and an empty history (every import).
void allocate_level_undo(uint16_t size);
// After LEVEL UNDO SIZE changed: the newest steps stay.
void resize_level_undo(uint16_t size);
void release_level_undo();
