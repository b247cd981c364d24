#include "editor/window_files.h"

#include <gtest/gtest.h>

namespace talvirex {
namespace {

TEST(WindowDat, Placement) {
  EXPECT_EQ(PlacementFromWindowDat("-5\r\n-5\r\n-5\r\n-5\r\n1\r\n"),
            (WindowPlacement{100, 100, 1000, 1000, WindowState::kNormal}));
  EXPECT_EQ(PlacementFromWindowDat(" 120 \n240\n48000\n7000\n2"),
            (WindowPlacement{120, 240, 48000, 7000, WindowState::kMaximised}));
  EXPECT_EQ(PlacementFromWindowDat("x\r\n"), (WindowPlacement{0, 0, 0, 0, WindowState::kNormal}));
  const WindowPlacement placement{1, 2, 3, 4, WindowState::kMaximised};
  EXPECT_EQ(WindowDatText(placement), "1\r\n2\r\n3\r\n4\r\n2\r\n");
  EXPECT_EQ(PlacementFromWindowDat(WindowDatText(placement)), placement);
}

TEST(TabWidths, HeldWithinLimitsAndShortFilesKeepTheRest) {
  std::array<int, 7> widths = {1, 2, 3, 4, 5, 6, 7};
  ApplyTabWidths("5\r\n20000\r\n10\r\n9000\r\n11\r\nabc\r\n", widths);
  EXPECT_EQ(widths, (std::array<int, 7>{10, 9000, 10, 9000, 11, 10, 7}));
  EXPECT_EQ(TabWidthsText({1, 2, 3, 4, 5, 6, 7}), "1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n");
}

}  // namespace
}  // namespace talvirex
