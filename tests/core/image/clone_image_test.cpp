#include "image/clone_image.h"

#include <gtest/gtest.h>

#include "image/clone_line.h"
#include "image_test_util.h"

namespace talvirex {
namespace {

TEST(CloneChecksum, WeighsTheAddressAndDataDigits) {
  const struct {
    std::string line;
    int checksum;
  } cases[] = {
      {"CLN 0000 00000000000000000000000000000000", 0x07DD},
      {"CLN 0010 00000000000000000000000000000000", 0x07DE},
      {"CLN 00A0 00000000000000000000000000000000", 0x07EE},
      {"CLN 0700 FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF", 0x0AA4},
      {"CLN 0700 FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF~0AA4", 0x0AA4},  // the old sum is not counted
      {"CLN FFFF FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF", 0x0AF5},       // the largest sum
      {"CLN 0700 ffffffffffffffffffffffffffffffff", 0x07E4},       // lowercase weighs nothing
      {"CLN 0000 00", 0x07DD},                                     // short: missing digits add 0
      {"", 2013},
  };
  for (const auto& c : cases) EXPECT_EQ(CloneChecksum(c.line), c.checksum) << c.line;
}

TEST(BuildDefaultImage, GivesTheFactoryLines) {
  const CloneImage image = testing::DefaultImage();
  const struct {
    int index;
    const char* line;
  } expected[] = {
      {1, "CLN 0000 00000000000000000000000000000000~07DD"},
      {13, "CLN 00C0 0000000000000000000000FF03000800~0827"},
      {14, "CLN 00D0 0014283C5064788CA0B4000000000000~0876"},
      {27, "CLN 01A0 80808080808080800000000000000000~082F"},
      {28, "CLN 01B0 00000000000000000202000000000000~07F4"},
      {113, "CLN 0700 FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF~0AA4"},
      {125, "CLN 07C0 FFFFFFFFFFFFFFFF0300004545454545~0987"},
      {126, "CLN 07D0 0145090000450202054504080202FF00~0862"},
      {127, "CLN 07E0 00000000FF0000FFFFFFFFFFFFFFFFFF~09B1"},
      {129, "CLN 0800 4A4A4A4A4A4A4A4A4A4A4A4A4A4A4A4A~0935"},
  };
  for (const auto& e : expected) EXPECT_EQ(image.lines[e.index], e.line) << e.index;
  EXPECT_TRUE(image.lines[0].empty());
  for (int i = 254; i <= 256; ++i) EXPECT_TRUE(image.lines[i].empty());
  for (int i = 1; i <= kCloneLineCount; ++i) {
    ASSERT_EQ(image.lines[i].size(), 46u) << i;
    EXPECT_EQ(image.lines[i].substr(4, 4), CloneLineAddress(i));
    EXPECT_EQ(FinishCloneLine(image.lines[i]), image.lines[i]) << i;
  }
}

}  // namespace
}  // namespace talvirex
