// Recording, undoing and redoing cell changes of the edited chunk in the chunk undo
// arrays (chunk_undo.h). Records beyond the arrays are never read or written, whatever
// meta_undo_size says.
#pragma once
#include <cstdint>

#include "gamedata/level_records.h"

// Contents of a slot that holds no record.
constexpr uint16_t EMPTY_UNDO_CELL = 0xFFFF;
constexpr uint32_t EMPTY_UNDO_VALUE = 0xFFFFFFFFu;

// Records one change of cell `cell` (16 * row + column) from old_word to new_word:
// drops the oldest record when the history is full, discards every record that redo
// could have reached, and sets chunks_changed. With no room (size 0) nothing is
// recorded, but chunks_changed is still set.
void push_chunk_undo(uint16_t cell, uint16_t old_word, uint16_t new_word);
// Shifts both arrays down by one record and empties the last of the first `count` slots.
void undo_drop_oldest(uint16_t* cells, uint32_t* values, int count);

// Takes back the last applied record in `chunk`; false at the start of the history.
bool undo_chunk_change(Chunk& chunk);
// Applies the next undone record again; false at the end of the history.
bool redo_chunk_change(Chunk& chunk);

// Resizes both arrays to `size` records: new slots are empty, records that no longer fit
// are dropped (the oldest first while they are applied), position and count stay inside.
void resize_chunk_undo(uint16_t size);
// resize_chunk_undo(meta_undo_size): the setup screen calls it after META UNDO SIZE changed.
void resize_chunk_undo_to_setting();

// Records beyond which the history cannot hold anything: the smaller of the arrays' sizes
// and meta_undo_size.
int chunk_undo_capacity();
