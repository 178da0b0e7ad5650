#include "render/panel_band.h"

#include <algorithm>

#include "gamedata/bitmap.h"
#include "render/layer_bands.h"
#include "render/status_bar.h"

namespace {

struct Capture {
  bool on = false;
  int32_t x0 = 0, y0 = 0, x1 = 0, y1 = 0;  // bitmap coordinates, empty when x1 <= x0
  ScreenLayers screen;                      // the layers of the frame the panel is drawn in
};
Capture capture;

}  // namespace

void panel_band_begin(const ScreenLayers& screen) { capture = Capture{true, 0, 0, 0, 0, screen}; }

void panel_band_note(BITMAP* target, int32_t x, int32_t y, int32_t w, int32_t h) {
  if (!capture.on || target != capture.screen.layers[3] || w <= 0 || h <= 0) return;
  if (capture.x1 <= capture.x0) {
    capture = Capture{true, x, y, x + w, y + h, capture.screen};
    return;
  }
  capture.x0 = std::min(capture.x0, x);
  capture.y0 = std::min(capture.y0, y);
  capture.x1 = std::max(capture.x1, x + w);
  capture.y1 = std::max(capture.y1, y + h);
}

void panel_band_end() {
  const Capture c = capture;
  capture.on = false;
  BITMAP* overlay = c.screen.layers[3];
  if (c.x1 <= c.x0 || !overlay) return;
  // Inside the visible area, above the status bar.
  const int x0 = std::max(c.x0 - PANEL_BAND_PADDING, MARGIN);
  const int x1 = std::min({c.x1 + PANEL_BAND_PADDING, MARGIN + c.screen.width, overlay->w});
  const int y0 = std::max(c.y0 - PANEL_BAND_PADDING, MARGIN);
  const int y1 = std::min({c.y1 + PANEL_BAND_PADDING, MARGIN + c.screen.height - STATUS_BAR_HEIGHT, overlay->h});
  if (x1 <= x0 || y1 <= y0) return;
  BITMAP* below[3] = {c.screen.layers[2], c.screen.layers[1], c.screen.layers[0]};
  for (BITMAP* b : below)
    if (!b || b->w < x1 || b->h < y1) return;
  for (int y = y0; y < y1; ++y) {
    uint32_t* out = reinterpret_cast<uint32_t*>(overlay->line[y]);
    const uint32_t* rows[3] = {reinterpret_cast<const uint32_t*>(below[0]->line[y]),
                               reinterpret_cast<const uint32_t*>(below[1]->line[y]),
                               reinterpret_cast<const uint32_t*>(below[2]->line[y])};
    for (int x = x0; x < x1; ++x) {
      if (out[x] != MASK_COLOUR) continue;
      uint32_t picture = 0xFF000000u;
      for (const uint32_t* r : rows)
        if (r[x] != MASK_COLOUR) {
          picture = r[x];
          break;
        }
      out[x] = panel_band_pixel(picture);
    }
  }
  mark_drawn(overlay, x0, y0, x1 - x0, y1 - y0);
}
