// Drawing the edited plane and listing the objects under the cursor; choosing among them.
#include "gamedata/level_state.h"
#include "leveledit/layout_objects.h"
#include "leveledit/level_editor.h"
#include "leveledit/markers_view.h"
#include "render/layer_bands.h"
#include "render/view_state.h"
#include "render/map_render.h"
#include "ui/input.h"
#include "ui/screen_state.h"
#include "ui/settings.h"

namespace {

int32_t collected = 0;

// Icons reach at most this far left of / above their position (the post's base, the
// large object's frame) and stay within one screen further right and down.
constexpr int ICON_REACH = 256;

bool icon_visible(int x, int y) {
  return x > -ICON_REACH && y > -ICON_REACH && x < MARGIN + screen_width && y < MARGIN + screen_height;
}

void take_selection_from_hover() {
  if (ledit.hover_index < 0 || ledit.hover_index >= ledit.hover_count) {
    clear_selection();
    return;
  }
  const HoverEntry& e = ledit.hover_stack[static_cast<size_t>(ledit.hover_index)];
  ledit.object_selected = true;
  ledit.selected_back_plane = e.back_plane;
  ledit.selected_row = e.row;
  ledit.selected_index = e.index;
  ledit.selected_screen_x = static_cast<float>(e.x);
  ledit.selected_screen_y = static_cast<float>(e.y);
}

}  // namespace

void draw_plane_and_collect_hover(bool draw) {
  const int32_t s = block_size_on_screen();
  const int32_t view_x = camera_x >> 3, view_y = camera_y >> 3;
  const int32_t px = world_mouse_x(), py = world_mouse_y();
  const bool collect = !(ledit.mouse_b & 1);
  const bool back = editing_back_plane();
  LayoutPlane& plane = edited_plane();
  if (draw && ledit.background_shown && !back) {
    // The bottom layer goes straight into the backdrop, which the composition keeps.
    draw_background_into_backdrop(display, level_view, display.layers());
    backdrop_drawn();
  }

  collected = 0;
  for (size_t r = 0; r < plane.rows.size(); ++r) {
    const std::vector<LayoutObject>& objects = plane.rows[r].objects;
    const int32_t row_y = level_view.zoomed(16 * static_cast<int32_t>(r));
    for (size_t i = 0; i < objects.size(); ++i) {
      const LayoutObject& o = objects[i];
      int32_t bx, by, bw, bh;
      if (o.code < OBJECT_CHUNK_LIMIT) {
        const int chunk = o.code & PLACEMENT_CHUNK_MASK;
        bx = placement_x(level_view, o) - MARGIN;
        by = row_y - s;
        bw = bh = 0;
        if (chunk < chunkmap.count()) {
          const Chunk& c = chunkmap.chunks[static_cast<size_t>(chunk)];
          if (c.width > 0 && c.height > 0) {
            bw = c.width * s;
            bh = c.height * s;
          }
        }
        if (draw && bw > 0) {
          draw_chunk(display, level_view, layer_2.get(), chunk, bx + MARGIN, by + MARGIN,
                     (o.code & PLACEMENT_VFLIP) != 0);
          mark_drawn(layer_2.get(), bx + MARGIN - view_x, by + MARGIN - view_y, bw, bh);
        }
      } else {
        bx = level_view.zoomed(o.x) - s;
        by = row_y - s;
        bw = bh = s;
        const int ix = bx + MARGIN - view_x, iy = by + MARGIN - view_y;
        if (draw && icon_visible(ix, iy)) draw_object_icon(display, level_view, layer_3.get(), o, ix, iy);
      }
      if (draw && o.selected && bw > 0) draw_selected_frame(bx + MARGIN - view_x, by + MARGIN - view_y, bw, bh);
      if (collect && collected < HOVER_LIMIT && px >= bx && px < bx + bw && py >= by && py < by + bh) {
        HoverEntry e;
        e.back_plane = back;
        e.row = static_cast<int16_t>(r);
        e.index = static_cast<int16_t>(i);
        e.x = bx;
        e.y = by;
        e.w = bw;
        e.h = bh;
        if (collected == ledit.hover_index && !e.same_object(ledit.hover_stack[static_cast<size_t>(collected)]))
          ledit.selection_changed = true;
        ledit.hover_stack[static_cast<size_t>(collected++)] = e;
      }
    }
  }
}

void update_hover_count() {
  if (collected == ledit.hover_count || (ledit.mouse_b & 1)) return;
  ledit.hover_count = collected;
  ledit.hover_index = collected - 1;
  ledit.selection_changed = true;
}

void rebuild_hover_from_cursor() {
  draw_plane_and_collect_hover(false);
  ledit.hover_count = collected;
  ledit.hover_index = collected - 1;
  take_selection_from_hover();
  ledit.marker_hovered = 0;
  if (map_header.map_front == 0) draw_markers(nullptr, false);
}

void handle_hover_keys() {
  InputSource& in = input();
  if (ctrl_down()) {
    if (in.key_down(KEY_COMMA)) {
      if (ledit.hover_index > 0) --ledit.hover_index;
      ledit.selection_changed = true;
      wait_key_released(KEY_COMMA);
    } else if (in.key_down(KEY_STOP)) {
      if (ledit.hover_index < ledit.hover_count - 1) ++ledit.hover_index;
      ledit.selection_changed = true;
      wait_key_released(KEY_STOP);
    }
  }
  if (ledit.selection_changed) take_selection_from_hover();
}
