// The PP20 coder against the exhaustive search it reproduces and against zlib level 9, on
// the same bytes in one run, and the decoder on its output. Ends with a summary: speed-up
// over the exhaustive coder and time relative to zlib.
#include <benchmark/benchmark.h>
#include <zlib.h>

#include <cstdio>
#include <map>
#include <string>

#include "files/pp20.h"
#include "pp20_oracle.h"
#include "pp20_bench_data.h"

namespace {

using Bytes = std::vector<uint8_t>;

struct Sample {
  const char* name;
  Bytes data;
};

const std::vector<Sample>& samples() {
  static const std::vector<Sample> all = {
      {"chunkset_64k", pp20_samples::chunk_set_like(64 * 1024, 1)},
      {"mixed_256k", pp20_samples::mixed_binary(256 * 1024, 2)},
  };
  return all;
}

void set_counters(benchmark::State& state, const Bytes& in, size_t out_size) {
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * in.size()));
  state.counters["in"] = static_cast<double>(in.size());
  state.counters["out"] = static_cast<double>(out_size);
}

void BM_pp20_fast(benchmark::State& state, size_t which) {
  const Bytes& in = samples()[which].data;
  Bytes out(pp20_max_packed_size(in.size()));
  int32_t s = 0;
  for (auto _ : state) {
    s = CrunchLocation(in.data(), out.data(), out.size(), static_cast<int32_t>(in.size()));
    benchmark::DoNotOptimize(out.data());
  }
  Bytes back(in.size());
  if (s < 0 || pp20_decrunch(out.data(), static_cast<size_t>(s), back.data(), back.size()) != int32_t(in.size()) ||
      back != in)
    state.SkipWithError("packed block does not decode to the input");
  set_counters(state, in, static_cast<size_t>(s));
}

void BM_pp20_exhaustive(benchmark::State& state, size_t which) {
  const Bytes& in = samples()[which].data;
  Bytes block;
  for (auto _ : state) {
    block = oracle_pack(in.data(), static_cast<int32_t>(in.size()));
    benchmark::DoNotOptimize(block.data());
  }
  if (block != pp20_pack(in.data(), in.size())) state.SkipWithError("fast coder differs from the exhaustive one");
  set_counters(state, in, block.size());
}

void BM_zlib_level9(benchmark::State& state, size_t which) {
  const Bytes& in = samples()[which].data;
  Bytes out(compressBound(in.size()));
  uLongf n = 0;
  for (auto _ : state) {
    n = out.size();
    if (compress2(out.data(), &n, in.data(), in.size(), 9) != Z_OK) state.SkipWithError("compress2 failed");
    benchmark::DoNotOptimize(out.data());
  }
  set_counters(state, in, n);
}

void BM_pp20_decrunch(benchmark::State& state, size_t which) {
  const Bytes& in = samples()[which].data;
  const Bytes block = pp20_pack(in.data(), in.size());
  Bytes out(in.size());
  for (auto _ : state) {
    if (pp20_decrunch(block.data(), block.size(), out.data(), out.size()) != int32_t(in.size()))
      state.SkipWithError("block does not decode");
    benchmark::DoNotOptimize(out.data());
  }
  set_counters(state, in, block.size());
}

// Keeps the CPU time per iteration of each run for the summary (steadier than wall time on a
// shared machine).
class SummaryReporter : public benchmark::ConsoleReporter {
 public:
  std::map<std::string, double> seconds;
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& r : runs)
      if (!r.error_occurred && r.run_type == Run::RT_Iteration) {
        // "kind/sample" without suffixes such as "/iterations:1".
        std::string name = r.benchmark_name();
        const size_t cut = name.find('/', name.find('/') + 1);
        if (cut != std::string::npos) name.resize(cut);
        seconds[name] = r.GetAdjustedCPUTime() / benchmark::GetTimeUnitMultiplier(r.time_unit);
      }
    ConsoleReporter::ReportRuns(runs);
  }
};

}  // namespace

int main(int argc, char** argv) {
  for (size_t i = 0; i < samples().size(); ++i) {
    const std::string name = samples()[i].name;
    benchmark::RegisterBenchmark(("pp20_fast/" + name).c_str(), BM_pp20_fast, i)->Unit(benchmark::kMillisecond);
    // A few passes of the slow coder, enough for a steady figure.
    benchmark::RegisterBenchmark(("pp20_exhaustive/" + name).c_str(), BM_pp20_exhaustive, i)
        ->Unit(benchmark::kMillisecond)
        ->Iterations(samples()[i].data.size() > 100000 ? 2 : 5);
    benchmark::RegisterBenchmark(("zlib_level9/" + name).c_str(), BM_zlib_level9, i)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(("pp20_decrunch/" + name).c_str(), BM_pp20_decrunch, i)->Unit(benchmark::kMillisecond);
  }
  benchmark::Initialize(&argc, argv);
  SummaryReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  std::printf("\nCPU time per pass:\n%-14s %14s %14s %14s %12s %14s\n", "sample", "fast ms", "exhaustive ms",
              "zlib -9 ms", "speed-up", "fast / zlib");
  for (const Sample& s : samples()) {
    auto get = [&](const char* kind) {
      auto it = reporter.seconds.find(std::string(kind) + "/" + s.name);
      return it == reporter.seconds.end() ? 0.0 : it->second;
    };
    const double fast = get("pp20_fast"), slow = get("pp20_exhaustive"), zlib = get("zlib_level9");
    if (fast <= 0) continue;
    std::printf("%-14s %14.3f %14.3f %14.3f %11.0fx %14.2f\n", s.name, fast * 1e3, slow * 1e3, zlib * 1e3,
                slow / fast, zlib > 0 ? fast / zlib : 0.0);
  }
  benchmark::Shutdown();
  return 0;
}
