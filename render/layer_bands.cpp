#include "render/layer_bands.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "gamedata/bitmap.h"
#include "render/panel_band.h"
#include "ui/font.h"
#include "ui/frame.h"
#include "ui/input.h"

namespace {

struct Tracking {
  bool on = false;
  bool backdrop = false;  // the back buffer holds this frame's backdrop
  std::array<LayerBands, 4> layers;
  std::array<BITMAP*, 4> tracked{};  // the layers whose drawing is reported (compared only)
};
Tracking tracking;

int layer_index(BITMAP* b) {
  if (!tracking.on || !b) return -1;
  for (int k = 0; k < 4; ++k)
    if (b == tracking.tracked[static_cast<size_t>(k)]) return k;
  return -1;
}

}  // namespace

void LayerBands::reset(int32_t visible_width, int32_t visible_height) {
  width = visible_width;
  height = visible_height;
  const size_t bands = static_cast<size_t>((std::max(0, visible_height) + BAND_ROWS - 1) / BAND_ROWS);
  left.assign(bands, 0);
  right.assign(bands, 0);
}

void LayerBands::mark(int32_t x, int32_t y, int32_t w, int32_t h) {
  // Visible area in bitmap coordinates: [MARGIN, MARGIN + width) x [MARGIN, MARGIN + height).
  int32_t x0 = std::max(x, MARGIN), x1 = std::min(x + w, MARGIN + width);
  int32_t y0 = std::max(y, MARGIN), y1 = std::min(y + h, MARGIN + height);
  if (x1 <= x0 || y1 <= y0) return;
  const size_t first = static_cast<size_t>((y0 - MARGIN) / BAND_ROWS), last = static_cast<size_t>((y1 - 1 - MARGIN) / BAND_ROWS);
  for (size_t b = first; b <= last && b < left.size(); ++b) {
    if (band_drawn(b)) {
      left[b] = std::min(left[b], x0);
      right[b] = std::max(right[b], x1);
    } else {
      left[b] = x0;
      right[b] = x1;
    }
  }
}

void layer_tracking_begin(const ScreenLayers& screen) {
  for (BITMAP* b : screen.layers)
    if (b) fill_rect32(b, MARGIN, MARGIN, screen.width, screen.height, MASK_COLOUR);
  for (LayerBands& l : tracking.layers) l.reset(screen.width, screen.height);
  tracking.tracked = screen.layers;
  tracking.on = true;
}

void layer_tracking_end() { tracking.on = false; }

bool layer_tracking_on() { return tracking.on; }

void mark_drawn(BITMAP* target, int32_t x, int32_t y, int32_t w, int32_t h) {
  panel_band_note(target, x, y, w, h);
  const int i = layer_index(target);
  if (i >= 0) tracking.layers[static_cast<size_t>(i)].mark(x, y, w, h);
}

void backdrop_drawn() { tracking.backdrop = tracking.on; }

void mark_all_drawn() {
  if (!tracking.on) return;
  for (LayerBands& l : tracking.layers) l.mark(MARGIN, MARGIN, l.width, l.height);
}

const LayerBands& layer_marks(int layer) { return tracking.layers[static_cast<size_t>(layer)]; }

namespace {

// One run of pixels covered by the same layers: the topmost pixel that is not the mask
// colour, else opaque black; every layer read is cleared for the next frame. Written
// without branches so that the compiler can use vector instructions.
template <bool A, bool B, bool C, bool D, bool Backdrop>
void compose_run(uint32_t* dst, uint32_t* const* src, int x0, int x1) {
  if (Backdrop && !A && !B && !C && !D) return;  // the backdrop stays as drawn
  for (int x = x0; x < x1; ++x) {
    uint32_t c = Backdrop ? dst[x] : 0xFF000000u, p;
    if (A) {
      p = src[0][x];
      c = p != MASK_COLOUR ? p : c;
      src[0][x] = MASK_COLOUR;
    }
    if (B) {
      p = src[1][x];
      c = p != MASK_COLOUR ? p : c;
      src[1][x] = MASK_COLOUR;
    }
    if (C) {
      p = src[2][x];
      c = p != MASK_COLOUR ? p : c;
      src[2][x] = MASK_COLOUR;
    }
    if (D) {
      p = src[3][x];
      c = p != MASK_COLOUR ? p : c;
      src[3][x] = MASK_COLOUR;
    }
    dst[x] = c;
  }
}

using RunFunction = void (*)(uint32_t*, uint32_t* const*, int, int);
// Indexed by whether the backdrop was drawn and by the set of layers that cover the run
// (bit k: layer k + 1).
template <bool Backdrop>
constexpr RunFunction run_table[16] = {
    compose_run<0, 0, 0, 0, Backdrop>, compose_run<1, 0, 0, 0, Backdrop>, compose_run<0, 1, 0, 0, Backdrop>,
    compose_run<1, 1, 0, 0, Backdrop>, compose_run<0, 0, 1, 0, Backdrop>, compose_run<1, 0, 1, 0, Backdrop>,
    compose_run<0, 1, 1, 0, Backdrop>, compose_run<1, 1, 1, 0, Backdrop>, compose_run<0, 0, 0, 1, Backdrop>,
    compose_run<1, 0, 0, 1, Backdrop>, compose_run<0, 1, 0, 1, Backdrop>, compose_run<1, 1, 0, 1, Backdrop>,
    compose_run<0, 0, 1, 1, Backdrop>, compose_run<1, 0, 1, 1, Backdrop>, compose_run<0, 1, 1, 1, Backdrop>,
    compose_run<1, 1, 1, 1, Backdrop>};

}  // namespace

void compose_tracked_layers(const Display& display) {
  const ScreenLayers screen = display.layers();
  if (display.settings.vsync_enabled) input().vsync();
  BITMAP* out = screen.back_buffer;
  if (!frame_skip_open(display) || !out) return;
  const std::array<BITMAP*, 4>& layers = screen.layers;
  const int screen_width = screen.width, screen_height = screen.height;
  const RunFunction* run_functions = tracking.backdrop ? run_table<true> : run_table<false>;
  tracking.backdrop = false;
  const int end_x = std::min<int>(MARGIN + screen_width, out->w);
  for (size_t band = 0; band < tracking.layers[0].left.size(); ++band) {
    const int y0 = MARGIN + static_cast<int>(band) * BAND_ROWS;
    const int y1 = std::min({y0 + BAND_ROWS, MARGIN + static_cast<int>(screen_height), out->h});
    // The row is cut where a layer's drawn span starts or ends.
    int cuts[10];
    int n = 0;
    cuts[n++] = MARGIN;
    cuts[n++] = end_x;
    int drawn = 0;
    for (int k = 0; k < 4; ++k) {
      const LayerBands& marks = tracking.layers[static_cast<size_t>(k)];
      if (!layers[k] || !marks.band_drawn(band) || layers[k]->h < y1) continue;
      drawn |= 1 << k;
      cuts[n++] = std::min(marks.left[band], end_x);
      cuts[n++] = std::min(marks.right[band], end_x);
    }
    for (int i = 1; i < n; ++i)
      for (int j = i; j > 0 && cuts[j - 1] > cuts[j]; --j) std::swap(cuts[j - 1], cuts[j]);
    for (int y = y0; y < y1; ++y) {
      uint32_t* dst = reinterpret_cast<uint32_t*>(out->line[y]);
      uint32_t* src[4];
      for (int k = 0; k < 4; ++k) src[k] = (drawn >> k) & 1 ? reinterpret_cast<uint32_t*>(layers[k]->line[y]) : nullptr;
      for (int i = 0; i + 1 < n; ++i) {
        const int a = cuts[i], b = cuts[i + 1];
        if (a >= b) continue;
        int covering = 0;
        for (int k = 0; k < 4; ++k) {
          const LayerBands& marks = tracking.layers[static_cast<size_t>(k)];
          if (((drawn >> k) & 1) && marks.left[band] <= a && b <= marks.right[band]) covering |= 1 << k;
        }
        run_functions[covering](dst, src, a, b);
      }
    }
  }
  for (LayerBands& l : tracking.layers) l.reset(screen_width, screen_height);
  input().present(out, MARGIN, MARGIN, 0, 0, screen_width, screen_height);
}

void clear_tracked_layers(const ScreenLayers& screen) {
  const std::array<BITMAP*, 4>& layers = screen.layers;
  const int screen_width = screen.width, screen_height = screen.height;
  for (int k = 0; k < 4; ++k) {
    LayerBands& marks = tracking.layers[static_cast<size_t>(k)];
    if (!layers[k]) continue;
    for (size_t band = 0; band < marks.left.size(); ++band) {
      if (!marks.band_drawn(band)) continue;
      const int y0 = MARGIN + static_cast<int>(band) * BAND_ROWS;
      const int y1 = std::min({y0 + BAND_ROWS, MARGIN + static_cast<int>(screen_height), layers[k]->h});
      const int x0 = marks.left[band], x1 = std::min<int>(marks.right[band], layers[k]->w);
      for (int y = y0; y < y1; ++y) {
        uint32_t* row = reinterpret_cast<uint32_t*>(layers[k]->line[y]);
        std::fill(row + x0, row + x1, MASK_COLOUR);
      }
    }
    marks.reset(screen_width, screen_height);
  }
}

void layer_text(const Display& display, BITMAP* layer, uint8_t colour, int x, int y, const char* text) {
  if (!text || !*text) return;
  int lines = 1, longest = 0, current = 0;
  for (const char* c = text; *c; ++c) {
    if (*c == '\n') {
      ++lines;
      current = 0;
    } else {
      longest = std::max(longest, ++current);
    }
  }
  mark_drawn(layer, x + MARGIN, y + MARGIN, 8 * longest, 14 * (lines - 1) + 8);
  text_out(display, layer, colour, static_cast<int16_t>(x), static_cast<int16_t>(y), text);
}

void layer_number(const Display& display, BITMAP* layer, int x, int y, int min_digits, int32_t value) {
  // Eight positions ending with the last digit at x.
  mark_drawn(layer, x - 56 + MARGIN, y + MARGIN, 64, 8);
  number_out(display, layer, static_cast<int16_t>(x), static_cast<int16_t>(y), static_cast<int8_t>(min_digits), value);
}
