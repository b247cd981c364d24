#include "editor/sort_commands.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "editor_fixture.h"
#include "model/numeric_value.h"

namespace talvirex::testing {
namespace {

class SortTest : public ::testing::Test {
 protected:
  std::vector<std::string> Tags(int first, int last) const {
    std::vector<std::string> tags;
    for (int row = first; row <= last; ++row) tags.push_back(f.Stored(row, kFieldTag));
    return tags;
  }
  EditorFixture f;
};

TEST_F(SortTest, AscendingKeepsEqualFrequenciesInOrderAndEmptiesGoLast) {
  f.Store(1, "162.5", "C");
  f.Store(3, "145.1", "B");
  f.Store(4, "145.1", "A", "1");
  f.ws.table.At(0, 4, kFieldSpare) = "spare";
  f.Render();
  f.Select(1, 1);
  SortBank(f.ws, f.ui, SortOrder::kAscending);
  EXPECT_EQ(Tags(1, 3), (std::vector<std::string>{"B", "A", "C"}));
  EXPECT_DOUBLE_EQ(NumericValue(f.Stored(3, kFieldFrequency)), 162.5);
  EXPECT_EQ(f.Stored(2, kFieldAtt), "1");                   // the whole record moves
  EXPECT_EQ(f.ws.table.At(0, 4, kFieldSpare), "spare");    // field 0 stays with its row
  for (int row = 4; row <= 20; ++row) EXPECT_EQ(f.Stored(row, kFieldFrequency), "Empty") << row;
  EXPECT_EQ(f.Stored(20, kFieldTag), "");
  EXPECT_EQ(f.Cell(1, 2), "B");  // redrawn
  EXPECT_TRUE(f.ws.unsaved_changes);
  EXPECT_TRUE(f.lines.Undo().has_value());  // the sort is one step
}

TEST_F(SortTest, DescendingKeepsEqualOrderAndLeavesEmptiesUntouched) {
  f.Store(2, "145.1", "B");
  f.Store(5, "440", "X");
  f.Store(7, "145.1", "A");
  f.Render();
  f.Select(1, 1);
  SortBank(f.ws, f.ui, SortOrder::kDescending);
  EXPECT_EQ(Tags(1, 3), (std::vector<std::string>{"X", "B", "A"}));
  EXPECT_NE(f.Stored(20, kFieldFrequency), "Empty");  // no marker after a descending sort
  EXPECT_DOUBLE_EQ(NumericValue(f.Stored(20, kFieldFrequency)), 0);
}

TEST_F(SortTest, SelectedRowsOnlyAndEmptiesCollectAtTheEndOfTheRange) {
  f.Store(1, "900", "TOP");
  f.Store(5, "170", "P");
  f.Store(7, "150", "Q");
  f.Store(9, "160", "R");
  f.Store(10, "100", "BELOW");
  f.Render();
  f.Select(5, 1, 9, 1);
  SortBank(f.ws, f.ui, SortOrder::kAscending);
  EXPECT_EQ(Tags(5, 7), (std::vector<std::string>{"Q", "R", "P"}));
  EXPECT_EQ(f.Stored(9, kFieldFrequency), "Empty");
  EXPECT_EQ(f.Stored(1, kFieldTag) + f.Stored(10, kFieldTag), "TOPBELOW");
}

TEST_F(SortTest, EmptyBankBecomesEmptyLinesAndUpwardSelectionSortsNothing) {
  f.Render();
  f.Select(1, 1);
  SortBank(f.ws, f.ui, SortOrder::kAscending);
  for (int row = 1; row <= 20; ++row) EXPECT_EQ(f.Stored(row, kFieldFrequency), "Empty");

  EditorFixture g;
  g.Store(1, "300", "Z");
  g.Store(2, "200", "Y");
  g.Render();
  g.Select(2, 1, 1, 1);
  SortBank(g.ws, g.ui, SortOrder::kAscending);
  EXPECT_EQ(g.Stored(1, kFieldTag), "Z");
  EXPECT_FALSE(g.ws.unsaved_changes);
}

TEST_F(SortTest, SelectionRowsOutsideTheBankAreHeldWithinIt) {
  for (const auto& [from, to] : {std::pair{0, 99999}, std::pair{-5, 21}}) {
    EditorFixture g;
    g.Store(1, "300", "Z");
    g.Store(20, "200", "Y");
    g.ws.table.At(0, 21, kFieldFrequency) = "100";  // the spare row takes no part
    g.Render();
    g.ws.grid.current = {from, 1};
    g.ws.grid.selection_end = {to, 1};
    SortBank(g.ws, g.ui, SortOrder::kAscending);
    EXPECT_EQ(g.Stored(1, kFieldTag) + g.Stored(2, kFieldTag), "YZ") << from << ".." << to;
    EXPECT_EQ(g.ws.table.At(0, 21, kFieldFrequency), "100");
  }
}

TEST_F(SortTest, DummyBankSortDoesNotMarkUnsavedChanges) {
  f.ws.current_bank = kDummyBank;
  f.Store(1, "300");
  f.Store(2, "200");
  f.Render();
  SortBank(f.ws, f.ui, SortOrder::kAscending);
  EXPECT_DOUBLE_EQ(NumericValue(f.Stored(1, kFieldFrequency)), 200);
  EXPECT_FALSE(f.ws.unsaved_changes);
}

// A Ui whose busy pointer fails, to drive the sort's failure report.
class FailingProgressUi : public Ui {
 public:
  Answer Ask(const Message& message) override {
    shown.push_back(message.text);
    return Answer::kOk;
  }
  std::optional<std::string> OpenFile(const FileDialog&) override { return std::nullopt; }
  std::optional<std::string> SaveFile(const FileDialog&) override { return std::nullopt; }
  void SetBusy(bool busy) override {
    if (busy) throw std::out_of_range("pointer out of range");
  }
  std::vector<std::string> shown;
};

TEST(SortFailure, ReportsSystemErrorPerDirectionAndLeavesTheBankAsItWas) {
  for (const auto& [order, lead] :
       {std::pair{SortOrder::kAscending, std::string("System Error - sort_all: ")},
        std::pair{SortOrder::kDescending, std::string("System Error - sort_alld: ")}}) {
    Workspace ws;
    FailingProgressUi ui;
    ws.table.At(0, 1, kFieldFrequency) = "300.0000";
    ws.table.At(0, 2, kFieldFrequency) = "200.0000";
    RenderBank(ws, ui);
    SortBank(ws, ui, order);
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0], lead + "9 pointer out of range");
    EXPECT_EQ(ws.table.At(0, 1, kFieldFrequency), "300.0000");
  }
}

}  // namespace
}  // namespace talvirex::testing
