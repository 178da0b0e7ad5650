// The information panel of the selected layout object.
#include <string>

#include "gamedata/level_state.h"
#include "leveledit/effect_text.h"
#include "leveledit/layout_objects.h"
#include "leveledit/level_editor.h"
#include "leveledit/level_editor_state.h"
#include "render/layer_bands.h"
#include "render/view_state.h"
#include "render/panel_band.h"
#include "render/panel_writers.h"
#include "ui/font.h"
#include "ui/frame.h"
#include "ui/input.h"
#include "ui/messages.h"
#include "ui/screen_state.h"

namespace {

constexpr uint32_t HIGHLIGHT = 0xFF3F00;

BITMAP* overlay() { return layer_4.get(); }

void label(int x, int y, const char* text) { layer_text(display, overlay(), 0, x, y, text); }
void name(int x, int y, const char* text) { layer_text(display, overlay(), 1, x, y, text); }
void hex4(int x, int y, uint32_t value) { hex_at(display, overlay(), 2, x, y, 4, value); }
void hex(int x, int y, uint32_t value) { hex_plain_at(display, overlay(), 2, x, y, value); }

// A highlight bar between two screen corners, both included.
void bar(int x1, int y1, int x2, int y2) {
  mark_drawn(overlay(), x1 + MARGIN, y1 + MARGIN, x2 - x1 + 1, y2 - y1 + 1);
  rectfill(overlay(), x1 + MARGIN, y1 + MARGIN, x2 + MARGIN, y2 + MARGIN, HIGHLIGHT);
}

const BlockType* entry_at(int index) {
  if (index < 0 || index >= block_type_count || static_cast<size_t>(index) >= block_types.size()) return nullptr;
  return &block_types[static_cast<size_t>(index)];
}

void kind_name(int x, int y, int kind) {
  const char* text = block_kind_name(kind);
  if (text)
    name(x, y, text);
  else
    hex(x, y, static_cast<uint32_t>(kind) & 0xFFFF);
}

// The debug message boxes while 7, 8 or 9 is held.
void effect_message_boxes(const BlockType& shown, const BlockType& own) {
  if (!effect_details_shown) return;
  InputSource& in = input();
  const uint8_t e = shown.param >> 8, a = shown.param & 0xFF;
  if (in.key_down(KEY_7)) show_message(effect_values_text(e, a));
  if (in.key_down(KEY_8)) show_message(effect_case_name(e));
  if (in.key_down(KEY_9)) show_message(describe_effect(own.param >> 8, own.param & 0xFF));
}

// The chunk thumbnails of three neighbouring hover entries, the selected one drawn last.
void draw_hover_thumbnails() {
  const int n = ledit.hover_count, sel = ledit.hover_index;
  if (n < 1 || sel < 0 || sel >= n) return;
  int first = 0;
  if (n >= 3) first = sel == 0 ? 0 : (sel == n - 1 ? n - 3 : sel - 1);
  const int shown = n < 3 ? n : 3;
  static const int slot_x[3] = {376, 400, 424}, slot_y[3] = {16, 40, 64};
  auto draw_slot = [&](int k) {
    const HoverEntry& e = ledit.hover_stack[static_cast<size_t>(first + k)];
    const LayoutPlane& plane = e.back_plane ? back_layout : front_layout;
    if (e.row < 0 || static_cast<size_t>(e.row) >= plane.rows.size()) return;
    const LayoutRow& row = plane.rows[static_cast<size_t>(e.row)];
    if (e.index < 0 || e.index >= row.count()) return;
    const uint16_t code = row.objects[static_cast<size_t>(e.index)].code;
    if (code >= OBJECT_CHUNK_LIMIT) return;
    const size_t chunk = code & PLACEMENT_CHUNK_MASK;
    if (chunk >= chunk_thumbnails.size() || !chunk_thumbnails[chunk]) return;
    BITMAP* t = chunk_thumbnails[chunk].get();
    mark_drawn(overlay(), slot_x[k] + MARGIN, slot_y[k] + MARGIN, THUMBNAIL_SIZE, THUMBNAIL_SIZE);
    stretch_blit(t, overlay(), 0, 0, t->w, t->h, slot_x[k] + MARGIN, slot_y[k] + MARGIN, THUMBNAIL_SIZE, THUMBNAIL_SIZE);
  };
  for (int k = 0; k < shown; ++k)
    if (first + k != sel) draw_slot(k);
  draw_slot(sel - first);
}

void chunk_panel(const LayoutObject& o) {
  label(256, 24, "OBJECT:");
  hex4(360, 24, o.code);
  label(256, 32, "X_POS:");
  hex4(360, 32, o.x);
  label(256, 40, "Y_POS:");
  hex4(360, 40, static_cast<uint32_t>(16 * ledit.selected_row));
  label(256, 48, "PRIORITY:");
  hex4(360, 48, static_cast<uint32_t>(ledit.selected_index));
  label(256, 64, "ST. INDEX:");
  hex4(360, 64, static_cast<uint32_t>(ledit.hover_index));
  label(256, 72, "ST. COUNT:");
  hex4(360, 72, static_cast<uint32_t>(ledit.hover_count));
  if ((ledit.edit_flags & EDIT_METABLOCK) && ledit.cell_located) {
    const Chunk& c = chunkmap.chunks[o.code & PLACEMENT_CHUNK_MASK];
    label(512, 40, "BLOCK:");
    hex4(616, 40, c.cell(ledit.cell_column, ledit.cell_row));
    label(512, 56, "X:");
    hex4(576, 56, static_cast<uint32_t>(ledit.cell_offset_x));
    hex4(616, 56, static_cast<uint32_t>(static_cast<int32_t>(ledit.selected_screen_x)));
    label(512, 72, "Y:");
    hex4(576, 72, static_cast<uint32_t>(ledit.cell_offset_y));
    hex4(616, 72, static_cast<uint32_t>(static_cast<int32_t>(ledit.selected_screen_y)));
  }
  draw_hover_thumbnails();
}

void pickup_panel(const LayoutObject& o) {
  bar(248, 24, 552, 34);
  label(256, 25, "PICKUP TYPE:");
  const int type = o.code & 0xFF;
  if (type < TYPE_NAME_COUNT)
    name(368, 25, pickup_type_names[type]);
  else
    hex(368, 25, static_cast<uint32_t>(type));
}

void block_object_panel(const LayoutObject& o) {
  const int y = ledit.panel_line == 1 ? 40 : 25;
  bar(248, y - 1, 472, y + 9);
  label(256, 25, "BLOCK TYPE:");
  const BlockType* entry = entry_at(o.code & 0xFF);
  if (!entry) {
    hex(352, 25, o.code & 0xFFu);
    return;
  }
  kind_name(352, 25, entry->kind);
  const uint32_t row_y = static_cast<uint32_t>(16 * ledit.selected_row);
  if (entry->kind == 4 || entry->kind == 5) {
    const int ref = entry->param & 0xFF;
    label(256, 40, "REFERENCE:");
    hex(352, 40, static_cast<uint32_t>(ref));
    const BlockType* target = entry_at(ref);
    label(256, 55, "  REF. TYPE:");
    label(256, 65, "  REF. EFFECT:");
    if (target) {
      kind_name(352, 55, target->kind);
      name(352, 65, describe_effect(target->param >> 8, target->param & 0xFF).c_str());
    }
    label(256, 80, "COORDINATES:        :");
    hex4(400, 80, o.x);
    hex4(456, 80, row_y);
    effect_message_boxes(target ? *target : *entry, *entry);
  } else {
    label(256, 40, "EFFECT:");
    name(352, 40, describe_effect(entry->param >> 8, entry->param & 0xFF).c_str());
    label(256, 55, "COORDINATES:        :");
    hex4(400, 55, o.x);
    hex4(456, 55, row_y);
    effect_message_boxes(*entry, *entry);
  }
}

}  // namespace

void draw_object_panel() {
  const LayoutObject* o = selected_object();
  if (!o) return;
  const bool draw = frame_skip_open(display);
  const int32_t s = block_size_on_screen();
  int32_t w = s, h = s;
  if (o->code < OBJECT_CHUNK_LIMIT) {
    w = h = 0;
    const int chunk = o->code & PLACEMENT_CHUNK_MASK;
    if (chunk < chunkmap.count()) {
      w = chunkmap.chunks[static_cast<size_t>(chunk)].width * s;
      h = chunkmap.chunks[static_cast<size_t>(chunk)].height * s;
    }
  }
  if (draw) {
    const int x = static_cast<int>(ledit.selected_screen_x) - (camera_x >> 3) + MARGIN;
    const int y = static_cast<int>(ledit.selected_screen_y) - (camera_y >> 3) + MARGIN;
    draw_selection_frame(frame_pieces, overlay(), x, y, w, h);
    if ((ledit.edit_flags & EDIT_METABLOCK) && ledit.cell_located)
      draw_selection_frame(frame_pieces, overlay(), ledit.cell_grid_x + MARGIN, ledit.cell_grid_y + MARGIN, s, s);
  }
  if (draw) panel_band_begin(display.layers());
  if (o->code < OBJECT_CHUNK_LIMIT) {
    if (draw) chunk_panel(*o);
  } else if ((o->code & 0xFF00) == OBJECT_PICKUP) {
    if (draw) pickup_panel(*o);
  } else if ((o->code & 0xFF00) == OBJECT_BLOCK) {
    // Drawn texts need the frame shown; the message boxes of the held keys do not.
    if (draw) {
      block_object_panel(*o);
    } else {
      const BlockType* entry = entry_at(o->code & 0xFF);
      if (entry) {
        const BlockType* target = (entry->kind == 4 || entry->kind == 5) ? entry_at(entry->param & 0xFF) : nullptr;
        effect_message_boxes(target ? *target : *entry, *entry);
      }
    }
  }
  if (draw) panel_band_end();
}
