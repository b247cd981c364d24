#include "editor/cell_editor.h"

#include <gtest/gtest.h>

#include "editor_fixture.h"

namespace talvirex::testing {
namespace {

class CellEditorTest : public ::testing::Test, public EditorFixture {};

TEST_F(CellEditorTest, EnterCorrectsPadsFillsDefaultsShowsTheRowAndMovesDown) {
  ws.grid.Cell(1, 7) = "1";  // as a paste leaves it: the row is shown as a redraw would show it
  Type("145.1234");
  EXPECT_EQ(Cell(1, 1), "145.1234");
  Enter();
  // Default line data without "defdata.ini": Delay On, Lock Out and Beep Alert Off, ATT alone.
  EXPECT_EQ(Shown(1), "145.1200||On|Off|None|Off|On");
  EXPECT_EQ(ws.status.bank_usage, "1-------------------- ");
  EXPECT_EQ(ws.grid.current, (CellPos{2, 1}));
  EXPECT_EQ(ws.grid.selection_end, (CellPos{2, 1}));
  EXPECT_TRUE(ws.unsaved_changes);

  Select(2, 1, 4, 1);  // every selected cell, the defaults in the current row only
  Type("162.0125");
  Enter();
  EXPECT_EQ(Shown(2) + " " + Shown(3), "162.0100||On|Off|None|Off| 162.0100||||None||");
  EXPECT_EQ(ws.grid.current, (CellPos{5, 1}));
  Select(20, 1);  // Enter on the last row stays there
  Type("146");
  Enter();
  EXPECT_EQ(Cell(20, 1) + " " + std::to_string(ws.grid.current.row), "146.0000 20");

  struct Case {
    const char* typed;
    int zero;
    const char* shown;  // the correction itself is the frequency model's; here padding and
    bool defaults;      // defaults only for a valid entry
  };
  for (const Case& c : {Case{"80", 0, "054.0000", true}, Case{"45", 1, "45.0000", true},
                        Case{"0", 0, "0", false}, Case{"-", 0, "-", false}}) {
    ws.settings.zero = c.zero;
    Select(6, 1);
    ws.grid.Cell(6, 3).clear();
    Type(c.typed);
    Enter();
    EXPECT_EQ(Cell(6, 1) + "/" + Cell(6, 3), std::string(c.shown) + "/" + (c.defaults ? "On" : ""));
  }
}

TEST_F(CellEditorTest, TypingFiltersLimitsAndReplacesTheCellAtTheFirstKey) {
  Type("1a/ 4x5");
  EXPECT_EQ(Cell(1, 1), "145");
  Type("1234567890");
  EXPECT_EQ(Cell(1, 1), "1451234567");  // ten characters; the rest is refused
  editor.TypeChar(kKeyBackspace);
  EXPECT_EQ(Cell(1, 1), "145123456");

  Select(1, 2);
  Type("A!b\"$%*+:;<=>?@[\\]^_`{|}~ #&'(),-./9");
  editor.TypeChar(9);  // Tab character
  editor.TypeChar(0xE9);
  EXPECT_EQ(Cell(1, 2), "Ab #&'(),-./9");
  editor.TypeChar(kKeyBackspace);
  EXPECT_EQ(Cell(1, 2), "Ab #&'(),-./");
  Select(2, 2);
  Type("ABCDEFGHIJKLMNOPQRS");
  EXPECT_EQ(Cell(2, 2), "ABCDEFGHIJKLMNOPQ");  // a 17th character is taken, an 18th is not
  ws.settings.option9 = 1;
  Enter();
  EXPECT_EQ(Cell(2, 2) + "/" + ws.tags.tag_list[1], "ABCDEFGHIJKLMNOP/ABCDEFGHIJKLMNOP");
  EXPECT_EQ(ws.grid.current, (CellPos{3, 2}));

  ws.grid.Cell(3, 1) = "Empty";
  Select(3, 1);
  Type("4");
  EXPECT_EQ(Cell(3, 1), "4");
  Put(5, "145.5");
  Render();
  Select(5, 1);
  Type("1");
  EXPECT_EQ(Cell(5, 1), "145.50001");  // moving by keyboard keeps typing going
  editor.LeftButtonDown();
  Type("12");
  EXPECT_EQ(Cell(5, 1), "12");  // the old text goes on the first key after a click
}

TEST_F(CellEditorTest, KeyCommandsTabShiftOnOffAndThePicker) {
  Select(6, 7);
  editor.PressKey(kKeyTab);
  EXPECT_EQ(ws.grid.current, (CellPos{6, 1}));
  editor.PressKey(kKeyTab, {.shift = true});
  EXPECT_EQ(ws.grid.current, (CellPos{6, 7}));
  Select(6, 2, 8, 4);
  editor.PressKey(kKeyTab);
  EXPECT_EQ(ws.grid.current, (CellPos{6, 5}));  // from the last selected column
  EXPECT_EQ(ws.grid.selection_end, (CellPos{6, 5}));

  // Ctrl+U moves a channel to the next number and Ctrl+D to the previous, whatever `shiftdir`:
  // with it the keys run the opposite-named commands, which swap again.
  Put(7, "145.5|SEVEN");
  Render();
  for (const int shiftdir : {0, 1}) {
    ws.settings.shiftdir = shiftdir;
    Select(7, 2);
    editor.PressKey('U', {.ctrl = true});
    EXPECT_EQ(Cell(8, 2) + std::to_string(ws.grid.current.row), "SEVEN8") << shiftdir;
    editor.PressKey('D', {.ctrl = true});
    EXPECT_EQ(Cell(7, 2) + std::to_string(ws.grid.current.row), "SEVEN7") << shiftdir;
  }

  Put(1, "145.5");
  Render();
  // Delay, Lock Out and Beep Alert take letters and digits; ATT only Space and double clicks.
  for (const int column : {3, 4, 6, 7}) {
    Select(1, column);
    std::string shown;
    for (const int key : {int{'N'}, int{'F'}, int{kKeyNumpad1}, int{kKeySpace}, int{'O'}, int{'0'},
                          int{'1'}, int{kKeyNumpad0}}) {
      editor.PressKey(key);
      shown += Cell(1, column) + " ";
    }
    editor.PressKey('N', {.ctrl = true});
    editor.DoubleClick();
    shown += Cell(1, column);
    EXPECT_EQ(shown, column == 7 ? "Off Off Off On On On On On Off"
                                 : "On Off On Off On Off On Off On")
        << column;
  }

  Select(1, 5);
  ASSERT_EQ(editor.controls().picker_index, 0);  // "None"
  std::string picked;
  const std::pair<int, bool> moves[] = {{kKeySpace, false}, {kKeyNumpadAdd, false},
                                        {kKeyNumpadSubtract, false}, {kKeyNumpadSubtract, false},
                                        {kKeySpace, true}};
  for (const auto& [key, shift] : moves) {
    editor.PressKey(key, {.shift = shift});
    picked += Cell(1, 5) + " ";
  }
  EXPECT_EQ(picked, "67.0 " + PickerEntries()[11] + " 67.0 None None ");  // no wrap at the top
  editor.ChoosePickerEntry(142);
  editor.PressKey(kKeySpace);
  EXPECT_EQ(Cell(1, 5), "None");  // past the last: the first
  editor.ChoosePickerEntry(133);
  editor.PressKey(kKeyNumpadAdd);
  EXPECT_EQ(Cell(1, 5), "None");
  editor.ChoosePickerEntry(200);  // no such entry
  editor.DoubleClick();
  EXPECT_EQ(Cell(1, 5), "67.0");
  CommitBank(ws, ui);
  EXPECT_EQ(Row(1), "145.5000||1|1|1|1|0");  // the picker's "67.0" is stored as code 1
}

TEST_F(CellEditorTest, TheCursorStaysInTheChannelsWhateverTheKey) {
  ws.grid.Cell(0, 1) = "Freq. (MHz)";
  ws.grid.current = {0, 0};
  ws.grid.selection_end = {0, 0};
  Type("5");
  EXPECT_EQ(Cell(0, 1) + "/" + Cell(1, 1), "Freq. (MHz)/5");
  ws.grid.Cell(1, 2) = "x";
  ws.grid.current = {35, 9};
  ws.grid.selection_end = {-4, 2};
  editor.PressKey(kKeyDelete);
  editor.DoubleClick();
  EXPECT_EQ(ws.grid.current, (CellPos{20, 7}));
  EXPECT_EQ(ws.grid.selection_end, (CellPos{1, 2}));
  EXPECT_EQ(Cell(1, 2) + "/" + Cell(1, 1), "/5");

  Put(1, "145.5");
  Render();
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

TEST_F(CellEditorTest, DeleteTakesNoSnapshotAndDummyBankEditsAreNotUnsaved) {
  Put(1, "145.5|A");
  Put(2, "146.5|B");
  Render();
  Select(1, 1, 2, 2);
  editor.PressKey(kKeyDelete);
  EXPECT_EQ(Cell(1, 1) + Cell(2, 2) + Cell(1, 3), "Off");
  EXPECT_FALSE(lines.UndoAvailable());
  editor.PressKey(kKeyDelete, {.shift = true});  // Shift+Delete is the menu's command, not this
  EXPECT_EQ(Cell(1, 3), "Off");

  ws.unsaved_changes = false;
  ws.current_bank = kDummyBank;
  Select(1, 1);
  Type("145.5");
  Enter();
  editor.PressKey(kKeyDelete);
  editor.DoubleClick();
  editor.ChooseOffOn(true);
  EXPECT_FALSE(ws.unsaved_changes);
  ws.current_bank = 9;
  editor.PressKey(kKeyTab);
  EXPECT_TRUE(ws.unsaved_changes);
}

TEST_F(CellEditorTest, TheEditorBoxFiltersKeysAndWritesTheSelectedCellsOnEnter) {
  Select(3, 1, 4, 1);
  EXPECT_FALSE(editor.EditorBoxKey('a'));
  EXPECT_TRUE(editor.EditorBoxKey('1') && editor.EditorBoxKey(kKeyBackspace) && editor.EditorBoxKey(10));
  editor.EditorBoxTextChanged("  137.0063");
  EXPECT_FALSE(editor.EditorBoxKey('5'));  // the box holds ten characters
  EXPECT_TRUE(editor.EditorBoxKey(kKeyBackspace));
  EXPECT_FALSE(editor.EditorBoxKey(kKeyEnter));
  EXPECT_EQ(Shown(3) + " " + Shown(4), "137.0050||||None|| 137.0050||||None||");  // no defaults
  EXPECT_EQ(ws.grid.current, (CellPos{3, 1}));  // the cell does not move
  EXPECT_EQ(editor.controls().editor_box_text, "137.0050");
  editor.EditorBoxTextChanged("0");
  editor.EditorBoxEnter();
  EXPECT_EQ(Cell(3, 1), "0");  // not a frequency: written as it stands

  ws.settings.option9 = 1;
  Select(2, 2);
  EXPECT_TRUE(editor.controls().easy_tags);
  EXPECT_TRUE(editor.EditorBoxKey('z') && editor.EditorBoxKey(8) && editor.EditorBoxKey(0));
  EXPECT_FALSE(editor.EditorBoxKey('!') || editor.EditorBoxKey(9));
  editor.EditorBoxTextChanged("ABCDEFGHIJK");
  EXPECT_FALSE(editor.EditorBoxKey('L') || editor.EditorBoxKey(kKeyBackspace));
  editor.ChooseEasyTag("  A VERY LONG TAG NAME");
  EXPECT_TRUE(editor.EditorBoxKey(kKeyEnter) == false);
  EXPECT_EQ(Cell(2, 2) + "/" + ws.tags.tag_list[1], "  A VERY LONG TA/A VERY LONG TA");
  Select(2, 3);
  editor.ChooseEasyTag("no box here");
  EXPECT_FALSE(editor.EditorBoxKey('1'));
  editor.EditorBoxEnter();
  EXPECT_EQ(Cell(2, 3), "");
}

TEST_F(CellEditorTest, ControlsAndHelpBarFollowTheColumn) {
  Put(1, "145.5||1|x|40");
  Render();
  const struct {
    int column, end_row;
    const char* controls;  // box text, box limit, tags, off/on and its value, picker and its index
  } cases[] = {
      {1, 1, "box 145.5000/10"}, {2, 1, "box /0 tags"},     {3, 1, "offon 1"},
      {4, 1, "offon -1"},        {5, 1, "picker 40"},       {5, 2, "picker -1"},
      {6, 1, "offon 0"},         {7, 1, "offon 0"},
  };
  for (const auto& c : cases) {
    Select(1, c.column, c.end_row, c.column);
    const ControlsAboveGrid& k = editor.controls();
    std::string shown;
    if (k.editor_box) shown += "box " + k.editor_box_text + "/" + std::to_string(k.editor_box_limit);
    if (k.easy_tags) shown += " tags";
    if (k.off_on) shown += "offon " + std::to_string(k.off_on_value);
    if (k.picker) shown += "picker " + std::to_string(k.picker_index);
    EXPECT_EQ(shown, c.controls) << c.column;
    EXPECT_EQ(editor.FillSeriesAvailable(), c.column == 2);
  }
  Select(1, 3, 1, 5);
  editor.LeftButtonUp();
  EXPECT_FALSE(editor.controls().off_on);
  editor.ChooseOffOn(true);
  EXPECT_EQ(Cell(1, 3) + Cell(1, 4), "OnOn");
  ws.current_bank = 11;
  editor.UpdateControls();
  EXPECT_FALSE(editor.controls().editor_box || editor.controls().off_on || editor.controls().picker);

  ws.current_bank = 2;
  Select(4, 1, 6, 1);
  editor.LeftButtonDown();
  EXPECT_EQ(ws.status.current_channel + "/" + ws.status.last_selected_channel, "44/46");
  EXPECT_EQ(editor.help_text(), "Enter frequency. Use <ENTER> to jump to next channel.");
}

// Text that reaches a tag other than by typing gets the rules of typing.
TEST_F(CellEditorTest, PastedTagsLoseControlCharactersAndKeepSixteenCharacters) {
  clipboard.text = "145.5\tTAB\x01ME 0123456789XYZ\t0\r\n";
  Select(3, 1);
  lines.Paste();
  EXPECT_EQ(Cell(3, 1) + "|" + Cell(3, 2) + "|" + Cell(3, 3), "145.5|TAB ME 012345678|0");
  Select(4, 2);
  editor.EditorBoxTextChanged("A\tB\x1f 0123456789ABCDEF\x7f");
  EXPECT_EQ(editor.controls().editor_box_text, "A B  0123456789A");
  EXPECT_EQ(editor.controls().editor_box_length, 16u);
}

}  // namespace
}  // namespace talvirex::testing
