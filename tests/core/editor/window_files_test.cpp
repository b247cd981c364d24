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

TEST(NamesDat, CommasBecomeSemicolonsAndShortFilesKeepTheRest) {
  std::array<std::string, 12> names;
  names.fill("old");
  ApplyNamesDat("Air, Marine\r\n\r\n  Police \r\n", names);
  EXPECT_EQ(names[0], "Air; Marine");
  EXPECT_EQ(names[1], "");
  EXPECT_EQ(names[2], "  Police ");
  EXPECT_EQ(names[3], "old");
  std::string eleven_plus;
  for (int i = 0; i < 13; ++i) eleven_plus += "N" + std::to_string(i) + "\r\n";
  ApplyNamesDat(eleven_plus, names);
  EXPECT_EQ(names[10], "N10");
  EXPECT_EQ(names[11], "old");  // the search name is never read
  EXPECT_EQ(NamesDatText(names).substr(0, 8), "N0\r\nN1\r\n");
  EXPECT_EQ(NamesDatText(names).find("old"), std::string::npos);
}

}  // namespace
}  // namespace talvirex
