// What no user can do through the window: a cursor the grid control places outside the channels,
// and a slot beyond the Dummy bank. The rest of the cell editor runs in the editor sessions
// (tests/data/editor/cell_editor.txt).

#include "editor/cell_editor.h"

#include <gtest/gtest.h>

#include "editor/grid_bridge.h"
#include "editor/line_commands.h"
#include "support/fake_ports.h"
#include "workspace.h"

namespace talvirex::testing {
namespace {

class CellEditorTest : public ::testing::Test {
 protected:
  void Select(int row, int column) {
    ws.grid.SetCurrent(row, column);
    editor.SelectionChanged();
  }
  const std::string& Cell(int row, int column) const { return ws.grid.Cell(row, column); }

  Workspace ws;
  ScriptedUi ui;
  FakeClipboard clipboard;
  LineCommands lines{ws, ui, clipboard};
  CellEditor editor{ws, ui, lines};
};

TEST_F(CellEditorTest, ACursorOutsideTheChannelsIsBroughtBackWhateverTheKey) {
  ws.grid.Cell(0, 1) = "Freq. (MHz)";
  ws.grid.current = {0, 0};
  ws.grid.selection_end = {0, 0};
  editor.TypeChar('5');
  EXPECT_EQ(Cell(0, 1) + "/" + Cell(1, 1), "Freq. (MHz)/5");
  ws.grid.Cell(1, 2) = "x";
  ws.grid.current = {35, 9};
  ws.grid.selection_end = {-4, 2};
  editor.PressKey(kKeyDelete);
  editor.DoubleClick();
  EXPECT_EQ(ws.grid.current, (CellPos{20, 7}));
  EXPECT_EQ(ws.grid.selection_end, (CellPos{1, 2}));
  EXPECT_EQ(Cell(1, 2) + "/" + Cell(1, 1), "/5");

  ws.table.At(0, 1, kFieldFrequency) = "145.5";
  RenderBank(ws, ui);
  for (int column = 1; column <= 7; ++column) {
    for (const int row : {1, 20}) {
      Select(row, column);
      for (int code = 0; code < 300; ++code) {
        editor.TypeChar(code);
        editor.PressKey(code);
        editor.PressKey(code, {.shift = true});
        editor.PressKey(code, {.ctrl = true});
      }
      EXPECT_TRUE(ws.grid.current.row >= 1 && ws.grid.current.row <= 20) << column;
      EXPECT_TRUE(ws.grid.current.column >= 1 && ws.grid.current.column <= 7) << column;
    }
  }
}

TEST_F(CellEditorTest, ASlotBeyondTheDummyBankHasNoColumnKind) {
  ws.table.At(0, 1, kFieldFrequency) = "145.5";
  RenderBank(ws, ui);
  ws.grid.current = {1, 8};  // a column beyond the channels' fields
  editor.SelectionChanged();
  EXPECT_FALSE(editor.controls().editor_box || editor.controls().off_on || editor.controls().picker);
  ws.current_bank = 11;
  Select(1, 3);
  EXPECT_EQ(editor.ColumnKind(), 0);
  EXPECT_FALSE(editor.controls().editor_box || editor.controls().off_on || editor.controls().picker);
  editor.ChooseOffOn(true);
  editor.PressKey('N');
  EXPECT_EQ(Cell(1, 3), "");
}

}  // namespace
}  // namespace talvirex::testing
