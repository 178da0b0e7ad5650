#include "render/layer_bands.h"
#include "render/panel_writers.h"

#include "render/hex_writers.h"
#include "ui/screen_layers.h"

namespace {
constexpr int FIELD_TO_LAST_DIGIT = 7 * 8;
}

void hex_at(const Display& display, BITMAP* target, uint8_t colour, int x, int y, int min_digits, uint32_t value) {
  mark_drawn(target, x - FIELD_TO_LAST_DIGIT + MARGIN, y + MARGIN, 64, 8);
  draw_hex(display, target, colour, static_cast<int16_t>(x - FIELD_TO_LAST_DIGIT), static_cast<int16_t>(y),
           static_cast<int8_t>(min_digits), value);
}

void hex_plain_at(const Display& display, BITMAP* target, uint8_t colour, int x, int y, uint32_t value) {
  mark_drawn(target, x - FIELD_TO_LAST_DIGIT + MARGIN, y + MARGIN, 64, 8);
  draw_hex_plain(display, target, colour, static_cast<int16_t>(x - FIELD_TO_LAST_DIGIT), static_cast<int16_t>(y),
                 value);
}
