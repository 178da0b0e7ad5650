#include "leveledit/plane_image.h"

#include <algorithm>

#include "gamedata/level_state.h"
#include "leveledit/layout_objects.h"
#include "leveledit/markers_view.h"
#include "render/view_state.h"
#include "render/map_render.h"
#include "ui/screen_state.h"
#include "ui/settings.h"

namespace {

constexpr int TILE = 512;
// Object icons reach further than one block from their position (the post's base, the
// large object's frame): their layer has a wider margin.
constexpr int ICON_MARGIN = 256;

// Restores the view the editors use after drawing with a private one.
struct SavedView {
  int16_t zoom = level_zoom;
  int32_t cx = camera_x, cy = camera_y, frames = frame_counter, ticks = timer_ticks;
  int16_t width = screen_width;
  ~SavedView() {
    level_zoom = zoom;
    camera_x = cx;
    camera_y = cy;
    frame_counter = frames;
    timer_ticks = ticks;
    screen_width = width;
  }
};

void clear_to(BITMAP* b, uint32_t colour) {
  for (int y = 0; y < b->h; ++y) std::fill_n(reinterpret_cast<uint32_t*>(b->line[y]), b->w, colour);
}

// Chunk placements of a plane into a tile whose top-left is (ox, oy) of the picture.
void draw_tile(BITMAP* layer, const LayoutPlane& plane, bool background, int32_t ox, int32_t oy) {
  for (size_t r = 0; r < plane.rows.size(); ++r)
    for (const LayoutObject& o : plane.rows[r].objects) {
      if (o.code >= OBJECT_CHUNK_LIMIT) continue;
      const int32_t x = background ? level_view.zoomed(o.x) + MARGIN : placement_x(level_view, o);
      draw_chunk_at(display, level_model, level_bitmaps, layer, o.code & PLACEMENT_CHUNK_MASK, x,
                    placement_y(level_view, static_cast<int>(r)), (o.code & PLACEMENT_VFLIP) != 0, ox, oy,
                    level_view.block_size());
    }
}

// The icons of the front plane's other objects and, on the map screen, the markers, drawn
// as the level editor draws them, into a layer whose top-left is (ox, oy) - ICON_MARGIN of the picture.
void draw_tile_icons(BITMAP* layer, int32_t ox, int32_t oy) {
  const int32_t s = block_size_on_screen();
  const int32_t left = ox - ICON_MARGIN, top = oy - ICON_MARGIN;
  const int32_t reach = TILE + 2 * ICON_MARGIN;
  for (size_t r = 0; r < front_layout.rows.size(); ++r) {
    const int32_t y = level_view.zoomed(16 * static_cast<int32_t>(r)) - s - top;
    if (y < -ICON_MARGIN || y >= reach) continue;
    for (const LayoutObject& o : front_layout.rows[r].objects) {
      if (o.code < OBJECT_CHUNK_LIMIT) continue;
      const int32_t x = level_view.zoomed(o.x) - s - left;
      if (x > -ICON_MARGIN && x < reach) draw_object_icon(display, level_view, layer, o, x, y);
    }
  }
  if (map_header.map_front != 0) return;
  const int count = std::min<int>(marker_count, static_cast<int>(markers.size()));
  for (int i = 0; i < count; ++i) {
    const Marker& m = markers[static_cast<size_t>(i)];
    draw_marker_icon(layer, m, level_view.zoomed(m.x) - left, level_view.zoomed(m.y - 3) - top);
  }
}

}  // namespace

BitmapPtr render_plane_image(int zoom, std::string& error) {
  if (zoom < MIN_ZOOM || zoom > MAX_ZOOM) {
    error = "the zoom must lie between -12 and 48";
    return nullptr;
  }
  SavedView saved;
  level_zoom = static_cast<int16_t>(zoom);
  camera_x = camera_y = 0;
  frame_counter = 0;
  timer_ticks = 0;  // the first frame of every animation
  const int w = std::max(1, static_cast<int>(level_view.zoomed(front_layout.width)));
  const int h = std::max(1, static_cast<int>(level_view.zoomed(front_layout.height)));
  if (static_cast<long>(w) * h > MAX_PLANE_IMAGE_PIXELS) {
    error = "the picture would be " + std::to_string(w) + "x" + std::to_string(h) + " pixels; use a smaller zoom";
    return nullptr;
  }
  BitmapPtr image = make_bitmap(w, h);
  BitmapPtr back = make_bitmap(TILE + 2 * MARGIN, TILE + 2 * MARGIN);
  BitmapPtr front = make_bitmap(TILE + 2 * MARGIN, TILE + 2 * MARGIN);
  BitmapPtr icons = make_bitmap(TILE + 2 * ICON_MARGIN, TILE + 2 * ICON_MARGIN);
  if (!image || !back || !front || !icons) {
    error = "not enough memory for the picture";
    return nullptr;
  }
  clear_to(image.get(), 0xFF000000u);
  const bool background = back_layout.height >= 16;
  // Texts of the icons (codes shown as hex) are cut at the right edge of the screen.
  screen_width = static_cast<int16_t>(icons->w);
  for (int oy = 0; oy < h; oy += TILE)
    for (int ox = 0; ox < w; ox += TILE) {
      clear_to(back.get(), MASK_COLOUR);
      clear_to(front.get(), MASK_COLOUR);
      if (background) draw_tile(back.get(), back_layout, true, ox, oy);
      draw_tile(front.get(), front_layout, false, ox, oy);
      const int tw = std::min(TILE, w - ox), th = std::min(TILE, h - oy);
      masked_blit(back.get(), image.get(), MARGIN, MARGIN, ox, oy, tw, th);
      masked_blit(front.get(), image.get(), MARGIN, MARGIN, ox, oy, tw, th);
      clear_to(icons.get(), MASK_COLOUR);
      draw_tile_icons(icons.get(), ox, oy);
      masked_blit(icons.get(), image.get(), ICON_MARGIN, ICON_MARGIN, ox, oy, tw, th);
    }
  return image;
}
