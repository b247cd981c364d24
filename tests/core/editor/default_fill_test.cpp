#include "editor/default_fill.h"

#include <gtest/gtest.h>

#include "workspace.h"

namespace talvirex {
namespace {

TEST(FilDefdata, AppliesThePresetToTheCurrentRowOnly) {
  struct Case {
    std::array<int, 11> apply;
    std::array<int, 11> value;
    std::array<std::string, 4> expected;  // Delay, Lock Out, Beep Alert, ATT
  };
  const Case cases[] = {
      {DefaultData{}.apply, DefaultData{}.value, {"On", "Off", "Off", "keep"}},
      {{1, 1, 1, 1, 1}, {0, 0, 1, 1, 1}, {"Off", "On", "On", "On"}},
      {{1, 0, 0, 0, 0}, {0, 1, 1, 1, 1}, {"keep", "keep", "keep", "keep"}},
      {{1, 1, 1, 1, 1}, {0, 2, -1, 1, 7}, {"keep", "keep", "keep", "On"}},
  };
  for (const Case& c : cases) {
    Workspace ws;
    for (int column = 3; column <= 7; ++column) {
      ws.grid.Cell(6, column) = "keep";
      ws.grid.Cell(7, column) = "keep";
    }
    ws.default_data.apply = c.apply;
    ws.default_data.value = c.value;
    ws.grid.SetCurrent(6, 1);
    fil_defdata(ws);
    EXPECT_EQ(ws.grid.Cell(6, 3), c.expected[0]);
    EXPECT_EQ(ws.grid.Cell(6, 4), c.expected[1]);
    EXPECT_EQ(ws.grid.Cell(6, 6), c.expected[2]);
    EXPECT_EQ(ws.grid.Cell(6, 7), c.expected[3]);
    EXPECT_EQ(ws.grid.Cell(7, 3), "keep");
    EXPECT_EQ(ws.grid.Cell(6, 5), "keep");
  }
}

TEST(FilDefdata, IgnoresARowOutsideTheChannels) {
  Workspace ws;
  ws.grid.SetCurrent(0, 1);
  fil_defdata(ws);
  EXPECT_EQ(ws.grid.Cell(0, 3), "");
}

}  // namespace
}  // namespace talvirex
