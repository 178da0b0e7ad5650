#include "files/layout_clipboard.h"

#include <algorithm>

#include "files/layout_block.h"

namespace {

struct GroupCorner {
  int32_t row = INT32_MAX, x = INT32_MAX;
};

GroupCorner top_left(const LayoutPlane& plane) {
  GroupCorner c;
  for (size_t r = 0; r < plane.rows.size(); ++r)
    for (const LayoutObject& o : plane.rows[r].objects)
      if (o.selected) {
        c.row = std::min(c.row, static_cast<int32_t>(r));
        c.x = std::min<int32_t>(c.x, o.x);
      }
  return c;
}

}  // namespace

bool copy_selection(const LayoutPlane& plane, uint8_t theme, std::vector<uint8_t>& block, std::string& error) {
  const GroupCorner corner = top_left(plane);
  if (corner.row == INT32_MAX) {
    error = "nothing is selected";
    return false;
  }
  LayoutPlane group;
  group.theme = theme;
  int32_t right = 0;
  for (size_t r = static_cast<size_t>(corner.row); r < plane.rows.size(); ++r)
    for (const LayoutObject& o : plane.rows[r].objects) {
      if (!o.selected) continue;
      const size_t k = r - static_cast<size_t>(corner.row) + 1;
      if (group.rows.size() <= k) group.rows.resize(k + 1);
      group.rows[k].objects.push_back({o.code, static_cast<uint16_t>(o.x - corner.x)});
      right = std::max<int32_t>(right, o.x - corner.x);
    }
  const size_t rows = group.rows.size() - 1;
  if (rows > 0xFFF) {
    error = "the group spans more rows than a layout block can hold";
    return false;
  }
  group.width = static_cast<uint16_t>(std::min<int32_t>(right + 1, 0xFFFF));
  group.height = static_cast<uint16_t>(16 * rows);
  return build_layout_block(group, block, error);
}

int32_t block_row_count(const std::vector<uint8_t>& block) {
  LayoutPlane group;
  std::string error;
  if (block.empty() || !decode_layout_block(block.data(), block.size(), group, error)) return 0;
  return group.height >> 4;
}

PasteResult paste_block(LayoutPlane& plane, const std::vector<uint8_t>& block, int32_t row, int32_t x) {
  PasteResult result;
  LayoutPlane group;
  std::string error;
  if (block.empty() || !decode_layout_block(block.data(), block.size(), group, error)) return result;
  result.ok = true;
  result.theme = group.theme;
  clear_selection(plane);
  const int32_t last_row = std::min<int32_t>(plane.height >> 4, static_cast<int32_t>(plane.rows.size()) - 1);
  for (size_t k = 1; k < group.rows.size(); ++k)
    for (const LayoutObject& o : group.rows[k].objects) {
      const int32_t to_row = row + static_cast<int32_t>(k) - 1;
      const int32_t to_x = x + o.x;
      if (to_row < 1 || to_row > last_row || to_x < 0 || to_x >= plane.width) {
        ++result.dropped;
        continue;
      }
      insert_into_row(plane, to_row, {o.code, static_cast<uint16_t>(to_x), true});
      ++result.pasted;
      if (o.code < OBJECT_CHUNK_LIMIT) result.has_placements = true;
    }
  return result;
}

PasteResult duplicate_selection(LayoutPlane& plane, int32_t dx) {
  std::vector<uint8_t> block;
  std::string error;
  const GroupCorner corner = top_left(plane);
  if (!copy_selection(plane, plane.theme, block, error)) return {};
  return paste_block(plane, block, corner.row, corner.x + dx);
}
