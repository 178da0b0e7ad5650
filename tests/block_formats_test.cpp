#include <gtest/gtest.h>

#include "files/byte_order.h"
#include "files/chunk_set_block.h"
#include "files/layout_block.h"

// Sizes are signed bytes: a chunk of positive width and negative height stores only its two
// size bytes, read and written, and the next chunk's record follows them.
TEST(ChunkSetBlock, ChunkOfNegativeHeightHoldsNoCells) {
  const std::vector<uint8_t> negative = {'I', 'T', 'M', 'S', 0, 2, 0, 10, 0, 12, 4, 0xFF, 1, 1, 0, 0x44};
  ChunkMap back;
  std::string error;
  ASSERT_TRUE(LoadChunkSet(negative.data(), negative.size(), 0, back, error)) << error;
  EXPECT_EQ(back.chunks[0].width, 4);
  EXPECT_EQ(back.chunks[0].height, -1);
  EXPECT_EQ(back.chunks[1].cells[0], 0x44);
  std::vector<uint8_t> b;
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

TEST(LayoutBlock, TenBytesHoldAnEmptyPlaneAndNineAreTooShort) {
  const std::vector<uint8_t> b = {'M', 'A', 'P', 2, 0, 16, 0, 0, 0, 10};
  LayoutPlane plane;
  std::string error;
  EXPECT_TRUE(decode_layout_block(b.data(), 10, plane, error)) << error;
  EXPECT_EQ(plane.width, 16);
  EXPECT_FALSE(decode_layout_block(b.data(), 9, plane, error));
  EXPECT_EQ(error, "the layout block is too short");
}
