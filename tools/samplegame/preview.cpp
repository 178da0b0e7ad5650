#include "tools/samplegame/preview.h"

#include <allegro.h>
#include <loadpng.h>

#include <cstdio>

#include "gamedata/bitmap.h"

namespace sample {
namespace {

uint32_t colour(const Palette& p, int i) {
  const uint16_t w = p[i];
  return static_cast<uint32_t>(((w >> 1) & 7) * 32) << 16 | static_cast<uint32_t>(((w >> 5) & 7) * 32) << 8 |
         static_cast<uint32_t>(((w >> 9) & 7) * 32);
}

class Picture {
 public:
  Picture(BITMAP* b, const GameContent& game, const MapHeader& h) : b_(b) {
    for (int l = 0; l < 4; ++l) lines_[l] = game.palettes[h.bytes[2 + l]];
  }
  void pixel(int x, int y, int line, int index) {
    if (index && x >= 0 && y >= 0 && x < b_->w && y < b_->h) put_pixel32(b_, x, y, 0xFF000000u | colour(lines_[line], index));
  }
  void canvas(const Canvas& c, int line, int x, int y, bool flip = false) {
    for (int j = 0; j < c.h(); ++j)
      for (int i = 0; i < c.w(); ++i) pixel(x + i, y + j, line, c.at(i, flip ? c.h() - 1 - j : j));
  }
  // A block by number: 0..23 common, 24.. the theme's.
  void block(const GameContent& game, const Theme& theme, int n, int x, int y, bool flip) {
    const BlockSet& set = n < COMMON_BLOCKS ? game.common : theme.blocks;
    const int i = n < COMMON_BLOCKS ? n : n - COMMON_BLOCKS;
    if (n == 0 || i >= set.count()) return;
    canvas(set.art(i), set.line(i), x, y, flip);
  }
  void sprite(const SpriteSheet& s, int first, int cols, int rows, int line, int x, int y) {
    for (int c = 0; c < cols; ++c)
      for (int r = 0; r < rows; ++r) {
        const auto& p = s.pattern(first + c * rows + r);
        for (int k = 0; k < 64; ++k) pixel(x + 8 * c + k % 8, y + 8 * r + k / 8, line, p[k]);
      }
  }

 private:
  BITMAP* b_;
  Palette lines_[4];
};

void draw_plane(Picture& pic, const GameContent& game, const Layout& plane, int shift) {
  const Theme& theme = game.themes[plane.theme()];
  for (int r = 1; r <= plane.row_count(); ++r)
    for (const LayoutObject& o : plane.row(r)) {
      if (o.code >= 0x400) continue;
      const Chunk& c = theme.chunks.chunk(o.code & 0x1FF);
      const bool flip = o.code & OBJ_CHUNK_FLIP;
      for (int row = 0; row < c.h; ++row)
        for (int col = 0; col < c.w; ++col) {
          const uint16_t cell = c.cell(col, row);
          const int y = 16 * (r - 1) + 16 * (flip ? c.h - 1 - row : row);
          pic.block(game, theme, cell & 0x1FF, o.x - shift + 16 * col, y, ((cell & CELL_FLIP) != 0) != flip);
        }
    }
}

void draw_objects(Picture& pic, const GameContent& game, const Layout& plane) {
  const Theme& theme = game.themes[plane.theme()];
  for (int r = 1; r <= plane.row_count(); ++r)
    for (const LayoutObject& o : plane.row(r)) {
      const int x = o.x - 16, y = 16 * (r - 1);
      if ((o.code & 0xFF00) == 0x0800 && (o.code & 0xFF) < PICKUP_TYPES) {
        pic.sprite(game.pickup_graphics[game.pickup_graphic_of_type[o.code & 0xFF]], 0, 2, 2, 0, x, y);
      } else if ((o.code & 0xFF00) == 0x0900) {
        BlockType t = game.block_types[o.code & 0xFF];
        if (t.kind == 4 || t.kind == 5) t = game.block_types[t.param & 0xFF];
        static const int icon[14] = {2, 3, 0, 1, -1, -1, 4, 5, 6, 7, -2, -3, 8, 0};
        if (t.kind >= 0 && t.kind < 14 && icon[t.kind] >= 0) pic.sprite(game.block_icons, 4 * icon[t.kind], 2, 2, 0, x, y);
        else if (t.kind == 10 || t.kind == 11) pic.sprite(game.block_icons, t.kind == 10 ? 40 : 56, 4, 4, 0, x, y);
        else if (t.kind >= 14 && t.kind <= 16) pic.block(game, theme, t.kind == 14 ? 6 : t.kind == 15 ? 7 : 22, x, y, false);
      } else if (o.code == OBJ_POST) {
        pic.block(game, theme, 15, x, y, false);
        for (int i = 1; i <= 6; ++i) pic.block(game, theme, 16, x, y + 16 * i, false);
        for (int i = -3; i <= 3; ++i) pic.block(game, theme, i == -3 ? 17 : i == 3 ? 19 : 18, x + 16 * i, y + 112, false);
      } else if ((o.code & 0xFF00) == 0x1100) {
        pic.sprite(game.large_object, 0, 4, 4, 0, x - 12, y - 24);
        pic.sprite(game.large_object, 16, 4, 1, 0, x - 12, y + 8);
      }
    }
}

}  // namespace

bool write_preview(const GameContent& game, int map, const std::string& png_path) {
  if (map < 0 || map >= MAP_HEADER_COUNT) return false;
  if (!init_headless_graphics()) return false;
  const MapHeader& h = game.headers[map];
  const Layout& front = game.fronts.at(h.bytes[0]);
  const Layout& back = game.backs.at(h.bytes[1] - 0x80);
  BitmapPtr b = make_bitmap(front.width(), front.height());
  if (!b) return false;
  Picture pic(b.get(), game, h);
  draw_plane(pic, game, back, 0);
  draw_plane(pic, game, front, h.bytes[0] == 0 ? 0 : 16);
  draw_objects(pic, game, front);
  if (h.bytes[0] == 0) {
    static const int first[4] = {0, 114, 30, 30};
    for (const Marker& m : game.markers) {
      const int set = m.type == 1 ? 1 : m.type >= 0xFE ? 2 : 0;
      pic.sprite(game.marker_icons, first[set], 2, 2, set == 1 ? 1 : set == 2 ? 2 : 0, m.x, m.y - 3);
    }
  }
  const int ok = save_png(png_path.c_str(), b.get(), nullptr);
  if (ok != 0) std::fprintf(stderr, "ERROR: Could not write \"%s\"\n", png_path.c_str());
  return ok == 0;
}

}  // namespace sample
