#include "editor/cell_editor.h"

#include <gtest/gtest.h>

#include "editor_fixture.h"

namespace talvirex::testing {
namespace {

class CellEditorTest : public ::testing::Test, public EditorFixture {};

TEST_F(CellEditorTest, TypedFrequencyIsCorrectedPaddedFilledAndMovesDown) {
  Select(4, 1);
  Type("145.1234");
  EXPECT_EQ(Cell(4, 1), "145.1234");
  Enter();
  EXPECT_EQ(Cell(4, 1), "145.1200");
  // Default line data without "defdata.ini": Delay On, Beep Alert Off, Lock Out Off, ATT alone.
  EXPECT_EQ(Cell(4, 3), "On");
  EXPECT_EQ(Cell(4, 4), "Off");
  EXPECT_EQ(Cell(4, 6), "Off");
  // The new channel shows at once what a redraw would show, and the bank counts as used.
  EXPECT_EQ(Cell(4, 7), "");
  EXPECT_EQ(Cell(4, 5), "None");
  EXPECT_EQ(ws.status.bank_usage, "1-------------------- ");
  EXPECT_EQ(ws.grid.current, (CellPos{5, 1}));
  EXPECT_EQ(ws.grid.selection_end, (CellPos{5, 1}));
  EXPECT_TRUE(ws.unsaved_changes);

  Select(20, 1);  // Enter on the last row stays there
  Type("146");
  Enter();
  EXPECT_EQ(Cell(20, 1), "146.0000");
  EXPECT_EQ(ws.grid.current, (CellPos{20, 1}));
}

TEST_F(CellEditorTest, EnterPadsByTheZeroSettingAndFillsDefaultsOnlyWhenValid) {
  struct Case {
    std::string typed;
    bool hide_zeros;
    std::string shown;
    bool defaults_applied;
  };
  // The correction itself is the frequency model's; here: padding, and defaults only when valid.
  const Case cases[] = {{"80", false, "054.0000", true},
                        {"45", true, "45.0000", true},
                        {"0", false, "0", false},
                        {"-", false, "-", false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    ws.settings.hide_leading_zeros = c.hide_zeros;
    Select(2, 1);
    ws.grid.Cell(2, 3).clear();
    Type(c.typed);
    Enter();
    EXPECT_EQ(Cell(2, 1), c.shown);
    EXPECT_EQ(Cell(2, 3), c.defaults_applied ? "On" : "");
  }
}

TEST_F(CellEditorTest, TypingFiltersAndLimits) {
  Select(1, 1);
  Type("1a/ 4x5");
  EXPECT_EQ(Cell(1, 1), "145");
  Type("1234567890");
  EXPECT_EQ(Cell(1, 1), "1451234567");  // ten characters; the rest is refused
  editor.TypeChar(kKeyBackspace);
  EXPECT_EQ(Cell(1, 1), "145123456");

  Select(1, 2);
  Type("A!b\"$%*+:;@[_`{~ #&'(),-./9");
  editor.TypeChar(9);  // Tab character
  editor.TypeChar(0xE9);
  EXPECT_EQ(Cell(1, 2), "Ab #&'(),-./9");
  Select(2, 2);
  Type("ABCDEFGHIJKLMNOPQRS");
  EXPECT_EQ(Cell(2, 2), "ABCDEFGHIJKLMNOPQ");  // a 17th character is taken, an 18th is not
  ws.settings.easy_tag_lists = true;
  Enter();
  EXPECT_EQ(Cell(2, 2), "ABCDEFGHIJKLMNOP");
  EXPECT_EQ(ws.tags.tag_list[1], "ABCDEFGHIJKLMNOP");
  EXPECT_EQ(ws.grid.current, (CellPos{3, 2}));
}

TEST_F(CellEditorTest, FirstCharacterReplacesCellAndEmptyMarker) {
  ws.grid.Cell(3, 1) = "Empty";
  Select(3, 1);
  Type("4");
  EXPECT_EQ(Cell(3, 1), "4");
  Store(5, "145.5");
  Render();
  Select(5, 1);
  Type("1");
  EXPECT_EQ(Cell(5, 1), "145.50001");  // moving by keyboard keeps typing going
  Select(5, 1);
  editor.LeftButtonDown();
  Type("12");
  EXPECT_EQ(Cell(5, 1), "12");  // the old text goes on the first key after a click
}

TEST_F(CellEditorTest, EnterWritesIntoEverySelectedCell) {
  Select(2, 1, 4, 1);
  Type("162.0125");
  Enter();
  for (int row = 2; row <= 4; ++row) EXPECT_EQ(Cell(row, 1), "162.0100");
  EXPECT_EQ(Cell(2, 3), "On");  // the defaults go to the current row only
  EXPECT_EQ(Cell(3, 3), "");
  EXPECT_EQ(ws.grid.current, (CellPos{5, 1}));
}

TEST_F(CellEditorTest, TabShiftTabAndShiftShortcuts) {
  Select(6, 7);
  editor.PressKey(kKeyTab);
  EXPECT_EQ(ws.grid.current, (CellPos{6, 1}));
  editor.PressKey(kKeyTab, {.shift = true});
  EXPECT_EQ(ws.grid.current, (CellPos{6, 7}));
  Select(6, 2, 8, 4);
  editor.PressKey(kKeyTab);
  EXPECT_EQ(ws.grid.current, (CellPos{6, 5}));  // from the last selected column
  EXPECT_EQ(ws.grid.selection_end, (CellPos{6, 5}));

  // Ctrl+U moves a channel to the next number and Ctrl+D to the previous, whatever `reverse_shift`:
  // with it the keys run the opposite-named commands, which swap again.
  Store(7, "145.5", "SEVEN");
  Render();
  for (const bool reverse : {false, true}) {
    SCOPED_TRACE(reverse);
    ws.settings.reverse_shift = reverse;
    Select(7, 2);
    editor.PressKey('U', {.ctrl = true});
    EXPECT_EQ(Cell(8, 2), "SEVEN");
    EXPECT_EQ(ws.grid.current.row, 8);
    editor.PressKey('D', {.ctrl = true});
    EXPECT_EQ(Cell(7, 2), "SEVEN");
    EXPECT_EQ(ws.grid.current.row, 7);
  }
}

TEST_F(CellEditorTest, OnOffShortcutsAndToggle) {
  Store(1, "145.5");
  Render();
  Select(1, 3);
  const std::pair<int, const char*> steps[] = {
      {'N', "On"}, {'F', "Off"}, {kKeyNumpad1, "On"}, {kKeySpace, "Off"}};
  for (const auto& [key, shown] : steps) {
    editor.PressKey(key);
    EXPECT_EQ(Cell(1, 3), shown) << key;
  }
  Select(1, 7);  // ATT: letters do nothing, Space and double-click toggle
  editor.PressKey('N');
  EXPECT_EQ(Cell(1, 7), "Off");
  editor.PressKey(kKeySpace);
  EXPECT_EQ(Cell(1, 7), "On");
  editor.DoubleClick();
  EXPECT_EQ(Cell(1, 7), "Off");
}

TEST_F(CellEditorTest, PickerMoves) {
  Store(1, "145.5");
  Render();
  Select(1, 5);
  ASSERT_EQ(editor.controls().picker_index, 0);  // "None"
  editor.PressKey(kKeySpace);
  EXPECT_EQ(Cell(1, 5), "67.0");
  editor.PressKey(kKeyNumpadAdd);
  EXPECT_EQ(Cell(1, 5), PickerEntries()[11]);
  editor.PressKey(kKeyNumpadSubtract);
  editor.PressKey(kKeyNumpadSubtract);
  editor.PressKey(kKeySpace, {.shift = true});
  EXPECT_EQ(Cell(1, 5), "None");  // no wrap at the top
  editor.ChoosePickerEntry(142);
  EXPECT_EQ(Cell(1, 5), "754");
  editor.PressKey(kKeySpace);
  EXPECT_EQ(Cell(1, 5), "None");  // past the last: the first
  editor.ChoosePickerEntry(138);
  editor.PressKey(kKeyNumpadAdd);
  EXPECT_EQ(Cell(1, 5), "None");
  editor.DoubleClick();
  EXPECT_EQ(Cell(1, 5), "67.0");
  CommitBank(ws, ui);
  EXPECT_EQ(Stored(1, kFieldSubtone), "1");
}

TEST_F(CellEditorTest, EveryKeyInEveryColumnStaysInTheGrid) {
  Store(1, "145.5");
  Render();
  for (int column = 1; column <= 7; ++column) {
    for (int row : {1, 20}) {
      Select(row, column);
      for (int code = 0; code < 300; ++code) {
        editor.TypeChar(code);
        editor.PressKey(code);
        editor.PressKey(code, {.shift = true});
        editor.PressKey(code, {.ctrl = true});
      }
    }
  }
  EXPECT_GE(ws.grid.current.row, 1);
  EXPECT_LE(ws.grid.current.row, 20);
  EXPECT_GE(ws.grid.current.column, 1);
  EXPECT_LE(ws.grid.current.column, 7);
}

TEST_F(CellEditorTest, CursorOutsideTheChannelsIsBroughtBack) {
  ws.grid.Cell(0, 1) = "Freq. (MHz)";
  ws.grid.current = {0, 0};
  ws.grid.selection_end = {0, 0};
  Type("5");
  EXPECT_EQ(Cell(0, 1), "Freq. (MHz)");
  EXPECT_EQ(Cell(1, 1), "5");
  ws.grid.Cell(1, 2) = "x";
  ws.grid.current = {35, 9};
  ws.grid.selection_end = {-4, 2};
  editor.PressKey(kKeyDelete);
  editor.DoubleClick();
  EXPECT_EQ(ws.grid.current, (CellPos{20, 7}));
  EXPECT_EQ(ws.grid.selection_end, (CellPos{1, 2}));
  EXPECT_EQ(Cell(1, 2), "");
  EXPECT_EQ(Cell(1, 1), "5");
}

TEST_F(CellEditorTest, DeleteAndDummyBankEdits) {
  Store(1, "145.5", "A");
  Store(2, "146.5", "B");
  Render();
  ResetHistory(ws);  // as a file just opened
  Select(1, 1, 2, 2);
  editor.PressKey(kKeyDelete);
  EXPECT_EQ(Cell(1, 1), "");
  EXPECT_EQ(Cell(2, 2), "");
  lines.Undo();  // Delete is a step of its own
  EXPECT_EQ(Cell(2, 2), "B");

  ws.unsaved_changes = false;
  ws.current_bank = kDummyBank;
  Select(1, 1);
  Type("145.5");
  Enter();
  editor.PressKey(kKeyDelete);
  EXPECT_FALSE(ws.unsaved_changes);
  ws.current_bank = 9;
  editor.PressKey(kKeyTab);
  EXPECT_TRUE(ws.unsaved_changes);
}

TEST_F(CellEditorTest, EditorBoxFiltersLimitsAndEnter) {
  Select(3, 1, 4, 1);
  EXPECT_FALSE(editor.EditorBoxKey('a'));
  EXPECT_TRUE(editor.EditorBoxKey('1'));
  editor.EditorBoxTextChanged("  137.0063");
  EXPECT_FALSE(editor.EditorBoxKey('5'));  // the box holds ten characters
  EXPECT_TRUE(editor.EditorBoxKey(kKeyBackspace));
  EXPECT_FALSE(editor.EditorBoxKey(kKeyEnter));
  EXPECT_EQ(Cell(3, 1), "137.0050");
  EXPECT_EQ(Cell(4, 1), "137.0050");
  EXPECT_EQ(ws.grid.current, (CellPos{3, 1}));  // the cell does not move
  EXPECT_EQ(editor.controls().editor_box_text, "137.0050");
  EXPECT_EQ(Cell(3, 3), "");  // no default data from the box
  EXPECT_EQ(Cell(3, 5), "None");

  ws.settings.easy_tag_lists = true;
  Select(2, 2);
  EXPECT_TRUE(editor.controls().easy_tags);
  EXPECT_FALSE(editor.EditorBoxKey('!'));
  editor.EditorBoxTextChanged("ABCDEFGHIJK");
  EXPECT_FALSE(editor.EditorBoxKey('L'));
  EXPECT_FALSE(editor.EditorBoxKey(kKeyBackspace));
  editor.ChooseEasyTag("  A VERY LONG TAG NAME");
  editor.EditorBoxEnter();
  EXPECT_EQ(Cell(2, 2), "  A VERY LONG TA");
  EXPECT_EQ(ws.tags.tag_list[1], "A VERY LONG TA");
}

TEST_F(CellEditorTest, ControlsAndHelpBarFollowTheColumn) {
  Store(1, "145.5");
  ws.table.At(0, 1, kFieldSubtone) = "40";
  Render();
  Select(1, 1);
  EXPECT_TRUE(editor.controls().editor_box);
  EXPECT_EQ(editor.controls().editor_box_text, "145.5000");
  EXPECT_FALSE(editor.FillSeriesAvailable());
  Select(1, 2);
  EXPECT_TRUE(editor.FillSeriesAvailable());
  Select(1, 4);
  EXPECT_TRUE(editor.controls().off_on);
  Select(1, 5);
  EXPECT_EQ(editor.controls().picker_index, 40);
  Select(1, 5, 2, 5);
  EXPECT_EQ(editor.controls().picker_index, -1);
  Select(1, 3, 1, 5);
  editor.LeftButtonUp();
  EXPECT_FALSE(editor.controls().off_on);

  ws.current_bank = 2;
  Select(4, 1, 6, 1);
  editor.LeftButtonDown();
  EXPECT_EQ(ws.status.current_channel, "44");
  EXPECT_EQ(ws.status.last_selected_channel, "46");
  EXPECT_EQ(editor.help_text(), "Enter frequency. Use <ENTER> to jump to next channel.");
}

// A paste reaches a tag without passing the key filters; it still gets the rules of typing.
TEST_F(CellEditorTest, PastedTagsLoseControlCharactersAndKeepSixteenCharacters) {
  clipboard.text = "145.5\tTAB\x01ME 0123456789XYZ\t0\r\n";
  Select(3, 1);
  lines.Paste();
  EXPECT_EQ(Cell(3, 1), "145.5");
  EXPECT_EQ(Cell(3, 2), "TAB ME 012345678");
  EXPECT_EQ(Cell(3, 3), "0");

  Select(4, 2);
  editor.EditorBoxTextChanged("A\tB\x1f 0123456789ABCDEF");
  EXPECT_EQ(editor.controls().editor_box_text, "A B  0123456789A");
  EXPECT_EQ(editor.controls().editor_box_length, 16u);
}

}  // namespace
}  // namespace talvirex::testing
