#include "files/layout_selection.h"

#include <algorithm>

namespace {

int32_t last_row(const LayoutPlane& plane) {
  return std::min<int32_t>(plane.height >> 4, static_cast<int32_t>(plane.rows.size()) - 1);
}

// Clamps d so that lo + d >= min and hi + d <= max; an axis the group cannot fit stays put.
int32_t clamp_axis(int32_t d, int32_t lo, int32_t hi, int32_t min, int32_t max) {
  if (lo + d < min) d = min - lo;
  if (hi + d > max) d = max - hi;
  return lo + d < min ? 0 : d;
}

}  // namespace

LevelBox object_box(const LayoutObject& o, int32_t row, const ChunkMap& chunks, bool placement_shift) {
  const int32_t top = 16 * (row - 1);
  if (o.code >= OBJECT_CHUNK_LIMIT) return {o.x - 16, top, 16, 16};
  LevelBox box{o.x - (placement_shift ? 16 : 0), top, 0, 0};
  const int chunk = o.code & PLACEMENT_CHUNK_MASK;
  if (chunk < chunks.count()) {
    const Chunk& c = chunks.chunks[static_cast<size_t>(chunk)];
    if (c.width > 0 && c.height > 0) {
      box.w = 16 * c.width;
      box.h = 16 * c.height;
    }
  }
  return box;
}

int32_t selected_count(const LayoutPlane& plane) {
  int32_t n = 0;
  for (const LayoutRow& row : plane.rows)
    for (const LayoutObject& o : row.objects) n += o.selected ? 1 : 0;
  return n;
}

void select_all(LayoutPlane& plane) {
  for (LayoutRow& row : plane.rows)
    for (LayoutObject& o : row.objects) o.selected = true;
}

void clear_selection(LayoutPlane& plane) {
  for (LayoutRow& row : plane.rows)
    for (LayoutObject& o : row.objects) o.selected = false;
}

bool toggle_selected(LayoutPlane& plane, ObjectPlace p) {
  if (p.row < 0 || static_cast<size_t>(p.row) >= plane.rows.size()) return false;
  LayoutRow& row = plane.rows[static_cast<size_t>(p.row)];
  if (p.index < 0 || p.index >= row.count()) return false;
  LayoutObject& o = row.objects[static_cast<size_t>(p.index)];
  o.selected = !o.selected;
  return true;
}

int32_t select_in_rect(LayoutPlane& plane, const ChunkMap& chunks, bool placement_shift, int32_t x1, int32_t y1,
                       int32_t x2, int32_t y2) {
  const int32_t left = std::min(x1, x2), right = std::max(x1, x2);
  const int32_t top = std::min(y1, y2), bottom = std::max(y1, y2);
  int32_t added = 0;
  for (size_t r = 0; r < plane.rows.size(); ++r)
    for (LayoutObject& o : plane.rows[r].objects) {
      const LevelBox b = object_box(o, static_cast<int32_t>(r), chunks, placement_shift);
      if (o.selected || b.w <= 0 || b.h <= 0) continue;
      if (b.x <= right && b.x + b.w > left && b.y <= bottom && b.y + b.h > top) {
        o.selected = true;
        ++added;
      }
    }
  return added;
}

bool object_at(const LayoutPlane& plane, const ChunkMap& chunks, bool placement_shift, int32_t x, int32_t y) {
  for (size_t r = 0; r < plane.rows.size(); ++r)
    for (const LayoutObject& o : plane.rows[r].objects) {
      const LevelBox b = object_box(o, static_cast<int32_t>(r), chunks, placement_shift);
      if (x >= b.x && x < b.x + b.w && y >= b.y && y < b.y + b.h) return true;
    }
  return false;
}

std::vector<int32_t> selected_rows(const LayoutPlane& plane) {
  std::vector<int32_t> rows;
  for (size_t r = 0; r < plane.rows.size(); ++r) {
    const auto& objects = plane.rows[r].objects;
    if (std::any_of(objects.begin(), objects.end(), [](const LayoutObject& o) { return o.selected; }))
      rows.push_back(static_cast<int32_t>(r));
  }
  return rows;
}

GroupOffset clamp_group_offset(const LayoutPlane& plane, GroupOffset wanted) {
  int32_t min_row = INT32_MAX, max_row = INT32_MIN, min_x = INT32_MAX, max_x = INT32_MIN;
  for (size_t r = 0; r < plane.rows.size(); ++r)
    for (const LayoutObject& o : plane.rows[r].objects) {
      if (!o.selected) continue;
      min_row = std::min(min_row, static_cast<int32_t>(r));
      max_row = std::max(max_row, static_cast<int32_t>(r));
      min_x = std::min<int32_t>(min_x, o.x);
      max_x = std::max<int32_t>(max_x, o.x);
    }
  if (min_row == INT32_MAX) return {};
  return {clamp_axis(wanted.rows, min_row, max_row, 1, last_row(plane)),
          clamp_axis(wanted.x, min_x, max_x, 0, std::min<int32_t>(plane.width, 0x10000) - 1)};
}

size_t insert_into_row(LayoutPlane& plane, int32_t row, LayoutObject o) {
  std::vector<LayoutObject>& objects = plane.rows[static_cast<size_t>(row)].objects;
  const size_t pos = plane.rows[static_cast<size_t>(row)].insert_position(o.x);
  objects.insert(objects.begin() + static_cast<std::ptrdiff_t>(pos), o);
  return pos;
}

GroupOffset move_selection(LayoutPlane& plane, GroupOffset wanted, ObjectPlace* follow) {
  const GroupOffset d = clamp_group_offset(plane, wanted);
  if (d.rows == 0 && d.x == 0) return d;
  struct Moving {
    int32_t row;
    LayoutObject object;
    bool followed;
  };
  std::vector<Moving> moving;
  for (size_t r = 0; r < plane.rows.size(); ++r) {
    std::vector<LayoutObject>& objects = plane.rows[r].objects;
    std::vector<LayoutObject> kept;
    for (size_t i = 0; i < objects.size(); ++i) {
      const bool followed = follow && follow->row == static_cast<int32_t>(r) && follow->index == static_cast<int32_t>(i);
      if (objects[i].selected)
        moving.push_back({static_cast<int32_t>(r), objects[i], followed});
      else
        kept.push_back(objects[i]);
    }
    if (kept.size() != objects.size()) objects.swap(kept);
  }
  ObjectPlace followed_at{-1, -1};
  for (Moving& m : moving) {
    m.object.x = static_cast<uint16_t>(m.object.x + d.x);
    const int32_t row = m.row + d.rows;
    const int32_t index = static_cast<int32_t>(insert_into_row(plane, row, m.object));
    // A later object put before the followed one in its row moves it one place on.
    if (m.followed)
      followed_at = {row, index};
    else if (row == followed_at.row && index <= followed_at.index)
      ++followed_at.index;
  }
  if (follow && followed_at.row >= 0) *follow = followed_at;
  return d;
}

int32_t delete_selection(LayoutPlane& plane) {
  int32_t deleted = 0;
  for (LayoutRow& row : plane.rows) {
    const size_t before = row.objects.size();
    row.objects.erase(std::remove_if(row.objects.begin(), row.objects.end(), [](const LayoutObject& o) { return o.selected; }),
                      row.objects.end());
    deleted += static_cast<int32_t>(before - row.objects.size());
  }
  return deleted;
}
