// One level editor frame at 1600x1200: clearing the layers, the back plane, the front
// plane and the masked composition, at the smallest, normal and largest zoom.
#include <benchmark/benchmark.h>

#include "gamedata/level_state.h"
#include "render/view_state.h"
#include "render/map_render.h"
#include "ui/screen_state.h"
#include "ui/settings.h"

namespace {

void make_level() {
  static bool done = false;
  if (done) return;
  done = true;
  init_headless_graphics();
  screen_width = 1600;
  screen_height = 1200;
  create_screen_bitmaps(display);
  for (int b = 1; b < 520; ++b) {
    block_bitmaps[b] = make_bitmap(16, 16);
    clear_to_color(block_bitmaps[b].get(), b % 7 == 0 ? MASK_COLOUR : 0xFF000000u | uint32_t(b * 2654435761u));
  }
  chunkmap.chunks.resize(64);
  for (int i = 0; i < 64; ++i) {
    Chunk& c = chunkmap.chunks[i];
    c.width = c.height = 16;
    for (int k = 0; k < 256; ++k) c.cells[k] = static_cast<uint16_t>((i * 7 + k) % 520 | (k % 5 == 0 ? CELL_VFLIP : 0));
  }
  // Planes covering the whole 1024 x 512 block world with 16x16 chunks.
  for (LayoutPlane* p : {&front_layout, &back_layout}) {
    p->width = 16384 - 256;
    p->height = 8192 - 256;
    p->rows.resize(p->height / 16 + 1);
    for (size_t r = 16; r < p->rows.size(); r += 16)
      for (int x = 0; x < p->width; x += 256) p->rows[r].objects.push_back({static_cast<uint16_t>((r + x) % 64), static_cast<uint16_t>(x)});
  }
  map_header.map_front = 1;
}

void BM_LevelFrame(benchmark::State& state) {
  make_level();
  level_zoom = static_cast<int16_t>(state.range(0));
  camera_x = 8 * 3000;
  camera_y = 8 * 1500;
  clamp_camera(level_view, screen_width, screen_height);
  for (auto _ : state) {
    clear_layers(display.layers());
    draw_background_pass(display, level_view, layer_1.get());
    draw_plane_chunks(display, level_view, layer_2.get(), front_layout);
    compose_layers(display);
    benchmark::ClobberMemory();
  }
}
// The two planes' chunk placements alone, into layers already cleared.
void BM_DrawPlanes(benchmark::State& state) {
  make_level();
  level_zoom = static_cast<int16_t>(state.range(0));
  camera_x = 8 * 3000;
  camera_y = 8 * 1500;
  clamp_camera(level_view, screen_width, screen_height);
  for (auto _ : state) {
    draw_background_pass(display, level_view, layer_1.get());
    draw_plane_chunks(display, level_view, layer_2.get(), front_layout);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_DrawPlanes)->Arg(-12)->Arg(0)->Arg(7)->Arg(48)->Unit(benchmark::kMillisecond);

BENCHMARK(BM_LevelFrame)->Arg(-12)->Arg(0)->Arg(7)->Arg(48)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
