#include "image/clone_line.h"

#include <gtest/gtest.h>

namespace talvirex {
namespace {

// The factory image, whose every line carries its checksum, is a golden file (golden_test.cpp).
TEST(CloneChecksum, WeighsTheAddressAndDataDigits) {
  const std::pair<std::string, int> cases[] = {
      {"CLN 0000 00000000000000000000000000000000", 0x07DD},
      {"CLN 00A0 00000000000000000000000000000000", 0x07EE},
      {"CLN 0700 FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF~0AA4", 0x0AA4},  // the old sum is not counted
      {"CLN FFFF FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF", 0x0AF5},       // the largest sum
      {"CLN 0700 ffffffffffffffffffffffffffffffff", 0x07E4},       // lowercase weighs nothing
      {"CLN 0000 09", 0x07E6},                                     // short: missing digits add 0
      {"", 2013},
  };
  for (const auto& [line, checksum] : cases) EXPECT_EQ(CloneChecksum(line), checksum) << line;
}

}  // namespace
}  // namespace talvirex
