#include "render/status_bar.h"

#include <cstdio>
#include <vector>

#include "gamedata/bitmap.h"
#include "render/layer_bands.h"
#include "ui/font.h"
#include "ui/display.h"

namespace {

std::string join(const std::vector<std::string>& fields, const char* separator) {
  std::string line;
  for (const std::string& f : fields) {
    if (f.empty()) continue;
    if (!line.empty()) line += separator;
    line += f;
  }
  return line;
}

// Fits the fields into max_chars; `shrinkable` names the field that may lose its start.
std::string fit(std::vector<std::string> fields, int shrinkable, bool unsaved, size_t max_chars) {
  if (unsaved) fields.push_back(UNSAVED_TEXT);
  std::string line = join(fields, "  ");
  if (line.size() <= max_chars) return line;
  line = join(fields, " ");
  if (line.size() > max_chars && shrinkable >= 0 && !fields[static_cast<size_t>(shrinkable)].empty()) {
    std::string& f = fields[static_cast<size_t>(shrinkable)];
    const size_t over = line.size() - max_chars;
    f = over + 2 < f.size() ? ".." + f.substr(over + 2) : "";
    line = join(fields, " ");
  }
  if (line.size() <= max_chars) return line;
  if (!unsaved) return line.substr(0, max_chars);
  const std::string tail = std::string(" ") + UNSAVED_TEXT;
  if (max_chars <= tail.size()) return std::string(UNSAVED_TEXT).substr(0, max_chars);
  return line.substr(0, max_chars - tail.size()) + tail;
}

}  // namespace

std::string camera_status_text(uint8_t camera_state) {
  switch (camera_state & 0x7F) {
    case 0: return "ROAMING";
    case 2: return "FIXED ESC: CLICK TO RELEASE";
    default: return "FIXED";
  }
}

std::string level_status_text(const LevelStatus& s, size_t max_chars) {
  std::vector<std::string> fields = {s.back_plane ? "BACK" : "FRONT",
                                     s.metablock ? "METABLOCK" : "LAYOUT",
                                     camera_status_text(s.camera_state),
                                     "ZOOM:" + std::to_string(s.zoom_percent),
                                     s.snap ? "SNAP:ON" : "SNAP:OFF",
                                     s.origin};
  if (s.selected > 0) fields.push_back("SELECTED: " + std::to_string(s.selected));
  return fit(fields, 5, s.unsaved, max_chars);
}

std::string chunk_status_text(const ChunkStatus& s, size_t max_chars) {
  char chunk[16];
  std::snprintf(chunk, sizeof chunk, "CHUNK:%03d", s.chunk);
  std::vector<std::string> fields = {chunk, "SIZE:" + std::to_string(s.width) + "X" + std::to_string(s.height),
                                     "MARKED:" + std::to_string(s.marked), camera_status_text(s.camera_state)};
  return fit(fields, -1, s.unsaved, max_chars);
}

namespace {
constexpr int TEXT_X = 4;
}

size_t status_bar_chars(int screen_width) {
  return static_cast<size_t>(screen_width > TEXT_X ? (screen_width - TEXT_X) / 8 : 0);
}

void draw_status_bar(const Display& display, BITMAP* layer, const std::string& text) {
  if (!layer) return;
  const int screen_width = display.settings.screen_width, screen_height = display.settings.screen_height;
  const int top = screen_height - STATUS_BAR_HEIGHT;
  mark_drawn(layer, MARGIN, top + MARGIN, screen_width, STATUS_BAR_HEIGHT);
  fill_rect32(layer, MARGIN, top + MARGIN, screen_width, STATUS_BAR_HEIGHT, STATUS_BAR_COLOUR);
  const size_t unsaved = text.rfind(UNSAVED_TEXT);
  const bool flagged = unsaved != std::string::npos && unsaved + std::string(UNSAVED_TEXT).size() == text.size();
  const std::string plain = flagged ? text.substr(0, unsaved) : text;
  text_out(display, layer, 2, TEXT_X, static_cast<int16_t>(top + 1), plain.c_str());
  if (flagged)
    text_out(display, layer, 1, static_cast<int16_t>(TEXT_X + 8 * unsaved), static_cast<int16_t>(top + 1),
             UNSAVED_TEXT);
}
