// The fixed buffers of the game's formats, checked before anything is written into them:
// 512 KiB packed blocks, the unpacked sizes a caller can hold (64 KiB layouts, 133,124-byte
// chunk sets, 647,168 bytes of CODE data), files read whole, and the AGA build's CODE
// buffers. Each limit is tried at its value (accepted) and one past it (refused).
#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "app/problem_text.h"
#include "files/atomic_file.h"
#include "files/byte_order.h"
#include "files/chunk_set_block.h"
#include "files/layout_block.h"
#include "files/packed_block.h"
#include "files/pp20.h"
#include "test_support.h"

namespace fs = std::filesystem;

namespace {

using Bytes = std::vector<uint8_t>;

}  // namespace

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

TEST(BufferLimits, FilesAreReadUpToTheirLimit) {
  ScopedCwd cwd(scratch_dir("limits_files"));
  ASSERT_TRUE(write_file_atomic("f.bin", Bytes(1000, 3), nullptr, false));
  Bytes out;
  Problem problem;
  EXPECT_TRUE(read_whole_file("f.bin", out, &problem, 1000));
  EXPECT_EQ(out.size(), 1000u);
  out.assign(5, 9);
  EXPECT_FALSE(read_whole_file("f.bin", out, &problem, 999));
  EXPECT_EQ(problem_text(problem), "ERROR: File \"f.bin\" is too large (more than 999 bytes).");
  EXPECT_EQ(out, Bytes(5, 9));  // untouched on failure
}
