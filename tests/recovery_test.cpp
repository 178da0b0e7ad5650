// Recovery snapshots: the manifest text, writes cut off at every step, damaged snapshots,
// and the editor's schedule (snapshot, rewrite after a save, removal when all is saved).
#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <tuple>
#include <functional>
#include <thread>

#include "app/main_menu.h"
#include "app/recovery.h"
#include "files/atomic_file.h"
#include "files/crc32.h"
#include "files/layout_block.h"
#include "files/packed_block.h"
#include "files/recovery_snapshot.h"
#include "game_fixtures.h"
#include "gamedata/level_state.h"
#include "test_support.h"
#include "ui/messages.h"

namespace fs = std::filesystem;

namespace {

struct Data {
  LayoutPlane front, back;
  ChunkMap chunks;
};

Data fixture_data(int seed) { return {fixture_plane(2, 5, seed), fixture_plane(3, 3, seed + 1), fixture_chunks(4, seed)}; }

RecoveryBlocks blocks_of(const Data& d) {
  RecoveryBlocks blocks;
  std::string why;
  EXPECT_TRUE(build_recovery_blocks(&d.front, &d.back, &d.chunks, blocks, why)) << why;
  return blocks;
}

const LevelOrigin ROM_ORIGIN{LevelSource::RomMap, 1, "", "", ""};

std::vector<std::string> names_in(const std::string& dir) {
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(dir)) names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace

TEST(RecoveryManifest, RoundTripsEveryOriginAndRefusesBadText) {
  RecoveryManifest m;
  m.time = 1796700000;
  m.origin = ROM_ORIGIN;
  m.parts[RECOVERY_FRONT] = RecoveryManifest::File{"front-7.lvl", 1234, 0x89ABCDEF};
  RecoveryManifest p = m;
  p.origin = {LevelSource::ProjectLevel, 0x7F, "my game/GLB = Gen.glp", "levels/a b.lvl", "t/x.itm"};
  p.parts[RECOVERY_FRONT].reset();
  p.parts[RECOVERY_BACK] = RecoveryManifest::File{"back-2.lvl", 8, 0};
  p.parts[RECOVERY_CHUNKS] = RecoveryManifest::File{"chunks-2.itm", 0xFFFFFFFF, 0xFFFFFFFF};
  for (const RecoveryManifest& original : {m, p}) {
    RecoveryManifest back;
    std::string why;
    ASSERT_TRUE(parse_recovery_manifest(format_recovery_manifest(original), back, why)) << why;
    EXPECT_EQ(back, original);
  }
  EXPECT_EQ(format_recovery_manifest(m),
            "MOSSFORGE RECOVERY SNAPSHOT 1\ntime = 1796700000\norigin = rom\nnumber = 1\nproject_file = \nlvl_file = \n"
            "itm_file = \nfront = front-7.lvl 1234 89ABCDEF\n");

  const std::string good = format_recovery_manifest(m);
  auto replaced = [&](const std::string& from, const std::string& to) {
    std::string t = good;
    t.replace(t.find(from), from.size(), to);
    return t;
  };
  const struct {
    std::string text, why;
  } bad[] = {
      {"", "the manifest has no valid header"},
      {good.substr(0, good.size() - 1), "the manifest is cut off"},
      {replaced("number = 1\n", ""), "the manifest is incomplete"},
      {replaced("number = 1", "number = 256"), "the manifest's number \"256\" is not valid"},
      {replaced("origin = rom", "origin = disk"), "the manifest names no level origin"},
      {replaced("origin = rom", "origin = project"), "the manifest names no project file"},
      {replaced("front-7.lvl", "../front-7.lvl"), "the manifest's front entry is not valid"},
      {replaced("front = front-7.lvl 1234 89ABCDEF\n", ""), "the manifest names no unsaved part"},
      {good + "front = front-8.lvl 1 00000000\n", "the manifest names front twice"},
      {good + "colour = red\n", "the manifest has an unknown line \"colour\""},
      {good + "garbage\n", "the manifest line \"garbage\" is not key = value"},
      {good + " =\n", "the manifest line \" =\" is not key = value"},  // an empty value needs a key
  };
  for (const auto& b : bad) {
    RecoveryManifest out;
    std::string why;
    EXPECT_FALSE(parse_recovery_manifest(b.text, out, why)) << b.text;
    EXPECT_EQ(why, b.why) << b.text;
  }
}

// A write cut off after each of its steps (a temporary written, a rename) leaves either the
// previous snapshot or the new one, whole; the first snapshot cut off is reported.
TEST(RecoverySnapshot, WriteCutOffAtEveryStepLeavesOneWholeSnapshot) {
  const Data a = fixture_data(1), b = fixture_data(5);
  const LevelOrigin origin_b{LevelSource::RomMap, 2, "", "b.lvl", ""};
  const int steps = 2 * (RECOVERY_PARTS + 1);  // each part and the manifest: temporary, rename
  for (bool with_previous : {true, false}) {
    for (int k = 0; k <= steps; ++k) {
      SCOPED_TRACE(testing::Message() << "previous " << with_previous << ", stopped after " << k << " steps");
      const std::string dir = scratch_dir("recovery_cut") + "/.recovery";
      std::string why;
      if (with_previous) {
        ASSERT_TRUE(write_recovery_snapshot(dir, ROM_ORIGIN, 100, blocks_of(a), why)) << why;
      }
      write_recovery_snapshot(dir, origin_b, 200, blocks_of(b), why, k);
      RecoverySnapshot s;
      const SnapshotState state = read_recovery_snapshot(dir, s, why);
      if (k == steps || with_previous) {
        // All steps done: the new snapshot; else the previous one, whole.
        const Data& d = k == steps ? b : a;
        ASSERT_EQ(state, SnapshotState::Present) << why;
        EXPECT_EQ(s.origin, k == steps ? origin_b : ROM_ORIGIN);
        EXPECT_EQ(s.time, k == steps ? 200 : 100);
        EXPECT_EQ(*s.front, d.front);
        EXPECT_EQ(*s.back, d.back);
        EXPECT_EQ(s.chunks->count(), d.chunks.count());
        EXPECT_EQ(std::memcmp(s.chunks->chunks.data(), d.chunks.chunks.data(), 4 * sizeof(Chunk)), 0);
      } else if (k == 0) {
        EXPECT_EQ(state, SnapshotState::Absent);
      } else {
        EXPECT_EQ(state, SnapshotState::Damaged);
        EXPECT_EQ(why, "it has no manifest (its writing was cut off)");
      }
    }
  }
}

// A file where the snapshot folder goes: refused before anything is written, with the reason.
TEST(RecoverySnapshot, AFileInPlaceOfItsFolderIsRefusedAndStays) {
  const std::string dir = scratch_dir("recovery_blocked") + "/.recovery";
  ASSERT_TRUE(write_file_atomic(dir, std::vector<uint8_t>{1, 2, 3}));
  std::string why;
  EXPECT_FALSE(write_recovery_snapshot(dir, ROM_ORIGIN, 100, blocks_of(fixture_data(1)), why));
  EXPECT_EQ(why.rfind("cannot create \"" + dir + "\": ", 0), 0u) << why;
  EXPECT_EQ(read_bytes(dir), (std::vector<uint8_t>{1, 2, 3}));
}

TEST(RecoverySnapshot, DamagedSnapshotsAreRefusedWithTheReasonAndMovedAside) {
  const Data d = fixture_data(3);
  // A part that passes size and checksum but is no layout block.
  const std::vector<uint8_t> not_a_block = {'M', 'A', 'P', 0, 0, 0, 0, 0x40};
  LayoutPlane ignored;
  std::string decode_error;
  ASSERT_FALSE(LoadLevelBlock(not_a_block.data(), not_a_block.size(), 0, ignored, decode_error));
  // A file of the snapshot changed in place.
  const auto edit = [](const char* file, std::function<void(std::vector<uint8_t>&)> change) {
    return [=](const std::string& dir) {
      std::vector<uint8_t> bytes = read_bytes(dir + "/" + file);
      change(bytes);
      write_bytes(dir + "/" + file, bytes);
    };
  };
  const struct {
    const char* name;
    std::function<void(const std::string& dir)> damage;
    std::string why;
  } cases[] = {
      {"part missing", [](const std::string& dir) { fs::remove(dir + "/back-1.lvl"); },
       "its file back-1.lvl is missing"},
      {"part cut short", edit("front-1.lvl", [](std::vector<uint8_t>& b) { b.resize(10); }),
       "its file front-1.lvl holds 10 bytes, not " + std::to_string(pack_block(blocks_of(d)[0]).size())},
      {"byte changed", edit("chunks-1.itm", [](std::vector<uint8_t>& b) { b[b.size() / 2] ^= 0x10; }),
       "its file chunks-1.itm is damaged (checksum)"},
      {"manifest garbled", [](const std::string& dir) { write_bytes(dir + "/manifest", {'x', '\n'}); },
       "the manifest has no valid header"},
      {"part does not decode",
       [&](const std::string& dir) {
         write_bytes(dir + "/front-1.lvl", not_a_block);
         std::string text = read_text_file(dir + "/manifest");
         const size_t at = text.find("front = ");
         char line[64];
         std::snprintf(line, sizeof line, "front = front-1.lvl 8 %08X", crc32_of(not_a_block.data(), 8));
         text.replace(at, text.find('\n', at) - at, line);
         write_bytes(dir + "/manifest", std::vector<uint8_t>(text.begin(), text.end()));
       },
       "front-1.lvl: " + decode_error},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string dir = scratch_dir("recovery_damaged") + "/.recovery";
    std::string why, where;
    ASSERT_TRUE(write_recovery_snapshot(dir, ROM_ORIGIN, 1, blocks_of(d), why)) << why;
    const std::vector<std::string> files = names_in(dir);
    c.damage(dir);
    RecoverySnapshot s;
    EXPECT_EQ(read_recovery_snapshot(dir, s, why), SnapshotState::Damaged);
    EXPECT_EQ(why, c.why);
    // Moved aside whole, nothing deleted; a second one with the same stamp goes beside it.
    ASSERT_TRUE(move_recovery_snapshot_aside(dir, "stamp", where, why)) << why;
    EXPECT_EQ(where, dir + "/discarded/stamp");
    EXPECT_EQ(read_recovery_snapshot(dir, s, why), SnapshotState::Absent);
    ASSERT_TRUE(write_recovery_snapshot(dir, ROM_ORIGIN, 1, blocks_of(d), why)) << why;
    ASSERT_TRUE(move_recovery_snapshot_aside(dir, "stamp", where, why)) << why;
    EXPECT_EQ(where, dir + "/discarded/stamp-2");
    EXPECT_EQ(names_in(dir + "/discarded/stamp").size(), files.size() - (c.name == std::string("part missing")));
  }
}

// The editor's side: nothing before the interval, a snapshot after it, a rewrite as soon as
// a part it holds is saved, and no snapshot once everything is saved.
namespace {

// The editor's schedule on a level of fixture data, with its own snapshot folder; puts the
// program-wide recovery settings and the level back afterwards.
class RecoveryCheck : public ::testing::Test {
 protected:
  void SetUp() override {
    recovery_dir = dir;
    recovery_reset(true);
    const Data d = fixture_data(9);
    front_layout = d.front;
    back_layout = d.back;
    chunkmap = d.chunks;
    level_origin = ROM_ORIGIN;
  }
  void TearDown() override {
    recovery_reset(false);
    recovery_dir = saved_dir;
    snapshot_interval = saved_interval;
  }
  // The parts the snapshot on disk holds (UNSAVED_* bits), -1 when there is none.
  int parts_on_disk() const {
    RecoverySnapshot s;
    std::string why;
    if (read_recovery_snapshot(dir, s, why) != SnapshotState::Present) return -1;
    return (s.front ? UNSAVED_FRONT : 0) | (s.back ? UNSAVED_BACK : 0) | (s.chunks ? UNSAVED_CHUNKS : 0);
  }
  const std::string dir = scratch_dir("recovery_check") + "/.recovery";
  const std::string saved_dir = recovery_dir;
  const double saved_interval = snapshot_interval;
};

}  // namespace

TEST_F(RecoveryCheck, SnapshotFollowsTheUnsavedParts) {

  snapshot_interval = 3600;
  level_changed_flags = CHANGED_LAYOUT | CHANGED_CHUNKS;
  recovery_check();
  EXPECT_FALSE(fs::exists(dir));  // unsaved for less than the interval
  snapshot_interval = 0;
  recovery_check();
  EXPECT_EQ(parts_on_disk(), UNSAVED_FRONT | UNSAVED_BACK | UNSAVED_CHUNKS);
  snapshot_interval = 3600;
  level_changed_flags = CHANGED_CHUNKS;  // the layouts were saved
  recovery_check();
  EXPECT_EQ(parts_on_disk(), UNSAVED_CHUNKS);
  level_changed_flags = 0;  // everything saved
  recovery_check();
  EXPECT_FALSE(fs::exists(dir));

  level_changed_flags = CHANGED_CHUNKS;
  snapshot_interval = 0;
  recovery_check();
  EXPECT_EQ(parts_on_disk(), UNSAVED_CHUNKS);
  recovery_end();  // a clean QUIT
  EXPECT_FALSE(fs::exists(dir));

  // A snapshot that cannot be written (a file where its folder's parent goes) is reported once.
  const std::string blocked = scratch_dir("recovery_blocked") + "/file";
  { std::FILE* f = std::fopen(blocked.c_str(), "wb"); if (f) std::fclose(f); }
  recovery_dir = blocked + "/.recovery";
  recovery_reset(true);
  level_changed_flags = CHANGED_CHUNKS;
  set_message_sink(MessageSink::Capture);
  captured_messages().clear();
  recovery_check();
  recovery_check();
  EXPECT_EQ(captured_messages().size(), 1u);
  if (!captured_messages().empty()) {
    EXPECT_EQ(captured_messages()[0].rfind("ERROR: Cannot write the recovery snapshot in \"" + recovery_dir + "\": ", 0), 0u);
  }

}

// MOSSFORGE_SNAPSHOT_SECONDS sets the interval only when it is a positive number.
// Unsaved time adds up over the checks, and a part saved since the snapshot makes the next
// check rewrite it at once, whichever part it was.
TEST_F(RecoveryCheck, UnsavedTimeAddsUpAndASavedPartIsDroppedAtOnce) {
  snapshot_interval = 0.03;
  level_changed_flags = CHANGED_FRONT;
  for (int i = 0; i < 4; ++i) {  // four checks 15 ms apart: at least 45 ms of unsaved time
    recovery_check();
    std::this_thread::sleep_for(std::chrono::milliseconds(15));
  }
  recovery_check();
  EXPECT_EQ(parts_on_disk(), UNSAVED_FRONT);

  snapshot_interval = 3600;
  level_changed_flags = CHANGED_BACK;  // the front was saved, the back edited since
  recovery_check();
  EXPECT_EQ(parts_on_disk(), UNSAVED_BACK);
  level_changed_flags = CHANGED_CHUNKS;
  recovery_check();
  EXPECT_EQ(parts_on_disk(), UNSAVED_CHUNKS);

  recovery_end();
}

TEST(RecoverySettings, SnapshotSecondsFromTheEnvironmentMustBePositive) {
  headless_screen();
  const double saved_interval = snapshot_interval;
  for (const char* text : {"0", "-2", "2.5"}) {
    snapshot_interval = 60;
    setenv("MOSSFORGE_SNAPSHOT_SECONDS", text, 1);
    recovery_begin();
    EXPECT_EQ(snapshot_interval, text[0] == '2' ? 2.5 : 60.0) << text;
  }
  unsetenv("MOSSFORGE_SNAPSHOT_SECONDS");
  set_window_hooks(nullptr, nullptr);
  std::signal(SIGTERM, SIG_DFL);
  std::signal(SIGHUP, SIG_DFL);
  recovery_reset(false);
  snapshot_interval = saved_interval;
}

// The window's close button is QUIT: the main menu ends as QUIT ends it.
TEST(RecoveryStartUp, CloseButtonQuitsFromTheMainMenu) {
  headless_screen(640, 480);
  ScriptedInput in(640, 480);
  ScopedInput guard(in);
  close_requested = 1;
  main_menu();
  EXPECT_EQ(editor_mode, 255);
  EXPECT_EQ(close_requested, 0);
  EXPECT_EQ(in.presents, 1);
}

// At start-up: no snapshot asks nothing; N sets it aside quietly; Y brings the map back from the
// ROM with the snapshot's part unsaved; without the ROM, or damaged, it is set aside with the
// reason.
TEST_F(RecoveryCheck, StartUpRecoversOrSetsTheSnapshotAside) {
  headless_screen();
  ScopedCwd cwd(fs::path(dir).parent_path().string());
  write_test_rom(build_test_rom().rom, ".");
  ScriptedInput in(640, 480);
  ScopedInput scope(in);
  const Data d = fixture_data(3);
  const LevelOrigin map2{LevelSource::RomMap, 2, "", "f.lvl", "f.itm"};  // saved to files since
  std::string why;
  EXPECT_FALSE(recover_at_start_up());
  const std::string set_aside = "ERROR: The recovery snapshot cannot be used: ";
  // Each recovered snapshot lacks a part that was saved to f.lvl or f.itm since: that part is
  // read from its file.
  const std::tuple<int, std::string, int> runs[] = {
      {KEY_N, "", RECOVERY_CHUNKS},
      {KEY_Y, "[02] SECOND ISLAND", RECOVERY_CHUNKS},
      {KEY_Y, "[02] SECOND ISLAND", RECOVERY_FRONT},
      {KEY_Y, set_aside + "map 02 of \"./master/genesis/glb.bin\" could not be loaded. It was moved to " + dir +
                  "/discarded/", RECOVERY_CHUNKS},
      {0, set_aside + "the manifest ", RECOVERY_CHUNKS}};
  write_bytes("f.itm", chunk_set_bytes(d.chunks));
  write_bytes("f.lvl", layout_bytes(d.front));
  for (const auto& [answer, message, saved] : runs) {
    RecoveryBlocks blocks = blocks_of(d);
    blocks[static_cast<size_t>(saved)].clear();
    ASSERT_TRUE(write_recovery_snapshot(dir, map2, 100, blocks, why)) << why;
    if (answer) in.tap(answer);
    if (message.rfind(set_aside + "map", 0) == 0) fs::remove(ROM_PATH);
    if (!answer) write_bytes(dir + "/manifest", {'x'});
    captured_messages().clear();
    const bool recovered = message[0] == '[';
    EXPECT_EQ(recover_at_start_up(), recovered);
    EXPECT_EQ(fs::exists(dir + "/manifest"), recovered);
    EXPECT_EQ(captured_messages().empty() ? "" : captured_messages().back().substr(0, message.size()), message);
    if (!recovered) continue;
    EXPECT_TRUE(front_layout == d.front && back_layout == d.back);
    EXPECT_EQ(chunk_set_bytes(chunkmap), chunk_set_bytes(d.chunks));
    EXPECT_TRUE(chunk_bitmaps[3] && chunk_thumbnails.size() == 4);
    EXPECT_EQ(level_origin, map2);
    EXPECT_EQ(level_changed_flags, CHANGED_BACK | (saved == RECOVERY_FRONT ? CHANGED_CHUNKS : CHANGED_FRONT));
    remove_recovery_snapshot(dir);
  }
}
