// SPDX-License-Identifier: GPL-3.0-or-later
// Editor rules no session reaches: a start on what a previous run left, a cursor the grid control
// places outside the channels, a slot beyond the Dummy bank, full tag lists, a sort whose busy
// pointer fails, Memory Manager operations on slots no list offers, Replace's rule for one tag,
// the Tag column's help against the tag filter and the command table's shape. The rest runs in the
// editor sessions (tests/data/editor).

#include <gtest/gtest.h>

#include <set>
#include <stdexcept>

#include "editor/cell_editor.h"
#include "editor/command_table.h"
#include "editor/duplicates.h"
#include "editor/find_replace_form.h"
#include "editor/grid_bridge.h"
#include "editor/line_commands.h"
#include "editor/main_window.h"
#include "editor/memory_manager_form.h"
#include "editor/sort_commands.h"
#include "image/codec_tables.h"
#include "model/shown_text.h"
#include "ports/ui.h"
#include "support/fake_ports.h"
#include "support/golden.h"
#include "support/temp_dir.h"
#include "workspace.h"

namespace talvirex::testing {
namespace {

TEST(MainWindow, StartUpBuildsTheImageAndBlanksWhatALastRunLeft) {
  TempDir folder;
  Workspace ws;
  ScriptedUi ui;
  FakeClipboard clipboard;
  FakeClock clock;
  int images_built = 0;
  MainWindowLogic window{
      ws, ui, clipboard, clock, {folder.path(), folder.path()}, {[&](CloneImage& image) {
        ++images_built;
        image.lines[1] = "built";
      }}};
  ws.table.At(3, 21, kFieldSubtone) = "left over";
  ws.priority[9] = 5;
  ws.scanner_settings[10] = 1;
  window.Startup();
  EXPECT_EQ(images_built, 1);
  EXPECT_EQ(ws.clone_image.lines[1], "built");
  EXPECT_EQ(ws.table.At(3, 21, kFieldSubtone), "");
  EXPECT_EQ(ws.priority[9] * 10 + ws.scanner_settings[10], 1810);
}

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
  EXPECT_FALSE(editor.controls().editor_box || editor.controls().off_on ||
               editor.controls().picker);
  ws.current_bank = 11;
  Select(1, 3);
  EXPECT_EQ(editor.CurrentColumnKind(), ColumnKind::kNone);
  EXPECT_FALSE(editor.controls().editor_box || editor.controls().off_on ||
               editor.controls().picker);
  editor.ChooseOffOn(true);
  editor.PressKey('N');
  EXPECT_EQ(Cell(1, 3), "");
}

// The Tag column's help suggests characters to type: each one it names must reach the cell
// through the typed-tag filter and be one the scanner's display can show.
TEST_F(CellEditorTest, TheTagHelpNamesOnlyCharactersATypedTagKeeps) {
  ws.table.At(0, 1, kFieldFrequency) = "145.5";
  RenderBank(ws, ui);
  Select(1, 2);
  const std::string help = editor.help_text();
  const std::size_t like = help.find(" like ");
  ASSERT_NE(like, std::string::npos) << help;
  std::string named;
  for (const char c : help.substr(like + 6)) {
    if (c != ' ') named += c;
  }
  ASSERT_FALSE(named.empty()) << help;
  for (const char c : named) {
    Select(1, 2);
    for (const int code :
         {int{'A'}, static_cast<int>(static_cast<unsigned char>(c)), int{kKeyEnter}}) {
      editor.TypeChar(code);
    }
    EXPECT_EQ(Cell(1, 2), std::string("A") + c) << "typed " << c;
    EXPECT_GE(TagCharCode(c), 0) << c;
  }
}

// Full tag lists: the dropdowns show every slot up to the last, and a full bank list keeps
// reusing its last slot. The rest of the redraw runs in the editor sessions.
TEST(RenderBank, FullTagListsFillTheDropdownsToTheirLastSlot) {
  Workspace ws;
  ws.settings.easy_tag_lists = true;
  for (int i = 0; i < 300; ++i) {
    std::string tag = "T" + std::to_string(i);
    RecordTag(ws.tags, tag, 0, 1);
  }
  ScriptedUi ui;
  RenderBank(ws, ui);
  EXPECT_EQ(ws.tag_dropdowns.easy_tags.size(), 211u);
  EXPECT_EQ(ws.tag_dropdowns.bank_tags[0].size(), 102u);
  EXPECT_EQ(ws.tag_dropdowns.bank_tags[0][101], "T299");
}

// Beyond the Dummy bank there is nothing to compare; the count is of the pairs reported.
TEST(FindDuplicates, ASlotBeyondTheDummyBankHasNoChannelsToCompare) {
  Workspace ws;
  ws.current_bank = 11;
  ws.table.At(11, 1, kFieldFrequency) = ws.table.At(11, 2, kFieldFrequency) = "145.5000";
  ScriptedUi ui;
  TempDir dir;
  EXPECT_EQ(FindDuplicates(ws, ui, DuplicateSearch::kCurrentBank, dir.path()), 0);
  ws.current_bank = 0;
  ws.table.At(0, 1, kFieldFrequency) = ws.table.At(0, 2, kFieldFrequency) = "145.5000";
  RenderBank(ws, ui);
  EXPECT_EQ(FindDuplicates(ws, ui, DuplicateSearch::kCurrentBank, dir.path()), 1);
}

// The command line leaves a bank as showing it and committing it leave it, without a grid.
TEST(SettleBank, LeavesTheTableAsARedrawAndACommitDo) {
  const std::vector<std::vector<std::string>> rows = {
      {"146.52", "  Tower", "1", "0", "5", "1", "0"}, {"1400", "Far", "0", "1", "49", "0", "1"},
      {"0", "Unused", "1", "1", "7", "1", "1"},       {"", "", "", "", "", "", ""},
      {" 0012.5", " ", "x", "On", "999", "2", "Off"}, {"108.0001", "Air", "0", "0", "0", "0", "0"},
  };
  for (const int zero : {0, 1}) {
    for (const int easy_tags : {0, 1}) {
      Workspace shown;
      shown.current_bank = 4;
      shown.settings.hide_leading_zeros = zero;
      shown.settings.easy_tag_lists = easy_tags;
      for (std::size_t i = 0; i < rows.size(); ++i) {
        for (int field = 1; field <= 7; ++field)
          shown.table.At(4, static_cast<int>(i) + 1, field) = rows[i][field - 1];
      }
      ChannelTable settled = shown.table;
      SilentUi ui;
      RenderBank(shown, ui);
      CommitBank(shown, ui);
      SettleBank(settled, 4, zero, easy_tags == 1);
      for (int row = 1; row <= kChannelsPerBank; ++row) {
        for (int field = 0; field < kFields; ++field) {
          EXPECT_EQ(settled.At(4, row, field), shown.table.At(4, row, field))
              << "zero " << zero << ", easy tags " << easy_tags << ", row " << row << ", field "
              << field;
        }
      }
    }
  }
}

// A Ui whose busy pointer fails, to drive the sort's failure report. Sorting itself runs in the
// editor sessions (tests/data/editor/table_commands.txt).
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
       {std::pair{SortOrder::kAscending, "System Error - sort_all: "},
        std::pair{SortOrder::kDescending, "System Error - sort_alld: "}}) {
    Workspace ws;
    FailingProgressUi ui;
    ws.table.At(0, 1, kFieldFrequency) = "300.0000";
    ws.table.At(0, 2, kFieldFrequency) = "200.0000";
    RenderBank(ws, ui);
    SortBank(ws, ui, order);
    EXPECT_EQ(ui.shown, std::vector<std::string>{std::string(lead) + "9 pointer out of range"});
    EXPECT_EQ(ws.table.At(0, 1, kFieldFrequency), "300.0000");
  }
}

TEST(MemoryManager, OperationsOnSlotsOutsideTheTableChangeNothing) {
  Workspace ws;
  ws.table.At(0, 1, kFieldFrequency) = "145.5";
  ws.table.At(kDummyBank, 20, kFieldTag) = "D";
  EXPECT_FALSE(OperateChannel(ws.table, {0, 0}, {0, 1}, ManagerOperation::kCopy));
  EXPECT_FALSE(OperateChannel(ws.table, {0, 1}, {11, 1}, ManagerOperation::kSwap));
  EXPECT_FALSE(OperateChannel(ws.table, {-1, 1}, {0, 21}, ManagerOperation::kMove));
  EXPECT_FALSE(OperateChannel(ws.table, {0, 1}, {0, 21}, ManagerOperation::kMove));
  EXPECT_FALSE(OperateBank(ws, 0, 11, ManagerOperation::kSwap, true));
  EXPECT_FALSE(OperateBank(ws, -3, 1, ManagerOperation::kMove, true));
  EXPECT_EQ(ws.table.At(0, 1, kFieldFrequency) + ws.table.At(0, 21, kFieldFrequency), "145.5");
  EXPECT_TRUE(OperateChannel(ws.table, {kDummyBank, 20}, {0, 20}, ManagerOperation::kCopy));
  EXPECT_TRUE(OperateBank(ws, kDummyBank, 0, ManagerOperation::kCopy, false));
  EXPECT_EQ(ws.table.At(0, 1, kFieldFrequency) + ws.table.At(0, 20, kFieldTag), "D");
}

TEST(ReplacedTag, FirstOccurrenceOnlyAndCutToSixteen) {
  ExpectTable("tables/replaced_tags.txt", [](const std::string& line) {
    const auto first = line.find('|'), second = line.find('|', first + 1);
    return ReplacedTag(line.substr(0, first), line.substr(first + 1, second - first - 1),
                       line.substr(second + 1));
  });
  ReplaceForm unopened;  // a form the window never opened has no table to change
  unopened.find_text = "A";
  EXPECT_EQ(unopened.Apply(), 0);
}

TEST(CommandTable, EveryCommandHasAMenuEntryOrAButton) {
  std::set<CommandId> reachable;
  for (const MenuEntry& entry : MenuEntries()) {
    EXPECT_EQ(entry.caption.empty(), entry.command == CommandId::kNone);
    reachable.insert(entry.command);
  }
  for (const ToolbarButton& button : ToolbarButtons()) reachable.insert(button.command);
  for (int id = static_cast<int>(CommandId::kNone); id <= static_cast<int>(CommandId::kPopupHint);
       ++id) {
    EXPECT_TRUE(reachable.contains(static_cast<CommandId>(id))) << id;
  }
}

}  // namespace
}  // namespace talvirex::testing
