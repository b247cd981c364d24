// SPDX-License-Identifier: GPL-3.0-or-later
// The modal dialogs opened by the real main window's commands, driven through their widgets as a
// user would: each shows what its form loaded, hands the user's keys and choices to the form, and
// its buttons confirm or dismiss. What a form then stores is the core's test.

#include <QAbstractItemModelTester>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTabBar>
#include <QTableView>
#include <QUrl>
#include <algorithm>

#include "app/command_actions.h"
#include "app/dialogs/channel_list_dialog.h"
#include "app/grid_controls.h"
#include "editor/history.h"
#include "main_window_fixture.h"
#include "widget_lookup.h"
#include "workspace.h"

namespace talvirex {
namespace {

using testing::Activate;
using testing::Child;
using testing::Retype;

class DialogsTest : public testing::MainWindowFixture {
 protected:
  DialogsTest() {
    Open();
    Table().At(0, 1, kFieldFrequency) = "145.5000";
    Table().At(0, 1, kFieldTag) = "Police North";
    Table().At(0, 2, kFieldFrequency) = "146.0000";
    Table().At(0, 2, kFieldTag) = "Fire";
    window_->logic().Redraw();
    window_->RefreshFromCore();
  }
  Workspace& ws() { return window_->workspace(); }
  ChannelTable& Table() { return window_->workspace().table; }
  QString Tag(int row) { return Cell(row, 2).trimmed(); }
  static void Choose(QComboBox& list, int index) {
    list.setCurrentIndex(index);
    emit list.activated(index);
  }
  static void Click(QDialog& dialog, const char* button) {
    Child<QPushButton>(dialog, button).click();
  }
  // Does `open` (a drop, a menu choice) and hands the channel-list import dialog it opens to
  // `answer`, which closes it; true once the dialog was answered and has closed.
  bool AnswerChannelList(const std::function<void()>& open,
                         const std::function<void(ChannelListDialog&)>& answer) {
    bool answered = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
      auto* dialog = dynamic_cast<ChannelListDialog*>(QApplication::activeModalWidget());
      if (dialog == nullptr || answered) return;
      answered = true;
      answer(*dialog);
    });
    poll.start(10);
    open();
    return QTest::qWaitFor([&] { return answered && !QApplication::activeModalWidget(); });
  }
};

TEST_F(DialogsTest, ReplaceChangesTagsOnlyOnApplyAndFindShowsTheFirstMatch) {
  for (const bool apply : {false, true}) {
    RunAnswering(CommandId::kReplace, [apply](QDialog& dialog) {
      Child<QLineEdit>(dialog, "Text1").setText("North");
      Child<QLineEdit>(dialog, "Text2").setText("South");
      if (apply) Click(dialog, "Command1");
      Click(dialog, "Command2");  // Close
    });
    EXPECT_EQ(Tag(1), apply ? "Police South" : "Police North");
  }
  RunAnswering(CommandId::kFind, [](QDialog& dialog) {
    Child<QRadioButton>(dialog, "Option1_1").click();  // "Comments"
    Child<QLineEdit>(dialog, "Text1").setText("Fire");
    Click(dialog, "Command1");
    EXPECT_EQ(Child<QLabel>(dialog, "Label2").text() + "/" + Child<QLabel>(dialog, "Label4").text(),
              "2/1");
  });
}

TEST_F(DialogsTest, MemoryManagerAppliesWithApplyAndThePendingChoiceWithOk) {
  RunAnswering(CommandId::kMemoryChannels, [](QDialog& dialog) {
    auto& destination = Child<QComboBox>(dialog, "Combo2");
    auto& apply = Child<QPushButton>(dialog, "Apply");
    Choose(destination, 4);
    apply.click();
    EXPECT_FALSE(apply.isEnabled());
    EXPECT_EQ(destination.itemText(4), "5 : 145.5000 - Police North");
    Choose(Child<QComboBox>(dialog, "Combo1"), 1);
    Choose(destination, 5);
    Click(dialog, "Ok");
  });
  EXPECT_EQ(Tag(5) + "|" + Tag(6), "Police North|Fire");
}

// The key filters of the entry fields see the keys a user types.
TEST_F(DialogsTest, EasyFillAndPriorityFieldsFilterKeysAndStoreOnTheirButtons) {
  window_->logic().SetSelection({1, 1}, {5, 3});
  RunAnswering(CommandId::kEasyFill, [this](QDialog& dialog) {
    Activate(dialog);
    EXPECT_EQ(Child<QLineEdit>(dialog, "Text2").text(), "5");
    Retype(Child<QLineEdit>(dialog, "Text3"), "145.5MHz");
    Child<QCheckBox>(dialog, "Box_0").setChecked(true);  // Frequency:
    Retype(Child<QLineEdit>(dialog, "Text4"), "Unit 1!");
    EXPECT_EQ(Child<QLabel>(dialog, "TagCounter").text(), "6");
    Click(dialog, "Apply");
    EXPECT_EQ(Table().At(0, 5, kFieldFrequency), "0145.55000") << "Apply fills while open";
    Retype(Child<QLineEdit>(dialog, "Text2"), "2");
    EXPECT_TRUE(Child<QPushButton>(dialog, "Apply").isEnabled())
        << "a changed entry enables Apply again";
    Child<QCheckBox>(dialog, "Box_1").setChecked(true);  // Tag:
    Child<QCheckBox>(dialog, "FillSeries").setChecked(true);
    Click(dialog, "Ok");
  });
  EXPECT_EQ(Tag(1) + "|" + Tag(2) + "|" + Tag(3), "Unit 1|Unit 2|");

  ws().priority.fill(0);  // as after New
  RunAnswering(CommandId::kPriorityChannels, [](QDialog& dialog) {
    Activate(dialog);
    auto& bank1 = Child<QLineEdit>(dialog, "Text1_0");
    EXPECT_EQ(bank1.text(), "0") << "opening shows the table unformatted";
    Retype(bank1, "7a-.");
    Child<QLineEdit>(dialog, "Text1_1").setFocus();  // entering a field reformats all ten
    EXPECT_EQ(bank1.text(), "007");
    Click(dialog, "Command1");  // Close
  });
  EXPECT_EQ(ws().priority[0], 7);
}

// The editing shortcuts act in the fields that filter their keys (one filter serves them all;
// which keys each field takes is checked by typing into it): Ctrl+A then typing replaces the text
// (an Easy Fill "To channel:" of "5" becomes "15", not "515", which would run the fill to the last
// channel), copy, cut and undo work, and a paste, from the keys or the field's own menu, keeps only
// what the field would let the user type.
TEST_F(DialogsTest, FilteredFieldsKeepTheEditingShortcutsAndFilterWhatIsPasted) {
  const struct {
    const char* field;  // object name; "Combo1" is the editable step list
    const char* typed;
    const char* pasted;
    const char* kept;
  } cases[] = {
      {"Text1", "3", "1x2\r\n", "12"},
      {"Text2", "15", " 20-", "20"},
      {"Combo1", "12.5", "5 kHz", "5"},
  };
  QClipboard& clipboard = *QGuiApplication::clipboard();
  RunAnswering(CommandId::kEasyFill, [&](QDialog& dialog) {
    Activate(dialog);
    for (const auto& c : cases) {
      SCOPED_TRACE(c.field);
      auto* list = dialog.findChild<QComboBox*>(QString::fromLatin1(c.field));
      QLineEdit& field = list != nullptr ? *list->lineEdit()
                                         : Child<QLineEdit>(dialog, QString::fromLatin1(c.field));
      const auto ctrl = [&](Qt::Key key) { QTest::keyClick(&field, key, Qt::ControlModifier); };
      const QString typed = QString::fromLatin1(c.typed);
      field.setFocus();
      ctrl(Qt::Key_A);
      QTest::keyClicks(&field, c.typed);
      EXPECT_EQ(field.text(), typed) << "typing replaces what Ctrl+A selected";
      clipboard.clear();
      ctrl(Qt::Key_A);
      ctrl(Qt::Key_C);
      EXPECT_EQ(clipboard.text(), typed);
      clipboard.clear();
      ctrl(Qt::Key_X);
      EXPECT_EQ(field.text() + "|" + clipboard.text(), "|" + typed) << "cut";
      ctrl(Qt::Key_Z);
      EXPECT_EQ(field.text(), typed) << "undo of the cut";
      clipboard.setText(QString::fromLatin1(c.pasted));
      ctrl(Qt::Key_A);
      ctrl(Qt::Key_V);
      EXPECT_EQ(field.text(), QString::fromLatin1(c.kept)) << "paste";
      ctrl(Qt::Key_Z);
      EXPECT_EQ(field.text(), typed) << "undo of the paste";
      ctrl(Qt::Key_A);
      QContextMenuEvent menu_event(QContextMenuEvent::Mouse, QPoint(2, 2),
                                   field.mapToGlobal(QPoint(2, 2)));
      QApplication::sendEvent(&field, &menu_event);
      auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
      ASSERT_NE(menu, nullptr);
      const QList<QAction*> entries = menu->actions();
      const auto paste = std::find_if(entries.begin(), entries.end(), [](const QAction* action) {
        return action->text().startsWith(QLineEdit::tr("&Paste"));
      });
      ASSERT_NE(paste, entries.end());
      (*paste)->trigger();
      menu->close();
      EXPECT_EQ(field.text(), QString::fromLatin1(c.kept)) << "paste from the menu";
    }
  });
}

TEST_F(DialogsTest, CsvExportStaysOpenUntilItHasWrittenTheFile) {
  const std::string target = (home_ / "banks").string();
  ui_.save_paths = {std::nullopt, target};
  RunAnswering(CommandId::kExportCsv, [](QDialog& dialog) {
    Child<QRadioButton>(dialog, "Option1_1").setChecked(true);  // all banks
    Click(dialog, "Command1");
    EXPECT_TRUE(dialog.isVisible()) << "a cancelled file dialog leaves it open";
    Click(dialog, "Command1");
    EXPECT_FALSE(dialog.isVisible());
  });
  const std::string csv = testing::ReadBytes(target + ".csv");
  EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 201);
}

// Each options dialog shows what its form loaded and stores the choices only on its Ok.
TEST_F(DialogsTest, OptionsDialogsShowTheValuesAndStoreThemOnlyOnOk) {
  ws().default_data.apply[1] = 1;  // Delay: On
  ws().default_data.value[1] = 1;
  ws().scanner_settings[11] = 1;
  ws().settings.align = GridAlignment::kRight;
  for (const bool ok : {false, true}) {
    RunAnswering(CommandId::kDefaultData, [ok](QDialog& dialog) {
      EXPECT_EQ(Child<QComboBox>(dialog, "Combo1_1").currentText(), "On");
      Child<QCheckBox>(dialog, "Check1_3").setChecked(true);
      Click(dialog, ok ? "Command1" : "Command2");
    });
    RunAnswering(CommandId::kScannerOptions, [ok](QDialog& dialog) {
      EXPECT_TRUE(Child<QRadioButton>(dialog, "On_1").isChecked());
      Child<QCheckBox>(dialog, "Check1_1").setChecked(false);
      Click(dialog, ok ? "Command1" : "Command2");
    });
    RunAnswering(CommandId::kSoftwareOptions, [ok](QDialog& dialog) {
      EXPECT_EQ(Child<QComboBox>(dialog, "Combo3").currentText(), "Right");
      Child<QScrollBar>(dialog, "HScroll1").setValue(42);
      EXPECT_EQ(
          Child<QLabel>(dialog, "Label3").text() + " " + Child<QLabel>(dialog, "Label4").text(),
          "42 Minutes.");
      Child<QCheckBox>(dialog, "check3d1_2").setChecked(true);  // hide leading zeros
      Click(dialog, ok ? "Command1" : "Command2");
    });
    EXPECT_EQ(
        std::vector<int>({ws().default_data.apply[3], ws().scanner_settings[1],
                          ws().settings.backupdelay, ws().settings.hide_leading_zeros ? 1 : 0}),
        ok ? std::vector<int>({1, 0, 42, 1}) : std::vector<int>({0, 1, 15, 0}));
  }
}

// Switched on, the Easy Tag lists hold every bank's tags at once, not after the next bank switch;
// a tag chosen from a list with the keyboard goes into the selected cell with Enter.
TEST_F(DialogsTest, EasyTagListsFillWhenSwitchedOnAndEnterWritesTheChosenTag) {
  Table().At(3, 1, kFieldFrequency) = "147.0000";
  Table().At(3, 1, kFieldTag) = "Tower";  // bank 4, not shown
  RunAnswering(CommandId::kSoftwareOptions, [](QDialog& dialog) {
    for (QCheckBox* box : dialog.findChildren<QCheckBox*>()) {
      if (box->text() == "Show Easy Tag Dropdown List") box->setChecked(true);
    }
    Click(dialog, "Command1");
  });
  Activate(*window_);
  ClickCell(2, 2);
  const auto items = [](const QComboBox& list) {
    QStringList texts;
    for (int i = 0; i < list.count(); ++i) texts << list.itemText(i);
    return texts.join(',');
  };
  auto& every_tag = Child<QComboBox>(*window_, QStringLiteral("textcombo"));
  auto& bank_tags = Child<QComboBox>(*window_, QStringLiteral("bankcombo"));
  ASSERT_TRUE(every_tag.isVisible());
  EXPECT_EQ(items(every_tag), ",Police North,Fire,Tower");
  EXPECT_EQ(items(bank_tags), ",Police North,Fire");

  every_tag.setFocus();
  QTest::keyClick(&every_tag, Qt::Key_End);  // chooses the last entry
  EXPECT_EQ(window_->controls().editor_box()->text(), "Tower");
  ASSERT_NE(QApplication::focusWidget(), nullptr);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  EXPECT_EQ(Tag(2), "Tower");
  EXPECT_EQ(Tag(1), "Police North") << "only the selected cell";
}

TEST_F(DialogsTest, BankNamesFilterKeysCountCharactersAndRenameTheTabsOnOk) {
  ws().bank_names[2] = "Fire";
  RunAnswering(CommandId::kBankTags, [](QDialog& dialog) {
    Activate(dialog);
    auto& bank3 = Child<QLineEdit>(dialog, "Text1_2");
    bank3.setFocus();
    bank3.end(false);
    QTest::keyClicks(&bank3, ",\" Dept");
    QTest::sendKeyEvent(QTest::Click, &bank3, Qt::Key_Eacute, QStringLiteral("\u00e9"), {});
    bank3.home(false);
    // Delete comes with the text DEL (127) on X11; it types nothing, so no filter may stop it.
    QTest::sendKeyEvent(QTest::Click, &bank3, Qt::Key_Delete, QString(QChar(0x7f)), {});
    QTest::keyClick(&bank3, Qt::Key_Return);  // does not close the dialog
    EXPECT_EQ(bank3.text() + " " + Child<QLabel>(dialog, "Counter_2").text(), "ire Dept 8");
    EXPECT_TRUE(dialog.isVisible());
    Click(dialog, "Center");
    Click(dialog, "Ok");
  });
  EXPECT_EQ(window_->tabs()->tabText(2), "3:     ire Dept");
}

// A list dropped on the window opens the import: the user sees what each row becomes, at its
// Location or from a chosen channel, and what would be overwritten before "Ok", and the grid shows
// the picked rows afterwards. A cell being typed when the list is dropped is a step of its own, not
// part of the import.
TEST_F(DialogsTest, ADroppedChannelListImportsThePickedRowsFromTheChosenChannel) {
  ClickCell(5, 1);
  QTest::keyClicks(&Grid(), "147");
  const auto list = home_ / "list.csv";
  testing::WriteBytes(list,
                      "Location,Name,Frequency,Skip\r\n1,Tower,118.3,S\r\n"
                      "2,Ham 80,80,\r\n3,Fire,154.43,\r\n");
  const auto answer = [&](ChannelListDialog& dialog) {
    QAbstractItemModel& rows = *dialog.rows()->model();
    QAbstractItemModelTester tester(&rows, QAbstractItemModelTester::FailureReportingMode::Fatal);
    ASSERT_EQ(rows.rowCount(), 3);
    EXPECT_FALSE(rows.flags(rows.index(1, 0)) & Qt::ItemIsEnabled);
    // Each row names a channel of its own: the rows go there, and channel 1 is in use.
    EXPECT_TRUE(dialog.by_location()->isEnabled() && dialog.by_location()->isChecked());
    EXPECT_FALSE(dialog.first_channel()->isEnabled());
    EXPECT_EQ(rows.index(2, 5).data().toString(), "Channel 3: 154.4300 \"Fire\"");
    EXPECT_EQ(dialog.overwrite_summary()->text(), "Channel 1 is in use and will be overwritten.");
    dialog.by_location()->setChecked(false);
    EXPECT_TRUE(dialog.first_channel()->isEnabled());
    EXPECT_EQ(dialog.first_channel()->value(), 3);  // channels 1 and 2 are in use
    dialog.first_channel()->setValue(200);
    EXPECT_EQ(rows.index(2, 5).data().toString(), "No room after channel 200");
    dialog.first_channel()->setValue(2);
    rows.setData(rows.index(2, 0), Qt::Unchecked, Qt::CheckStateRole);  // "Fire" is not wanted
    EXPECT_EQ(rows.index(2, 0).data(Qt::CheckStateRole).toInt(), static_cast<int>(Qt::Unchecked));
    EXPECT_EQ(rows.index(2, 5).data().toString(), "Not picked");
    EXPECT_EQ(dialog.overwrite_summary()->text(), "Channel 2 is in use and will be overwritten.");
    Click(dialog, "Command1");
  };
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(QString::fromStdString(list.string()))});
  QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(window_.get(), &enter);
  EXPECT_TRUE(enter.isAccepted());
  QDropEvent drop(QPointF(20, 20), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  EXPECT_TRUE(AnswerChannelList([&] { QApplication::sendEvent(window_.get(), &drop); }, answer));
  EXPECT_EQ(Cell(2, 1) + "|" + Tag(2) + "|" + Cell(2, 4),
            "118.3000|Tower|On");  // channel 2 overwritten; skip: Lock Out
  EXPECT_EQ(Cell(3, 1), "");       // "Fire" was not picked
  EXPECT_TRUE(UnsavedChanges(ws()));
  window_->RunCommand(CommandId::kUndo);
  EXPECT_EQ(Tag(2) + "|" + Cell(5, 1), "Fire|147.0000");
}

// File > Import Stock List holds the stock lists installed beside the program; an item opens the
// import dialog on its list, from the first empty channel, and Ok brings it in as one step that
// Undo takes back whole.
TEST_F(DialogsTest, AStockListFromTheFileMenuImportsAsOneUndoStep) {
  install_ = std::filesystem::path(TALVIREX_BINARY).parent_path();
  Open();
  TypeFrequency(1, "145.5");
  QMenu* file = window_->commands().Menu(QStringLiteral("&File"));
  ASSERT_NE(file, nullptr);
  QMenu* stock = nullptr;
  for (QAction* action : file->actions()) {
    if (action->text() == "Import Stock List") stock = action->menu();
  }
  ASSERT_NE(stock, nullptr);
  EXPECT_TRUE(stock->menuAction()->isEnabled());
  QAction* marine = nullptr;
  for (QAction* action : stock->actions()) {
    if (action->text() == "US Marine VHF") marine = action;
  }
  ASSERT_NE(marine, nullptr);
  EXPECT_TRUE(AnswerChannelList(
      [&] { marine->trigger(); },
      [&](ChannelListDialog& dialog) {
        EXPECT_TRUE(Child<QLabel>(dialog, "file").text().endsWith("/stock/marine-vhf.csv"));
        const QAbstractItemModel& rows = *dialog.rows()->model();
        EXPECT_EQ(rows.rowCount(), 55);
        EXPECT_EQ(rows.index(12, 5).data().toString(), "Channel 14: 156.8000 \"MAR 16\"");
        EXPECT_EQ(dialog.overwrite_summary()->text(), "No channel in use is overwritten.");
        Click(dialog, "Command1");
      }));
  EXPECT_EQ(Cell(2, 1) + "|" + Tag(2), "156.0500|MAR 01A");
  EXPECT_EQ(Table().FrequencyValue(2, 16), 157.425);  // channel 56, the list's last row
  EXPECT_EQ(ui_.statuses.back(), "Undo: Import Stock List");
  window_->RunCommand(CommandId::kUndo);
  EXPECT_EQ(Cell(1, 1) + "|" + Cell(2, 1), "145.5000|");
  EXPECT_EQ(Table().FrequencyValue(2, 16), 0);
}

}  // namespace
}  // namespace talvirex
