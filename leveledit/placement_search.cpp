#include "leveledit/placement_search.h"

#include <algorithm>
#include <vector>

#include "gamedata/chunk_usage.h"
#include "gamedata/level_state.h"
#include "leveledit/level_editor.h"
#include "render/layer_bands.h"
#include "render/map_render.h"
#include "render/view_state.h"
#include "ui/input.h"
#include "ui/screen_state.h"
#include "ui/settings.h"

PlacementSearch placement_search;

namespace {

constexpr int HIGHLIGHT_COLOUR = static_cast<int>(0xFFFFD040u);

struct Placement {
  bool back = false;
  int row = 0, index = 0;
  bool operator==(const Placement& o) const { return back == o.back && row == o.row && index == o.index; }
};

// Every placement of the chunk, front plane first, each plane in layout order.
std::vector<Placement> placements_of(int chunk) {
  std::vector<Placement> out;
  for (bool back : {false, true})
    for (const PlacementRef& p : chunk_placements(back ? back_layout : front_layout, chunk))
      out.push_back({back, p.row, p.index});
  return out;
}

// The box of a placement in zoomed pixels, camera not subtracted (as the hover list has it).
struct Box {
  int32_t x, y, w, h;
};
Box placement_box(const LayoutObject& o, int row) {
  const int32_t s = block_size_on_screen();
  Box b{placement_x(level_view, o) - MARGIN, level_view.zoomed(16 * row) - s, s, s};
  const int chunk = o.code & PLACEMENT_CHUNK_MASK;
  if (chunk < chunkmap.count()) {
    const Chunk& c = chunkmap.chunks[static_cast<size_t>(chunk)];
    if (c.width > 0 && c.height > 0) {
      b.w = c.width * s;
      b.h = c.height * s;
    }
  }
  return b;
}

void focus(const Placement& p) {
  ledit.edit_flags = static_cast<uint8_t>((ledit.edit_flags & ~EDIT_BACK_PLANE) | (p.back ? EDIT_BACK_PLANE : 0));
  const LayoutObject& o = edited_plane().rows[static_cast<size_t>(p.row)].objects[static_cast<size_t>(p.index)];
  const Box b = placement_box(o, p.row);
  camera_x = 8 * (b.x + b.w / 2 - screen_width / 2);
  camera_y = 8 * (b.y + b.h / 2 - screen_height / 2);
  clamp_camera(level_view, screen_width, screen_height);
  // The cursor on the middle of the placement's visible part, which selects it.
  const int32_t vx = camera_x >> 3, vy = camera_y >> 3;
  const int mx = std::clamp(b.x + b.w / 2, std::max(b.x, vx), std::max(b.x, std::min(b.x + b.w, vx + screen_width) - 1)) - vx;
  const int my = std::clamp(b.y + b.h / 2, std::max(b.y, vy), std::max(b.y, std::min(b.y + b.h, vy + screen_height) - 1)) - vy;
  input().position_mouse(mx, my);
  ledit.mouse_x = mx;
  ledit.mouse_y = my;
  camera_state = 1;  // held, so the camera does not roam off at once
  rebuild_hover_from_cursor();
  for (int k = 0; k < ledit.hover_count; ++k) {
    const HoverEntry& e = ledit.hover_stack[static_cast<size_t>(k)];
    if (e.back_plane == p.back && e.row == p.row && e.index == p.index) ledit.hover_index = k;
  }
  ledit.object_selected = true;
  ledit.selected_back_plane = p.back;
  ledit.selected_row = static_cast<int16_t>(p.row);
  ledit.selected_index = static_cast<int16_t>(p.index);
  ledit.selected_screen_x = static_cast<float>(b.x);
  ledit.selected_screen_y = static_cast<float>(b.y);
}

// The selected object when it is a chunk placement.
const LayoutObject* selected_placement() {
  const LayoutObject* o = selected_object();
  return o && o->code < OBJECT_CHUNK_LIMIT ? o : nullptr;
}

void step(int direction) {
  if (const LayoutObject* o = selected_placement()) placement_search.followed_chunk = o->code & PLACEMENT_CHUNK_MASK;
  if (placement_search.followed_chunk < 0) return;
  const std::vector<Placement> all = placements_of(placement_search.followed_chunk);
  if (all.empty()) return;
  const Placement here{ledit.selected_back_plane, ledit.selected_row, ledit.selected_index};
  auto it = selected_placement() ? std::find(all.begin(), all.end(), here) : all.end();
  const int n = static_cast<int>(all.size());
  const int at = it == all.end() ? (direction > 0 ? -1 : 0) : static_cast<int>(it - all.begin());
  focus(all[static_cast<size_t>(((at + direction) % n + n) % n)]);
}

}  // namespace

bool focus_first_placement(int chunk) {
  placement_search.followed_chunk = chunk;
  const std::vector<Placement> all = placements_of(chunk);
  if (all.empty()) return false;
  focus(all.front());
  return true;
}

void level_editor_at_chunk(int chunk) {
  level_editor_enter();
  focus_first_placement(chunk);
  while (level_editor_pass()) {
  }
  level_editor_leave();
}

void handle_placement_keys() {
  InputSource& in = input();
  if (ctrl_down()) return;
  if (in.key_down(KEY_N)) {
    step(shift_down() ? -1 : 1);
    wait_key_released(KEY_N);
  }
  if (in.key_down(KEY_H)) {
    // The chunk under the cursor: the selected placement, else any placement listed there.
    int chunk = -1;
    if (const LayoutObject* o = selected_placement()) chunk = o->code & PLACEMENT_CHUNK_MASK;
    for (int k = ledit.hover_count - 1; k >= 0 && chunk < 0; --k) {
      const HoverEntry& e = ledit.hover_stack[static_cast<size_t>(k)];
      const LayoutObject& o = edited_plane().rows[static_cast<size_t>(e.row)].objects[static_cast<size_t>(e.index)];
      if (o.code < OBJECT_CHUNK_LIMIT) chunk = o.code & PLACEMENT_CHUNK_MASK;
    }
    placement_search.highlighted_chunk = chunk == placement_search.highlighted_chunk ? -1 : chunk;
    wait_key_released(KEY_H);
  }
}

void draw_placement_highlights(bool draw) {
  if (!draw || placement_search.highlighted_chunk < 0) return;
  BITMAP* overlay = layer_4.get();
  if (!overlay) return;
  const LayoutPlane& plane = edited_plane();
  const int32_t vx = camera_x >> 3, vy = camera_y >> 3;
  for (const PlacementRef& p : chunk_placements(plane, placement_search.highlighted_chunk)) {
    const Box b = placement_box(plane.rows[static_cast<size_t>(p.row)].objects[static_cast<size_t>(p.index)], p.row);
    const int x = b.x - vx + MARGIN, y = b.y - vy + MARGIN;
    if (x + b.w < MARGIN - 2 || y + b.h < MARGIN - 2 || x > MARGIN + screen_width || y > MARGIN + screen_height) continue;
    const int x0 = std::max(x - 2, 0), y0 = std::max(y - 2, 0);
    const int x1 = std::min(x + b.w + 1, overlay->w - 1), y1 = std::min(y + b.h + 1, overlay->h - 1);
    mark_drawn(overlay, x0, y0, x1 - x0 + 1, y1 - y0 + 1);
    rect(overlay, x0, y0, x1, y1, HIGHLIGHT_COLOUR);
    rect(overlay, x0 + 1, y0 + 1, x1 - 1, y1 - 1, HIGHLIGHT_COLOUR);
  }
}
