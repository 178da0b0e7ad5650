// The map-screen markers in the level editor: drawing, hovering, editing and dragging.
#pragma once
#include <allegro.h>

#include <cstdint>

// Draws every marker into layer (when draw is set) and finds the one under the cursor
// while the left button is up (the last in table order wins).
void draw_markers(BITMAP* layer, bool draw);
// The marker's icon (by type, animated by timer_ticks), one block square at (x, y) of layer.
struct Marker;
void draw_marker_icon(BITMAP* layer, const Marker& m, int x, int y);
// The first marker edit after a load tells the user that no file holds markers.
extern const char* const MARKER_NOTICE;
void note_marker_edit();
// Editing keys and the drag of the hovered marker.
void edit_marker();
void draw_marker_panel();

// Neighbour links step through 0..130 and 255 (none) in a cycle of 132 values.
uint8_t step_marker_link(uint8_t link, int steps);
// Type cycling SECRET -> SECRET_FORK -> NORMAL -> TUNNEL -> SECRET (direction +1) and back.
uint8_t step_marker_type(uint8_t type, int direction);
// Number of panel lines of a marker: seven for TUNNEL markers, six for the others.
int marker_panel_lines(uint8_t type);
