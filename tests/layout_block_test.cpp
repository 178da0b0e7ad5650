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

TEST(LayoutBlock, TenBytesHoldAnEmptyPlaneAndNineAreTooShort) {
  const std::vector<uint8_t> b = {'M', 'A', 'P', 2, 0, 16, 0, 0, 0, 10};
  LayoutPlane plane;
  std::string error;
  EXPECT_TRUE(decode_layout_block(b.data(), 10, plane, error)) << error;
  EXPECT_EQ(plane.width, 16);
  EXPECT_FALSE(decode_layout_block(b.data(), 9, plane, error));
  EXPECT_EQ(error, "the layout block is too short");
}
