// The clipboard of layout objects: a small layout block in the .lvl format. Its rows are
// the copied group's rows from its topmost one on, each object's x is taken relative to the
// group's smallest x, its theme is the theme whose chunks its placements name and its width
// is one more than the largest relative x. Being a plain block, it outlives any level.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "files/layout_selection.h"

// Builds the block of the plane's selection; false (error says why) when nothing is
// selected or the block would be too large.
bool copy_selection(const LayoutPlane& plane, uint8_t theme, std::vector<uint8_t>& block, std::string& error);

struct PasteResult {
  bool ok = false;        // the block was read (a bad or empty block pastes nothing)
  int32_t pasted = 0;     // objects inserted; they are the selection now
  int32_t dropped = 0;    // objects that would have fallen outside the plane
  bool has_placements = false;  // chunk placements among the pasted objects
  uint8_t theme = 0;      // the block's theme
};
// Pastes the block with its top-left at row entry `row` and x `x`: each object goes into its
// row by the row's insertion rule, in block order; those outside rows 1 .. N or x 0 ..
// width - 1 are left out. The pasted objects replace the selection.
PasteResult paste_block(LayoutPlane& plane, const std::vector<uint8_t>& block, int32_t row, int32_t x);
// The rows a paste of the block at `row` may change: row .. row + count - 1 (count 0 for
// a bad block).
int32_t block_row_count(const std::vector<uint8_t>& block);
// The selection copied and pasted again `dx` pixels further right, in the same rows.
PasteResult duplicate_selection(LayoutPlane& plane, int32_t dx);
