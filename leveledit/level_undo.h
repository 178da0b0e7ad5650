// The level editor's undo buffers, sized by level_undo_size: one array of 16-bit and one
// of 32-bit entries (allocated by every import; the level editor screen does not use them).
#pragma once
#include <cstdint>
#include <vector>

extern std::vector<uint16_t> level_undo_cells;
extern std::vector<uint32_t> level_undo_values;

void allocate_level_undo(uint16_t size);
// After LEVEL UNDO SIZE changed: keeps what fits, fills new slots with 0xFFFF / 0xFFFFFFFF.
void resize_level_undo(uint16_t size);
void release_level_undo();
