#include <gtest/gtest.h>

#include <cstring>

#include "files/byte_order.h"
#include "files/chunk_set_block.h"

namespace {

// A plain block from (width, height, cells row by row) entries.
std::vector<uint8_t> block_of(const std::vector<std::vector<int>>& entries) {
  std::vector<uint8_t> b = {'I', 'T', 'M', 'S'};
  push_be16(b, static_cast<uint16_t>(entries.size()));
  size_t at = 6 + 2 * entries.size();
  for (const auto& e : entries) {
    push_be16(b, static_cast<uint16_t>(at));
    at += 2 + 2 * (e.size() - 2);
  }
  for (const auto& e : entries) {
    b.push_back(static_cast<uint8_t>(e[0]));
    b.push_back(static_cast<uint8_t>(e[1]));
    for (size_t i = 2; i < e.size(); ++i) push_be16(b, static_cast<uint16_t>(e[i]));
  }
  return b;
}

}  // namespace

TEST(ChunkSetBlock, ChunkCellsLandWithARowStrideOf16) {
  const std::vector<uint8_t> b = block_of({{3, 2, 0x101, 0x102, 0x1103, 0x201, 0x202, 0xF1FF}, {1, 1, 7}});
  ChunkMap map;
  std::string error;
  ASSERT_TRUE(LoadChunkSet(b.data(), b.size(), 0, map, error)) << error;
  ASSERT_EQ(map.count(), 2);
  const Chunk& c = map.chunks[0];
  EXPECT_EQ(c.width, 3);
  EXPECT_EQ(c.height, 2);
  const int expected_cells[] = {0, 1, 2, 16, 17, 18};
  const uint16_t expected_values[] = {0x101, 0x102, 0x1103, 0x201, 0x202, 0xF1FF};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(c.cells[expected_cells[i]], expected_values[i]);
  int nonzero = 0;
  for (uint16_t v : c.cells) nonzero += v != 0;
  EXPECT_EQ(nonzero, 6);
  // The cell at byte 2 + 2 * 16 of the 514-byte record is row 1, column 0.
  uint16_t raw;
  std::memcpy(&raw, reinterpret_cast<const uint8_t*>(&c) + 2 + 2 * 16, 2);
  EXPECT_EQ(raw, 0x201);
  EXPECT_EQ(map.chunks[1].cells[0], 7);

  std::vector<uint8_t> again;
  ASSERT_TRUE(build_chunk_set_block(map, again, error));
  EXPECT_EQ(again, b);
}

TEST(ChunkSetBlock, EmptySetAndEmptyChunks) {
  ChunkMap none;
  std::vector<uint8_t> b;
  std::string error;
  ASSERT_TRUE(build_chunk_set_block(none, b, error));
  EXPECT_EQ(b, (std::vector<uint8_t>{'I', 'T', 'M', 'S', 0, 0}));
  ChunkMap back;
  back.chunks.resize(3);
  ASSERT_TRUE(LoadChunkSet(b.data(), b.size(), 0, back, error)) << error;
  EXPECT_EQ(back.count(), 0);

  // A width-0 chunk stores only its two size bytes.
  ChunkMap map;
  map.chunks.resize(2);
  map.chunks[0].width = 0;
  map.chunks[0].height = 5;
  map.chunks[1].width = 1;
  map.chunks[1].height = 1;
  map.chunks[1].cells[0] = 0x33;
  ASSERT_TRUE(build_chunk_set_block(map, b, error));
  EXPECT_EQ(b.size(), 6u + 4 + 2 + 4);
  EXPECT_EQ(read_be16(&b[8]), 12);
  ASSERT_TRUE(LoadChunkSet(b.data(), b.size(), 0, back, error)) << error;
  EXPECT_EQ(back.chunks[0].height, 5);
  EXPECT_EQ(back.chunks[1].cells[0], 0x33);
  // So does a chunk of positive width and negative height (sizes are signed bytes), read
  // and written: the next chunk's record follows its two size bytes.
  const std::vector<uint8_t> negative = block_of({{4, 0xFF}, {1, 1, 0x44}});
  ASSERT_TRUE(LoadChunkSet(negative.data(), negative.size(), 0, back, error)) << error;
  EXPECT_EQ(back.chunks[0].width, 4);
  EXPECT_EQ(back.chunks[0].height, -1);
  EXPECT_EQ(back.chunks[1].cells[0], 0x44);
  ASSERT_TRUE(build_chunk_set_block(back, b, error)) << error;
  EXPECT_EQ(b, negative);
}

// The offsets are 16 bits: every chunk must start at byte 65,535 or before; the block
// itself may be longer.
TEST(ChunkSetBlock, WriterTakesEveryChunkStartingUpTo65535) {
  ChunkMap map;
  Chunk full;
  full.width = full.height = 16;  // 2 + 512 bytes of entry, 2 of table
  full.cell(15, 15) = 0x1234;
  Chunk small;
  small.width = small.height = 1;  // 2 + 2 bytes of entry
  // The last chunk starts at 6 + 2 * 212 + 126 * 514 + 85 * 4 = 65534.
  map.chunks.assign(126, full);
  map.chunks.insert(map.chunks.end(), 85, small);
  map.chunks.push_back(full);
  std::vector<uint8_t> b;
  std::string error;
  ASSERT_TRUE(build_chunk_set_block(map, b, error)) << error;
  EXPECT_EQ(read_be16(&b[6 + 2 * 211]), 65534);
  EXPECT_EQ(b.size(), 65534u + 514);
  ChunkMap back;
  ASSERT_TRUE(LoadChunkSet(b.data(), b.size(), 0, back, error)) << error;
  ASSERT_EQ(back.count(), 212);
  EXPECT_EQ(back.chunks[211].cell(15, 15), 0x1234);
  // One more small chunk (and table entry): chunk 211 would start at 65536.
  map.chunks.insert(map.chunks.end() - 1, small);
  b.clear();
  EXPECT_FALSE(build_chunk_set_block(map, b, error));
  EXPECT_EQ(error, "chunk 211 would start at byte 65536, beyond the 65535 that the chunk set's offsets can reach");
  EXPECT_TRUE(b.empty());
}

TEST(ChunkSetBlock, DecoderTakes2048ChunksAndRefuses2049) {
  ChunkMap map;
  map.chunks.resize(CHUNK_SLOTS);
  for (Chunk& c : map.chunks) {
    c.width = c.height = 1;
    c.cell(0, 0) = 5;
  }
  std::vector<uint8_t> b;
  std::string error;
  ASSERT_TRUE(build_chunk_set_block(map, b, error)) << error;
  ChunkMap back;
  EXPECT_TRUE(decode_chunk_set_block(b.data(), b.size(), back, error)) << error;
  EXPECT_EQ(back.count(), CHUNK_SLOTS);
  write_be16(&b[4], CHUNK_SLOTS + 1);
  EXPECT_FALSE(decode_chunk_set_block(b.data(), b.size(), back, error));
  EXPECT_EQ(error, "the chunk set holds 2049 chunks, more than 2048");
}
