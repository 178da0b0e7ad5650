// Draws the interface images of the editor: alphanum.png (the 8x8 font in two inks),
// cursor.png (arrow and fast-scroll cursor) and bselect.png (selection frame).
// Usage: uiimages OUTPUT_DIR; uiimages --icon OUTPUT_DIR writes the program's icon
// mossforge.png (icon.cpp) instead.
#include <allegro.h>
#include <loadpng.h>

#include <cstdio>
#include <string>

#include "gamedata/bitmap.h"
#include "tools/uiimages/icon.h"

namespace {

// Glyph rows for "0".."9", "*", "@", ":", ".", "A".."Z", then the punctuation of file
// names and questions "/", "_", "-", "?", "(", ")", ",", "'", '"', "!", "+", "=", "<", ">",
// "[", "]", "%": seven rows, six columns each.
constexpr int GLYPH_COUNT = 57;
const char* const GLYPHS[GLYPH_COUNT][7] = {
    {" #### ", "##  ##", "## ###", "######", "### ##", "##  ##", " #### "},  // 0
    {"  ##  ", " ###  ", "  ##  ", "  ##  ", "  ##  ", "  ##  ", "######"},  // 1
    {" #### ", "##  ##", "    ##", "  ### ", " ##   ", "##    ", "######"},  // 2
    {" #### ", "##  ##", "    ##", "  ### ", "    ##", "##  ##", " #### "},  // 3
    {"   ## ", "  ### ", " # ## ", "#  ## ", "######", "   ## ", "   ## "},  // 4
    {"######", "##    ", "##### ", "    ##", "    ##", "##  ##", " #### "},  // 5
    {" #### ", "##    ", "##### ", "##  ##", "##  ##", "##  ##", " #### "},  // 6
    {"######", "    ##", "   ## ", "  ##  ", " ##   ", " ##   ", " ##   "},  // 7
    {" #### ", "##  ##", "##  ##", " #### ", "##  ##", "##  ##", " #### "},  // 8
    {" #### ", "##  ##", "##  ##", " #####", "    ##", "   ## ", " ###  "},  // 9
    {"      ", "##  ##", " #### ", "######", " #### ", "##  ##", "      "},  // *
    {" #### ", "##  ##", "## ###", "## ###", "## ## ", "##    ", " #### "},  // @
    {"      ", "  ##  ", "  ##  ", "      ", "  ##  ", "  ##  ", "      "},  // :
    {"      ", "      ", "      ", "      ", "      ", "  ##  ", "  ##  "},  // .
    {"  ##  ", " #### ", "##  ##", "##  ##", "######", "##  ##", "##  ##"},  // A
    {"##### ", "##  ##", "##  ##", "##### ", "##  ##", "##  ##", "##### "},  // B
    {" #### ", "##  ##", "##    ", "##    ", "##    ", "##  ##", " #### "},  // C
    {"####  ", "## ## ", "##  ##", "##  ##", "##  ##", "## ## ", "####  "},  // D
    {"######", "##    ", "##    ", "##### ", "##    ", "##    ", "######"},  // E
    {"######", "##    ", "##    ", "##### ", "##    ", "##    ", "##    "},  // F
    {" #### ", "##  ##", "##    ", "## ###", "##  ##", "##  ##", " #####"},  // G
    {"##  ##", "##  ##", "##  ##", "######", "##  ##", "##  ##", "##  ##"},  // H
    {"######", "  ##  ", "  ##  ", "  ##  ", "  ##  ", "  ##  ", "######"},  // I
    {"  ####", "    ##", "    ##", "    ##", "    ##", "##  ##", " #### "},  // J
    {"##  ##", "## ## ", "####  ", "###   ", "####  ", "## ## ", "##  ##"},  // K
    {"##    ", "##    ", "##    ", "##    ", "##    ", "##    ", "######"},  // L
    {"##   #", "### ##", "######", "## # #", "##   #", "##   #", "##   #"},  // M
    {"##  ##", "### ##", "######", "######", "## ###", "##  ##", "##  ##"},  // N
    {" #### ", "##  ##", "##  ##", "##  ##", "##  ##", "##  ##", " #### "},  // O
    {"##### ", "##  ##", "##  ##", "##### ", "##    ", "##    ", "##    "},  // P
    {" #### ", "##  ##", "##  ##", "##  ##", "## ###", "##  ##", " ### #"},  // Q
    {"##### ", "##  ##", "##  ##", "##### ", "####  ", "## ## ", "##  ##"},  // R
    {" #### ", "##  ##", "##    ", " #### ", "    ##", "##  ##", " #### "},  // S
    {"######", "  ##  ", "  ##  ", "  ##  ", "  ##  ", "  ##  ", "  ##  "},  // T
    {"##  ##", "##  ##", "##  ##", "##  ##", "##  ##", "##  ##", " #### "},  // U
    {"##  ##", "##  ##", "##  ##", "##  ##", "##  ##", " #### ", "  ##  "},  // V
    {"##   #", "##   #", "##   #", "## # #", "######", "### ##", "##   #"},  // W
    {"##  ##", "##  ##", " #### ", "  ##  ", " #### ", "##  ##", "##  ##"},  // X
    {"##  ##", "##  ##", "##  ##", " #### ", "  ##  ", "  ##  ", "  ##  "},  // Y
    {"######", "    ##", "   ## ", "  ##  ", " ##   ", "##    ", "######"},  // Z
    {"     #", "    ##", "   ## ", "  ##  ", " ##   ", "##    ", "#     "},  // /
    {"      ", "      ", "      ", "      ", "      ", "      ", "######"},  // _
    {"      ", "      ", "      ", "######", "      ", "      ", "      "},  // -
    {" #### ", "##  ##", "    ##", "   ## ", "  ##  ", "      ", "  ##  "},  // ?
    {"   ## ", "  ##  ", " ##   ", " ##   ", " ##   ", "  ##  ", "   ## "},  // (
    {" ##   ", "  ##  ", "   ## ", "   ## ", "   ## ", "  ##  ", " ##   "},  // )
    {"      ", "      ", "      ", "      ", "  ##  ", "  ##  ", " ##   "},  // ,
    {"  ##  ", "  ##  ", " ##   ", "      ", "      ", "      ", "      "},  // '
    {" ## ##", " ## ##", "##  # ", "      ", "      ", "      ", "      "},  // "
    {"  ##  ", "  ##  ", "  ##  ", "  ##  ", "  ##  ", "      ", "  ##  "},  // !
    {"      ", "  ##  ", "  ##  ", "######", "  ##  ", "  ##  ", "      "},  // +
    {"      ", "      ", "######", "      ", "######", "      ", "      "},  // =
    {"    ##", "   ## ", "  ##  ", " ##   ", "  ##  ", "   ## ", "    ##"},  // <
    {"##    ", " ##   ", "  ##  ", "   ## ", "  ##  ", " ##   ", "##    "},  // >
    {" #### ", " ##   ", " ##   ", " ##   ", " ##   ", " ##   ", " #### "},  // [
    {" #### ", "   ## ", "   ## ", "   ## ", "   ## ", "   ## ", " #### "},  // ]
    {"##   #", "##  ##", "   ## ", "  ##  ", " ##   ", "##  ##", "#   ##"},  // %
};

constexpr uint32_t INK_A = 0xF0F0F0;   // white
constexpr uint32_t INK_B = 0xFFD040;   // amber
constexpr uint32_t SHADOW = 0x202020;  // drop shadow keeps text legible on any background

void draw_glyph(BITMAP* b, int cell_x, int cell_y, int index, uint32_t ink) {
  for (int r = 0; r < 7; ++r)
    for (int c = 0; c < 6; ++c)
      if (GLYPHS[index][r][c] == '#') {
        put_pixel32(b, cell_x + c + 2, cell_y + r + 1, SHADOW);
      }
  for (int r = 0; r < 7; ++r)
    for (int c = 0; c < 6; ++c)
      if (GLYPHS[index][r][c] == '#') put_pixel32(b, cell_x + c + 1, cell_y + r, ink);
}

BitmapPtr draw_font() {
  BitmapPtr b = make_bitmap(16, 8 * GLYPH_COUNT);
  clear_to_color(b.get(), MASK_COLOUR);
  for (int i = 0; i < GLYPH_COUNT; ++i) {
    draw_glyph(b.get(), 0, 8 * i, i, INK_A);
    draw_glyph(b.get(), 8, 8 * i, i, INK_B);
  }
  return b;
}

// An arrow whose tip is the centre pixel (11, 11) of the 22x22 cell.
void draw_arrow(BITMAP* b, int oy) {
  for (int r = 0; r < 10; ++r)
    for (int c = 0; c <= r / 2 + r % 2 && c < 7; ++c) {
      const bool edge = c == 0 || c == r / 2 + r % 2 || r == 9;
      put_pixel32(b, 11 + c, oy + 11 + r, edge ? 0x000000 : 0xFFFFFF);
    }
  put_pixel32(b, 11, oy + 11, 0xFFFFFF);
}

// The fast-scroll cursor: a four-way arrow cross centred on (11, 11).
void draw_cross(BITMAP* b, int oy) {
  for (int i = 2; i <= 20; ++i) {
    put_pixel32(b, i, oy + 11, 0xFFFFFF);
    put_pixel32(b, 11, oy + i, 0xFFFFFF);
    put_pixel32(b, i, oy + 10, 0x000000);
    put_pixel32(b, 10, oy + i, 0x000000);
  }
  for (int d = 1; d <= 3; ++d) {
    put_pixel32(b, 2 + d, oy + 11 - d, 0xFFFFFF);
    put_pixel32(b, 2 + d, oy + 11 + d, 0xFFFFFF);
    put_pixel32(b, 20 - d, oy + 11 - d, 0xFFFFFF);
    put_pixel32(b, 20 - d, oy + 11 + d, 0xFFFFFF);
    put_pixel32(b, 11 - d, oy + 2 + d, 0xFFFFFF);
    put_pixel32(b, 11 + d, oy + 2 + d, 0xFFFFFF);
    put_pixel32(b, 11 - d, oy + 20 - d, 0xFFFFFF);
    put_pixel32(b, 11 + d, oy + 20 - d, 0xFFFFFF);
  }
  put_pixel32(b, 11, oy + 11, 0xFF4040);
}

BitmapPtr draw_cursor() {
  BitmapPtr b = make_bitmap(22, 44);
  clear_to_color(b.get(), MASK_COLOUR);
  draw_arrow(b.get(), 0);
  draw_cross(b.get(), 22);
  return b;
}

// Selection frame: a 2-pixel yellow border with a dark outer line; the middle pixel is clear.
BitmapPtr draw_frame() {
  BitmapPtr b = make_bitmap(5, 5);
  clear_to_color(b.get(), 0xFFE000);
  for (int i = 0; i < 5; ++i) {
    put_pixel32(b.get(), i, 0, 0x202020);
    put_pixel32(b.get(), i, 4, 0x202020);
    put_pixel32(b.get(), 0, i, 0x202020);
    put_pixel32(b.get(), 4, i, 0x202020);
  }
  put_pixel32(b.get(), 2, 2, MASK_COLOUR);
  return b;
}

bool save(const std::string& dir, const char* name, BITMAP* b) {
  const std::string path = dir + "/" + name;
  if (save_png(path.c_str(), b, nullptr) != 0) {
    std::fprintf(stderr, "ERROR: Cannot write \"%s\".\n", path.c_str());
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::string(argv[1]) == "--icon")
    return init_headless_graphics() && save(argv[2], "mossforge.png", draw_icon().get()) ? 0 : 1;
  if (argc != 2) {
    std::fprintf(stderr, "Usage: uiimages OUTPUT_DIR | uiimages --icon OUTPUT_DIR\n");
    return 2;
  }
  if (!init_headless_graphics()) return 1;
  const std::string dir = argv[1];
  bool ok = save(dir, "alphanum.png", draw_font().get());
  ok = save(dir, "cursor.png", draw_cursor().get()) && ok;
  ok = save(dir, "bselect.png", draw_frame().get()) && ok;
  return ok ? 0 : 1;
}
