// The sample game generator (tools/samplegame), run as a program: one smoke test that the
// game it writes is the bundled one, byte for byte. What the editor reads from its image is
// tested through the readers, on the test ROM.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <array>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "app/level_commands.h"
#include "files/atomic_file.h"
#include "files/bps_patch.h"
#include "files/project_files.h"
#include "game_fixtures.h"
#include "gamedata/level_state.h"
#include "test_support.h"

namespace {

using Bytes = std::vector<uint8_t>;

int run_generator(const std::string& out_dir) {
  const std::string cmd = "'" MOSSFORGE_BINARY_DIR "/samplegame' '" + out_dir + "' >/dev/null 2>&1";
  const int raw = std::system(cmd.c_str());
  return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}

// The patch beside the Genesis build turns the master into the build, and is small: an
// unchanged rebuild moves data the master holds, which the patch copies instead of carrying;
// the only new bytes are the chunk sets the master holds packed and the build unpacks (about
// 10 KB of the 2 MiB). The other way round too, so the encoder meets both directions.
void expect_patch_gives_build(const std::string& dir, const std::string& out) {
  EXPECT_EQ(out.rfind("WROTE GLB-Gen.bin, GLB-Gen.bps; ", 0), 0u) << out;
  EXPECT_NE(out.find(" BYTES FREE BELOW 0x164904\n"), std::string::npos) << out;
  const Bytes master = read_bytes(dir + "/master/genesis/glb.bin"), built = read_bytes(dir + "/GLB-Gen.bin");
  const Bytes patch = read_bytes(dir + "/GLB-Gen.bps");
  EXPECT_LT(patch.size(), 20000u);
  Bytes applied;
  std::string why;
  ASSERT_EQ(bps_apply(master.data(), master.size(), patch.data(), patch.size(), applied, why), BpsRefusal::None)
      << why;
  EXPECT_TRUE(applied == built);
  const Bytes back = bps_create(built.data(), built.size(), master.data(), master.size());
  ASSERT_EQ(bps_apply(built.data(), built.size(), back.data(), back.size(), applied, why), BpsRefusal::None) << why;
  EXPECT_TRUE(applied == master);
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

// The other outputs of the generators: the interface images are those in data/, the sample
// game's layout tables are those in its LAYOUT.md, and the program's icon and a preview of a
// map are the pictures recorded after they were looked at.
TEST(ToolOutputs, AreTheCommittedAndRecordedFiles) {
  const std::string dir = scratch_dir("tool_outputs");
  const std::string tools = "cd '" + dir + "' && '" MOSSFORGE_BINARY_DIR;
  ASSERT_EQ(std::system((tools + "/uiimages' . && '" MOSSFORGE_BINARY_DIR "/uiimages' --icon .").c_str()), 0);
  for (const char* f : {"alphanum.png", "bselect.png", "cursor.png"}) {
    EXPECT_TRUE(read_bytes(dir + "/" + f) == read_bytes(MOSSFORGE_SOURCE_DIR "/data/" + std::string(f))) << f;
    std::filesystem::remove(dir + "/" + f);
  }
  ASSERT_EQ(std::system((tools + "/samplegame' --preview 1F preview.png && '" MOSSFORGE_BINARY_DIR
                                 "/samplegame' --layout > layout.txt").c_str()), 0);
  const Bytes layout = read_bytes(dir + "/layout.txt"), doc = read_bytes(MOSSFORGE_SOURCE_DIR "/tools/samplegame/LAYOUT.md");
  EXPECT_GT(layout.size(), 6000u);
  EXPECT_NE(std::search(doc.begin(), doc.end(), layout.begin(), layout.end()), doc.end());
  EXPECT_EQ(tree_hash(dir, {"layout.txt"}), 0x01ede7f8090008cdull) << std::hex << tree_hash(dir, {"layout.txt"});
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
    seen.push_back({m + " project", tree_hash(dir, {"master", "err.txt"})});  // with the closing message
    const CommandRun built = run_mossforge(dir, gen ? "build-genesis GLB-Gen.glp" : "build-aga GLB-AGA.glp");
    EXPECT_EQ(built.status, 0) << built.err;
    seen.push_back({m + " build", tree_hash(dir + (gen ? "/GLB-Gen.bin" : "/GLB-AGA"))});
    if (gen) expect_patch_gives_build(dir, built.out);
  }
  const std::pair<const char*, int> renders[] = {{"00", -12}, {"01", -12}, {"09", 7}, {"0A", 0},
                                                 {"10", 16},  {"14", -5},  {"1F", 0}, {"30", 3}};
  const std::string dir = run("genesis", "render 01 out.png");
  for (const auto& [map, zoom] : renders) {
    const std::string name = "render " + std::string(map) + " at " + std::to_string(zoom);
    const CommandRun r = run_mossforge(dir, "render " + std::string(map) + " out.png --zoom " + std::to_string(zoom));
    EXPECT_EQ(r.status, 0) << name << ": " << r.err;
    seen.push_back({name, tree_hash(dir, {"master", "err.txt"})});  // the picture, the dumps, the closing message
  }
  expect_frame_hashes("sample game outputs", seen,
                      {{"genesis project", 0xbb0c0bc3ef82c0d4ull}, {"genesis build", 0x2b37ab3addf7a78cull},
                       {"aga project", 0xe66032576ccd6fbeull}, {"aga build", 0x29d7aae0c02b0c5dull},
                       {"render 00 at -12", 0xe4f830a537692af6ull}, {"render 01 at -12", 0x82fd4acbecfad3dcull},
                       {"render 09 at 7", 0x0cffab6590567affull}, {"render 0A at 0", 0x604ca5c8d87ad165ull},
                       {"render 10 at 16", 0x2bb958ef97643f51ull}, {"render 14 at -5", 0x3649753756ad806aull},
                       {"render 1F at 0", 0x6b093ba82b987315ull}, {"render 30 at 3", 0x7c36b40b29ec4901ull}});
}

// The levels of the bundled game as the editor holds them after LOAD MAP (from the ROM) and
// LOAD LEVEL (from the AGA project): the model and every picture made for it, hashed per part
// and compared with the values recorded from this program, whose renders of these levels were
// looked at.
TEST(SampleGameLevels, LoadedLevelsAreTheRecordedOnes) {
  headless_screen();
  const std::string dir = scratch_dir("sample_levels");
  ASSERT_EQ(run_generator(dir + "/master"), 0);
  ASSERT_EQ(run_mossforge(dir, "generate-aga master/aga/CODE").status, 0);
  ScopedCwd cwd(dir);
  FrameHashes seen;
  const char* const parts[] = {"layouts",        "chunks",     "markers and block types", "blocks",
                               "chunk pictures", "thumbnails", "icons"};
  const auto hash = fnv_mix;
  auto pictures = [&](const auto& list) {
    uint64_t h = FNV_START;
    for (const BitmapPtr& b : list) {
      const int size[2] = {b ? b->w : -1, b ? b->h : -1};
      h = hash(h, size, sizeof size);
      const uint64_t colours = b ? colour_hash(b.get()) : 0;
      h = hash(h, &colours, sizeof colours);
    }
    return h;
  };
  auto record = [&](const std::string& level) {
    const uint64_t start = FNV_START;
    const std::vector<uint8_t> front = layout_bytes(front_layout), back = layout_bytes(back_layout);
    const std::vector<uint8_t> chunks = chunk_set_bytes(chunkmap);
    uint64_t m = start;
    for (const Marker& k : markers) {
      const int v[] = {k.type, k.x, k.y, k.next_up, k.next_down, k.next_left, k.next_right, k.next_tunnel};
      m = hash(hash(m, v, sizeof v), k.name.c_str(), k.name.size() + 1);
    }
    for (const BlockType& t : block_types) m = hash(m, &t, sizeof t);
    const int32_t counts[] = {marker_count, block_type_count, chunk_thumbnail_count};
    uint64_t icons = pictures(pickup_icons) ^ pictures(block_type_icons) * 3 ^ pictures(block_type_large_icons) * 5;
    icons ^=
        pictures(large_object_frames) * 7 ^ pictures(marker_icons_normal) * 11 ^ pictures(marker_icons_secret) * 13;
    const uint64_t part_hashes[] = {hash(hash(start, front.data(), front.size()), back.data(), back.size()),
                                    hash(start, chunks.data(), chunks.size()), hash(m, counts, sizeof counts),
                                    pictures(block_bitmaps), pictures(chunk_bitmaps), pictures(chunk_thumbnails),
                                    icons ^ pictures(marker_icons_tunnel) * 17};
    for (size_t i = 0; i < 7; ++i) seen.push_back({level + " " + parts[i], part_hashes[i]});
  };
  for (uint8_t map : {0x00, 0x01, 0x0A, 0x10, 0x14, 0x1F}) {
    ASSERT_EQ(level_import_map(map), 0) << int(map);
    record("map " + std::to_string(map));
  }
  ProjectMessages messages;
  ASSERT_TRUE(LoadProject("GLB-AGA.glp", project, messages));
  for (uint8_t level : {1, 9}) {
    ASSERT_EQ(project_level_load_number(level), 0) << int(level);
    record("AGA level " + std::to_string(level));
  }
  // Per level, the hashes of its parts.
  const std::pair<const char*, std::array<uint64_t, 7>> levels[] = {
      {"map 0", {0x3ccf5961aa51a21dull, 0x1b2c34cefbfaf65full, 0xf9dc45603d88025bull, 0xa5795f34ef4df9efull,
                 0xc88786cbda16b2faull, 0xb81c566452d9f726ull, 0x9413fff077c53400ull}},
      {"map 1", {0x116f7d269f08125cull, 0x0f91e71718b1da74ull, 0x1617e745318654e0ull, 0xd49ef0b6fe8c90ceull,
                 0x31fb3d7875d7c241ull, 0x2fd3a6baf3cfb5c0ull, 0xdc03a867357f7cfaull}},
      {"map 10", {0x0421282f81be2323ull, 0x4deb2829571eeb3cull, 0xb612934d87bc1171ull, 0xdb2a3f1916ac3936ull,
                  0xaa49ccaf5e9aed52ull, 0x7ce3e009972b663eull, 0x684cdcb706de0462ull}},
      {"map 16", {0x25a19306fc384da0ull, 0x7c1ef4f31e2cbfffull, 0xb612934d87bc1171ull, 0x764e559832e814a1ull,
                  0xdb7c6021317ad899ull, 0x539c75f2775567ffull, 0x3460d9054f5cf43aull}},
      {"map 20", {0x9bf10bd289402009ull, 0x94912abfe8db561dull, 0xb612934d87bc1171ull, 0xf7e0c68102d8656cull,
                  0x23c5928e60fc87abull, 0x2ac8a14f92c03ec7ull, 0x38a5d23e4791ce50ull}},
      {"map 31", {0x037d07866718ab5eull, 0xf8c5c3c669fa34e9ull, 0xd5cd4fb9e876a4ceull, 0xb1b9e1efbf863414ull,
                  0x361990aed925f957ull, 0xc677d187696744bcull, 0x9466f01826f4f990ull}},
      {"AGA level 1", {0x116f7d269f08125cull, 0x0f91e71718b1da74ull, 0x1617e745318654e0ull, 0x23087fe051256e00ull,
                       0xd528ab00040c1e1aull, 0xccc16ff26e4f5f88ull, 0xdc03a867357f7cfaull}},
      {"AGA level 9", {0x0cd445d3fef74349ull, 0xf8c5c3c669fa34e9ull, 0xd5cd4fb9e876a4ceull, 0x4551e23eccdc02caull,
                       0x0817b2d05ee6f06cull, 0x73a81cdc014ba6e0ull, 0x18b60e769ea003bfull}},
  };
  std::map<std::string, uint64_t> stored;
  for (const auto& [level, hashes] : levels)
    for (size_t i = 0; i < hashes.size(); ++i) stored[std::string(level) + " " + parts[i]] = hashes[i];
  expect_frame_hashes("sample game levels", seen, stored);
}
