// Drawing cost of one level editor frame at 1600x1200 on the densest level of the sample
// game (the most chunk cells placed on its front plane), at the smallest, normal and
// largest zoom, with and without the back plane shown: both planes, icons, texts, the
// object panel under the cursor, the FPS counter, composition and the copy to the screen.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "files/pp20.h"
#include "gamedata/level_model.h"
#include "gamedata/rom_import.h"
#include "leveledit/level_editor.h"
#include "leveledit/level_view.h"
#include "leveledit/map_render.h"
#include "ui/messages.h"
#include "ui/screen_state.h"
#include "ui/scripted_input.h"
#include "ui/settings.h"

namespace {

namespace fs = std::filesystem;

// Chunk cells that the front plane places (cells with a block).
long placed_cells() {
  long cells = 0;
  for (const LayoutRow& row : front_layout.rows)
    for (const LayoutObject& o : row.objects) {
      if (o.code >= OBJECT_CHUNK_LIMIT || (o.code & PLACEMENT_CHUNK_MASK) >= chunkmap.count()) continue;
      const Chunk& c = chunkmap.chunks[o.code & PLACEMENT_CHUNK_MASK];
      for (int r = 0; r < c.height; ++r)
        for (int col = 0; col < c.width; ++col) cells += (c.cell(col, r) & CELL_BLOCK_MASK) != 0;
    }
  return cells;
}

struct Session {
  std::unique_ptr<ScriptedInput> in;
  std::unique_ptr<ScopedInput> scope;
  int map = -1;
};

// Generates the sample game beside the benchmark, imports its densest level and enters
// the level editor on a 1600x1200 screen.
Session& session() {
  static Session s;
  if (s.in) return s;
  const fs::path build = fs::canonical("/proc/self/exe").parent_path();
  const fs::path work = fs::temp_directory_path() / ("level_editor_bench_" + std::to_string(getpid()));
  fs::create_directories(work);
  const std::string cmd = "'" + (build / "samplegame").string() + "' '" + (work / "master").string() + "' >/dev/null";
  if (std::system(cmd.c_str()) != 0) {
    std::fprintf(stderr, "samplegame failed (build it first)\n");
    std::exit(1);
  }
  fs::current_path(work);
  init_headless_graphics();
  set_message_sink(MessageSink::Capture);
  pp20_trace = nullptr;
  long best = -1;
  for (int map = 1; map < 128; ++map) {
    if (level_import_map(static_cast<uint8_t>(map)) != 0) break;
    const long cells = placed_cells();
    if (cells > best) {
      best = cells;
      s.map = map;
    }
  }
  level_import_map(static_cast<uint8_t>(s.map));
  std::fprintf(stderr, "densest sample level: map %d, %ld placed cells\n", s.map, best);
  fs::current_path(build);
  fs::remove_all(work);

  screen_width = 1600;
  screen_height = 1200;
  create_screen_bitmaps();
  frame_skip = 0;
  vsync_enabled = 0;
  fps_counter_enabled = 1;
  level_editor_modes = 0x12;  // the camera stays where the benchmark puts it
  s.in = std::make_unique<ScriptedInput>(1600, 1200);
  s.in->idle_limit = 1 << 30;
  s.scope = std::make_unique<ScopedInput>(*s.in);
  level_editor_enter();
  return s;
}

void BM_LevelEditorFrame(benchmark::State& state) {
  Session& s = session();
  level_zoom = static_cast<int16_t>(state.range(0));
  ledit.background_shown = static_cast<uint8_t>(state.range(1));
  // The view centred on the middle of the level, the cursor in the middle of the screen.
  const int32_t sz = block_size_on_screen();
  camera_x = 8 * (zoomed(front_layout.width / 2) - 800);
  camera_y = 8 * (zoomed(front_layout.height / 2) - 600);
  clamp_camera();
  s.in->mx = 800;
  s.in->my = 600;
  frame_counter = 0;
  for (auto _ : state) {
    level_editor_frame();
    benchmark::ClobberMemory();
  }
  state.counters["block_px"] = sz;
  state.counters["map"] = s.map;
}

// Arguments: zoom, background shown (the back plane as a fifth full layer).
BENCHMARK(BM_LevelEditorFrame)
    ->ArgsProduct({{-12, 0, 48}, {0, 1}})
    ->ArgNames({"zoom", "background"})
    ->Unit(benchmark::kMillisecond)
    ->MinTime(1.0);

}  // namespace

BENCHMARK_MAIN();
