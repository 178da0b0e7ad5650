#include <gtest/gtest.h>

#include <cstring>

#include "files/byte_order.h"
#include "files/layout_block.h"

namespace {

LayoutPlane plane_of(uint8_t theme, uint16_t width, uint16_t height) {
  LayoutPlane p;
  p.theme = theme;
  p.width = width;
  p.height = height;
  p.rows.resize(height / 16 + 1);
  return p;
}

std::vector<uint8_t> built(const LayoutPlane& p) {
  std::vector<uint8_t> b;
  std::string error;
  EXPECT_TRUE(build_layout_block(p, b, error)) << error;
  return b;
}

}  // namespace

TEST(LayoutBlock, LowPlaneIsHeaderAndOneTableEntry) {
  std::vector<uint8_t> b = built(plane_of(3, 320, 0));
  ASSERT_EQ(b.size(), 10u);
  EXPECT_EQ(0, std::memcmp(b.data(), "MAP", 3));
  EXPECT_EQ(b[3], 3);
  EXPECT_EQ(read_be16(&b[4]), 320);
  EXPECT_EQ(read_be16(&b[8]), 10);

  // Height 8: no rows, T[1] = 10 + 1 is also the block size.
  b = built(plane_of(0, 16, 8));
  ASSERT_EQ(b.size(), 11u);
  EXPECT_EQ(read_be16(&b[8]), 11);
  LayoutPlane back;
  std::string error;
  ASSERT_TRUE(decode_layout_block(b.data(), b.size(), back, error)) << error;
  EXPECT_EQ(back.rows.size(), 1u);
  EXPECT_EQ(back.height, 8);
}

TEST(LayoutBlock, RowsTableObjectsAndRowZeroNotWritten) {
  LayoutPlane p = plane_of(2, 640, 48);  // rows 1..3
  p.rows[0].objects = {{0x0005, 99}};    // never stored
  p.rows[1].objects = {{0x0012, 32}, {0x0801, 48}};
  p.rows[3].objects = {{0x0A00, 0x1234}};
  std::vector<uint8_t> b = built(p);
  const size_t first = 10 + (48 >> 3);
  ASSERT_EQ(b.size(), first + 12);
  EXPECT_EQ(read_be16(&b[8]), first);        // T[1]
  EXPECT_EQ(read_be16(&b[10]), first + 8);   // T[2]
  EXPECT_EQ(read_be16(&b[12]), first + 8);   // T[3]: empty row 2 takes no bytes
  EXPECT_EQ(read_be16(&b[14]), first + 12);  // T[4]: the block size
  EXPECT_EQ(read_be16(&b[first]), 0x0012);
  EXPECT_EQ(read_be16(&b[first + 2]), 32);
  EXPECT_EQ(read_be16(&b[first + 8]), 0x0A00);
  EXPECT_EQ(read_be16(&b[first + 10]), 0x1234);

  LayoutPlane back;
  std::string error;
  ASSERT_TRUE(LoadLevelBlock(b.data(), b.size(), 0, back, error)) << error;
  p.rows[0].objects.clear();
  EXPECT_EQ(back, p);
}

TEST(LayoutBlock, PlainBlockAtAnOffsetInsideALargerFile) {
  LayoutPlane p = plane_of(1, 100, 32);
  p.rows[2].objects = {{7, 8}, {9, 10}};
  std::vector<uint8_t> file(37, 0xEE);
  std::vector<uint8_t> b = built(p);
  file.insert(file.end(), b.begin(), b.end());
  file.insert(file.end(), 20, 0x55);  // bytes after the block are not part of it
  LayoutPlane back;
  std::string error;
  ASSERT_TRUE(LoadLevelBlock(file.data(), file.size(), 37, back, error)) << error;
  EXPECT_EQ(back, p);
  EXPECT_TRUE(back.rows[0].objects.empty());
}

TEST(LayoutBlock, HeightWithBit3SetKeepsThePadByte) {
  LayoutPlane p = plane_of(0, 50, 24);  // one row, one pad byte before it
  p.rows[1].objects = {{0x0100, 5}};
  std::vector<uint8_t> b = built(p);
  ASSERT_EQ(b.size(), 13u + 4);
  EXPECT_EQ(b[12], 0);
  LayoutPlane back;
  std::string error;
  ASSERT_TRUE(LoadLevelBlock(b.data(), b.size(), 0, back, error)) << error;
  EXPECT_EQ(back, p);
}

TEST(LayoutBlock, OversizedLayoutIsRefusedByTheWriter) {
  LayoutPlane p = plane_of(0, 1000, 16);
  p.rows[1].objects.assign(16382, LayoutObject{1, 1});  // 10 + 2 + 65528 bytes
  std::vector<uint8_t> b{1, 2, 3};
  std::string error;
  EXPECT_FALSE(build_layout_block(p, b, error));
  EXPECT_NE(error.find("65535"), std::string::npos);
  EXPECT_EQ(b, (std::vector<uint8_t>{1, 2, 3}));
  p.rows[1].objects.resize(16380);  // exactly 65532 bytes fits
  EXPECT_TRUE(build_layout_block(p, b, error));
  EXPECT_EQ(b.size(), 65532u);
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
