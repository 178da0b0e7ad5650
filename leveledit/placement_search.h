// Following one chunk through the level in the level editor: the camera to a placement of it
// with that placement selected, N / Shift+N to the next / previous placement (front plane
// first, then the back plane), H to frame every placement of the chunk under the cursor.
#pragma once

struct PlacementSearch {
  int followed_chunk = -1;     // the chunk N steps through when no placement is selected
  int highlighted_chunk = -1;  // the chunk H framed, -1 for none
};
extern PlacementSearch placement_search;

// Puts the camera on the first placement of `chunk` (the plane switched to the one that
// holds it), selects it and holds the camera there. False when the level places it nowhere.
bool focus_first_placement(int chunk);
// The level editor screen opened on the first placement of `chunk`.
void level_editor_at_chunk(int chunk);
// N, Shift+N and H, once per frame.
void handle_placement_keys();
// Frames every placement of the highlighted chunk in the edited plane (into the overlay).
void draw_placement_highlights(bool draw);
