// The block analysis of the sample game: every map of the ROM image, and every level of the
// project generated from it (read from its files, as the BLOCK ANALYSIS TOOL and
// `mossforge usage` do). The sample game is written first by the samplegame program beside
// this benchmark.
#include <benchmark/benchmark.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "files/atomic_file.h"
#include "files/pp20.h"
#include "files/project_generate.h"
#include "files/rom_tables.h"
#include "gamedata/chunk_usage.h"

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

BENCHMARK(BM_usage_rom)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_usage_project)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  pp20_set_trace(nullptr);
  const fs::path self = fs::read_symlink("/proc/self/exe");
  work_dir = (fs::temp_directory_path() / ("mossforge_usage_bench_" + std::to_string(getpid()))).string();
  fs::create_directories(work_dir);
  const std::string command =
      "'" + (self.parent_path() / "samplegame").string() + "' '" + work_dir + "/master' >/dev/null";
  const int status = std::system(command.c_str());
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    std::fprintf(stderr, "ERROR: samplegame could not write the sample game\n");
    return 1;
  }
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  fs::remove_all(work_dir);
  return 0;
}
