// Drawing cost of one level editor frame at 1600x1200 on the densest level of the sample
// game (the most chunk cells placed on its front plane), at the smallest, normal and
// largest zoom, with and without the back plane shown: both planes, icons, texts, the
// object panel under the cursor, the FPS counter, composition and the copy to the screen.
// Then the chunk editor's frame on the level's largest chunk and a frame of each selector
// on the same screen.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "app/level_commands.h"
#include "chunkedit/block_selector.h"
#include "chunkedit/chunk_editor.h"
#include "chunkedit/chunk_editor_drawing.h"
#include "chunkedit/chunk_editor_state.h"
#include "chunkedit/tile_selector.h"
#include "files/pp20.h"
#include "gamedata/level_state.h"
#include "gamedata/rom_import.h"
#include "render/layer_bands.h"
#include "leveledit/level_editor.h"
#include "render/view_state.h"
#include "render/map_render.h"
#include "ui/font.h"
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
  pp20_set_trace(nullptr);
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
  create_screen_bitmaps(display);
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
  camera_x = 8 * (level_view.zoomed(front_layout.width / 2) - 800);
  camera_y = 8 * (level_view.zoomed(front_layout.height / 2) - 600);
  clamp_camera(level_view, screen_width, screen_height);
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

// The chunk with the most cells; the chunk editor and the block selector work on it.
int16_t largest_chunk() {
  int best = 0;
  for (int i = 0; i < chunkmap.count(); ++i)
    if (chunkmap.chunks[i].width * chunkmap.chunks[i].height >
        chunkmap.chunks[best].width * chunkmap.chunks[best].height)
      best = i;
  return static_cast<int16_t>(best);
}

// Argument: zoom (-12, 0 or 48 as in the level editor; the chunk editor clamps it).
void BM_ChunkEditorFrame(benchmark::State& state) {
  Session& s = session();
  chunk_editor_screen = ChunkEditorScreen::Editing;
  current_chunk = largest_chunk();
  clear_cell_marks();
  camera_x = camera_y = 0;
  camera_state = 0x81;  // fixed camera, as after a click
  level_zoom = static_cast<int16_t>(state.range(0));
  s.in->mx = 800;
  s.in->my = 600;
  layer_tracking_begin(display.layers());  // as an editing pass does, where the program has it
  for (auto _ : state) {
    chunk_editor_frame();
    benchmark::ClobberMemory();
  }
  layer_tracking_end();
  state.counters["zoom"] = level_zoom;
}
BENCHMARK(BM_ChunkEditorFrame)->Arg(-12)->Arg(0)->Arg(48)->Unit(benchmark::kMillisecond)->MinTime(1.0);

// One tile selector frame as its loop runs it: the strip, then the backdrop cleared.
void BM_TileSelectorFrame(benchmark::State& state) {
  Session& s = session();
  chunk_editor_screen = ChunkEditorScreen::TileSelector;
  current_chunk = 0;
  camera_x = 0;
  s.in->mx = 800;
  s.in->my = 600;
  for (auto _ : state) {
    tile_selector();
    fill_rect32(back_buffer.get(), MARGIN, MARGIN, screen_width, screen_height, 0xFF000000u);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_TileSelectorFrame)->Unit(benchmark::kMillisecond)->MinTime(1.0);

// One block selector frame over the chunk editor's last frame at zoom 48.
void BM_BlockSelectorFrame(benchmark::State& state) {
  Session& s = session();
  chunk_editor_screen = ChunkEditorScreen::Editing;
  current_chunk = largest_chunk();
  camera_x = camera_y = 0;
  camera_state = 0x81;
  level_zoom = 48;
  s.in->mx = 800;
  s.in->my = 600;
  chunk_editor_frame();
  const int size = block_size_on_screen();
  Chunk& chunk = chunkmap.chunks[current_chunk];
  // As the editor opens it.
  BlockSelectorView view{size, 0, &chunk, layer_4.get()};
  const BitmapPtr frozen = compose_selector_view(view);
  view.frozen = frozen.get();
  uint16_t word = chunk.cells[0];
  chunk_editor_screen = ChunkEditorScreen::BlockSelector;
  selection_bar_y = SELECTION_BAR_HEIGHT;
  selection_bar_shown = 1;
  camera_x = (word & CELL_BLOCK_MASK) * 320;
  for (auto _ : state) {
    block_selector(0, 0, word, view);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_BlockSelectorFrame)->Unit(benchmark::kMillisecond)->MinTime(1.0);

}  // namespace

BENCHMARK_MAIN();
