// The tile selector's chunkmap edits: appending stops at 512 chunks, and only the last,
// unplaced chunk may be removed.
#include <gtest/gtest.h>

#include "chunkedit/chunkmap_edits.h"

namespace {

LayoutPlane plane_with(std::initializer_list<uint16_t> codes) {
  LayoutPlane p;
  p.height = 32;
  p.rows.resize(3);
  uint16_t x = 0;
  for (uint16_t code : codes) p.rows[1].objects.push_back({code, x += 16});
  return p;
}

}  // namespace

TEST(ChunkmapEdits, AppendAddsEmptyOneByOneChunksUpTo512) {
  ChunkMap map;
  map.chunks.resize(510);
  EXPECT_EQ(append_empty_chunk(map), 510);
  const Chunk& added = map.chunks[510];
  EXPECT_EQ(added.width, 1);
  EXPECT_EQ(added.height, 1);
  for (uint16_t w : added.cells) ASSERT_EQ(w, 0);
  EXPECT_EQ(append_empty_chunk(map), 511);
  EXPECT_EQ(append_empty_chunk(map), -1);
  EXPECT_EQ(map.count(), 512);
}

TEST(ChunkmapEdits, RemovalOnlyOfTheLastUnplacedChunk) {
  ChunkMap map;
  map.chunks.resize(4);
  const LayoutPlane none = plane_with({});
  EXPECT_EQ(chunk_removal_refusal(map, none, none, 3), "");
  EXPECT_NE(chunk_removal_refusal(map, none, none, 2), "");
  EXPECT_NE(chunk_removal_refusal(map, none, none, 4), "");
  // Placed in either plane (also flipped, bit 9): refused. Codes of other kinds and other
  // chunks do not count.
  EXPECT_NE(chunk_removal_refusal(map, plane_with({0x0003}), none, 3), "");
  EXPECT_NE(chunk_removal_refusal(map, none, plane_with({0x0203}), 3), "");
  EXPECT_EQ(chunk_removal_refusal(map, plane_with({0x0803, 0x0903, 0x0002}), none, 3), "");
  EXPECT_TRUE(chunk_placed_in(plane_with({0x0203}), 3));
  EXPECT_FALSE(chunk_placed_in(plane_with({0x0403}), 3));
  // The only chunk stays.
  map.chunks.resize(1);
  EXPECT_NE(chunk_removal_refusal(map, none, none, 0), "");
}
