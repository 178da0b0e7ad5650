#include "leveledit/level_undo.h"

#include <algorithm>
#include <utility>

#include "gamedata/level_state.h"
#include "gamedata/chunk_graphics.h"
#include "leveledit/level_editor.h"
#include "render/undo_readout.h"

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

bool touched(LevelTarget target, int32_t index) {
  return std::any_of(pending.begin(), pending.end(), [&](const Pending& p) { return p.target == target && p.index == index; });
}

LayoutPlane& plane_of(LevelTarget target) { return target == LevelTarget::BackRow ? back_layout : front_layout; }

void rebuild_chunk_pictures(int chunk) {
  render_chunk(chunkmap, level_bitmaps, chunk);
  const size_t c = static_cast<size_t>(chunk);
  if (c < chunk_thumbnails.size() && chunk_thumbnails[c] && c < chunk_bitmaps.size())
    make_chunk_thumbnail(chunk_bitmaps[c].get(), chunk_thumbnails[c].get());
}

// Writes the old (undo) or new (redo) values of one record.
void apply(const LevelUndoRecord& r, bool redo, std::vector<int>& chunks) {
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
  }
}

bool take_step(bool redo) {
  level_step_end();
  const auto* step = redo ? level_history.redo() : level_history.undo();
  if (!step) return false;
  std::vector<int> chunks;
  if (redo)
    for (const LevelUndoRecord& r : *step) apply(r, true, chunks);
  else
    for (auto r = step->rbegin(); r != step->rend(); ++r) apply(*r, false, chunks);
  for (int chunk : chunks) rebuild_chunk_pictures(chunk);
  level_changes.compare_with_saved(front_layout, back_layout, chunkmap);
  // The objects may lie elsewhere now: what the keys act on is found again under the cursor,
  // and no group stays selected.
  clear_group_selection();
  rebuild_hover_from_cursor();
  return true;
}

}  // namespace

void level_step_touch_row(const LayoutPlane& plane, int row) {
  const LevelTarget target = &plane == &back_layout ? LevelTarget::BackRow : LevelTarget::FrontRow;
  if (row < 0 || static_cast<size_t>(row) >= plane.rows.size() || touched(target, row)) return;
  pending.push_back({target, row, plane.rows[static_cast<size_t>(row)], {}, {}});
}

void level_step_touch_marker(int index) {
  if (index < 0 || static_cast<size_t>(index) >= markers.size() || touched(LevelTarget::MarkerEntry, index)) return;
  pending.push_back({LevelTarget::MarkerEntry, index, {}, markers[static_cast<size_t>(index)], {}});
}

void level_step_touch_chunk(int chunk) {
  if (chunk < 0 || chunk >= chunkmap.count() || touched(LevelTarget::ChunkCell, chunk)) return;
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
    }
  }
  pending.clear();
  // A new step leaves nothing to redo: the read-out of the last undo no longer holds.
  if (level_history.commit()) hide_undo_readout();
}

bool level_undo() { return take_step(false); }
bool level_redo() { return take_step(true); }

void level_history_loaded(uint8_t flags) {
  pending.clear();
  level_history.clear();
  level_history_saved(flags);
}

void level_history_saved(uint8_t flags) { level_changes.parts_saved(flags, front_layout, back_layout, chunkmap); }

void level_history_unsaved(uint8_t flags) { level_changes.parts_unknown(flags); }

void allocate_level_undo(uint16_t size) {
  level_history.set_capacity(size);
  level_history_loaded(0xFF);
}

void resize_level_undo(uint16_t size) {
  level_step_end();
  level_history.set_capacity(size);
}

void release_level_undo() { level_history_loaded(0xFF); }
