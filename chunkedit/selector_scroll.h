// Scrolling shared by the tile strip and the block bar: wheel, scroll keys, the mouse
// band with its fast latch, the clamps and GO TO, all on camera_x.
#pragma once
#include <allegro.h>

#include <cstdint>

struct StripScroll {
  int32_t step;      // camera units per item: 704 for tiles, 320 for blocks
  int32_t top;       // largest camera_x
  int32_t last_item; // GO TO range 0..last_item
  int32_t key_step;  // per frame with a scroll key, doubled with Shift
};

StripScroll tile_strip_scroll(int tile_count);
StripScroll block_bar_scroll();

// The item under the centre of the strip for camera_x.
int32_t strip_item(const StripScroll& strip);
// One frame of scrolling; also clears fast_scroll_latch while the left button is up and
// runs GO TO on the slash key.
void scroll_strip(const StripScroll& strip);

// The selectors' cursor at the mouse: while fast_scroll_latch is set the alternative
// cursor, mirrored when the mouse is left of the screen's centre.
void draw_selector_cursor(BITMAP* target);
