#include "leveledit/level_undo.h"

#include <algorithm>
#include <array>
#include <utility>

#include "gamedata/level_state.h"
#include "gamedata/chunk_graphics.h"
#include "leveledit/level_editor.h"

UndoHistory<LevelUndoRecord> level_history;

namespace {

// Old values of what the open step's edits announced.
struct Pending {
  LevelTarget target;
  int32_t index;
  LayoutRow row;
  Marker marker;
  Chunk chunk;
};
std::vector<Pending> pending;
LevelSelection selection_before;
// Saved point per changed-flag bit.
std::array<uint64_t, 8> saved_ids{};

LevelSelection current_selection() {
  return {ledit.object_selected, ledit.selected_back_plane, ledit.selected_row, ledit.selected_index};
}

bool touched(LevelTarget target, int32_t index) {
  return std::any_of(pending.begin(), pending.end(), [&](const Pending& p) { return p.target == target && p.index == index; });
}

void begin_touch() {
  if (pending.empty()) selection_before = current_selection();
}

LayoutPlane& plane_of(LevelTarget target) { return target == LevelTarget::BackRow ? back_layout : front_layout; }

// The changed flag a record's part counts under; markers are saved nowhere, so none.
uint8_t flag_of(LevelTarget target) {
  switch (target) {
    case LevelTarget::ChunkCell: return CHANGED_CHUNKS;
    case LevelTarget::FrontRow: return CHANGED_FRONT;
    case LevelTarget::BackRow: return CHANGED_BACK;
    default: return 0;
  }
}

void rebuild_chunk_pictures(int chunk) {
  render_chunk(chunkmap, level_bitmaps, chunk);
  const size_t c = static_cast<size_t>(chunk);
  if (c < chunk_thumbnails.size() && chunk_thumbnails[c] && c < chunk_bitmaps.size())
    make_chunk_thumbnail(chunk_bitmaps[c].get(), chunk_thumbnails[c].get());
}

void restore_selection(const LevelSelection& s) {
  const LayoutPlane& plane = s.back_plane ? back_layout : front_layout;
  const bool exists = s.selected && s.row >= 0 && static_cast<size_t>(s.row) < plane.rows.size() && s.index >= 0 &&
                      s.index < plane.rows[static_cast<size_t>(s.row)].count();
  ledit.object_selected = exists;
  if (!exists) return;
  ledit.selected_back_plane = s.back_plane;
  ledit.selected_row = s.row;
  ledit.selected_index = s.index;
}

// Writes the old (undo) or new (redo) values of one record; returns the flag it touches.
uint8_t apply(const LevelUndoRecord& r, bool redo, std::vector<int>& chunks) {
  switch (r.target) {
    case LevelTarget::FrontRow:
    case LevelTarget::BackRow: {
      LayoutPlane& plane = plane_of(r.target);
      if (static_cast<size_t>(r.index) < plane.rows.size()) plane.rows[static_cast<size_t>(r.index)] = redo ? r.new_row : r.old_row;
      break;
    }
    case LevelTarget::MarkerEntry:
      if (static_cast<size_t>(r.index) < markers.size()) markers[static_cast<size_t>(r.index)] = redo ? r.new_marker : r.old_marker;
      break;
    case LevelTarget::ChunkCell: {
      const int chunk = r.index / 256;
      if (chunk < chunkmap.count()) {
        chunkmap.chunks[static_cast<size_t>(chunk)].cells[r.index % 256] = redo ? r.new_word : r.old_word;
        if (std::find(chunks.begin(), chunks.end(), chunk) == chunks.end()) chunks.push_back(chunk);
      }
      break;
    }
    case LevelTarget::Selection: restore_selection(redo ? r.new_selection : r.old_selection); break;
  }
  return flag_of(r.target);
}

void follow_saved_point(uint8_t step_flags) {
  for (int bit = 0; bit < 8; ++bit) {
    const uint8_t flag = static_cast<uint8_t>(1u << bit);
    if (level_history.state_id() == saved_ids[static_cast<size_t>(bit)])
      level_changed_flags &= static_cast<uint8_t>(~flag);
    else if (step_flags & flag)
      level_changed_flags |= flag;
  }
}

bool take_step(bool redo) {
  level_step_end();
  const auto* step = redo ? level_history.redo() : level_history.undo();
  if (!step) return false;
  std::vector<int> chunks;
  uint8_t flags = 0;
  if (redo)
    for (const LevelUndoRecord& r : *step) flags |= apply(r, true, chunks);
  else
    for (auto r = step->rbegin(); r != step->rend(); ++r) flags |= apply(*r, false, chunks);
  for (int chunk : chunks) rebuild_chunk_pictures(chunk);
  follow_saved_point(flags);
  return true;
}

}  // namespace

void level_step_touch_row(const LayoutPlane& plane, int row) {
  const LevelTarget target = &plane == &back_layout ? LevelTarget::BackRow : LevelTarget::FrontRow;
  if (row < 0 || static_cast<size_t>(row) >= plane.rows.size() || touched(target, row)) return;
  begin_touch();
  pending.push_back({target, row, plane.rows[static_cast<size_t>(row)], {}, {}});
}

void level_step_touch_marker(int index) {
  if (index < 0 || static_cast<size_t>(index) >= markers.size() || touched(LevelTarget::MarkerEntry, index)) return;
  begin_touch();
  pending.push_back({LevelTarget::MarkerEntry, index, {}, markers[static_cast<size_t>(index)], {}});
}

void level_step_touch_chunk(int chunk) {
  if (chunk < 0 || chunk >= chunkmap.count() || touched(LevelTarget::ChunkCell, chunk)) return;
  begin_touch();
  pending.push_back({LevelTarget::ChunkCell, chunk, {}, {}, chunkmap.chunks[static_cast<size_t>(chunk)]});
}

void level_step_end() {
  for (const Pending& p : pending) {
    LevelUndoRecord r;
    r.target = p.target;
    r.index = p.index;
    switch (p.target) {
      case LevelTarget::FrontRow:
      case LevelTarget::BackRow: {
        const LayoutPlane& plane = plane_of(p.target);
        if (static_cast<size_t>(p.index) >= plane.rows.size()) break;
        const LayoutRow& now = plane.rows[static_cast<size_t>(p.index)];
        if (now == p.row) break;
        r.old_row = p.row;
        r.new_row = now;
        level_history.record(std::move(r));
        break;
      }
      case LevelTarget::MarkerEntry: {
        if (static_cast<size_t>(p.index) >= markers.size()) break;
        const Marker& now = markers[static_cast<size_t>(p.index)];
        if (now == p.marker) break;
        r.old_marker = p.marker;
        r.new_marker = now;
        level_history.record(std::move(r));
        break;
      }
      case LevelTarget::ChunkCell: {
        if (p.index >= chunkmap.count()) break;
        const Chunk& now = chunkmap.chunks[static_cast<size_t>(p.index)];
        for (int cell = 0; cell < 256; ++cell) {
          if (now.cells[cell] == p.chunk.cells[cell]) continue;
          LevelUndoRecord c;
          c.target = LevelTarget::ChunkCell;
          c.index = 256 * p.index + cell;
          c.old_word = p.chunk.cells[cell];
          c.new_word = now.cells[cell];
          level_history.record(std::move(c));
        }
        break;
      }
      case LevelTarget::Selection: break;
    }
  }
  pending.clear();
  if (!level_history.step_open()) return;
  LevelUndoRecord s;
  s.target = LevelTarget::Selection;
  s.old_selection = selection_before;
  s.new_selection = current_selection();
  level_history.record(std::move(s));
  level_history.commit();
}

bool level_undo() { return take_step(false); }
bool level_redo() { return take_step(true); }

void level_history_loaded(uint8_t flags) {
  pending.clear();
  level_history.clear();
  level_history_saved(flags);
}

void level_history_saved(uint8_t flags) {
  for (int bit = 0; bit < 8; ++bit)
    if (flags & (1u << bit)) saved_ids[static_cast<size_t>(bit)] = level_history.state_id();
}

void level_history_unsaved(uint8_t flags) {
  for (int bit = 0; bit < 8; ++bit)
    if (flags & (1u << bit)) saved_ids[static_cast<size_t>(bit)] = UINT64_MAX;  // never a state id
}

void allocate_level_undo(uint16_t size) {
  level_history.set_capacity(size);
  level_history_loaded(0xFF);
}

void resize_level_undo(uint16_t size) {
  level_step_end();
  level_history.set_capacity(size);
}

void release_level_undo() { level_history_loaded(0xFF); }
