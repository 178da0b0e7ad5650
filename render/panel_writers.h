// Writers of the information panels and overlays. A panel position names where the
// value's last digit stands, so a value never runs into the label or picture right of it.
#pragma once
#include <allegro.h>

#include <cstdint>

#include "ui/display.h"

// draw_hex / draw_hex_plain with the eight-character field ending at x (last digit at x).
void hex_at(const Display& display, BITMAP* target, uint8_t colour, int x, int y, int min_digits, uint32_t value);
void hex_plain_at(const Display& display, BITMAP* target, uint8_t colour, int x, int y, uint32_t value);
