// Drawing a level at any zoom: the scaled block blit, chunk placements of the two
// planes through the camera of a view, and the layered composition of a frame. All positions in
// the layer bitmaps carry the 64-pixel margin.
#pragma once
#include <allegro.h>

#include <cstdint>

#include "files/level_records.h"
#include "render/view.h"
#include "ui/screen_layers.h"
#include "ui/display.h"

// Flip modes of draw_block.
constexpr int FLIP_NONE = 0, FLIP_MIRROR = 1, FLIP_VERTICAL = 2, FLIP_BOTH = 3;

// Copies the 16x16 square at (sx, sy) of source to (x, y) of target, size pixels square.
// Draws nothing unless the square lies wholly inside the target. Opacity 255 copies
// pixels whole (mask colour included); below 255 it blends the drawn pixels over the
// target, leaving it untouched where the source holds the mask colour.
void draw_block(BITMAP* source, BITMAP* target, int sx, int sy, int x, int y, int flip, int size, int opacity = 255);

// Draws chunk `chunk` of chunkmap at the view's zoom with its top-left corner at (x, y)
// (zoomed pixels plus the margin, before the view's camera is subtracted); flipped takes the rows bottom-up.
// Cells with block 0 are not drawn.
void draw_chunk(const Display& display, const LevelView& view, BITMAP* target, int chunk, int x, int y, bool flipped);
// The same for back_layout: off the map screen the back plane scrolls 3/32 as fast.
void draw_back_chunk(const Display& display, const LevelView& view, BITMAP* target, int chunk, int x, int y,
                     bool flipped);
// The same for a chunk of level with an explicit offset in zoomed pixels instead of a camera,
// size pixels per block (a view's block_size()), drawing the cells of the block layers in
// `layers` (a view's layers).
void draw_chunk_at(const Display& display, const LevelModel& level, const LevelBitmaps& bitmaps, BITMAP* target,
                   int chunk, int x, int y, bool flipped, int32_t view_x, int32_t view_y, int size, uint8_t layers = 3);

// Position (with the margin, before the camera) of a chunk placement in row `row`.
int32_t placement_x(const LevelView& view, const LayoutObject& o);
int32_t placement_y(const LevelView& view, int row);

// The background pass: every chunk placement of back_layout into layer with draw_back_chunk.
void draw_background_pass(const Display& display, const LevelView& view, BITMAP* layer);
// The background pass straight into the screen's back buffer, whose visible area is first
// cleared to opaque black, with the mask colour drawn as black: what the masked composition
// of the back-plane layer alone would leave there, without the layer.
void draw_background_into_backdrop(const Display& display, const LevelView& view, const ScreenLayers& screen);
// The chunk placements of the edited plane into layer with draw_chunk, row by row.
void draw_plane_chunks(const Display& display, const LevelView& view, BITMAP* layer, const LayoutPlane& plane);

// Clears the visible area of the back buffer to opaque black and of the four layers to the mask colour.
void clear_layers(const ScreenLayers& screen);
// Masked blits of the four layers onto the back buffer, then the back buffer to the screen
// (after a retrace wait when enabled); nothing on frames that frame skip excludes.
void compose_layers(const Display& display);
