#include "leveledit/layout_rows.h"

#include <new>
#include <stdexcept>
#include <utility>
#include <vector>

int layout_row_failing_allocations = 0;

namespace {

using Objects = std::vector<LayoutObject>;

// A new array of exactly n entries; false when memory runs out.
bool allocate(Objects& out, size_t n) {
  if (layout_row_failing_allocations > 0) {
    --layout_row_failing_allocations;
    return false;
  }
  try {
    out.reserve(n);
  } catch (const std::bad_alloc&) {
    return false;
  } catch (const std::length_error&) {
    return false;
  }
  return true;
}

bool valid(const LayoutRow& row, int32_t index) { return index >= 0 && index < row.count(); }

}  // namespace

int32_t layout_row_insert(LayoutRow& row, uint16_t code, uint16_t x) {
  Objects grown;
  if (!allocate(grown, row.objects.size() + 1)) return ROW_OUT_OF_MEMORY;
  const size_t pos = row.insert_position(x);
  grown.assign(row.objects.begin(), row.objects.begin() + static_cast<std::ptrdiff_t>(pos));
  grown.push_back({code, x});
  grown.insert(grown.end(), row.objects.begin() + static_cast<std::ptrdiff_t>(pos), row.objects.end());
  row.objects.swap(grown);
  return static_cast<int32_t>(pos);
}

int32_t layout_row_delete(LayoutRow& row, int32_t index) {
  if (!valid(row, index)) return ROW_BAD_INDEX;
  Objects shrunk;
  if (!allocate(shrunk, row.objects.size() - 1)) return ROW_OUT_OF_MEMORY;
  for (int32_t i = 0; i < row.count(); ++i)
    if (i != index) shrunk.push_back(row.objects[static_cast<size_t>(i)]);
  row.objects.swap(shrunk);
  return 0;
}

int32_t layout_row_move(LayoutRow& row, int32_t index, uint16_t new_x) {
  if (!valid(row, index)) return ROW_BAD_INDEX;
  Objects moved;
  if (!allocate(moved, row.objects.size())) return ROW_OUT_OF_MEMORY;
  LayoutObject object = row.objects[static_cast<size_t>(index)];
  object.x = new_x;
  for (int32_t i = 0; i < row.count(); ++i)
    if (i != index) moved.push_back(row.objects[static_cast<size_t>(i)]);
  row.objects.swap(moved);
  const size_t pos = row.insert_position(new_x);
  row.objects.insert(row.objects.begin() + static_cast<std::ptrdiff_t>(pos), object);
  return static_cast<int32_t>(pos);
}

int32_t layout_row_swap(LayoutRow& row, int32_t i, int32_t j) {
  if (!valid(row, i) || !valid(row, j)) return ROW_BAD_INDEX;
  std::swap(row.objects[static_cast<size_t>(i)], row.objects[static_cast<size_t>(j)]);
  return 0;
}

int32_t layout_row_send_to_start(LayoutRow& row, int32_t index) {
  if (!valid(row, index)) return ROW_BAD_INDEX;
  const LayoutObject o = row.objects[static_cast<size_t>(index)];
  for (int32_t i = index; i > 0; --i) row.objects[static_cast<size_t>(i)] = row.objects[static_cast<size_t>(i - 1)];
  row.objects[0] = o;
  return 0;
}

int32_t layout_row_send_to_end(LayoutRow& row, int32_t index) {
  if (!valid(row, index)) return ROW_BAD_INDEX;
  const LayoutObject o = row.objects[static_cast<size_t>(index)];
  const int32_t last = row.count() - 1;
  for (int32_t i = index; i < last; ++i) row.objects[static_cast<size_t>(i)] = row.objects[static_cast<size_t>(i + 1)];
  row.objects[static_cast<size_t>(last)] = o;
  return last;
}

int32_t layout_row_transfer(LayoutRow& from, int32_t index, LayoutRow& to, uint16_t x) {
  if (!valid(from, index) || &from == &to) return ROW_BAD_INDEX;
  Objects grown, shrunk;
  if (!allocate(grown, to.objects.size() + 1)) return ROW_OUT_OF_MEMORY;
  if (!allocate(shrunk, from.objects.size() - 1)) return ROW_OUT_OF_MEMORY;
  LayoutObject object = from.objects[static_cast<size_t>(index)];
  object.x = x;
  const size_t pos = to.insert_position(x);
  grown.assign(to.objects.begin(), to.objects.end());
  grown.insert(grown.begin() + static_cast<std::ptrdiff_t>(pos), object);
  for (int32_t i = 0; i < from.count(); ++i)
    if (i != index) shrunk.push_back(from.objects[static_cast<size_t>(i)]);
  to.objects.swap(grown);
  from.objects.swap(shrunk);
  return static_cast<int32_t>(pos);
}
