// BPS patches of the sample game's Genesis builds against xdelta3 (Debian package xdelta3,
// `xdelta3 -e -9 -S none -s MASTER BUILT`, no secondary compression) on the same pairs: an
// unchanged rebuild and a build with one level edited. Each benchmark reports the patch size
// and the time to create it; ours fails when its patch is more than 1.5 times xdelta3's.
#include <benchmark/benchmark.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "app/problem_text.h"
#include "files/atomic_file.h"
#include "files/bps_patch.h"
#include "files/game_build.h"
#include "files/layout_block.h"
#include "files/packed_block.h"
#include "files/pp20.h"
#include "files/project_generate.h"
#include "files/rom_tables.h"

namespace fs = std::filesystem;

namespace {

using Bytes = std::vector<uint8_t>;

struct Pair {
  Bytes master, built;
  size_t xdelta_size = 0;
};
Pair unchanged, edited;
std::string work_dir;

bool run(const std::string& command) {
  const int status = std::system(command.c_str());
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// The project's first level with its first object moved by 16 pixels, saved packed as the
// editor saves it.
bool edit_first_level(const ProjectTables& tables) {
  const std::string path = project_source_path(tables.level_paths[0], tables.levels[0].map_front);
  Bytes file, block;
  LayoutPlane plane;
  std::string error;
  if (!read_whole_file(path, file) || !LoadLevelBlock(file.data(), file.size(), 0, plane, error)) return false;
  for (LayoutRow& row : plane.rows) {
    if (row.objects.empty()) continue;
    row.objects[0].x += 16;
    break;
  }
  return build_layout_block(plane, block, error) && write_file_atomic(path, pack_block(block));
}

// Builds the project in dir (the master linked in) and reads master and build.
bool build_pair(const std::string& dir, bool edit, Pair& pair) {
  fs::create_directories(dir);
  fs::create_directory_symlink(fs::path(work_dir) / "master", fs::path(dir) / "master");
  const fs::path previous = fs::current_path();
  fs::current_path(dir);
  ProjectTables tables;
  ProjectMessages messages;
  bool ok = GenerateGenesisProject(MASTER_ROM_PATH, tables, messages) == 0;
  tables.project_file = "GLB-Gen.glp";
  ok = ok && (!edit || edit_first_level(tables)) && BuildGenesisGame(tables, messages) == 0 &&
       read_whole_file(MASTER_ROM_PATH, pair.master) && read_whole_file("GLB-Gen.bin", pair.built) &&
       run("xdelta3 -f -e -9 -S none -s master/genesis/glb.bin GLB-Gen.bin xdelta.vcdiff");
  std::error_code ec;
  if (ok) pair.xdelta_size = fs::file_size("xdelta.vcdiff", ec);
  fs::current_path(previous);
  for (const Problem& p : messages.all()) std::fprintf(stderr, "%s\n", problem_text(p).c_str());
  return ok && !ec;
}

void bps_create_time(benchmark::State& state, const Pair& pair) {
  size_t size = 0;
  for (auto _ : state) {
    const Bytes patch = bps_create(pair.master.data(), pair.master.size(), pair.built.data(), pair.built.size());
    size = patch.size();
    benchmark::DoNotOptimize(patch.data());
  }
  state.counters["patch_bytes"] = static_cast<double>(size);
  state.counters["xdelta3_bytes"] = static_cast<double>(pair.xdelta_size);
  state.counters["ratio"] = static_cast<double>(size) / static_cast<double>(pair.xdelta_size);
  if (size * 2 > pair.xdelta_size * 3) state.SkipWithError("the patch is more than 1.5 times xdelta3's");
}

// xdelta3 as a user runs it, the process start included.
void xdelta3_time(benchmark::State& state, const char* dir) {
  const std::string command = "cd '" + work_dir + "/" + dir +
                              "' && xdelta3 -f -e -9 -S none -s master/genesis/glb.bin GLB-Gen.bin xdelta.vcdiff";
  for (auto _ : state)
    if (!run(command)) state.SkipWithError("xdelta3 failed");
}

void BM_bps_unchanged_rebuild(benchmark::State& state) { bps_create_time(state, unchanged); }
void BM_bps_one_level_edited(benchmark::State& state) { bps_create_time(state, edited); }
void BM_xdelta3_unchanged_rebuild(benchmark::State& state) { xdelta3_time(state, "unchanged"); }
void BM_xdelta3_one_level_edited(benchmark::State& state) { xdelta3_time(state, "edited"); }

BENCHMARK(BM_bps_unchanged_rebuild)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_xdelta3_unchanged_rebuild)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_bps_one_level_edited)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_xdelta3_one_level_edited)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  pp20_set_trace(nullptr);
  if (!run("command -v xdelta3 >/dev/null")) {
    std::fprintf(stderr, "ERROR: xdelta3 is not installed (apt-get install xdelta3)\n");
    return 1;
  }
  const fs::path self = fs::read_symlink("/proc/self/exe");
  work_dir = (fs::temp_directory_path() / ("mossforge_bps_bench_" + std::to_string(getpid()))).string();
  fs::create_directories(work_dir);
  if (!run("'" + (self.parent_path() / "samplegame").string() + "' '" + work_dir + "/master' >/dev/null") ||
      !build_pair(work_dir + "/unchanged", false, unchanged) || !build_pair(work_dir + "/edited", true, edited)) {
    std::fprintf(stderr, "ERROR: the sample game could not be written and built\n");
    fs::remove_all(work_dir);
    return 1;
  }
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  fs::remove_all(work_dir);
  return 0;
}
