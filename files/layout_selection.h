// The level editor's selection in a layout plane and the edits of the whole group. The
// selection is the `selected` mark of the plane's objects: every row operation carries the
// mark with its object, so the selection never points at an object that moved or went, and
// a plane that is loaded or imported starts with nothing selected.
#pragma once
#include <cstdint>
#include <vector>

#include "files/level_records.h"

// An object's place in a plane: its row entry and its index within the row.
struct ObjectPlace {
  int32_t row = 0;
  int32_t index = 0;
};

// A rectangle in level pixels: x .. x + w - 1, y .. y + h - 1.
struct LevelBox {
  int32_t x = 0, y = 0, w = 0, h = 0;
};

// The box the editor draws for an object of row entry `row`: a chunk placement's rectangle
// (shifted one block left of its x when `placement_shift`, as on every map but the map
// screen; no area for an empty or missing chunk), for any other object its icon block, one
// block left of and above its position.
LevelBox object_box(const LayoutObject& o, int32_t row, const ChunkMap& chunks, bool placement_shift);

int32_t selected_count(const LayoutPlane& plane);
void select_all(LayoutPlane& plane);
void clear_selection(LayoutPlane& plane);
// Adds the object to the selection or takes it out; false when the plane has no such object.
bool toggle_selected(LayoutPlane& plane, ObjectPlace place);
// Selects every object whose box shares at least one pixel with the rectangle between the
// level pixels (x1, y1) and (x2, y2), both included, given in any order. Returns how many
// objects it added.
int32_t select_in_rect(LayoutPlane& plane, const ChunkMap& chunks, bool placement_shift, int32_t x1, int32_t y1,
                       int32_t x2, int32_t y2);
// Whether the box of any object holds the level pixel (x, y).
bool object_at(const LayoutPlane& plane, const ChunkMap& chunks, bool placement_shift, int32_t x, int32_t y);
// The rows holding selected objects, in ascending order.
std::vector<int32_t> selected_rows(const LayoutPlane& plane);

struct GroupOffset {
  int32_t rows = 0;
  int32_t x = 0;
  bool operator==(const GroupOffset& o) const { return rows == o.rows && x == o.x; }
};
// The part of `wanted` the selection can take with every object staying in rows 1 .. N
// (N = height / 16) and at x 0 .. width - 1: the group stops at the plane's edge.
GroupOffset clamp_group_offset(const LayoutPlane& plane, GroupOffset wanted);
// Moves the selection by `wanted` clamped as above: the selected objects leave their rows
// and go into their new rows by the rows' insertion rule, in row and index order. `follow`
// (may be null) is updated to where its object went. Returns the offset applied.
GroupOffset move_selection(LayoutPlane& plane, GroupOffset wanted, ObjectPlace* follow);
// Deletes the selected objects; returns how many.
int32_t delete_selection(LayoutPlane& plane);
// Inserts an object into row entry `row` by the row's insertion rule; returns its index.
size_t insert_into_row(LayoutPlane& plane, int32_t row, LayoutObject o);
