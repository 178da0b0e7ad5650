// The object half of the level editor: icons of the layout objects, the editing keys,
// dragging, deleting and inserting objects, and the object information panel.
#pragma once
#include <allegro.h>

#include <cstdint>

#include "files/level_records.h"
#include "render/object_icons.h"


// Frame steps of the object editing, in the order the frame runs them.
void insert_object();
void locate_cell();
void edit_object();
void drag_or_delete_object();
void draw_object_panel();

// Hex answer of the object-number prompt: up to four digits; bad marks a character that
// is not a hex digit (the value then holds what was read, shifted for that position).
struct ObjectNumber {
  uint16_t value = 0;
  bool bad = false;
};
ObjectNumber parse_object_number(const char* text);
constexpr const char* OBJECT_NUMBER_PROMPT = "ENTER AN OBJECT NUMBER IN HEX FORMAT:";
constexpr const char* OBJECT_NUMBER_ERROR = "ERROR: Object number must be a valid hex number 1-4 digits long.";

// Kind of a block-type entry with 5 counted as 4; -1 when the index has no entry.
int block_kind_of(int index);
// Next / previous kind (skipping 5, wrapping over 0..16) that has an entry: its lowest index, or -1.
int step_block_kind(int index, int direction);
// Next / previous index (cyclically) with the same kind, or -1.
int step_block_index(int index, int direction);
