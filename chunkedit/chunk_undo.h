// The chunk editor's undo history: meta_undo_size records of a cell index (16 * row +
// column) and a value (old cell word in the high half, new word in the low half).
#pragma once
#include <cstdint>
#include <vector>

extern std::vector<uint16_t> chunk_undo_cells;
extern std::vector<uint32_t> chunk_undo_values;
extern int32_t chunk_undo_position;
extern int32_t chunk_undo_count;

// Sizes both arrays to `size` records and empties the history.
void allocate_chunk_undo(uint16_t size);
// Position and count back to 0.
void empty_chunk_undo();
void release_chunk_undo();
