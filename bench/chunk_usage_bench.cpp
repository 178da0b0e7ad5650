// The block analysis of the sample game: every map of the ROM image, and every level of the
// project generated from it (read from its files, as the BLOCK ANALYSIS TOOL and
// `mossforge usage` do). The sample game is written first by the samplegame program beside
// this benchmark. Then one frame of the BLOCK ANALYSIS TOOL at 1600x1200, in both views,
// with a chunk's level list shown.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "files/atomic_file.h"
#include "files/pp20.h"
#include "files/project_generate.h"
#include "files/rom_tables.h"
#include "analysis/block_analysis.h"
#include "app/level_commands.h"
#include "gamedata/chunk_usage.h"
#include "gamedata/level_state.h"
#include "gamedata/rom_import.h"
#include "ui/messages.h"
#include "ui/screen_state.h"
#include "ui/scripted_input.h"
#include "ui/settings.h"
#include "sample_game.h"

namespace fs = std::filesystem;

namespace {

std::string work_dir;

void BM_usage_rom(benchmark::State& state) {
  RomImage rom;
  if (!read_whole_file(work_dir + "/master/genesis/glb.bin", rom)) {
    state.SkipWithError("no sample ROM image");
    return;
  }
  for (auto _ : state) {
    UsageReport report;
    analyse_rom_usage(rom, report);
    if (report.levels_read != MAP_HEADER_COUNT) state.SkipWithError("a map could not be read");
    benchmark::DoNotOptimize(report);
  }
}

void BM_usage_project(benchmark::State& state) {
  const fs::path previous = fs::current_path();
  fs::current_path(work_dir);
  ProjectTables tables;
  ProjectMessages messages;
  if (GenerateGenesisProject(MASTER_ROM_PATH, tables, messages) != 0 || !messages.all().empty()) {
    state.SkipWithError("the project could not be generated");
  } else {
    for (auto _ : state) {
      UsageReport report;
      analyse_project_usage(tables, report);
      if (!report.unread.empty() || report.levels_read == 0) state.SkipWithError("a level could not be read");
      benchmark::DoNotOptimize(report);
    }
  }
  fs::current_path(previous);
}

bool pictures(uint8_t level, LevelModel& model, LevelBitmaps& bitmaps) {
  RomImage rom;
  std::string error;
  return read_whole_file(work_dir + "/master/genesis/glb.bin", rom) && import_level(rom, level, model, bitmaps, error, "");
}

// Arguments: 0 the chunks view with the first chunk's level list, 1 the blocks view.
void BM_analysis_frame(benchmark::State& state) {
  static UsageReport report;
  static ScriptedInput in(1600, 1200);
  if (report.themes.empty()) {
    RomImage rom;
    read_whole_file(work_dir + "/master/genesis/glb.bin", rom);
    analyse_rom_usage(rom, report);
    init_headless_graphics();
    set_message_sink(MessageSink::Capture);
    screen_width = 1600;
    screen_height = 1200;
    create_screen_bitmaps(display);
    frame_skip = 0;
    vsync_enabled = 0;
    in.idle_limit = 1 << 30;
  }
  ScopedInput scope(in);
  // Level theme 1 has the most chunks of the sample game's level themes.
  block_analysis_enter(report, 1, "ROM", pictures);
  in.mx = 60;
  in.my = 76;
  in.mb = 1;  // a click on the first chunk: its level list is shown
  block_analysis_frame();
  in.mb = 0;
  if (state.range(0)) in.tap(KEY_TAB);
  for (int i = 0; i < 3; ++i) block_analysis_frame();
  for (auto _ : state) {
    block_analysis_frame();
    benchmark::ClobberMemory();
  }
  block_analysis_leave();
}

BENCHMARK(BM_usage_rom)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_usage_project)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_analysis_frame)->Arg(0)->Arg(1)->ArgNames({"blocks"})->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  pp20_set_trace(nullptr);
  work_dir = write_sample_game("mossforge_usage_bench");
  if (work_dir.empty()) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  fs::remove_all(work_dir);
  return 0;
}
