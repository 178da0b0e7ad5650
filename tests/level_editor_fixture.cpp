#include "level_editor_fixture.h"

#include "render/hex_writers.h"
#include "ui/font.h"
#include "ui/frame.h"
#include "ui/messages.h"
#include "ui/screen_state.h"

BitmapPtr solid_bitmap(uint32_t colour, int w, int h) {
  BitmapPtr b = make_bitmap(w, h);
  clear_to_color(b.get(), static_cast<int>(colour));
  return b;
}

uint32_t block_colour(int b) { return 0xFF000000u | (0x10u + static_cast<uint32_t>(b)) << 16 | 0x4000u; }
uint32_t pickup_colour(int type) { return 0xFF000000u | 0x200000u | (0x80u + static_cast<uint32_t>(type)); }

void LevelEditorTest::SetUp() {
  headless_screen(640, 480);
  tips_enabled = 0;
  captured_messages().clear();
  allocate_level_undo(level_undo_size);
  snap_to_grid = 0;
  effect_details_shown = 1;
  in = std::make_unique<ScriptedInput>(640, 480);
  in->idle_limit = 200;
  scope = std::make_unique<ScopedInput>(*in);
}

void LevelEditorTest::TearDown() {
  scope.reset();
  in.reset();
}

void LevelEditorTest::make_level(int chunks, int width, int height) {
  map_header.map_front = 1;
  for (int b = 0; b < 64; ++b) block_bitmaps[static_cast<size_t>(b)] = solid_bitmap(block_colour(b));
  level_blockmap.count = LEVEL_BLOCKMAP_COUNT;
  chunkmap.chunks.resize(static_cast<size_t>(chunks));
  for (int i = 0; i < chunks; ++i) {
    Chunk& c = chunkmap.chunks[static_cast<size_t>(i)];
    c.width = c.height = 1;
    c.cell(0, 0) = static_cast<uint16_t>((i % 60) + 1);
  }
  chunk_thumbnails.clear();
  for (int i = 0; i < chunks; ++i) chunk_thumbnails.push_back(solid_bitmap(block_colour(i % 60 + 1), 64, 64));
  chunk_thumbnail_count = chunks;
  for (int t = 0; t < PICKUP_TYPE_COUNT; ++t) pickup_icons[static_cast<size_t>(t)] = solid_bitmap(pickup_colour(t));
  for (int i = 0; i < BLOCK_TYPE_ICON_COUNT; ++i)
    block_type_icons[static_cast<size_t>(i)] = solid_bitmap(0xFF0000A0u + static_cast<uint32_t>(i));
  for (uint32_t i : {0u, 1u}) block_type_large_icons[i] = solid_bitmap(0xFF0000C0u + i, 32, 32);
  for (int f = 0; f < 3; ++f) {
    large_object_frames[static_cast<size_t>(f)] = solid_bitmap(0xFF00D000u + static_cast<uint32_t>(f), 32, 40);
    marker_icons_normal[static_cast<size_t>(f)] = solid_bitmap(0xFF00E000u + static_cast<uint32_t>(f));
    marker_icons_tunnel[static_cast<size_t>(f)] = solid_bitmap(0xFF00E100u + static_cast<uint32_t>(f));
    marker_icons_secret[static_cast<size_t>(f)] = solid_bitmap(0xFF00E200u + static_cast<uint32_t>(f));
  }
  for (LayoutPlane* p : {&front_layout, &back_layout}) {
    p->width = static_cast<uint16_t>(width);
    p->height = static_cast<uint16_t>(height);
    p->rows.assign(static_cast<size_t>(height / 16 + 1), LayoutRow());
  }
  block_types.assign(BLOCK_TYPE_COUNT, BlockType{-1, 0});
  block_type_count = BLOCK_TYPE_COUNT;
  markers.assign(MARKER_COUNT, Marker());
  for (Marker& m : markers) m.x = m.y = -1000;  // far away unless a test places one
  marker_count = MARKER_COUNT;
}

void LevelEditorTest::pattern_blocks_and_chunks() {
  for (int b = 1; b < 12; ++b) {
    BitmapPtr& bm = block_bitmaps[static_cast<size_t>(b)];
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 16; ++x)
        put_pixel32(bm.get(), x, y,
                    b == 3 && (x + y) % 3 == 0
                        ? MASK_COLOUR
                        : 0xFF000000u | uint32_t(b * 21) << 16 | uint32_t(x * 16) << 8 | uint32_t(y * 15));
  }
  chunk(0).width = 3;
  chunk(0).height = 2;
  const uint16_t cells0[6] = {1, static_cast<uint16_t>(2 | CELL_VFLIP), 0, 3, 4, 5};
  for (int i = 0; i < 6; ++i) chunk(0).cell(i % 3, i / 3) = cells0[i];
  chunk(1).width = chunk(1).height = 2;
  const uint16_t cells1[4] = {6, 7, static_cast<uint16_t>(8 | CELL_VFLIP), 9};
  for (int i = 0; i < 4; ++i) chunk(1).cell(i % 2, i / 2) = cells1[i];
}

void LevelEditorTest::enter() {
  level_history_loaded(0xFF);  // the level as built here is what its files hold
  level_editor_enter();
}

void LevelEditorTest::frames(int n) {
  for (int i = 0; i < n; ++i) ASSERT_TRUE(level_editor_pass()) << "the screen left at pass " << i;
}

void LevelEditorTest::run_script(int limit) {
  for (int i = 0; i < limit && !in->script_done(); ++i) ASSERT_TRUE(level_editor_pass());
}

bool LevelEditorTest::shows_line(int y, const std::vector<Piece>& pieces, uint32_t background) {
  BitmapPtr expected = make_bitmap(screen_width + 2 * MARGIN, 24 + 2 * MARGIN);
  clear_to_color(expected.get(), static_cast<int>(background));
  for (const Piece& p : pieces)
    text_out(display, expected.get(), p.colour, static_cast<int16_t>(p.x), 8, p.text.c_str());
  for (const Piece& p : pieces)
    for (int dy = 0; dy < 8; ++dy)
      for (int dx = 0; dx < 8 * static_cast<int>(p.text.size()); ++dx) {
        const int sx = p.x + dx;
        if (sx < 0 || sx >= screen_width) continue;
        const uint32_t want = pixel32(expected.get(), sx + MARGIN, 8 + dy + MARGIN);
        if (screen_pixel(sx, y + dy) != want) return false;
      }
  return true;
}

std::vector<uint16_t> codes_of(const LayoutRow& r) {
  std::vector<uint16_t> out;
  for (const LayoutObject& o : r.objects) out.push_back(o.code);
  return out;
}
