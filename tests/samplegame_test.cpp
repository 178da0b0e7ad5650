// The sample game generator (tools/samplegame), run as a program: one smoke test that the
// game it writes is the bundled one, byte for byte. What the editor reads from its image is
// tested through the readers, on the test ROM.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "files/atomic_file.h"
#include "test_support.h"

namespace {

using Bytes = std::vector<uint8_t>;

int run_generator(const std::string& out_dir) {
  const std::string cmd = "'" MOSSFORGE_BINARY_DIR "/samplegame' '" + out_dir + "' >/dev/null 2>&1";
  const int raw = std::system(cmd.c_str());
  return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}

}  // namespace

TEST(SampleGameGenerator, WritesTheBundledGameAndRefusesAnUnwritableOutput) {
  const std::string a = scratch_dir("samplegame_run");
  ASSERT_EQ(run_generator(a), 0);
  Bytes rom;
  ASSERT_TRUE(read_whole_file(a + "/genesis/glb.bin", rom));
  EXPECT_GE(rom.size(), 0x100000u);
  EXPECT_LE(rom.size(), 0x200000u);
  // Any change to the art, levels, tables or packing shows here; after a deliberate change,
  // look at the new game (./run) and store the printed value.
  EXPECT_EQ(tree_hash(a), 0x62e166e233151d37ull) << std::hex << "tree hash 0x" << tree_hash(a);
  const std::string blocked = scratch_dir("samplegame_blocked");
  ASSERT_TRUE(write_file_atomic(blocked + "/genesis", Bytes{1, 2, 3}));  // a file where the directory goes
  EXPECT_NE(run_generator(blocked), 0);
}

// The bundled game through the batch commands: taken apart into a project and built back for
// both machines, and levels of every theme rendered at several zooms. Every output is compared
// with the one recorded from this program after the rendered levels were looked at, so a change
// to any reader, writer, coder or drawing step that alters a byte shows here, under the output's
// name. After a deliberate change, check the outputs again and store the printed values.
TEST(SampleGameOutputs, ProjectsBuildsAndRendersAreTheRecordedOnes) {
  const std::string game = scratch_dir("sample_outputs_game");
  ASSERT_EQ(run_generator(game), 0);
  FrameHashes seen;
  auto run = [&](const std::string& machine, const std::string& args) {
    const std::string dir = scratch_dir("sample_outputs_" + args.substr(0, args.find(' ')));
    std::filesystem::create_directories(dir + "/master");
    std::filesystem::copy(game + "/" + machine, dir + "/master/" + machine);
    const CommandRun r = run_mossforge(dir, args);
    EXPECT_EQ(r.status, 0) << args << ": " << r.err;
    return dir;
  };
  for (const char* machine : {"genesis", "aga"}) {
    const std::string m = machine;
    const bool gen = m == "genesis";
    const std::string dir =
        run(m, "generate-" + std::string(gen ? "genesis master/genesis/glb.bin" : "aga master/aga/CODE"));
    seen.push_back({m + " project", tree_hash(dir, {"master", "out.txt", "err.txt"})});
    const CommandRun built = run_mossforge(dir, gen ? "build-genesis GLB-Gen.glp" : "build-aga GLB-AGA.glp");
    EXPECT_EQ(built.status, 0) << built.err;
    seen.push_back({m + " build", tree_hash(dir + (gen ? "/GLB-Gen.bin" : "/GLB-AGA"))});
  }
  const std::pair<const char*, int> renders[] = {{"00", -12}, {"01", -12}, {"09", 7}, {"0A", 0},
                                                 {"10", 16},  {"14", -5},  {"1F", 0}, {"30", 3}};
  const std::string dir = run("genesis", "render 01 out.png");
  for (const auto& [map, zoom] : renders) {
    const std::string name = "render " + std::string(map) + " at " + std::to_string(zoom);
    const CommandRun r = run_mossforge(dir, "render " + std::string(map) + " out.png --zoom " + std::to_string(zoom));
    EXPECT_EQ(r.status, 0) << name << ": " << r.err;
    seen.push_back({name, tree_hash(dir, {"master"})});  // the picture, the dumps and the closing message
  }
  expect_frame_hashes("sample game outputs", seen,
                      {
                          {"genesis project", 0x518b57d47de8dc37ull},
                          {"genesis build", 0xf573404312700f05ull},
                          {"aga project", 0x72fc3a8728afbff2ull},
                          {"aga build", 0xb5b2d2689ab7e7c8ull},
                          {"render 00 at -12", 0x5703a0bc1dd82acdull},
                          {"render 01 at -12", 0x99463dbf2080f615ull},
                          {"render 09 at 7", 0xc7f5fba954ce089eull},
                          {"render 0A at 0", 0x2368ac6e1c49c5d6ull},
                          {"render 10 at 16", 0x890914665e45f0d0ull},
                          {"render 14 at -5", 0x2715ac882ffbba43ull},
                          {"render 1F at 0", 0x83b7fe4839e70d9cull},
                          {"render 30 at 3", 0x44a72951160024ccull},
                      });
}
