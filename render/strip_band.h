// The selectors' mouse band along one axis: outside centre ± half_band (96 for the
// selectors) the fast latch is set,
// and the strip moves fast while the left button is held with the latch set; otherwise, in
// ROAMING selection mode only, it follows the mouse's distance from the centre. Shared by
// the tile strip, the block bar (x axis) and the block analysis grid (y axis).
#pragma once
#include <cstdint>

// Camera units (eighths of a pixel) to move this frame; `latch` is the fast-scroll latch.
int32_t strip_band_scroll(int mouse, int centre, int half_band, bool left_held, bool roaming, uint8_t& latch);
