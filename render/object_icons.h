// Icons of the layout objects that are not chunks (pickups, block objects, the post, large
// objects), scaled to the zoom, and the selection frame drawn around them.
#pragma once
#include <allegro.h>

#include "files/level_records.h"
#include "render/view.h"
#include "ui/interface_images.h"
#include "ui/display.h"

// Draws the icon of a non-chunk object of the view's level at its zoom with its top-left
// corner at (x, y) of layer (bitmap coordinates, margin included, camera subtracted); the
// display's timer picks the frame of animated icons. Chunk placements draw nothing here.
void draw_object_icon(const Display& display, const LevelView& view, BITMAP* layer, const LayoutObject& object, int x,
                      int y);
// Nearest-neighbour scaled copy of the whole source to a w x h area at (x, y), mask
// colour transparent; nothing unless the area lies wholly inside the target.
void draw_scaled_masked(BITMAP* source, BITMAP* target, int x, int y, int w, int h);
// The eight selection frame pieces around a w x h box at (x, y) of target (bitmap coordinates).
void draw_selection_frame(const FramePieces& frame, BITMAP* target, int x, int y, int w, int h);
