#include "editor/line_commands.h"

#include <gtest/gtest.h>

#include "editor_fixture.h"
#include "text/text.h"

namespace talvirex::testing {
namespace {

class LineCommandsTest : public ::testing::Test, public EditorFixture {
 protected:
  // Channels in rows 1..20 of the current bank: row r has frequency 140 + r + ".5" and tag "T<r>".
  void FillBank() {
    for (int row = 1; row <= 20; ++row) Store(row, IntText(140 + row) + ".5", "T" + IntText(row));
    Render();
  }
  std::vector<std::string> Tags() const {
    std::vector<std::string> tags;
    for (int row = 1; row <= 20; ++row) tags.push_back(Stored(row, kFieldTag));
    return tags;
  }
};

TEST_F(LineCommandsTest, InsertEmptyLinesPushesDownAndAsksAboutRowTwenty) {
  ws.current_bank = 1;
  FillBank();
  Select(5, 1, 7, 1);
  ui.answers = {Answer::kNo};
  lines.InsertEmptyLines();
  ASSERT_EQ(ui.shown.size(), 1u);
  EXPECT_EQ(ui.shown[0].text, "Channel 40 contains data.\r\nThis data will be lost.\r\nContinue?");
  EXPECT_EQ(ui.shown[0].title, "Warning");
  EXPECT_EQ(Stored(5, kFieldTag), "T5");
  EXPECT_FALSE(ws.unsaved_changes);

  ui.answers = {Answer::kYes};
  lines.InsertEmptyLines();
  EXPECT_EQ(Stored(7, kFieldFrequency), "Empty");
  EXPECT_EQ(Stored(7, kFieldTag), " ");
  EXPECT_EQ(Stored(8, kFieldTag), "T5");
  EXPECT_EQ(Stored(20, kFieldTag), "T17");
  EXPECT_TRUE(ws.unsaved_changes);
}

TEST_F(LineCommandsTest, RemoveSelectedLinesAsksThenClosesUpAndUndoBringsThemBack) {
  FillBank();
  Select(3, 1, 4, 1);
  ui.answers = {Answer::kNo};
  lines.RemoveSelectedLines();
  EXPECT_EQ(ui.shown.at(0).text, "Are you sure?");
  EXPECT_EQ(Stored(3, kFieldTag), "T3");

  ws.table.At(0, 4, kFieldAtt) = "1";
  Render();
  ws.settings.expert = true;  // no question
  lines.RemoveSelectedLines();
  EXPECT_EQ(ui.shown.size(), 1u);
  EXPECT_EQ(Stored(3, kFieldTag), "T5");
  EXPECT_EQ(Stored(18, kFieldTag), "T20");
  EXPECT_EQ(Stored(19, kFieldFrequency), "Empty");
  EXPECT_EQ(Stored(20, kFieldFrequency), "Empty");

  lines.Undo();
  EXPECT_EQ(Stored(4, kFieldTag), "T4");
  EXPECT_EQ(Stored(4, kFieldAtt), "1");
  EXPECT_EQ(Cell(4, 7), "On");
  lines.Redo();
  EXPECT_EQ(Stored(3, kFieldTag), "T5");
  EXPECT_EQ(Cell(3, 2), "T5");
}

TEST_F(LineCommandsTest, RemoveEmptyAndClearSelectedLines) {
  Store(2, "145.5", "A");
  Store(5, "146.5", "B");
  Store(20, "147.5", "C");
  Render();
  lines.RemoveEmptyLines();
  EXPECT_TRUE(ui.shown.empty());
  EXPECT_EQ(Tags()[0] + Tags()[1] + Tags()[2], "ABC");
  for (int row = 4; row <= 20; ++row) EXPECT_EQ(Stored(row, kFieldFrequency), "Empty") << row;
  EXPECT_EQ(Cell(3, 1), "147.5000");
  EXPECT_TRUE(ws.unsaved_changes);

  FillBank();
  Select(4, 2, 6, 2);
  ui.answers = {Answer::kYes};
  lines.ClearSelectedLines();
  for (int row = 4; row <= 6; ++row) EXPECT_EQ(Stored(row, kFieldFrequency), "");
  EXPECT_EQ(Stored(7, kFieldTag), "T7");
  EXPECT_EQ(ws.grid.selection_end, ws.grid.current);
}

TEST_F(LineCommandsTest, ShiftChannelEdges) {
  FillBank();
  Select(20, 1);
  lines.ShiftChannelUp();
  Select(1, 1);
  lines.ShiftChannelDown();
  EXPECT_EQ(ui.beeps, 2);
  Select(7, 3);
  lines.ShiftChannelUp();
  EXPECT_EQ(Cell(8, 2), "T7");
  EXPECT_EQ(Cell(7, 2), "T8");
  EXPECT_EQ(ws.grid.current, (CellPos{8, 1}));
  EXPECT_EQ(ws.grid.selection_end, (CellPos{8, 7}));
  EXPECT_FALSE(lines.UndoAvailable());
  Select(7, 1, 8, 1);  // two rows: nothing
  lines.ShiftChannelUp();
  EXPECT_EQ(Cell(8, 2), "T7");
}

TEST_F(LineCommandsTest, ShiftDirectionFollowsReverseShift) {
  struct Case {
    bool reverse;
    bool up;
    int to_row;
  };
  for (const Case c : {Case{false, true, 11}, Case{true, true, 9}, Case{true, false, 11}}) {
    SCOPED_TRACE(c.reverse * 2 + c.up);
    FillBank();
    ws.settings.reverse_shift = c.reverse;
    Select(10, 2);
    if (c.up) {
      lines.ShiftChannelUp();
    } else {
      lines.ShiftChannelDown();
    }
    EXPECT_EQ(Cell(c.to_row, 2), "T10");
    EXPECT_EQ(Cell(10, 2), "T" + IntText(c.to_row));
    EXPECT_EQ(ws.grid.current.row, c.to_row);
  }
}

TEST_F(LineCommandsTest, CopyLinesPasteLinesAndCut) {
  FillBank();
  Select(2, 3, 4, 3);
  lines.CopyLines();
  EXPECT_EQ(clipboard.text,
            "142.5000\tT2\tOff\tOff\tNone\tOff\tOff\r\n143.5000\tT3\tOff\tOff\tNone\tOff\tOff\r\n"
            "144.5000\tT4\tOff\tOff\tNone\tOff\tOff");
  Select(19, 5);  // onto row 19: what does not fit is left out
  lines.PasteLines();
  EXPECT_EQ(Cell(19, 1), "142.5000");
  EXPECT_EQ(Cell(20, 2), "T3");
  EXPECT_EQ(ws.grid.selection_end, (CellPos{20, 7}));
  CommitBank(ws, ui);
  EXPECT_EQ(Stored(20, kFieldFrequency), "143.5000");
  EXPECT_EQ(Stored(18, kFieldTag), "T18");

  Select(1, 2, 2, 2);
  lines.Cut();
  EXPECT_EQ(clipboard.text, "T1\r\nT2");
  EXPECT_EQ(Cell(1, 2), "");
  EXPECT_EQ(Cell(2, 2), "");
}

TEST_F(LineCommandsTest, PasteShapes) {
  struct Case {
    std::string clipboard;
    std::vector<std::pair<CellPos, std::string>> expected;
    CellPos selection_end;
  };
  const Case cases[] = {
      {"", {{{5, 2}, "keep"}}, {5, 2}},
      {"a\tb\r\nc\td\r\n", {{{5, 2}, "a"}, {{5, 3}, "b"}, {{6, 2}, "c"}, {{6, 3}, "d"}}, {6, 3}},
      {"x\ny", {{{5, 2}, "xy"}, {{6, 2}, "keep"}}, {5, 2}},
      {"\r\r\r", {{{5, 2}, ""}, {{6, 2}, ""}, {{8, 2}, ""}}, {8, 2}},
      {"1\t2\t3\t4\t5\t6\t7\t8\t9", {{{5, 2}, "1"}, {{5, 7}, "6"}}, {5, 7}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.clipboard);
    for (int row = 1; row <= 20; ++row) {
      for (int column = 1; column <= 7; ++column) ws.grid.Cell(row, column) = "keep";
    }
    clipboard.text = c.clipboard;
    Select(5, 2);
    lines.Paste();
    for (const auto& [pos, text] : c.expected) EXPECT_EQ(Cell(pos.row, pos.column), text);
    EXPECT_EQ(ws.grid.selection_end, c.selection_end);
  }

  clipboard.text.clear();
  for (int i = 0; i < 2000; ++i) clipboard.text += "146.5\tTAG\t\r\n";
  Select(20, 7);  // a paste larger than the grid stays inside it
  lines.Paste();
  EXPECT_EQ(Cell(20, 7), "146.5");
  EXPECT_EQ(ws.grid.selection_end, (CellPos{20, 7}));
}

TEST_F(LineCommandsTest, FillDownAndFillSeries) {
  Store(3, "145.5", "CH 08");
  Render();
  Select(3, 2, 6, 2);
  lines.FillSeries();
  EXPECT_EQ(Cell(4, 2), "CH 9");
  EXPECT_EQ(Cell(6, 2), "CH 11");

  ws.grid.Cell(3, 2) = "NODIGIT";
  lines.FillSeries();
  EXPECT_EQ(Cell(4, 2), "CH 9");
  ws.grid.Cell(3, 2) = "X1";
  Select(3, 1, 6, 2);  // two columns: nothing
  lines.FillSeries();
  EXPECT_EQ(Cell(4, 2), "CH 9");

  ws.grid.Cell(3, 2) = "TAG1234567  ";
  Select(3, 2, 4, 2);
  lines.FillSeries();
  EXPECT_EQ(Cell(4, 2), "TAG1234568");  // at most six digits form the number

  Select(3, 1, 5, 2);
  lines.FillDown();
  EXPECT_EQ(Cell(5, 1), "145.5000");
  EXPECT_EQ(Cell(5, 2), "TAG1234567  ");
  EXPECT_FALSE(lines.UndoAvailable());
}

TEST_F(LineCommandsTest, ClearCurrentBankAlwaysAsksAndClearLockoutsDoesNot) {
  FillBank();
  ws.settings.expert = true;
  ws.search_range[0] = "118";
  ui.answers = {Answer::kNo};
  lines.ClearCurrentBank();
  EXPECT_EQ(ui.shown.at(0).text, "This will clear the current bank.\r\nAre you sure?");
  EXPECT_EQ(Stored(1, kFieldTag), "T1");
  ui.answers = {Answer::kYes};
  lines.ClearCurrentBank();
  EXPECT_EQ(Stored(1, kFieldFrequency), "Empty");
  EXPECT_EQ(Stored(1, kFieldTag), " ");
  EXPECT_EQ(Cell(1, 1), "");
  EXPECT_EQ(ws.search_range[0], "");
  EXPECT_TRUE(ws.unsaved_changes);
  EXPECT_EQ(ws.status.bank_usage, "--------------------- ");
  lines.Undo();
  EXPECT_EQ(Stored(1, kFieldTag), "T1");

  ws.table.At(0, 3, kFieldLockOut) = "1";
  Render();
  lines.ClearLockouts();
  for (int row = 1; row <= 20; ++row) EXPECT_EQ(Stored(row, kFieldLockOut), "0");
  EXPECT_EQ(Cell(3, 4), "Off");
  lines.Undo();
  EXPECT_EQ(Stored(3, kFieldLockOut), "1");
}

TEST_F(LineCommandsTest, DummyBankCommandsLeaveUnsavedChangesAlone) {
  ws.current_bank = kDummyBank;
  FillBank();
  ws.settings.expert = true;
  Select(3, 1, 5, 1);
  lines.RemoveSelectedLines();
  lines.InsertEmptyLines();
  lines.FillDown();
  lines.Paste();
  lines.Undo();
  EXPECT_FALSE(ws.unsaved_changes);
  EXPECT_EQ(Cell(1, 0), "");  // the channel column is the window's, not the commands'
}

TEST_F(LineCommandsTest, UpwardSelectionsChangeNothing) {
  FillBank();
  ws.settings.expert = true;
  const auto before = Tags();
  Select(9, 1, 4, 7);
  ui.answers = {Answer::kYes};
  lines.RemoveSelectedLines();
  lines.InsertEmptyLines();
  lines.ClearSelectedLines();
  lines.FillDown();
  lines.FillSeries();
  EXPECT_EQ(Tags(), before);
  EXPECT_FALSE(ws.unsaved_changes);
}

}  // namespace
}  // namespace talvirex::testing
