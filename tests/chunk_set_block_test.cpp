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

// The writer at the 16-bit offsets' reach: the last chunk may start at byte 65,534 (offsets are
// even), its cells running past it; two bytes more before it and the set is refused.
TEST(ChunkSetBlock, WriterOffsetsReachTheLastChunkUpTo65534) {
  ChunkMap map;
  map.chunks.resize(142);  // 126 of 16x16, one of 15x15, 14 empty, the last 16x16
  for (size_t i = 0; i < map.chunks.size(); ++i) {
    const int8_t side = i < 126 || i == 141 ? 16 : i == 126 ? 15 : 0;
    map.chunks[i].width = map.chunks[i].height = side;
    for (int c = 0; c < 256; ++c) map.chunks[i].cells[c] = static_cast<uint16_t>(i * 256 + c);
  }
  std::vector<uint8_t> block;
  std::string error;
  ASSERT_TRUE(build_chunk_set_block(map, block, error)) << error;
  EXPECT_EQ(read_be16(&block[6 + 2 * 141]), 65534);
  ChunkMap back;
  ASSERT_TRUE(decode_chunk_set_block(block.data(), block.size(), back, error)) << error;
  EXPECT_EQ(back.chunks[141].cell(15, 15), map.chunks[141].cell(15, 15));
  map.chunks[127].width = map.chunks[127].height = 1;
  EXPECT_FALSE(build_chunk_set_block(map, block, error));
  EXPECT_EQ(error, "chunk 141 would start at byte 65536, beyond the 65535 that the chunk set's offsets can reach");
}
