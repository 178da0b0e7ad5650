// The level editor screen: shows the level at any zoom, scrolls over it, lists the
// objects and markers under the cursor and hands the selected one to the object and
// marker editing. Its state lives in one record that tests can inspect.
#pragma once
#include <allegro.h>

#include <array>
#include <cstdint>
#include <string>

#include "files/level_records.h"

constexpr int HOVER_LIMIT = 32;

// edit_flags
constexpr uint8_t EDIT_BACK_PLANE = 0x80;  // else the front plane
constexpr uint8_t EDIT_METABLOCK = 0x40;   // else layout mode

// EDITING MODE bits of level_editor_modes (low nibble; 0 is HYBRID).
constexpr uint8_t EDITING_ROAMING = 1;
constexpr uint8_t EDITING_STATIC = 2;

// One object of the edited plane under the cursor.
struct HoverEntry {
  bool back_plane = false;
  int16_t row = 0;
  int16_t index = 0;
  int32_t x = 0, y = 0;  // box corner in zoomed pixels, camera not subtracted
  int32_t w = 0, h = 0;  // box size
  bool same_object(const HoverEntry& o) const { return back_plane == o.back_plane && row == o.row && index == o.index; }
};

struct LevelEditorState {
  uint8_t edit_flags = 0;
  uint8_t background_shown = 0;
  uint8_t show_camera_coords = 0, show_mouse_coords = 0, show_unit_coords = 0;

  // Mouse as sampled at the start of the frame.
  int mouse_x = 0, mouse_y = 0, mouse_b = 0;

  std::array<HoverEntry, HOVER_LIMIT> hover_stack{};
  int32_t hover_count = 0;
  int32_t hover_index = -1;
  bool selection_changed = false;  // within the current frame

  // The selected object, by plane, row and index (an index stays valid while the row is
  // edited through the operations of this screen, which keep it up to date).
  bool object_selected = false;
  bool selected_back_plane = false;
  int16_t selected_row = 0, selected_index = 0;
  float selected_screen_x = 0, selected_screen_y = 0;

  int32_t marker_hovered = 0;
  int hovered_marker = -1;  // index into markers
  uint8_t hovered_marker_number = 0;

  int32_t panel_line = 0;

  // The chunk cell under the cursor in metablock mode.
  bool cell_located = false;
  int32_t cell_offset_x = 0, cell_offset_y = 0;
  int cell_column = 0, cell_row = 0;
  int32_t cell_grid_x = 0, cell_grid_y = 0;  // screen position of the cell frame

  // Dragging, shared by objects and markers.
  uint8_t drag_started = 0;
  // The left button went down on what is dragged. A button held without that click (the one
  // that ended the help, or pressed elsewhere) drags nothing.
  bool drag_clicked = false;
  int32_t drag_screen_x = 0, drag_screen_y = 0;
  float drag_origin_x = 0, drag_origin_y = 0, drag_click_x = 0, drag_click_y = 0;
  float marker_drag_origin_x = 0, marker_drag_origin_y = 0, marker_drag_click_x = 0, marker_drag_click_y = 0;

  // Group selection: a press with Ctrl or Shift selects and drags nothing; the Shift+drag
  // rectangle from its corner (zoomed world pixels) to the cursor, adding with Ctrl.
  bool group_press = false;
  bool rect_active = false, rect_adds = false;
  int32_t rect_x = 0, rect_y = 0;
};

extern LevelEditorState ledit;

// The screen (main menu mode 1): entry, the paced loop, leaving.
void level_editor();
// What the play key (F8) runs: set by app/ to build the loaded project and start an
// emulator on it; the key does nothing while it is unset.
extern void (*level_editor_play)();
// Entry values of the screen (camera, zoom, toggles from the settings).
void level_editor_enter();
// One pass of the loop: false when the screen is to be left (nothing run then).
bool level_editor_pass();
// One frame: input, camera, drawing, selection and editing.
void level_editor_frame();
// Ends the screen: Esc released, the open undo step and layer tracking ended.
void level_editor_leave();

// Helpers shared by the parts of the screen.
LayoutPlane& edited_plane();
bool editing_back_plane();
// The selected object, or null.
LayoutObject* selected_object();
void clear_selection();
// Takes the selected object out of its row and drops the selection.
void remove_selected_object();
// Records an edit of the plane being edited (front or back) as unsaved.
void mark_edited_plane_changed();
// Mouse position in zoomed world pixels (camera added).
int32_t world_mouse_x();
int32_t world_mouse_y();
// A zoomed world coordinate as a level pixel: trunc(v * 16 / s).
int32_t level_pixel(int32_t zoomed_world);
// Whether object editing and the object panel run in the current camera state.
bool object_editing_allowed();
// Key groups of the editing keys (main key or keypad twin).
bool plus_down();
bool minus_down();
bool star_down();
bool slash_down();
void wait_edit_keys_released();

// Parts of the frame, in their own files.
void handle_zoom_input();
void handle_scrolling();
void update_camera_state();
void draw_plane_and_collect_hover(bool draw);
void update_hover_count();
// After the level changed under a still cursor (undo, redo): the objects and the marker
// under the cursor are listed again and the topmost object is selected, as a frame with the
// left button up finds them; while the button is held (a drag) nothing is listed or selected.
void rebuild_hover_from_cursor();
void handle_hover_keys();
void handle_toggles();
// Ctrl+Z undoes one step, Ctrl+Shift+Z and Ctrl+Y redo one.
void handle_undo_keys();
void draw_overlay_texts();
// What the status bar shows for the editor as it is.
struct LevelStatus;
LevelStatus level_editor_status();
void draw_level_cursor();
void show_help_overlay(const char* text);

// Groups (group_edit.cpp): clicks and keys of the selection and the group edits, and the
// rectangle being dragged; run every frame after the insertion.
void handle_group_input(bool draw);
// Tab, leaving, undo and redo: nothing selected in either plane.
void clear_group_selection();
// The frame of a selected object's box (overlay bitmap coordinates).
void draw_selected_frame(int32_t x, int32_t y, int32_t w, int32_t h);
// A drag of a selected object moves the whole group (true; the panel's object follows).
bool group_drag(LayoutObject& object, int32_t new_row, int32_t new_x);
std::string objects_not_pasted_text(int32_t dropped);
extern const char* const LEVEL_EDITOR_HELP;
