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
  QString ChannelNumber(int row) {
    return Grid().model()->headerData(row - 1, Qt::Vertical).toString();
  }
  void ClickTab(int tab) {
    QTest::mouseClick(window_->tabs(), Qt::LeftButton, {}, window_->tabs()->tabRect(tab).center());
  }
  QAction& Action(CommandId command) { return *window_->commands().ActionsOf(command).at(0); }
  bool Exists(const std::string& name) { return std::filesystem::exists(home_ / name); }
};

TEST_F(MainWindowTest, StartsOnBankOneWithTitleChannelNumbersAndMenus) {
  Open();
  EXPECT_EQ(window_->windowTitle(), "Kelmora for Uniden SC200");
  EXPECT_EQ(window_->tabs()->count(), 11);
  EXPECT_EQ(window_->tabs()->tabText(10), "Dummy");
  EXPECT_EQ(window_->bank_title_label()->text(), "Bank 1");
  EXPECT_EQ(Grid().currentIndex(), Grid().model()->index(0, 0));

  // Menus, shortcuts, the popup and both toolbars come from the command table.
  EXPECT_EQ(Action(CommandId::kReadFromScanner).shortcut(), QKeySequence(Qt::Key_F5));
  EXPECT_TRUE(Action(CommandId::kShowBank0).isChecked());
  EXPECT_FALSE(Action(CommandId::kFillSeries).isEnabled());  // Tag column only
  EXPECT_FALSE(window_->commands().popup()->actions().isEmpty());
  EXPECT_EQ(window_->commands().toolbar(1)->actions().first()->toolTip(), "Exit");
}

TEST_F(MainWindowTest, EveryToolbarIconHasTheProgramsOwnImage) {
  testing::TestApplication();
  for (const ToolbarButton& button : ToolbarButtons()) {
    if (button.command == CommandId::kNone) continue;
    SCOPED_TRACE(std::string(button.icon));
    const QIcon own(QStringLiteral(":/icons/%1.svg").arg(QString::fromUtf8(button.icon.data(),
                                                                            button.icon.size())));
    EXPECT_FALSE(own.pixmap(16, 16).isNull());
    EXPECT_FALSE(ToolbarIcon(button.icon).isNull());
  }
}

TEST_F(MainWindowTest, FrequencyTypedIntoTheGridIsCorrectedAndTheCursorMovesDown) {
  Open();
  ClickCell(3, 1);
  QTest::keyClicks(&Grid(), "145.1234");
  EXPECT_EQ(Cell(3, 1), "145.1234");
  EXPECT_EQ(window_->controls().editor_box()->text(), "");  // the box follows selections only
  QTest::keyClick(&Grid(), Qt::Key_Return);
  EXPECT_EQ(Cell(3, 1), "145.1200");
  EXPECT_EQ(Cell(3, 3), "On");  // default line data
  EXPECT_EQ(Grid().currentIndex(), Grid().model()->index(3, 0));

  // A refused key (a letter in the frequency column) and the full stop, which must not act as
  // the Delete key, reach the cell as the cell editor rules.
  QTest::keyClicks(&Grid(), "4x6.5");
  EXPECT_EQ(Cell(4, 1), "46.5");
  QTest::keyClick(&Grid(), Qt::Key_Tab);
  EXPECT_EQ(Grid().currentIndex().column(), 1);
  EXPECT_TRUE(window_->controls().editor_box()->isVisibleTo(window_.get()));  // Tag column
  EXPECT_TRUE(Action(CommandId::kFillSeries).isEnabled());
}

// The keys of every desktop editor: Ctrl+Z takes back a typed channel, Ctrl+Y and Ctrl+Shift+Z do
// it again; the menu entries are enabled only when they can act, and the status bar names the step.
TEST_F(MainWindowTest, UndoAndRedoKeysFollowTheHistory) {
  Open();
  EXPECT_FALSE(Action(CommandId::kUndo).isEnabled());
  ClickCell(2, 1);
  QTest::keyClicks(&Grid(), "146.52");
  QTest::keyClick(&Grid(), Qt::Key_Return);
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
  const int first = controls.picker()->currentIndex();
  ASSERT_GE(first, 0);
  EXPECT_EQ(Cell(1, 5), controls.picker()->itemText(first));
  QTest::keyClick(&Grid(), Qt::Key_Space);
  EXPECT_EQ(controls.picker()->currentIndex(), first + 1);
  EXPECT_EQ(Cell(1, 5), controls.picker()->itemText(first + 1));
  controls.picker()->activated(5);  // a choice in the list
  EXPECT_EQ(Cell(1, 5), controls.picker()->itemText(5));

  ClickCell(1, 2);  // Tag: the editor box applies with Enter and the cell keeps the cursor
  QLineEdit* box = controls.editor_box();
  box->setFocus();
  QTest::keyClicks(box, "Tower*2");  // "*" is refused
  EXPECT_EQ(box->text(), "Tower2");
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
  EXPECT_EQ(ChannelNumber(20), "220");
  EXPECT_EQ(window_->findChild<QLabel*>("label4")->text().left(28), "Data in dummy bank is for te");

  Action(CommandId::kShowBank0).trigger();  // the View menu's entry selects the tab as well
  EXPECT_EQ(window_->tabs()->currentIndex(), 0);
  EXPECT_EQ(Cell(2, 1), "155.5000");
  EXPECT_EQ(window_->bank_usage_label()->text(), "1-------------------- ");
}

TEST_F(MainWindowTest, SaveThenOpenBringsTheChannelsBack) {
  Open();
  TypeFrequency(1, "162.55");
  const std::string path = (home_ / "mine.s2c").string();
  ui_.save_paths = {path};
  Action(CommandId::kSave).trigger();
  ASSERT_TRUE(std::filesystem::exists(path));
  EXPECT_FALSE(window_->workspace().unsaved_changes);
  EXPECT_EQ(window_->windowTitle(),
            QString::fromStdString("Kelmora for Uniden SC200 - [ " + path + " ]"));

  Action(CommandId::kNew).trigger();
  EXPECT_NE(Cell(1, 1), "162.5500");
  ui_.open_paths = {path};
  Action(CommandId::kOpen).trigger();
  EXPECT_EQ(Cell(1, 1), "162.5500");
  EXPECT_EQ(window_->findChild<QLabel*>("fnaam")->text(), QString::fromStdString(path));
}

TEST_F(MainWindowTest, ClosingAsksThenWritesTheProgramsFiles) {
  Open();
  TypeFrequency(1, "146.52");
  ui_.answers = {Answer::kCancel};  // "Exit TALVIREX?"
  EXPECT_FALSE(window_->close());
  EXPECT_TRUE(window_->isVisible());
  EXPECT_FALSE(Exists("setup.ini"));

  ui_.answers = {Answer::kOk, Answer::kNo};  // exit, do not save
  Action(CommandId::kExit).trigger();
  EXPECT_FALSE(window_->isVisible());
  EXPECT_EQ(ui_.shown.size(), 3u);
  EXPECT_TRUE(Exists("setup.ini"));
  EXPECT_NE(ReadBytes(home_ / "lastused.sav").find("146.5200"), std::string::npos);
}

TEST_F(MainWindowTest, NextStartReloadsTheLastFileAndTheColumnWidths) {
  WriteBytes(home_ / "setup.ini", "[setup]\r\nloadlast=1\r\ntabwidth=1\r\noption4=1\r\n");
  Open();
  TypeFrequency(1, "151.625");
  const std::string path = (home_ / "last.s2c").string();
  ui_.save_paths = {path};
  Action(CommandId::kSave).trigger();
  Grid().setColumnWidth(1, 300);  // the user widens the Tag column
  ASSERT_TRUE(window_->close());
  window_.reset();

  Open();
  EXPECT_EQ(Cell(1, 1), "");  // the reload waits for its timer
  EXPECT_TRUE(QTest::qWaitFor([&] { return Cell(1, 1) == "151.6250"; }, 2000));
  EXPECT_EQ(window_->windowTitle(),
            QString::fromStdString("Kelmora for Uniden SC200 - [ " + path + " ]"));
  EXPECT_NEAR(Grid().columnWidth(1), 300, 1);
  EXPECT_EQ(window_->controls().editor_box()->text(), "151.6250");  // the box shows the cell
}

TEST_F(MainWindowTest, PlacementComesFromWindowDatAndGoesBackAtExit) {
  for (const char* state : {"0", "2"}) {  // normal, maximised: the normal size survives both
    SCOPED_TRACE(state);
    WriteBytes(home_ / "setup.ini", "[setup]\r\nwindow=1\r\noption4=1\r\n");
    WriteBytes(home_ / "window.dat", std::string("1500\r\n1200\r\n15000\r\n9600\r\n") + state);
    Open();
    const double pixels_per_twip = window_->logicalDpiX() / 1440.0;
    EXPECT_NEAR(window_->normalGeometry().width(), 15000 * pixels_per_twip, 1);
    ASSERT_TRUE(window_->close());
    const std::string written = ReadBytes(home_ / "window.dat");
    EXPECT_NE(written.find(std::string("15000\r\n9600\r\n") + state), std::string::npos) << written;
  }
}

TEST_F(MainWindowTest, MenuCaptionsShowBankNamesAndKeysAsTyped) {
  WriteBytes(home_ / "names.dat", "R&D\r\n");
  Open();
  EXPECT_EQ(Action(CommandId::kShowBank0).text(), "R&&D");  // "&" is no access key here
  EXPECT_EQ(window_->tabs()->tabText(0), "1: R&&D");
  QAction& clear = Action(CommandId::kClearSelectedLines);
  EXPECT_EQ(clear.text(), "&Clear Selected Lines");  // Qt shows the key itself
  EXPECT_EQ(clear.shortcut(), QKeySequence(Qt::SHIFT | Qt::Key_Delete));
}

TEST_F(MainWindowTest, RightClickOnTheGridOpensThePopupMenu) {
  Open();
  const QRect rect = Grid().visualRect(Grid().model()->index(4, 1));
  QTest::mouseClick(Grid().viewport(), Qt::RightButton, {}, rect.center());
  QMenu* popup = window_->commands().popup();
  EXPECT_TRUE(popup->isVisible());
  EXPECT_EQ(popup->objectName(), "tabpop");
  popup->hide();
}

}  // namespace
}  // namespace talvirex
