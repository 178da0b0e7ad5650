#include "ui/file_selector.h"

#include <allegro.h>

#include <vector>

#include "ui/input.h"

namespace {

constexpr int LINE_GAP = 3;  // blank pixel rows under each line of the selector's list

// The library's own 8x8 font on taller cells, so that the rows of the selector's list,
// spaced by the font height, no longer touch. Made once; lives until the process ends.
FONT* spaced_font() {
  static FONT* spaced = nullptr;
  if (spaced || !font) return spaced;
  const int first = ' ', count = 96, per_row = 16;
  const int cell_w = 8, cell_h = 8 + LINE_GAP;
  BITMAP* sheet = create_bitmap_ex(8, 1 + per_row * (cell_w + 1), 1 + (count / per_row) * (cell_h + 1));
  if (!sheet) return nullptr;
  clear_to_color(sheet, 255);  // the border colour between display.glyphs
  for (int i = 0; i < count; ++i) {
    const int x = 1 + (i % per_row) * (cell_w + 1), y = 1 + (i / per_row) * (cell_h + 1);
    rectfill(sheet, x, y, x + cell_w - 1, y + cell_h - 1, 0);
    const char text[2] = {static_cast<char>(first + i), 0};
    textout_ex(sheet, font, text, x, y, 1, -1);
  }
  spaced = grab_font_from_bitmap(sheet);
  destroy_bitmap(sheet);
  return spaced;
}

}  // namespace

bool select_file(const char* title, const char* extensions, std::string& path, int path_size) {
  if (!screen) return false;
  // The dialog counts its size in bytes and keeps room for the widest character of the text
  // format (4 bytes in UTF-8): given path_size bytes it would cut paths at a quarter of that.
  const int bytes = (path_size + 1) * uwidth_max(U_CURRENT);
  std::vector<char> buffer(static_cast<size_t>(bytes) + 1, '\0');
  path.copy(buffer.data(), static_cast<size_t>(path_size));
  FONT* const library_font = font;
  if (FONT* spaced = spaced_font()) font = spaced;
  const bool chosen = file_select_ex(title, buffer.data(), extensions, bytes, 400, 300) != 0;
  font = library_font;
  // The key that closed the dialog must not act again in the menu behind it.
  wait_key_released(KEY_ESC);
  wait_key_released(KEY_ENTER);
  path = buffer.data();
  return chosen;
}
