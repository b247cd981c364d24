// SPDX-License-Identifier: GPL-3.0-or-later
// The real main window on the offscreen platform: keys, clicks and menu choices go in through Qt
// and the test reads back what the widgets show and what the program wrote to its folder.
#include "app/main_window.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>
#include <QTabBar>
#include <QToolBar>

#include "app/command_actions.h"
#include "app/grid_controls.h"
#include "main_window_fixture.h"

namespace talvirex {
namespace {

using testing::ReadBytes;
using testing::WriteBytes;

class MainWindowTest : public testing::MainWindowFixture {
 protected:
  void ClickTab(int tab) {
    QTest::mouseClick(window_->tabs(), Qt::LeftButton, {}, window_->tabs()->tabRect(tab).center());
  }
  QAction& Action(CommandId command) { return *window_->commands().ActionsOf(command).at(0); }
  bool Exists(const std::string& name) { return std::filesystem::exists(home_ / name); }
  QString Title(const std::string& path) {
    return QString::fromStdString("Kelmora for Uniden SC200 - [ " + path + " ]");
  }
};

TEST_F(MainWindowTest, MenusToolbarsAndIconsComeFromTheCommandTableWithNamesAsTyped) {
  WriteBytes(home_ / "names.dat", "R&D\r\n");
  Open();
  EXPECT_EQ(Action(CommandId::kReadFromScanner).shortcut(), QKeySequence(Qt::Key_F5));
  EXPECT_EQ(Action(CommandId::kClearSelectedLines).shortcut(),
            QKeySequence(Qt::SHIFT | Qt::Key_Delete));
  EXPECT_TRUE(Action(CommandId::kShowBank0).isChecked());
  EXPECT_EQ(Action(CommandId::kShowBank0).text(), "R&&D");  // "&" is no access key in a name
  EXPECT_EQ(window_->tabs()->tabText(0), "1: R&&D");
  EXPECT_EQ(window_->commands().toolbar(1)->actions().first()->toolTip(), "Exit");
  for (const ToolbarButton& button : ToolbarButtons()) {
    if (button.command != CommandId::kNone) {
      EXPECT_FALSE(ToolbarIcon(button.icon).pixmap(16, 16).isNull()) << button.icon;
    }
  }
  EXPECT_FALSE(QIcon(QStringLiteral(":/talvirex.svg")).pixmap(48, 48).isNull());

  const QRect cell = Grid().visualRect(Grid().model()->index(4, 1));
  QTest::mouseClick(Grid().viewport(), Qt::RightButton, {}, cell.center());
  EXPECT_TRUE(window_->commands().popup()->isVisible());
  window_->commands().popup()->hide();
}

TEST_F(MainWindowTest, FrequencyTypedIntoTheGridIsCorrectedAndTheCursorMovesDown) {
  Open();
  ClickCell(3, 1);
  QTest::keyClicks(&Grid(), "145.1234");
  EXPECT_EQ(Cell(3, 1), "145.1234");
  QTest::keyClick(&Grid(), Qt::Key_Return);
  EXPECT_EQ(Cell(3, 1), "145.1200");
  EXPECT_EQ(Grid().currentIndex(), Grid().model()->index(3, 0));
  // A refused key and the full stop, which must not act as the Delete key, reach the cell editor.
  QTest::keyClicks(&Grid(), "4x6.5");
  EXPECT_EQ(Cell(4, 1), "46.5");
  QTest::keyClick(&Grid(), Qt::Key_Tab);
  EXPECT_TRUE(window_->controls().editor_box()->isVisibleTo(window_.get()));  // Tag column
  EXPECT_TRUE(Action(CommandId::kFillSeries).isEnabled());
}

// Panels 5 and 6 and the help label follow the view's cursor and the moving end of a Shift+arrow
// selection, not only a mouse press.
TEST_F(MainWindowTest, StatusPanelsAndHelpFollowArrowKeysAndShiftSelections) {
  Open();
  const auto panels = [this] {
    return window_->findChild<QLabel*>(QStringLiteral("currentchannel"))->text() + " " +
           window_->findChild<QLabel*>(QStringLiteral("lastchannel"))->text();
  };
  const auto help = [this] {
    return window_->findChild<QLabel*>(QStringLiteral("helplabel"))->text();
  };
  ClickCell(7, 1);
  EXPECT_EQ(panels(), "7 7");
  QTest::keyClick(&Grid(), Qt::Key_Down);
  QTest::keyClick(&Grid(), Qt::Key_Down);
  EXPECT_EQ(Grid().currentIndex(), Grid().model()->index(8, 0));
  EXPECT_EQ(panels(), "9 9");
  QTest::keyClick(&Grid(), Qt::Key_Down, Qt::ShiftModifier);
  QTest::keyClick(&Grid(), Qt::Key_Down, Qt::ShiftModifier);
  EXPECT_EQ(Grid().selectionModel()->selectedIndexes().size(), 3);
  EXPECT_EQ(panels(), "9 11");
  QTest::keyClick(&Grid(), Qt::Key_Right);
  EXPECT_EQ(Grid().currentIndex(), Grid().model()->index(10, 1));
  EXPECT_EQ(panels(), "11 11");
  EXPECT_TRUE(help().startsWith(QStringLiteral("Enter tag."))) << help().toStdString();
  QTest::keyClick(&Grid(), Qt::Key_Up);
  EXPECT_EQ(panels(), "10 10");
}

// The keys of every desktop editor: Ctrl+Z takes back a typed channel, Ctrl+Y and Ctrl+Shift+Z do
// it again; the menu entries are enabled only when they can act, and the status bar names the step.
TEST_F(MainWindowTest, UndoAndRedoKeysFollowTheHistory) {
  Open();
  EXPECT_FALSE(Action(CommandId::kUndo).isEnabled());
  TypeFrequency(2, "146.52");
  EXPECT_TRUE(Action(CommandId::kUndo).isEnabled());
  EXPECT_FALSE(Action(CommandId::kRedo).isEnabled());
  QTest::keyClick(&Grid(), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Cell(2, 1), "");
  EXPECT_FALSE(Action(CommandId::kUndo).isEnabled());
  EXPECT_TRUE(Action(CommandId::kRedo).isEnabled());
  EXPECT_EQ(ui_.statuses.back(), "Redo: Edit Channel 2");
  QTest::keyClick(&Grid(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(Cell(2, 1), "146.5200");
  QTest::keyClick(&Grid(), Qt::Key_Z, Qt::ControlModifier);
  QTest::keyClick(&Grid(), Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(Cell(2, 1), "146.5200");
  EXPECT_EQ(ui_.statuses.back(), "Undo: Edit Channel 2");
}

TEST_F(MainWindowTest, ControlsAboveTheGridFollowTheColumnAndWriteTheSelectedCells) {
  Open();
  TypeFrequency(1, "146.52");
  GridControls& controls = window_->controls();
  ClickCell(1, 4);  // Lock Out
  EXPECT_FALSE(controls.editor_box()->isVisibleTo(window_.get()));
  ASSERT_TRUE(controls.on_button()->isVisibleTo(window_.get()));
  EXPECT_TRUE(controls.off_button()->isChecked());
  controls.on_button()->click();
  EXPECT_EQ(Cell(1, 4), "On");
  QTest::keyClick(&Grid(), Qt::Key_Space);
  EXPECT_EQ(Cell(1, 4), "Off");

  ClickCell(1, 5);  // PL/DPL
  ASSERT_TRUE(controls.picker()->isVisibleTo(window_.get()));
  QTest::keyClick(&Grid(), Qt::Key_Space);
  QTest::keyClick(&Grid(), Qt::Key_Space);
  EXPECT_EQ(Cell(1, 5), controls.picker()->itemText(2));
  EXPECT_EQ(controls.picker()->currentIndex(), 2);
  controls.picker()->activated(5);  // a choice in the list
  EXPECT_EQ(Cell(1, 5), controls.picker()->itemText(5));

  ClickCell(1, 2);  // Tag: the editor box applies with Enter and the cell keeps the cursor
  QLineEdit* box = controls.editor_box();
  box->setFocus();
  QTest::keyClicks(box, "Tower*2");  // "*" is refused
  QTest::keyClick(box, Qt::Key_Return);
  EXPECT_EQ(Cell(1, 2), "Tower2");
  EXPECT_EQ(Grid().currentIndex(), Grid().model()->index(0, 1));
}

TEST_F(MainWindowTest, ClickingATabSwitchesTheBankAndKeepsTheEditsOfTheOldOne) {
  Open();
  TypeFrequency(2, "155.5");
  ClickTab(4);
  EXPECT_EQ(window_->bank_title_label()->text(), "Bank 5");
  EXPECT_EQ(Cell(2, 1), "");
  ClickTab(10);
  EXPECT_EQ(Grid().model()->headerData(19, Qt::Vertical).toString(), "220");
  Action(CommandId::kShowBank0).trigger();  // the View menu's entry selects the tab as well
  EXPECT_EQ(window_->tabs()->currentIndex(), 0);
  EXPECT_EQ(Cell(2, 1), "155.5000");
  EXPECT_EQ(window_->bank_usage_label()->text(), "1-------------------- ");
}

TEST_F(MainWindowTest, SaveOpenAndExitWriteTheFilesTheNextStartReads) {
  WriteBytes(home_ / "setup.ini", "[setup]\r\nloadlast=1\r\ntabwidth=1\r\nwindow=1\r\n");
  WriteBytes(home_ / "window.dat", "1500\r\n1200\r\n15000\r\n9600\r\n2");  // maximised
  Open();
  EXPECT_NEAR(window_->normalGeometry().width(), 15000 * window_->logicalDpiX() / 1440.0, 1);
  TypeFrequency(1, "162.55");
  const std::string path = (home_ / "mine.s2c").string();
  ui_.save_paths = {path};
  Action(CommandId::kSave).trigger();
  EXPECT_EQ(window_->windowTitle(), Title(path));
  Action(CommandId::kNew).trigger();
  EXPECT_EQ(Cell(1, 1), "");
  ui_.open_paths = {path};
  Action(CommandId::kOpen).trigger();
  EXPECT_EQ(Cell(1, 1), "162.5500");
  EXPECT_EQ(window_->findChild<QLabel*>("fnaam")->text(), QString::fromStdString(path));

  TypeFrequency(2, "151.625");
  Grid().setColumnWidth(1, 300);    // the user widens the Tag column
  ui_.answers = {Answer::kCancel};  // "Exit TALVIREX?"
  EXPECT_FALSE(window_->close());
  EXPECT_FALSE(Exists("lastused.sav")) << "Cancel writes nothing";
  ui_.answers = {Answer::kOk, Answer::kYes};  // exit, save
  Action(CommandId::kExit).trigger();
  EXPECT_FALSE(window_->isVisible());
  EXPECT_NE(ReadBytes(home_ / "window.dat").find("15000\r\n9600\r\n2"), std::string::npos);
  window_.reset();

  Open();
  EXPECT_EQ(Cell(2, 1), "");  // the reload waits for its timer
  EXPECT_TRUE(QTest::qWaitFor([&] { return Cell(2, 1) == "151.6250"; }, 2000));
  EXPECT_EQ(window_->windowTitle(), Title(path));
  EXPECT_NEAR(Grid().columnWidth(1), 300, 1);
  EXPECT_EQ(window_->controls().editor_box()->text(), "162.5500");  // the box shows the cell
}

}  // namespace
}  // namespace talvirex
