// Exact limits: every edge a check draws (one under, on, one over), the fixed buffers of the
// game's formats (each tried at its value and one past it), and the oracles that do not come
// from the code itself (the main menu's mode table, the CRC-32 check value).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>

#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include "app/level_commands.h"
#include "app/main_menu.h"
#include "app/problem_text.h"
#include "app/render_command.h"
#include "files/byte_order.h"
#include "files/atomic_file.h"
#include "files/crc32.h"
#include "files/game_build.h"
#include "files/game_image.h"
#include "files/layout_block.h"
#include "files/chunk_set_block.h"
#include "files/packed_block.h"
#include "files/pp20.h"
#include "files/recovery_snapshot.h"
#include "files/project_tree.h"
#include "game_fixtures.h"
#include "gamedata/level_state.h"
#include "leveledit/layout_objects.h"
#include "render/status_bar.h"
#include "test_support.h"
#include "ui/frame.h"
#include "ui/messages.h"

TEST(MenuLimits, EveryMainMenuLineRunsItsMode) {
  // Line (1-based) -> mode: the screens in menu order, SETUP 4 and QUIT 255; separators run nothing.
  const uint8_t modes[22] = {1, 2, 3, 0, 5, 6, 0, 7, 8, 0, 9, 10, 0, 11, 12, 13, 0, 14, 15, 0, 4, 255};
  for (int line = 1; line <= 22; ++line) {
    EXPECT_EQ(mode_for_menu_result(static_cast<uint8_t>(128 + line)), modes[line - 1]) << line;
    EXPECT_EQ(mode_for_menu_result(static_cast<uint8_t>(line)), 0) << line;  // hover alone
  }
}

namespace {

using Bytes = std::vector<uint8_t>;

// n bytes that end exactly where an unreadable page starts: a reader that looks one byte past
// what it was given faults at once, in every build.
class FencedBytes {
 public:
  FencedBytes(const std::vector<uint8_t>& bytes, size_t n) {
    page_ = static_cast<size_t>(sysconf(_SC_PAGESIZE));
    size_ = ((n + page_ - 1) / page_ + 1) * page_;
    void* m = mmap(nullptr, size_, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    base_ = m == MAP_FAILED ? nullptr : static_cast<uint8_t*>(m);
    if (!base_ || mprotect(base_ + size_ - page_, page_, PROT_NONE) != 0) std::abort();
    data_ = base_ + size_ - page_ - n;
    std::memcpy(data_, bytes.data(), n);
  }
  ~FencedBytes() { munmap(base_, size_); }
  FencedBytes(const FencedBytes&) = delete;
  FencedBytes& operator=(const FencedBytes&) = delete;
  const uint8_t* data() const { return data_; }

 private:
  size_t page_ = 0, size_ = 0;
  uint8_t *base_ = nullptr, *data_ = nullptr;
};

bool same(const LayoutPlane& a, const LayoutPlane& b) { return a == b; }
bool same(const ChunkMap& a, const ChunkMap& b) { return chunk_set_bytes(a) == chunk_set_bytes(b); }
bool same(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) { return a == b; }

// Every cut of a valid file, at offset 0 and behind 3 other bytes, through one reader:
// refused while a byte is missing, read exactly when whole, never a read past the end.
template <typename Out>
void expect_every_cut_refused(const std::vector<uint8_t>& whole, const Out& expected,
                              bool (*load)(const uint8_t*, size_t, size_t, Out&, std::string&)) {
  for (size_t lead : {size_t{0}, size_t{3}}) {
    std::vector<uint8_t> file(lead, 0xEE);
    file.insert(file.end(), whole.begin(), whole.end());
    for (size_t n = 0; n <= file.size(); ++n) {
      FencedBytes fenced(file, n);
      Out out;
      std::string error;
      const bool ok = load(fenced.data(), n, lead, out, error);
      if (n < file.size()) {
        EXPECT_FALSE(ok) << "cut at " << n << " of " << file.size();
      } else {
        EXPECT_TRUE(ok) << error;
        EXPECT_TRUE(same(out, expected));
      }
    }
  }
}

bool load_packed(const uint8_t* file, size_t size, size_t offset, std::vector<uint8_t>& out, std::string& error) {
  return unpack_block(file, size, offset, out, error, 1u << 20);
}

}  // namespace

// A read from a game file may end at its last byte, not one past it.
TEST(FormatLimits, AGameFileReadMayEndAtItsLastByte) {
  const std::vector<uint8_t> bytes(8, 0);
  const GameImage image{bytes, ""};
  EXPECT_TRUE(image.has(4, 4));
  EXPECT_FALSE(image.has(5, 4));
  EXPECT_TRUE(image.has(8, 0));
  EXPECT_FALSE(image.has(9, 0));
}

// A game file the AGA generation copies may be 512 KiB, not a byte more.
TEST(FormatLimits, GameFilesAreCopiedUpTo512KiB) {
  ScopedCwd cwd(scratch_dir("game_file_limit"));
  for (const size_t size : {GAME_FILE_LIMIT, GAME_FILE_LIMIT + 1}) {
    ASSERT_TRUE(write_file_atomic("f.GLV", std::vector<uint8_t>(size, 7)));
    std::vector<uint8_t> bytes;
    ProjectMessages m;
    const bool ok = read_game_file("f.GLV", bytes, m);
    EXPECT_EQ(ok, size == GAME_FILE_LIMIT) << size;
    EXPECT_EQ(bytes.size(), ok ? size : 0) << size;
    EXPECT_EQ(problem_texts(m), ok ? std::vector<std::string>{}
                                   : std::vector<std::string>{"ERROR: Cannot copy the file 'f.GLV', because it has an "
                                                              "unsupported file size of 524289 bytes."});
  }
}


// The AGA build reads a master CODE of up to 16 MiB (to find it is no packed block), not more.
TEST(FormatLimits, TheAgaBuildReadsAMasterCodeOfUpTo16MiB) {
  ScopedCwd cwd(scratch_dir("aga_master_limit"));
  std::filesystem::create_directories("master/aga");
  for (const size_t size : {size_t{16} << 20, (size_t{16} << 20) + 1}) {
    ASSERT_TRUE(write_file_atomic(MASTER_CODE_PATH, std::vector<uint8_t>(size, 0)));
    ProjectMessages m;
    EXPECT_EQ(BuildAgaGame(ProjectTables(), m), -1);
    const std::string text = problem_texts(m).at(0);
    EXPECT_NE(text.find(size == size_t{16} << 20 ? "is not a packed block" : "too large (more than 16777216 bytes)"),
              std::string::npos) << text;
  }
}

// Descriptor names that differ only in case are made unique, as they would be one file on a
// disk that ignores case; a back layout's number has seven bits.
TEST(FormatLimits, DescriptorNamesDifferingInCaseAreMadeUniqueAndBackLayoutsUseSevenBits) {
  GameNames names;
  names.aga = true;
  names.chunkmap[0] = "Jungle.ITM";
  names.chunkmap[1] = "JUNGLE.itm";
  const DescriptorPaths paths = descriptor_paths(names);
  EXPECT_EQ(paths.themes[0], "./themes/Jungle.glt");
  EXPECT_EQ(paths.themes[1], "./themes/JUNGLE_2.glt");
  // Back layout numbers use seven bits.
  names.layouts[0x05] = "Front05.lvl";
  names.layouts[LAYOUT_BANK_SIZE + 0x45] = "Back45.lvl";
  names.headers[3].map_front = 0x05;
  names.headers[3].map_back = 0xC5;
  EXPECT_NE(level_descriptor_text(names, 3).find("map_back = ./lvl/Back45.lvl"), std::string::npos);
}

TEST(FormatLimits, EveryCutOfABlockIsRefusedWithoutReadingPastIt) {
  const LayoutPlane plane = fixture_plane(2, 5, 7);
  const std::vector<uint8_t> layout = layout_bytes(plane);
  expect_every_cut_refused(layout, plane, LoadLevelBlock);
  expect_every_cut_refused(pp20_pack(layout.data(), layout.size()), plane, LoadLevelBlock);
  const ChunkMap chunks = fixture_chunks(3, 5);
  expect_every_cut_refused(chunk_set_bytes(chunks), chunks, LoadChunkSet);
  expect_every_cut_refused(pp20_pack(layout.data(), layout.size()), layout, load_packed);
}

// A layout block runs from its 10-byte header (shorter is too short; 10 bytes are read for
// "MAP") to 65,535 bytes.
TEST(FormatLimits, LayoutBlocksRunFromTenBytesTo65535) {
  const std::vector<uint8_t> bytes(10, 'X');
  LayoutPlane plane;
  std::string error;
  EXPECT_FALSE(decode_layout_block(bytes.data(), 9, plane, error));
  EXPECT_EQ(error, "the layout block is too short");
  EXPECT_FALSE(decode_layout_block(bytes.data(), 10, plane, error));
  EXPECT_EQ(error, "the layout block does not start with \"MAP\"");
  // 10 header bytes + 5 table bytes (height 40) + 4 per object.
  plane = LayoutPlane();
  plane.theme = 1;
  plane.width = 512;
  plane.height = 40;
  plane.rows.resize(3);
  plane.rows[1].objects.assign(16380, LayoutObject{0x0101, 32});
  std::vector<uint8_t> out;
  ASSERT_TRUE(build_layout_block(plane, out, error)) << error;
  EXPECT_EQ(out.size(), 65535u);
  plane.rows[2].objects.push_back(LayoutObject{0x0101, 48});
  EXPECT_FALSE(build_layout_block(plane, out, error));
}


TEST(FormatLimits, Crc32GivesTheStandardCheckValue) {
  EXPECT_EQ(crc32_of(reinterpret_cast<const uint8_t*>("123456789"), 9), 0xCBF43926u);
  EXPECT_EQ(crc32_of(nullptr, 0), 0u);
}

TEST(FormatLimits, RomEntriesMustLieWhollyInsideTheImage) {
  MapHeader h;
  std::string error;
  const size_t end_of_map_2 = genesis::MAP_HEADERS + 3 * 13;
  RomImage rom(end_of_map_2 - 1, 0);
  EXPECT_FALSE(read_map_header(rom, 2, h, error));
  rom.resize(end_of_map_2, 7);
  EXPECT_TRUE(read_map_header(rom, 2, h, error)) << error;
  EXPECT_EQ(h.music, 7);

  // A plain block map holds BLOCKMAP_BYTES: as many mappings as fit in it, not one more.
  RomImage maps(0x100 + genesis::BLOCKMAP_BYTES, 1);
  BlockMap out;
  std::vector<uint8_t> bytes;
  const int fit = static_cast<int>(genesis::BLOCKMAP_BYTES / 8);
  EXPECT_TRUE(read_blockmap(maps, 0x100, fit, "the block map", out, bytes, error)) << error;
  EXPECT_FALSE(read_blockmap(maps, 0x100, fit + 1, "the block map", out, bytes, error));
}


TEST(StateLimits, EachUnsavedPartMarksItsOwnFlagOnly) {
  const uint8_t saved = level_changed_flags;
  const std::pair<uint8_t, uint8_t> parts[] = {
      {UNSAVED_FRONT, CHANGED_FRONT}, {UNSAVED_BACK, CHANGED_BACK}, {UNSAVED_CHUNKS, CHANGED_CHUNKS}};
  for (const auto& [part, flag] : parts) {
    level_changed_flags = 0;
    mark_parts_unsaved(part);
    EXPECT_EQ(level_changed_flags, flag) << int(part);
    EXPECT_EQ(unsaved_parts(), part);
  }
  level_changed_flags = saved;
}

TEST(InputLimits, StatusLineJustTheWidthOfUnsavedShowsItAlone) {
  LevelStatus s;
  s.origin = "MAP 01 OF GLB.BIN";
  s.unsaved = true;
  EXPECT_EQ(level_status_text(s, 7), "UNSAVED");
  EXPECT_EQ(level_status_text(s, 8), "UNSAVED");
  const std::string nine = level_status_text(s, 9);
  EXPECT_EQ(nine.size(), 9u);
  EXPECT_EQ(nine.substr(1), " UNSAVED");
}

TEST(InputLimits, BatchCommandsRefuseOneArgumentTooFewOrTooMany) {
  const std::string dir = scratch_dir("batch_arguments");
  // Each usage, and the argument lists that miss or add one argument.
  const std::pair<const char*, std::vector<const char*>> usages[] = {
      {"pack IN OUT", {"pack a", "pack a b c"}},
      {"unpack IN OUT [OFFSET]", {"unpack a", "unpack a b 0 d"}},
      {"render MAP OUT.png [--zoom Z]", {"render 01", "render 01 o.png --zoom", "render 01 o.png --zoom 0 x"}},
      {"generate-genesis ROM [--overwrite]", {"generate-genesis", "generate-genesis r --overwrite x"}},
      {"generate-aga CODE [--overwrite]", {"generate-aga c x"}},
      {"build-genesis PROJECT.glp", {"build-genesis"}},
      {"build-aga PROJECT.glp", {"build-aga p.glp x"}},
      {"usage chunks|blocks [PROJECT.glp]", {"usage", "usage blocks p.glp x"}},
      {"bps-create SOURCE TARGET OUT.bps", {"bps-create s t"}},
      {"bps-apply SOURCE PATCH OUT", {"bps-apply s p o x"}},
      {"init-workspace DIR", {"init-workspace", "init-workspace a b"}},
      {"play PROJECT.glp", {"play"}},
  };
  for (const auto& [usage, argument_lists] : usages)
    for (const char* args : argument_lists) {
      const CommandRun r = run_mossforge(dir, args);
      EXPECT_EQ(r.status, 1) << args;
      EXPECT_NE(r.err.find(std::string("ERROR: Usage: mossforge ") + usage), std::string::npos) << args << ": " << r.err;
    }
  // The list of commands, one line each after the usage; the version; an unknown command.
  const CommandRun help = run_mossforge(dir, "--help"), h = run_mossforge(dir, "-h");
  EXPECT_EQ(help.status, 0);
  EXPECT_EQ(help.out, h.out);
  const size_t list = help.out.find("\nBatch commands:\n") + 17;
  const std::string commands = help.out.substr(list, help.out.find("\n\n", list) + 1 - list);
  EXPECT_EQ(std::count(commands.begin(), commands.end(), '\n'), 12) << commands;
  EXPECT_NE(help.out.find("\n  pack IN OUT" + std::string(29, ' ') +
                          " pack the whole file IN into the PP20 packed block OUT\n  unpack IN OUT [OFFSET]"),
            std::string::npos)
      << help.out;
  const CommandRun version = run_mossforge(dir, "--version"), unknown = run_mossforge(dir, "packs a b");
  EXPECT_EQ(version.out, "mossforge 0.50 alpha\n");
  EXPECT_EQ(unknown.status, 2);
  EXPECT_EQ(unknown.err, "ERROR: Unknown command \"packs\". Run \"mossforge --help\" for the list of commands.\n");
}

TEST(InputLimits, HexObjectNumbersTakeEveryDigitOfBothCases) {
  EXPECT_EQ(parse_object_number("f").value, 0xF);
  EXPECT_EQ(parse_object_number("aF09").value, 0xAF09);
  EXPECT_TRUE(parse_object_number("g").bad);
}

// A manifest holds one file name a line: a name of the level with a line break (in the
// project file, the .lvl or the .itm) is refused before anything is written.
TEST(InputLimits, SnapshotsRefuseFileNamesWithALineBreak) {
  const std::string dir = scratch_dir("snapshot_line_break");
  RecoveryBlocks blocks;
  blocks[0] = {1, 2, 3};
  std::string why;
  for (const char* bad : {"a\nb.glp", "a\rb.glp"})
    for (int field = 0; field < 3; ++field) {
      LevelOrigin origin;
      origin.source = LevelSource::ProjectLevel;
      (field == 0 ? origin.project_file : field == 1 ? origin.lvl_file : origin.itm_file) = bad;
      EXPECT_FALSE(write_recovery_snapshot(dir + "/s", origin, 1, blocks, why)) << field;
      EXPECT_NE(why.find("line break"), std::string::npos) << why;
      EXPECT_FALSE(std::filesystem::exists(dir + "/s")) << field;
    }
  LevelOrigin plain;
  plain.project_file = "a b.glp";
  EXPECT_TRUE(write_recovery_snapshot(dir + "/s", plain, 1, blocks, why)) << why;
}

// The timer counts the frames of each second: every 60th tick the count so far becomes the
// FPS value and starts again (a display of its own, with the program's untouched).
TEST(StateLimits, FpsValueTakesTheFramesOfEachSixtyTicks) {
  ScriptedInput in(640, 480);
  ScopedInput guard(in);
  Settings settings_of_test;
  Display d(settings_of_test);
  for (int tick = 1; tick <= 120; ++tick) {
    d.frames_this_second = d.frames_this_second + 1;
    advance_frame_timer(d);
    if (tick == 59 || tick == 60) {
      EXPECT_EQ(d.fps_value, tick == 60 ? 60 : 0) << tick;
    }
  }
  EXPECT_EQ(d.fps_value, 60);
  EXPECT_EQ(d.frames_this_second, 0u);
  EXPECT_EQ(d.timer_ticks, 120);
  EXPECT_EQ(d.screen_ticks, 120u);
  EXPECT_EQ(timer_ticks, 0);
}

TEST(BufferLimits, UnpackedSizeAgainstWhatTheCallerHolds) {
  pp20_set_trace(nullptr);
  const Bytes block = pack_block(Bytes(5000, 7));
  Bytes out;
  std::string error;
  EXPECT_TRUE(unpack_block(block.data(), block.size(), 0, out, error, 5000)) << error;
  EXPECT_EQ(out.size(), 5000u);
  out.clear();
  EXPECT_FALSE(unpack_block(block.data(), block.size(), 0, out, error, 4999));
  EXPECT_NE(error.find("unpacks to 5000 bytes, more than 4999"), std::string::npos) << error;
  EXPECT_TRUE(out.empty());
  // The block's size is checked from four bytes on.
  const Bytes four = {0x7F, 0xFF, 0xFF, 0xFF};
  EXPECT_FALSE(unpack_block(four.data(), four.size(), 0, out, error, 1u << 20));
  EXPECT_NE(error.find("claims"), std::string::npos) << error;

  // A layout block holds at most 65,535 bytes: one of exactly that size reads, packed.
  LayoutPlane plane;
  plane.height = 16;
  plane.rows.resize(2);
  plane.rows[1].objects.resize((65535 - 12) / 4, LayoutObject{1, 2});
  Bytes plain;
  ASSERT_TRUE(build_layout_block(plane, plain, error));
  plain.resize(65535, 0);  // the last row takes the bytes up to the block's end
  write_be16(&plain[10], 65535);
  const Bytes packed = pack_block(plain);
  LayoutPlane back;
  EXPECT_TRUE(LoadLevelBlock(packed.data(), packed.size(), 0, back, error)) << error;
  plain.push_back(0);
  const Bytes too_big = pack_block(plain);
  EXPECT_FALSE(LoadLevelBlock(too_big.data(), too_big.size(), 0, back, error));
  EXPECT_NE(error.find("more than 65535"), std::string::npos) << error;

  // A chunk set unpacks into 133,124 bytes; the decoder then reads only what its table names.
  Bytes set(CHUNK_SET_LIMIT, 0);
  set[0] = 'I', set[1] = 'T', set[2] = 'M', set[3] = 'S';
  ChunkMap map;
  const Bytes set_packed = pack_block(set);
  EXPECT_TRUE(LoadChunkSet(set_packed.data(), set_packed.size(), 0, map, error)) << error;
  set.push_back(0);
  const Bytes set_too_big = pack_block(set);
  EXPECT_FALSE(LoadChunkSet(set_too_big.data(), set_too_big.size(), 0, map, error));
  EXPECT_NE(error.find("more than 133124"), std::string::npos) << error;
}

// Files are read whole up to their limit: at it, one past it, a file that grows past it while
// it is read (a system file with no size), and one the user may not read (the system's reason).
TEST(BufferLimits, FilesAreReadUpToTheirLimit) {
  ScopedCwd cwd(scratch_dir("limits_files"));
  ASSERT_TRUE(write_file_atomic("f.bin", Bytes(1000, 3), nullptr, false));
  Bytes out;
  Problem problem, grows, denied;
  EXPECT_TRUE(read_whole_file("f.bin", out, &problem, 1000));
  EXPECT_EQ(out.size(), 1000u);
  out.assign(5, 9);
  EXPECT_FALSE(read_whole_file("f.bin", out, &problem, 999));
  EXPECT_EQ(problem_text(problem), "ERROR: File \"f.bin\" is too large (more than 999 bytes).");
  EXPECT_EQ(out, Bytes(5, 9));  // untouched on failure
  EXPECT_FALSE(read_whole_file("/proc/self/status", out, &grows, 16));
  EXPECT_EQ(grows.kind, Problem::Kind::TooLarge);
  EXPECT_EQ(out, Bytes(5, 9));
  ASSERT_EQ(chmod("f.bin", 0), 0);
  ScopedUnprivileged nobody;
  EXPECT_FALSE(read_whole_file("f.bin", out, &denied));
  EXPECT_EQ(denied.kind, Problem::Kind::Unreadable);
  EXPECT_EQ(denied.detail, "Permission denied");
  EXPECT_EQ(denied.other, "");
}

// The arguments' limits, run in the process where no ROM is: an accepted argument ends at the import.
TEST(RenderCommand, ZoomFromMinus12To48AndMapNumbersOfOneOrTwoDigits) {
  headless_screen();
  ScopedCwd cwd(scratch_dir("render_limits"));
  FILE* const trace = pp20_trace_stream();  // the command turns the decoder's trace off
  auto run = [](std::vector<std::string> args) {
    captured_messages().clear();
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(&a[0]);
    const int status = run_render_command(static_cast<int>(argv.size()), argv.data());
    return std::to_string(status) + " " + (captured_messages().empty() ? "" : captured_messages()[0]);
  };
  const std::string map_error = std::string("1 ") + MAP_NUMBER_ERROR;
  for (const char* zoom : {"-12", "48"}) EXPECT_EQ(run({"render", "G5", "x.png", "--zoom", zoom}), map_error) << zoom;
  for (const char* zoom : {"-13", "49"})
    EXPECT_EQ(run({"render", "G5", "x.png", "--zoom", zoom}),
              "1 ERROR: Zoom \"" + std::string(zoom) + "\" must be a whole number from -12 to 48.");
  EXPECT_EQ(run({"render", "100", "x.png"}), map_error);
  EXPECT_EQ(run({"render", "", "x.png"}), map_error);
  EXPECT_EQ(run({"render", "10", "x.png"}), "1 ERROR: File \"./master/genesis/glb.bin\" not found.");
  pp20_set_trace(trace);
}
