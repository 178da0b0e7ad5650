// Panels of the level editor (object, marker and effect texts) are drawn over a dark
// translucent band, so that they read over light scenery as well as over black.
#pragma once
#include <allegro.h>

#include <cstdint>

#include "ui/screen_layers.h"

// Between begin and end, whatever is drawn into the screen's overlay layer (layer_4) counts as
// part of the panel. end lays the band under it: every pixel of the panel's bounding box,
// widened by PANEL_BAND_PADDING, that the overlay leaves transparent takes the picture of
// the layers below at a quarter of its brightness.
constexpr int PANEL_BAND_PADDING = 3;
void panel_band_begin(const ScreenLayers& screen);
void panel_band_end();
// Called for every marked drawing (bitmap coordinates); collects it while a panel is drawn.
void panel_band_note(BITMAP* target, int32_t x, int32_t y, int32_t w, int32_t h);
// The band's colour over a picture pixel (opaque black where no layer is drawn).
inline uint32_t panel_band_pixel(uint32_t below) { return 0xFF000000u | ((below >> 2) & 0x3F3F3Fu); }
