// Pieces of the interface images cut at start-up.
#pragma once
#include "gamedata/bitmap.h"

// The selection frame: corners 2x2, top/bottom edges 1x2, left/right edges 2x1.
struct FramePieces {
  BitmapPtr top_left, top_right, bottom_left, bottom_right;
  BitmapPtr top, bottom, left, right;
};
