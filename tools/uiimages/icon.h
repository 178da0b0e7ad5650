// The program's 48x48 icon for the desktop entry: an anvil with moss on it above a strip of
// grass blocks, on a dark rounded square. Opaque pixels carry alpha 255, the corners 0.
#pragma once
#include "gamedata/bitmap.h"

constexpr int ICON_SIZE = 48;

BitmapPtr draw_icon();
