#include "leveledit/markers_view.h"
#include "render/layer_bands.h"

#include <cctype>
#include <cstdlib>
#include <string>

#include "gamedata/level_state.h"
#include "leveledit/layout_objects.h"
#include "leveledit/level_editor.h"
#include "leveledit/level_editor_state.h"
#include "leveledit/level_undo.h"
#include "render/view_state.h"
#include "render/map_render.h"
#include "render/panel_band.h"
#include "render/panel_writers.h"
#include "ui/font.h"
#include "ui/frame.h"
#include "ui/input.h"
#include "ui/messages.h"
#include "ui/prompts.h"
#include "ui/screen_state.h"

const char* const MARKER_NOTICE = "MARKER CHANGES ARE NOT SAVED TO ANY FILE.";

void note_marker_edit() {
  if (first_marker_edit()) show_message(MARKER_NOTICE);
}

namespace {

constexpr int LINK_CYCLE = 132;  // 0..130, then 255
constexpr size_t NAME_LIMIT = 24;

int marker_table_size() { return std::min<int>(marker_count, static_cast<int>(markers.size())); }

Marker* hovered() {
  const int i = ledit.hovered_marker;
  return i >= 0 && i < marker_table_size() ? &markers[static_cast<size_t>(i)] : nullptr;
}

BITMAP* marker_icon(uint8_t type, int frame) {
  switch (type) {
    case MARKER_NORMAL: return marker_icons_normal[static_cast<size_t>(frame)].get();
    case MARKER_TUNNEL: return marker_icons_tunnel[static_cast<size_t>(frame)].get();
    case MARKER_SECRET:
    case MARKER_SECRET_FORK: return marker_icons_secret[static_cast<size_t>(frame)].get();
    default: return nullptr;
  }
}

uint8_t* link_of_line(Marker& m, int line) {
  switch (line) {
    case 2: return &m.next_up;
    case 3: return &m.next_down;
    case 4: return &m.next_left;
    case 5: return &m.next_right;
    case 6: return &m.next_tunnel;
    default: return nullptr;
  }
}


// The marker's value before this step's edit, for undo.
void touch(const Marker& m) { level_step_touch_marker(static_cast<int>(&m - markers.data())); }

void rename_marker(Marker& m) {
  wait_key_released(KEY_ENTER);
  wait_key_released(KEY_ENTER_PAD);
  std::string name;
  if (!edit_text_field(display, 256, 25, NAME_LIMIT, m.name.c_str(), name)) return;  // Escape keeps the name
  if (name.size() > NAME_LIMIT) name.resize(NAME_LIMIT);
  for (char& c : name)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  if (name == m.name) return;
  touch(m);
  m.name = name;
  note_marker_edit();
}

void edit_marker_keys(Marker& m) {
  InputSource& in = input();
  const int lines = marker_panel_lines(m.type);
  if (ledit.panel_line < 0 || ledit.panel_line >= lines) ledit.panel_line = 0;
  if (in.key_down(KEY_COMMA)) {
    ledit.panel_line = ledit.panel_line == 0 ? lines - 1 : ledit.panel_line - 1;
    wait_key_released(KEY_COMMA);
  } else if (in.key_down(KEY_STOP)) {
    ledit.panel_line = (ledit.panel_line + 1) % lines;
    wait_key_released(KEY_STOP);
  }
  if (ledit.panel_line == 0 && (in.key_down(KEY_ENTER) || in.key_down(KEY_ENTER_PAD))) {
    rename_marker(m);
    return;
  }
  int step = 0;
  if (plus_down()) step = 1;
  else if (minus_down()) step = -1;
  else if (star_down()) step = 16;
  else if (slash_down()) step = -16;
  if (step == 0) return;
  touch(m);
  if (ledit.panel_line == 1 && (step == 1 || step == -1)) {
    const uint8_t type = step_marker_type(m.type, step);
    if (type != m.type) note_marker_edit();
    m.type = type;
  } else if (uint8_t* link = link_of_line(m, ledit.panel_line)) {
    *link = step_marker_link(*link, step);
    note_marker_edit();
  }
  wait_edit_keys_released();
}

int16_t clamp16(int32_t v) { return static_cast<int16_t>(v < -32768 ? -32768 : (v > 32767 ? 32767 : v)); }

void drag_marker(Marker& m) {
  if (click_event & 1) {
    ledit.marker_drag_origin_x = m.x;
    ledit.marker_drag_origin_y = m.y;
    ledit.marker_drag_click_x = static_cast<float>(level_pixel(world_mouse_x()));
    ledit.marker_drag_click_y = static_cast<float>(level_pixel(world_mouse_y()));
    ledit.drag_screen_x = ledit.mouse_x;
    ledit.drag_screen_y = ledit.mouse_y;
    ledit.drag_started = 0;
    ledit.drag_clicked = true;
    return;
  }
  if (!(buttons_before & 1) || !ledit.drag_clicked) return;
  if (!ledit.drag_started &&
      (std::abs(ledit.mouse_x - ledit.drag_screen_x) >= 4 || std::abs(ledit.mouse_y - ledit.drag_screen_y) >= 4))
    ledit.drag_started = 1;
  if (!ledit.drag_started) return;
  const LayoutPlane& plane = edited_plane();
  int16_t x = m.x, y = m.y;
  const int32_t level_x = level_pixel(world_mouse_x()), level_y = level_pixel(world_mouse_y());
  if (level_x < plane.width)
    x = clamp16(static_cast<int32_t>(static_cast<float>(level_x) + ledit.marker_drag_origin_x - ledit.marker_drag_click_x));
  if (level_y < plane.height)
    y = clamp16(static_cast<int32_t>(static_cast<float>(level_y) + ledit.marker_drag_origin_y - ledit.marker_drag_click_y));
  if (snap_to_grid) {
    x = static_cast<int16_t>(x & ~7);
    y = static_cast<int16_t>(y & ~7);
  }
  if (x == m.x && y == m.y) return;
  touch(m);
  m.x = x;
  m.y = y;
  note_marker_edit();
}

BITMAP* overlay() { return layer_4.get(); }

void hex_value(int x, int y, uint32_t value) { hex_plain_at(display, overlay(), 2, x, y, value); }

}  // namespace

uint8_t step_marker_link(uint8_t link, int steps) {
  const int position = link <= 130 ? link : 131;
  const int next = ((position + steps) % LINK_CYCLE + LINK_CYCLE) % LINK_CYCLE;
  return next == 131 ? MARKER_NO_LINK : static_cast<uint8_t>(next);
}

uint8_t step_marker_type(uint8_t type, int direction) {
  return static_cast<uint8_t>(direction > 0 ? ((type + 3) & 3) - 2 : ((type + 1) & 3) - 2);
}

int marker_panel_lines(uint8_t type) { return type == MARKER_TUNNEL ? 7 : 6; }

void draw_marker_icon(BITMAP* layer, const Marker& m, int x, int y) {
  // Frames 0, 1, 2, 1, each for 8 ticks.
  int frame = (timer_ticks >> 3) & 3;
  if (frame == 3) frame = 1;
  const int s = block_size_on_screen();
  draw_scaled_masked(marker_icon(m.type, frame), layer, x, y, s, s);
}

void draw_markers(BITMAP* layer, bool draw) {
  const int32_t s = block_size_on_screen();
  const int32_t view_x = camera_x >> 3, view_y = camera_y >> 3;
  const int32_t px = world_mouse_x(), py = world_mouse_y();
  const bool left_up = !(ledit.mouse_b & 1);
  for (int i = 0; i < marker_table_size(); ++i) {
    const Marker& m = markers[static_cast<size_t>(i)];
    const int32_t bx = level_view.zoomed(m.x), by = level_view.zoomed(m.y - 3);
    if (draw) draw_marker_icon(layer, m, bx + MARGIN - view_x, by + MARGIN - view_y);
    if (left_up && px >= bx && px < bx + s && py >= by && py < by + s) {
      ledit.marker_hovered = 1;
      ledit.hovered_marker = i;
      ledit.hovered_marker_number = static_cast<uint8_t>(i + 1);
    }
  }
}

void edit_marker() {
  Marker* m = hovered();
  if (!m) return;
  edit_marker_keys(*m);
  drag_marker(*m);
}

void draw_marker_panel() {
  const Marker* m = hovered();
  if (!m || !frame_skip_open(display)) return;
  static const int line_y[7] = {25, 40, 55, 65, 75, 85, 95};
  const int y = line_y[ledit.panel_line >= 0 && ledit.panel_line < 7 ? ledit.panel_line : 0];
  BITMAP* o = overlay();
  const int32_t s = block_size_on_screen();
  draw_selection_frame(frame_pieces, o, level_view.zoomed(m->x) - (camera_x >> 3) + MARGIN, level_view.zoomed(m->y - 3) - (camera_y >> 3) + MARGIN, s, s);
  panel_band_begin(display.layers());
  mark_drawn(o, 248 + MARGIN, y - 1 + MARGIN, 456 - 248 + 1, 11);
  rectfill(o, 248 + MARGIN, y - 1 + MARGIN, 456 + MARGIN, y + 9 + MARGIN, 0xFF3F00);
  hex_value(231, 25, ledit.hovered_marker_number);
  layer_text(display, o, 1, 256, 25, m->name.c_str());
  layer_text(display, o, 0, 256, 40, "MARKER TYPE:");
  layer_text(display, o, 1, 360, 40, marker_type_name(m->type));
  layer_text(display, o, 0, 256, 55, "NEXT MARKER UP:");
  hex_value(440, 55, m->next_up + 1u);
  layer_text(display, o, 0, 256, 65, "NEXT MARKER DOWN:");
  hex_value(440, 65, m->next_down + 1u);
  layer_text(display, o, 0, 256, 75, "NEXT MARKER LEFT:");
  hex_value(440, 75, m->next_left + 1u);
  layer_text(display, o, 0, 256, 85, "NEXT MARKER RIGHT:");
  hex_value(440, 85, m->next_right + 1u);
  if (m->type == MARKER_TUNNEL) {
    layer_text(display, o, 0, 256, 95, "NEXT MARKER TUNNEL:");
    hex_value(440, 95, m->next_tunnel + 1u);
  }
  layer_text(display, o, 0, 256, 110, "COORDINATES:      :");
  hex_at(display, o, 2, 384, 110, 4, static_cast<uint16_t>(m->x));
  hex_at(display, o, 2, 440, 110, 4, static_cast<uint16_t>(m->y));
  panel_band_end();
}
