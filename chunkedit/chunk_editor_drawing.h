// Drawing pieces shared by the chunk editor frame, the block selector and the block
// context menu. Positions are screen positions; the 64-pixel margin is added here.
#pragma once
#include <allegro.h>

#include "gamedata/bitmap.h"

// The selection frame of a size x size square: 2x2 corners and stretched edges.
void draw_selection_frame(BITMAP* target, int x, int y, int size);
// A block drawn at size pixels square with its transparent pixels left out.
void draw_block_masked(BITMAP* block, BITMAP* target, int x, int y, int flip, int size);
// A picture of the editor as it is: opaque black, the chunk layer and the overlay.
BitmapPtr frozen_editor_view();
