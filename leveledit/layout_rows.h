// Operations on the object list of one layout row. Index order is drawing order (a higher
// index is drawn later, on top). Each operation either completes or, when memory runs
// out, leaves the row exactly as it was.
#pragma once
#include <cstdint>

#include "files/level_records.h"

// Results below 0: nothing changed.
constexpr int32_t ROW_OUT_OF_MEMORY = -1;
constexpr int32_t ROW_BAD_INDEX = -2;

constexpr const char* INSERT_MEMORY_ERROR = "ERROR: Unable to allocate memory for object insertion.";
constexpr const char* DELETE_MEMORY_ERROR = "ERROR: Unable to allocate memory for object deletion.";

// Puts a new object after the last entry whose x is at most x (so the row stays sorted by
// x and equal x keep their order); returns its index.
int32_t layout_row_insert(LayoutRow& row, uint16_t code, uint16_t x);
// Removes entry index; returns 0.
int32_t layout_row_delete(LayoutRow& row, int32_t index);
// Takes entry index out and inserts its code again at new_x; returns the new index.
int32_t layout_row_move(LayoutRow& row, int32_t index, uint16_t new_x);
// Exchanges entries i and j; returns 0.
int32_t layout_row_swap(LayoutRow& row, int32_t i, int32_t j);
// Moves entry index to 0 (the entries before it each move up by one); returns 0.
int32_t layout_row_send_to_start(LayoutRow& row, int32_t index);
// Moves entry index to the last place (the entries after it each move down by one); returns the new index.
int32_t layout_row_send_to_end(LayoutRow& row, int32_t index);
// Moves entry index of `from` into `to` at x (placed as layout_row_insert places it);
// returns its index in `to`. Both rows change together or neither does.
int32_t layout_row_transfer(LayoutRow& from, int32_t index, LayoutRow& to, uint16_t x);

// Fault injection for tests: this many next row allocations fail.
extern int layout_row_failing_allocations;
