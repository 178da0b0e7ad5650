// Which parts of the four editor layers hold drawing, kept in bands of 16 rows, so that a
// level editor frame composes and clears only those parts instead of five whole
// screen-sized bitmaps. Every drawing into a layer reports its rectangle; the composition
// reads what was reported and leaves the layers cleared (mask colour) for the next frame.
#pragma once
#include <allegro.h>

#include <cstdint>
#include <vector>

#include "ui/screen_layers.h"
#include "ui/display.h"

constexpr int BAND_ROWS = 16;

// Drawn spans of one layer: per band the columns [left, right) of the visible area.
struct LayerBands {
  std::vector<int32_t> left, right;
  int32_t width = 0, height = 0;  // visible area
  void reset(int32_t visible_width, int32_t visible_height);
  // A rectangle in bitmap coordinates (margin included), clipped to the visible area.
  void mark(int32_t x, int32_t y, int32_t w, int32_t h);
  bool band_drawn(size_t band) const { return right[band] > left[band]; }
};

// Starts tracking the screen's four layers: clears their visible areas and forgets all marks.
void layer_tracking_begin(const ScreenLayers& screen);
void layer_tracking_end();
bool layer_tracking_on();
// Reports drawing into target (bitmap coordinates); nothing for other bitmaps or when off.
void mark_drawn(BITMAP* target, int32_t x, int32_t y, int32_t w, int32_t h);
// Reports that this frame drew the backdrop (the back buffer's visible area) itself: the next
// composition puts the layers over it instead of over black.
void backdrop_drawn();
// Reports the whole visible area of every layer, after drawing that was not reported (a
// screen that used the layers its own way): the next composition reads and clears it all.
void mark_all_drawn();
// The marks of a layer (0..3 for layer_1..layer_4), for tests.
const LayerBands& layer_marks(int layer);

// The result of clear_layers, drawing and compose_layers when every drawing was marked:
// retrace wait when enabled; on shown frames back_buffer gets the four layers over black
// and goes to the screen, and the marked parts of the layers are cleared again.
void compose_tracked_layers(const Display& display);
// Clears the marked parts of the layers without composing (a frame that frame skip leaves out).
void clear_tracked_layers(const ScreenLayers& screen);

// Text writers of the layers that mark what they draw (screen positions, as text_out).
void layer_text(const Display& display, BITMAP* layer, uint8_t colour, int x, int y, const char* text);
void layer_number(const Display& display, BITMAP* layer, int x, int y, int min_digits, int32_t value);
