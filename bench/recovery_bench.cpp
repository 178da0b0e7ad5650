// Cost of one crash-recovery snapshot of the densest level of the sample game (the largest
// front layout, back layout and chunk set together): building the three blocks, packing
// them, and writing the part files and the manifest through temporary files and renames.
// The editor writes a snapshot between two frames, so the goal is well under one 60 Hz
// frame (16.7 ms).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "app/level_commands.h"
#include "files/packed_block.h"
#include "files/pp20.h"
#include "files/recovery_snapshot.h"
#include "gamedata/level_state.h"
#include "gamedata/rom_import.h"
#include "ui/messages.h"
#include "ui/screen_state.h"
#include "ui/settings.h"

namespace {

namespace fs = std::filesystem;

size_t unpacked_total() {
  RecoveryBlocks blocks;
  std::string why;
  if (!build_recovery_blocks(&front_layout, &back_layout, &chunkmap, blocks, why)) return 0;
  return blocks[0].size() + blocks[1].size() + blocks[2].size();
}

struct Session {
  int map = -1;
  size_t bytes = 0;
  fs::path dir;
};

// Generates the sample game beside the benchmark and imports its densest level; the
// snapshots go to a directory in the working directory (on the disk the editor would use).
Session& session() {
  static Session s;
  if (s.map >= 0) return s;
  const fs::path build = fs::canonical("/proc/self/exe").parent_path();
  const fs::path work = fs::current_path() / ("recovery_bench_" + std::to_string(getpid()));
  fs::create_directories(work);
  const std::string cmd = "'" + (build / "samplegame").string() + "' '" + (work / "master").string() + "' >/dev/null";
  if (std::system(cmd.c_str()) != 0) {
    std::fprintf(stderr, "samplegame failed (build it first)\n");
    std::exit(1);
  }
  const fs::path previous = fs::current_path();
  fs::current_path(work);
  init_headless_graphics();
  set_message_sink(MessageSink::Capture);
  pp20_set_trace(nullptr);
  for (int map = 1; map < 128; ++map) {
    if (level_import_map(static_cast<uint8_t>(map)) != 0) break;
    const size_t bytes = unpacked_total();
    if (bytes > s.bytes) {
      s.bytes = bytes;
      s.map = map;
    }
  }
  level_import_map(static_cast<uint8_t>(s.map));
  std::fprintf(stderr, "densest sample level: map %d, %zu bytes of blocks\n", s.map, s.bytes);
  fs::current_path(previous);
  s.dir = work / ".recovery";
  return s;
}

// Arguments: the parts written (1: the front layout alone, 3: front and back, 7: all three).
void BM_RecoverySnapshot(benchmark::State& state) {
  Session& s = session();
  const int parts = static_cast<int>(state.range(0));
  const LevelOrigin origin{LevelSource::RomMap, static_cast<uint8_t>(s.map), "", "", ""};
  std::string why;
  size_t written = 0;
  for (auto _ : state) {
    RecoveryBlocks blocks;
    if (!build_recovery_blocks((parts & 1) ? &front_layout : nullptr, (parts & 2) ? &back_layout : nullptr,
                               (parts & 4) ? &chunkmap : nullptr, blocks, why) ||
        !write_recovery_snapshot(s.dir.string(), origin, 0, blocks, why)) {
      state.SkipWithError(why.c_str());
      break;
    }
    written = blocks[0].size() + blocks[1].size() + blocks[2].size();
  }
  state.counters["map"] = s.map;
  state.counters["block_bytes"] = static_cast<double>(written);
}

// The same without the disk: the blocks built and packed.
void BM_RecoveryBlocksPacked(benchmark::State& state) {
  Session& s = session();
  std::string why;
  for (auto _ : state) {
    RecoveryBlocks blocks;
    build_recovery_blocks(&front_layout, &back_layout, &chunkmap, blocks, why);
    for (const auto& b : blocks) benchmark::DoNotOptimize(pack_block(b).data());
  }
  state.counters["map"] = s.map;
}

BENCHMARK(BM_RecoverySnapshot)->Arg(1)->Arg(3)->Arg(7)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_RecoveryBlocksPacked)->Unit(benchmark::kMillisecond)->MinTime(1.0);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  if (session().map >= 0) fs::remove_all(session().dir.parent_path());
  return 0;
}
