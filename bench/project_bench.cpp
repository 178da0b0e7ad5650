// Project generation plus game build on the sample game, for both editions: the time a
// modder waits between "take the game apart" and "play it again". The sample game is
// written first by the samplegame program beside this benchmark.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "app/problem_text.h"
#include "files/game_build.h"
#include "files/pp20.h"
#include "files/project_generate.h"
#include "files/rom_tables.h"
#include "sample_game.h"

namespace fs = std::filesystem;

namespace {

std::string work_dir;

// Generates a project from the master file into a fresh directory and builds it.
void generate_and_build(benchmark::State& state, bool aga) {
  const fs::path previous = fs::current_path();
  for (auto _ : state) {
    state.PauseTiming();
    const fs::path run = fs::path(work_dir) / (aga ? "aga_run" : "genesis_run");
    fs::remove_all(run);
    fs::create_directories(run);
    fs::create_directory_symlink(fs::path(work_dir) / "master", run / "master");
    fs::current_path(run);
    state.ResumeTiming();

    ProjectTables tables;
    ProjectMessages messages;
    const int generated = aga ? GenerateAgaProject(MASTER_CODE_PATH, tables, messages)
                              : GenerateGenesisProject(MASTER_ROM_PATH, tables, messages);
    tables.project_file = aga ? "GLB-AGA.glp" : "GLB-Gen.glp";
    const int built = generated == 0 ? (aga ? BuildAgaGame(tables, messages) : BuildGenesisGame(tables, messages)) : -1;

    state.PauseTiming();
    fs::current_path(previous);
    if (built != 0 || !messages.all().empty()) {
      const std::string first = messages.all().empty() ? "generation or build failed" : problem_text(messages.all()[0]);
      state.SkipWithError(first.c_str());
      break;
    }
    state.ResumeTiming();
  }
}

void BM_genesis_generate_and_build(benchmark::State& state) { generate_and_build(state, false); }
void BM_aga_generate_and_build(benchmark::State& state) { generate_and_build(state, true); }

BENCHMARK(BM_genesis_generate_and_build)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_aga_generate_and_build)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  pp20_set_trace(nullptr);
  work_dir = write_sample_game("mossforge_project_bench");
  if (work_dir.empty()) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  fs::remove_all(work_dir);
  return 0;
}
