#include "ui/menu.h"

#include <string>
#include <vector>

#include "ui/font.h"
#include "ui/frame.h"
#include "ui/input.h"

void read_click(Display& display) {
  const int buttons = input().mouse_b() & 3;
  const int pressed = buttons & ~display.buttons_before;
  display.click_event = 0;
  if (pressed & 1) display.click_event = 1;
  if (pressed & 2) display.click_event = (pressed & 1) ? 3 : 2;
  display.buttons_before = static_cast<uint8_t>(buttons);
}

namespace {
struct MenuEntry {
  std::string text;
  int y;
  int height;
  bool separator;
};

constexpr int MAX_ENTRIES = 31;
constexpr size_t MAX_ENTRY_CHARS = 39;

std::vector<MenuEntry> split_entries(const char* text, int y, int line_height) {
  std::vector<MenuEntry> entries;
  std::string all = text ? text : "";
  size_t start = 0;
  int pos = y;
  // A trailing newline does not add an empty separator after the last entry.
  while (start <= all.size() && static_cast<int>(entries.size()) < MAX_ENTRIES) {
    size_t end = all.find('\n', start);
    if (end == std::string::npos) end = all.size();
    std::string line = all.substr(start, end - start);
    if (end == all.size() && line.empty() && !entries.empty()) break;
    MenuEntry e{line.substr(0, MAX_ENTRY_CHARS), pos, line.empty() ? 2 : line_height, line.empty()};
    pos += e.height;
    entries.push_back(e);
    if (end == all.size()) break;
    start = end + 1;
  }
  return entries;
}

void stretch_swatch(Display& display, BITMAP* swatch, int x, int y, int w, int h) {
  if (swatch && w > 0 && h > 0)
    stretch_blit(swatch, display.back_buffer.get(), 0, 0, 1, 1, x + MARGIN, y + MARGIN, w, h);
}
}  // namespace

uint8_t menu_widget(Display& display, int16_t x, int16_t y, int16_t width, int16_t line_height, const char* text) {
  read_click(display);
  std::vector<MenuEntry> entries = split_entries(text, y, line_height);
  int total = 0;
  for (const MenuEntry& e : entries) total += e.height;

  stretch_swatch(display, display.swatch_blue.get(), x, y, width + 8, total + 8);
  stretch_swatch(display, display.swatch_green.get(), x + 4, y + 4, width, total);

  const int mx = input().mouse_x() - 3, my = input().mouse_y() - 3;
  uint8_t result = 0;
  bool over_entry = false;
  for (size_t k = 0; k < entries.size(); ++k) {
    const MenuEntry& e = entries[k];
    if (e.y < my && my <= e.y + e.height && x < mx && mx <= x + width) {
      over_entry = true;
      result = static_cast<uint8_t>(k + 1);
      if (!e.separator) {
        if (display.click_event & 1) result = static_cast<uint8_t>(result + 128);
        stretch_swatch(display, display.swatch_red.get(), x + 4, e.y + 4, width, e.height);
      }
      break;
    }
  }
  if (!over_entry && (display.click_event & 1)) {
    const int px = input().mouse_x(), py = input().mouse_y();
    const bool inside_box = px >= x && px <= x + width + 7 && py >= y && py <= y + total + 7;
    if (!inside_box) result = 128;
  }

  for (const MenuEntry& e : entries) {
    if (e.separator) {
      stretch_swatch(display, display.swatch_blue.get(), x + 4, e.y + 4, width, 2);
    } else if (frame_skip_open(display)) {
      text_out_c1(display, display.back_buffer.get(), x + 4, static_cast<int16_t>(e.y + (e.height - 8) / 2 + 4),
                  e.text.c_str());
    }
  }
  return result;
}
