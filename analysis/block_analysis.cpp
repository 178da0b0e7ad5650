#include "analysis/block_analysis.h"

#include <algorithm>
#include <memory>

#include "gamedata/level_state.h"
#include "gamedata/rom_import.h"
#include "render/status_bar.h"
#include "render/strip_band.h"
#include "render/view_state.h"
#include "ui/font.h"
#include "ui/frame.h"
#include "ui/help_overlay.h"
#include "ui/input.h"
#include "ui/menu.h"
#include "ui/prompts.h"
#include "ui/screen_state.h"
#include "ui/settings.h"

// Lower-case words name keys (the font draws them in the second ink); a test compares
// them with the keys the tool reads.
const char* const BLOCK_ANALYSIS_HELP =
    "MOVE THE MOUSE UP OR DOWN TO SCROLL THROUGH THE GRID.\n"
    "left click NEAR THE TOP OR BOTTOM EDGE TO SCROLL FASTER.\n"
    "ROLL THE mouse wheel TO SCROLL BY TWO ROWS.\n"
    "PRESS up OR down TO SCROLL. HOLD shift TO SCROLL FASTER.\n"
    "left click A CHUNK TO LIST THE LEVELS THAT PLACE IT.\n"
    "left click A LEVEL IN THE LIST TO OPEN IT IN THE LEVEL EDITOR.\n"
    "PRESS tab TO SWITCH BETWEEN CHUNKS AND BLOCKS.\n"
    "PRESS pgup OR pgdn FOR THE PREVIOUS OR NEXT THEME.\n"
    "PRESS THE slash KEY TO GO TO A CHUNK OR BLOCK NUMBER.\n"
    "PRESS f1 FOR HELP. PRESS esc TO RETURN TO THE MAIN MENU.\n";

namespace {

constexpr int CHUNK_PITCH = 88;  // the tile strip's slot pitch
constexpr int BLOCK_PITCH = 56;
constexpr int BLOCK_PICTURE = 32;
constexpr int CURRENT_SIZE = 80;  // the item under the mouse, as the strip's current tile
constexpr int GRID_TOP = 28;
constexpr int LIST_TOP = 72;
constexpr int LIST_LINE = 12;
constexpr uint32_t LIST_BACK = 0xFF182838;
constexpr uint32_t LIST_LIT = 0xFF304868;
constexpr uint32_t MARK_UNUSED = 0xFFC03030;
constexpr uint32_t MARK_BROKEN = 0xFF701818;
constexpr uint32_t MARK_SELECTED = 0xFFFFD040;
constexpr uint32_t EMPTY_SLOT = 0xFF303030;

struct Screen {
  const UsageReport* report = nullptr;
  ThemePictureLoader loader = nullptr;
  std::string source;
  size_t theme_index = 0;
  bool blocks_view = false;
  int selected = -1;  // chunk or block number
  int hovered = -1;   // index into the items of the view
  int pictures_theme = -1;
  std::unique_ptr<LevelModel> model;
  std::unique_ptr<LevelBitmaps> bitmaps;
  AnalysisChoice choice;
};
Screen tool;

const ThemeUsage& theme() { return tool.report->themes[tool.theme_index]; }
int item_count() {
  return static_cast<int>(tool.blocks_view ? theme().blocks.size() : theme().chunks.size());
}
int item_number(int i) { return tool.blocks_view ? theme().blocks[i].block : theme().chunks[i].chunk; }
int pitch() { return tool.blocks_view ? BLOCK_PITCH : CHUNK_PITCH; }
int panel_width() { return std::min(392, screen_width / 2); }
int grid_right() { return screen_width - panel_width() - 8; }
int columns() { return std::max(1, (grid_right() - 16) / pitch()); }
int rows() { return (item_count() + columns() - 1) / columns(); }
int grid_bottom() { return screen_height - STATUS_BAR_HEIGHT - 2; }
// Row r's slots start at GRID_TOP + 4 + pitch * r - (camera_y >> 3).
int rows_top() { return GRID_TOP + 4 - (camera_y >> 3); }
int32_t camera_top() { return std::max(0, rows() * pitch() + 4 - (grid_bottom() - GRID_TOP)) * 8; }
// The mouse band of the selectors, stretched over the grid: the fast latch is set within
// EDGE_BAND pixels of its top and bottom edges.
constexpr int EDGE_BAND = 24;
int band_centre() { return (GRID_TOP + grid_bottom()) / 2; }
int half_band() { return std::max(8, (grid_bottom() - GRID_TOP) / 2 - EDGE_BAND); }

void load_pictures() {
  const ThemeUsage& t = theme();
  if (tool.pictures_theme == t.theme) return;
  tool.pictures_theme = t.theme;
  tool.model = std::make_unique<LevelModel>();
  tool.bitmaps = std::make_unique<LevelBitmaps>();
  if (!tool.loader || !tool.loader(t.first_level, *tool.model, *tool.bitmaps)) tool.bitmaps.reset();
}

void show_theme(size_t index) {
  tool.theme_index = index;
  tool.selected = -1;
  tool.hovered = -1;
  camera_y = 0;
  load_pictures();
}

// Index of the item with number n in the view, or -1.
int index_of(int n) {
  for (int i = 0; i < item_count(); ++i)
    if (item_number(i) == n) return i;
  return -1;
}

// The item whose slot holds tool point (x, y), or -1.
int item_at(int x, int y) {
  if (x < 16 || x >= 16 + columns() * pitch() || y < GRID_TOP || y >= grid_bottom()) return -1;
  const int top = rows_top();
  if (y < top) return -1;
  const int i = ((y - top) / pitch()) * columns() + (x - 16) / pitch();
  return i < item_count() ? i : -1;
}

void go_to() {
  wait_key_released(KEY_SLASH);
  wait_key_released(KEY_SLASH_PAD);
  const int last = item_count() ? item_number(item_count() - 1) : 0;
  const int16_t answer = prompt_number(display, 0, static_cast<int16_t>(last),
                                       static_cast<int16_t>(std::max(tool.selected, 0)), "GO TO:");
  if (number_prompt_cancelled) return;
  int i = index_of(answer);
  while (i < 0 && answer < last) i = index_of(answer + 1);  // a number the view lacks: none near it
  if (i < 0) return;
  tool.selected = item_number(i);
  camera_y = (i / columns()) * pitch() * 8;
}

void read_keys() {
  InputSource& in = input();
  if (in.key_down(KEY_TAB)) {
    wait_key_released(KEY_TAB);
    tool.blocks_view = !tool.blocks_view;
    tool.selected = -1;
    camera_y = 0;
  }
  const size_t themes = tool.report->themes.size();
  if (in.key_down(KEY_PGUP)) {
    wait_key_released(KEY_PGUP);
    show_theme((tool.theme_index + themes - 1) % themes);
  }
  if (in.key_down(KEY_PGDN)) {
    wait_key_released(KEY_PGDN);
    show_theme((tool.theme_index + 1) % themes);
  }
  if (in.key_down(KEY_SLASH) || in.key_down(KEY_SLASH_PAD)) go_to();
}

void scroll() {
  InputSource& in = input();
  const bool left_held = (in.mouse_b() & 1) != 0;
  if (fast_scroll_latch && !left_held) fast_scroll_latch = 0;
  // Rolling the wheel forward shows earlier rows; one notch is two rows.
  camera_y -= (wheel_now - wheel_before) * pitch() * 8;
  const int32_t key_step = (shift_down() ? 2 : 1) * pitch();
  if (in.key_down(key_scroll_up))
    camera_y -= key_step;
  else if (in.key_down(key_scroll_down))
    camera_y += key_step;
  camera_y += strip_band_scroll(in.mouse_y(), band_centre(), half_band(), left_held,
                                (analysis_tool_modes >> 4) == 1, fast_scroll_latch);
  camera_y = std::clamp(camera_y, 0, camera_top());
}

void frame_rect(BITMAP* bb, int x, int y, int size, uint32_t colour) {
  rect(bb, x - 1, y - 1, x + size, y + size, static_cast<int>(colour));
  rect(bb, x - 2, y - 2, x + size + 1, y + size + 1, static_cast<int>(colour));
}

void draw_item(BITMAP* bb, int i, int cx, int cy) {
  const bool chunks = !tool.blocks_view;
  const int base = chunks ? THUMBNAIL_SIZE : BLOCK_PICTURE;
  const int size = i == tool.hovered && !fast_scroll_latch ? (chunks ? CURRENT_SIZE : 40) : base;
  const int x = cx - size / 2 + MARGIN, y = cy - base / 2 - 6 - (size - base) / 2 + MARGIN;
  int count = 0;
  bool unused = false, broken = false;
  BITMAP* picture = nullptr;
  if (chunks) {
    const ChunkUsage& c = theme().chunks[i];
    count = c.placements;
    broken = !c.in_set;
    unused = c.in_set && c.placements == 0;
    if (tool.bitmaps && c.in_set && c.chunk < tool.bitmaps->chunk_thumbnails.size())
      picture = tool.bitmaps->chunk_thumbnails[c.chunk].get();
  } else {
    const BlockUsage& b = theme().blocks[i];
    count = b.cells;
    unused = b.cells == 0;
    if (tool.bitmaps && b.block < tool.bitmaps->block_bitmaps.size())
      picture = tool.bitmaps->block_bitmaps[b.block].get();
  }
  if (picture)
    masked_stretch_blit(picture, bb, 0, 0, picture->w, picture->h, x, y, size, size);
  else
    rectfill(bb, x, y, x + size - 1, y + size - 1, static_cast<int>(broken ? MARK_BROKEN : EMPTY_SLOT));
  if (!picture || broken) {
    // Without a picture the slot names its number; a broken reference says so.
    text_out(display, bb, broken ? 1 : 2, static_cast<int16_t>(x - MARGIN + 2), static_cast<int16_t>(y - MARGIN + 2),
             std::to_string(item_number(i)).c_str());
    if (broken && size >= THUMBNAIL_SIZE)
      text_out(display, bb, 1, static_cast<int16_t>(x - MARGIN + 2), static_cast<int16_t>(y - MARGIN + 14), "NO CHUNK");
  }
  if (unused || broken) frame_rect(bb, x, y, size, MARK_UNUSED);
  if (item_number(i) == tool.selected) frame_rect(bb, x - 2, y - 2, size + 4, MARK_SELECTED);
  const std::string n = std::to_string(count);
  text_out(display, bb, unused || broken ? 1 : 2, static_cast<int16_t>(cx - 4 * static_cast<int>(n.size())),
           static_cast<int16_t>(cy + base / 2 - 2), n.c_str());
}

void draw_grid(BITMAP* bb) {
  set_clip_rect(bb, MARGIN, MARGIN + GRID_TOP, MARGIN + grid_right(), MARGIN + grid_bottom() - 1);
  const int p = pitch(), cols = columns(), top = rows_top();
  for (int r = std::max(0, (GRID_TOP - top) / p - 1); r < rows(); ++r) {
    const int y = top + p * r;
    if (y > grid_bottom()) break;
    for (int c = 0; c < cols; ++c) {
      const int i = r * cols + c;
      if (i >= item_count()) break;
      draw_item(bb, i, 16 + p * c + p / 2, y + p / 2);
    }
  }
  set_clip_rect(bb, 0, 0, bb->w - 1, bb->h - 1);
}

std::string plural(int n, const char* one, const char* many) { return std::to_string(n) + " " + (n == 1 ? one : many); }

const LevelModel& names() { return tool.model && !tool.model->markers.empty() ? *tool.model : level_model; }

void draw_chunk_panel(BITMAP* bb, int x) {
  const ChunkUsage* c = tool.selected >= 0 ? theme().chunk(tool.selected) : nullptr;
  if (!c && tool.hovered >= 0) c = &theme().chunks[tool.hovered];
  if (!c) {
    text_out(display, bb, 2, static_cast<int16_t>(x), 40, "left click A CHUNK TO LIST ITS LEVELS.");
    return;
  }
  text_out(display, bb, 1, static_cast<int16_t>(x), 40, ("CHUNK " + std::to_string(c->chunk)).c_str());
  const std::string what = !c->in_set         ? "NOT IN THE CHUNK SET, PLACED " + plural(c->placements, "TIME", "TIMES")
                           : c->placements == 0 ? std::string("UNUSED")
                                                : "PLACED " + plural(c->placements, "TIME", "TIMES") + " IN " +
                                                      plural(static_cast<int>(c->levels.size()), "LEVEL", "LEVELS");
  text_out(display, bb, c->placements == 0 || !c->in_set ? 1 : 2, static_cast<int16_t>(x), 52, what.c_str());
  if (c->chunk != tool.selected || c->levels.empty()) return;
  // The list: as many levels as fit above the status bar; the line under the mouse is lit
  // and a click on it chooses that level.
  const int fit = std::max(1, (screen_height - STATUS_BAR_HEIGHT - LIST_TOP - 24) / LIST_LINE);
  const int shown = std::min<int>(fit, static_cast<int>(c->levels.size()));
  const int width = panel_width() - 16;
  InputSource& in = input();
  for (int k = 0; k < shown; ++k) {
    const int y = LIST_TOP + LIST_LINE * k;
    const bool over = in.mouse_x() >= x - 4 && in.mouse_x() < x - 4 + width && in.mouse_y() >= y &&
                      in.mouse_y() < y + LIST_LINE;
    rectfill(bb, x - 4 + MARGIN, y + MARGIN, x - 4 + width - 1 + MARGIN, y + LIST_LINE - 2 + MARGIN,
             static_cast<int>(over ? LIST_LIT : LIST_BACK));
    text_out(display, bb, 2, static_cast<int16_t>(x), static_cast<int16_t>(y + 2),
             level_use_text(c->levels[k], names()).c_str());
    if (over && (click_event & 1)) tool.choice = {true, c->levels[k].level, c->chunk};
  }
  if (shown < static_cast<int>(c->levels.size()))
    text_out(display, bb, 2, static_cast<int16_t>(x), static_cast<int16_t>(LIST_TOP + LIST_LINE * shown + 4),
             ("AND " + plural(static_cast<int>(c->levels.size()) - shown, "MORE LEVEL", "MORE LEVELS")).c_str());
}

void draw_block_panel(BITMAP* bb, int x) {
  const int i = tool.selected >= 0 ? index_of(tool.selected) : tool.hovered;
  if (i < 0) {
    text_out(display, bb, 2, static_cast<int16_t>(x), 40, "left click A BLOCK TO LIST ITS CHUNKS.");
    return;
  }
  const BlockUsage& b = theme().blocks[i];
  text_out(display, bb, 1, static_cast<int16_t>(x), 40, ("BLOCK " + std::to_string(b.block)).c_str());
  const std::string what = b.cells == 0 ? std::string("UNUSED")
                                        : plural(b.cells, "CELL", "CELLS") + " IN " +
                                              plural(static_cast<int>(b.chunks.size()), "CHUNK", "CHUNKS");
  text_out(display, bb, b.cells == 0 ? 1 : 2, static_cast<int16_t>(x), 52, what.c_str());
  // The chunk numbers, wrapped to the panel.
  const size_t per_line = static_cast<size_t>(std::max(8, (panel_width() - 24) / 8));
  std::string line, text;
  for (uint16_t c : b.chunks) {
    const std::string n = std::to_string(c);
    if (line.size() + n.size() + 1 > per_line) {
      text += line + "\n";
      line.clear();
    }
    line += (line.empty() ? "" : " ") + n;
  }
  text += line;
  if (!text.empty()) text_out(display, bb, 2, static_cast<int16_t>(x), 72, text.c_str());
}

AnalysisStatus status() {
  AnalysisStatus s;
  s.theme = theme().theme;
  s.theme_index = static_cast<int>(tool.theme_index);
  s.theme_count = static_cast<int>(tool.report->themes.size());
  s.blocks_view = tool.blocks_view;
  s.items = item_count();
  s.left_out = static_cast<int>(tool.report->unread.size());
  s.source = tool.source;
  if (tool.blocks_view) {
    for (const BlockUsage& b : theme().blocks) s.unused += b.cells == 0;
    const int i = tool.selected >= 0 ? index_of(tool.selected) : -1;
    if (i >= 0) {
      s.selected = tool.selected;
      s.selected_count = theme().blocks[i].cells;
      s.selected_levels = static_cast<int>(theme().blocks[i].chunks.size());
    }
  } else {
    for (const ChunkUsage& c : theme().chunks) {
      s.unused += c.in_set && c.placements == 0;
      s.broken += !c.in_set;
    }
    if (const ChunkUsage* c = tool.selected >= 0 ? theme().chunk(tool.selected) : nullptr) {
      s.selected = c->chunk;
      s.selected_count = c->placements;
      s.selected_levels = static_cast<int>(c->levels.size());
    }
  }
  return s;
}

void draw_texts(BITMAP* bb) {
  if (!frame_skip_open(display)) return;
  text_out(display, bb, 1, 16, 8, "THEME:");
  number_out(display, bb, 80, 8, 1, theme().theme);
  text_out(display, bb, 2, 104, 8, tool.blocks_view ? "BLOCKS" : "CHUNKS");
  if (tips_enabled) text_out(display, bb, 0, static_cast<int16_t>(screen_width - 160), 8, "press F1 for help.");
  draw_status_bar(display, bb, analysis_status_text(status()));
}

void draw_cursor(BITMAP* bb) {
  InputSource& in = input();
  BITMAP* cursor = fast_scroll_latch && cursor_alt ? cursor_alt.get() : cursor_arrow.get();
  if (cursor) masked_blit(cursor, bb, 0, 0, in.mouse_x() + MARGIN - 11, in.mouse_y() + MARGIN - 11, 22, 22);
}

void analysis_frame() {
  InputSource& in = input();
  in.poll();
  read_click(display);
  read_keys();
  scroll();
  tool.hovered = item_at(in.mouse_x(), in.mouse_y());
  if ((click_event & 1) && !fast_scroll_latch && tool.hovered >= 0) tool.selected = item_number(tool.hovered);

  BITMAP* bb = back_buffer.get();
  if (!bb) return;
  fill_rect32(bb, MARGIN, MARGIN, screen_width, screen_height, 0xFF000000u);
  draw_grid(bb);
  const int panel_x = screen_width - panel_width() + 8;
  if (tool.blocks_view)
    draw_block_panel(bb, panel_x);
  else
    draw_chunk_panel(bb, panel_x);
  draw_texts(bb);
  draw_cursor(bb);
  show_editor_frame(display);
  if (in.key_down(KEY_F1)) run_help_overlay_screen(display, BLOCK_ANALYSIS_HELP);
}

}  // namespace

std::string analysis_status_text(const AnalysisStatus& s) {
  std::string t = s.source + "  THEME " + std::to_string(s.theme) + ": " + std::to_string(s.theme_index + 1) + " OF " +
                  std::to_string(s.theme_count) + "  " + (s.blocks_view ? "BLOCKS" : "CHUNKS");
  if (s.selected >= 0) {
    t += s.blocks_view ? "  BLOCK " + std::to_string(s.selected) + ": " + plural(s.selected_count, "CELL", "CELLS") +
                             " IN " + plural(s.selected_levels, "CHUNK", "CHUNKS")
                       : "  CHUNK " + std::to_string(s.selected) + ": " +
                             plural(s.selected_count, "PLACEMENT", "PLACEMENTS") + " IN " +
                             plural(s.selected_levels, "LEVEL", "LEVELS");
  }
  t += "  UNUSED " + std::to_string(s.unused) + " OF " + std::to_string(s.items);
  if (s.broken) t += "  MISSING " + std::to_string(s.broken);
  if (s.left_out) t += "  LEFT OUT " + std::to_string(s.left_out);
  return t;
}

std::string level_use_text(const ChunkLevelUse& use, const LevelModel& names) {
  return closing_message(use.level, names) + "  FRONT " + std::to_string(use.front) + "  BACK " +
         std::to_string(use.back);
}

void block_analysis_enter(const UsageReport& report, int theme_number, const std::string& source,
                          ThemePictureLoader loader) {
  tool = Screen();
  tool.report = &report;
  tool.loader = loader;
  tool.source = source;
  if (report.themes.empty()) return;
  size_t start = 0;
  for (size_t i = 0; i < report.themes.size(); ++i)
    if (report.themes[i].theme == theme_number) start = i;
  show_theme(start);
  fast_scroll_latch = 0;
  click_event = 0;
  buttons_before = 3;
}

bool block_analysis_frame() {
  if (!tool.report || tool.report->themes.empty()) return false;
  analysis_frame();
  return !tool.choice.open_level;
}

AnalysisChoice block_analysis_leave() {
  const AnalysisChoice choice = tool.choice;
  tool = Screen();
  editor_mode = 0;
  return choice;
}

AnalysisChoice block_analysis_tool(const UsageReport& report, int theme_number, const std::string& source,
                                   ThemePictureLoader loader) {
  block_analysis_enter(report, theme_number, source, loader);
  while (!report.themes.empty() && !input().key_down(KEY_ESC) && !close_requested) {
    end_editor_frame(display);
    const bool going_on = block_analysis_frame();
    wheel_before = wheel_now;
    if (!going_on) break;
  }
  wait_key_released(KEY_ESC);
  return block_analysis_leave();
}
