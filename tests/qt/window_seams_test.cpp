// SPDX-License-Identifier: GPL-3.0-or-later
// Where Qt meets the core, edits must not get lost: the selection a user drags or extends with
// Shift, timers firing while a dialog runs its own event loop, the redraw after a dialog, and text
// pasted into the editor box.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <algorithm>

#include "app/command_actions.h"
#include "app/grid_controls.h"
#include "editor/history.h"
#include "main_window_fixture.h"
#include "model/channel_table.h"

namespace talvirex {
namespace {

using testing::WriteBytes;

class WindowSeamsTest : public testing::MainWindowFixture {
 public:
  // Bank 1 with channels 151 .. 160 MHz in rows 1..10, as the file holds them.
  void OpenWithChannels(const std::string& setup = "") {
    WriteBytes(home_ / "setup.ini", "[setup]\r\noption4=1\r\nexpert=1\r\n" + setup);
    Open();
    ResetChannels();
  }
  void ResetChannels() {
    for (int row = 1; row <= 10; ++row) {
      window_->workspace().table.At(0, row, kFieldFrequency) = std::to_string(150 + row) + ".0000";
    }
    window_->logic().Redraw();
    ResetHistory(window_->workspace());
    window_->RefreshFromCore();
  }

  QPoint Centre(CellPos cell) {
    return Grid().visualRect(Grid().model()->index(cell.row - 1, cell.column - 1)).center();
  }
  void Drag(CellPos from, CellPos to) {
    QWidget* viewport = Grid().viewport();
    QTest::mousePress(viewport, Qt::LeftButton, {}, Centre(from));
    QTest::mouseMove(viewport, Centre(to));
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, Centre(to));
  }
  void ShiftArrows(CellPos from, Qt::Key key, int times) {
    ClickCell(from.row, from.column);
    for (int i = 0; i < times; ++i) QTest::keyClick(&Grid(), key, Qt::ShiftModifier);
  }
  void ShiftClick(CellPos from, CellPos to) {
    ClickCell(from.row, from.column);
    QTest::mouseClick(Grid().viewport(), Qt::LeftButton, Qt::ShiftModifier, Centre(to));
  }
  QString Panel(const char* name) { return window_->findChild<QLabel*>(name)->text(); }
  QAction& Action(CommandId command) { return *window_->commands().ActionsOf(command).at(0); }
  // Whole MHz of the frequency the grid shows in `row`.
  QString Mhz(int row) { return Cell(row, 1).left(3); }
  bool BackupWritten() {
    const auto folder = home_ / "backup";
    return std::filesystem::exists(folder) && !std::filesystem::is_empty(folder);
  }
};

// A selection is the same rows whichever way the user made it: the view's selection and the
// core's rectangle agree, Remove Selected Lines takes rows 3..5 for every gesture, and the current
// cell stays on the cell where the selection began (Qt keeps only the moving end).
TEST_F(WindowSeamsTest, EveryGestureOverRowsThreeToFiveRemovesThoseRows) {
  const struct {
    std::string gesture;
    CellPos anchor, end;
  } cases[] = {{"drag down", {3, 1}, {5, 1}},        {"drag up", {5, 1}, {3, 1}},
               {"shift+down", {3, 1}, {5, 1}},       {"shift+up", {5, 1}, {3, 1}},
               {"shift+click down", {3, 1}, {5, 3}}, {"shift+click up", {5, 3}, {3, 1}},
               {"drag up and left", {5, 3}, {3, 1}}};
  OpenWithChannels();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.gesture);
    ResetChannels();
    if (c.gesture.starts_with("drag")) Drag(c.anchor, c.end);
    if (c.gesture.starts_with("shift+click")) ShiftClick(c.anchor, c.end);
    if (c.gesture == "shift+down") ShiftArrows(c.anchor, Qt::Key_Down, 2);
    if (c.gesture == "shift+up") ShiftArrows(c.anchor, Qt::Key_Up, 2);
    const talvirex::Grid& grid = window_->workspace().grid;
    EXPECT_EQ(grid.current, c.anchor);
    EXPECT_EQ(grid.selection_end, c.end);
    const int columns = std::abs(c.end.column - c.anchor.column) + 1;
    const auto selected_rows = [&] {
      QList<int> rows;
      for (const QModelIndex& index : Grid().selectionModel()->selectedIndexes()) {
        if (!rows.contains(index.row() + 1)) rows.append(index.row() + 1);
      }
      std::sort(rows.begin(), rows.end());
      return rows;
    };
    EXPECT_EQ(selected_rows(), QList<int>({3, 4, 5}));
    EXPECT_EQ(Grid().selectionModel()->selectedIndexes().size(), 3 * columns);
    // Status panels 5 and 6, the first and last channel as the user selected them, follow a
    // click, and the release of a drag within one column.
    const bool panels_follow = c.gesture.starts_with("shift+click") ||
                               (c.gesture.starts_with("drag") && c.anchor.column == c.end.column);
    if (panels_follow) {
      EXPECT_EQ(Panel("currentchannel"), QString::number(c.anchor.row));
      EXPECT_EQ(Panel("lastchannel"), QString::number(c.end.row));
    }
    window_->RunCommand(CommandId::kRemoveSelectedLines);
    QStringList shown;
    for (int row = 1; row <= 7; ++row) shown << Mhz(row);
    EXPECT_EQ(shown.join(' '), "151 152 156 157 158 159 160") << "rows 3..5 are removed";
    EXPECT_EQ(grid.current, c.anchor) << "the command keeps the cell where the selection began";
    EXPECT_EQ(selected_rows(), QList<int>({3, 4, 5}));
  }
}

TEST_F(WindowSeamsTest, PasteLinesStartsWhereTheDraggedSelectionBegan) {
  OpenWithChannels();
  Drag({7, 1}, {8, 1});
  window_->RunCommand(CommandId::kCopyLines);
  Drag({2, 1}, {3, 1});
  window_->RunCommand(CommandId::kPasteLines);
  EXPECT_EQ(Mhz(2), "157");
  EXPECT_EQ(Mhz(3), "158");
  EXPECT_EQ(Mhz(4), "154") << "the row below the selection is not overwritten";

  Drag({2, 1}, {4, 1});
  window_->RunCommand(CommandId::kFillDown);
  EXPECT_EQ(Mhz(4), "157");
}

// A dialog changes the table while it is open (its Apply); a backup tick that falls meanwhile
// must not copy the grid as it stood before the dialog over the table. The transfer window, whose
// read changes the table only when it completes, is checked for the waiting alone.
TEST_F(WindowSeamsTest, ABackupTickInsideAModalWindowWaitsUntilItCloses) {
  backup_tick_ = std::chrono::milliseconds(10);
  OpenWithChannels("backena=1\r\nbackupdelay=1\r\n");
  for (const CommandId command : {CommandId::kMemoryChannels, CommandId::kEasyFill,
                                  CommandId::kReplace, CommandId::kReadFromScanner}) {
    SCOPED_TRACE(static_cast<int>(command));
    const bool applies = command != CommandId::kReadFromScanner;
    std::filesystem::remove_all(home_ / "backup");
    RunAnswering(command, [&](QDialog& dialog) {
      if (applies) window_->workspace().table.At(0, 5, kFieldFrequency) = "145.5000";
      QTest::qWait(60);
      EXPECT_FALSE(BackupWritten()) << "the tick ran inside the window";
      dialog.reject();
    });
    EXPECT_TRUE(QTest::qWaitFor([&] { return BackupWritten(); }, 2000)) << "the tick never ran";
    if (applies) {
      EXPECT_EQ(window_->workspace().table.At(0, 5, kFieldFrequency), "145.5000");
    }
    ResetChannels();
  }
}

// The dialogs after which the bank is redrawn from the table keep the cells typed just before.
TEST_F(WindowSeamsTest, CellsTypedBeforeADialogSurviveItsRedraw) {
  Open();
  for (const CommandId command : {CommandId::kSoftwareOptions, CommandId::kMemoryChannels,
                                  CommandId::kEasyFill, CommandId::kReplace}) {
    SCOPED_TRACE(static_cast<int>(command));
    ClickCell(2, 1);
    QTest::keyClicks(&Grid(), "146.5");  // no Enter: the cell is typed, not yet committed
    RunAnswering(command, [](QDialog& dialog) { dialog.accept(); });
    EXPECT_EQ(Cell(2, 1), "146.5000");
    window_->workspace().table.At(0, 2, kFieldFrequency).clear();
    window_->logic().Redraw();
  }
}

TEST_F(WindowSeamsTest, TheTagBoxKeepsTheRulesOfTypingForAPasteAndForTypingOverASelection) {
  Open();
  TypeFrequency(1, "146");
  ClickCell(1, 2);
  QLineEdit* box = window_->controls().editor_box();
  box->setFocus();
  QGuiApplication::clipboard()->setText(QStringLiteral("Tower\t1\u0001 and a long tail"));
  QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(box->text(), "Tower 1  and a l");
  QTest::keyClick(box, Qt::Key_Return);
  EXPECT_EQ(Cell(1, 2), "Tower 1  and a l");

  // The box's key filter judges typed characters only: Ctrl+A selects for the next typing.
  QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClicks(box, "Pier");
  QTest::keyClick(box, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(box->text(), "Tower 1  and a l") << "undo takes the typing back";
  QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClicks(box, "Pier");
  QTest::keyClick(box, Qt::Key_Return);
  EXPECT_EQ(Cell(1, 2), "Pier");
}

}  // namespace
}  // namespace talvirex
