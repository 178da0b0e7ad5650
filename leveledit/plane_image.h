// A picture of the whole front plane, with the back plane as background, its object icons
// and, on the map screen, the markers, drawn by the map rendering and the level editor's
// icon code at a zoom as the level editor shows it with the camera at the origin
// (animations at their first frame).
#pragma once
#include <string>

#include "gamedata/bitmap.h"

// Largest picture drawn, in pixels.
constexpr long MAX_PLANE_IMAGE_PIXELS = 64L * 1024 * 1024;

// Draws the picture at zoom (-12 .. 48) of the level in memory; null with error set when
// the zoom is out of range or the picture would be too large. level_zoom and the camera
// are left as they were.
BitmapPtr render_plane_image(int zoom, std::string& error);
