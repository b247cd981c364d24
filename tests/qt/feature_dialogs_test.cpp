// The dialogs opened from the real main window's commands through FeatureDialogs: the modal dialog
// is answered by a timer, as a user would click it, and the window shows the result.

#include "app/dialogs/feature_dialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabBar>
#include <QTableView>
#include <QTableWidget>
#include <QUrl>
#include <algorithm>

#include "app/dialogs/channel_list_dialog.h"
#include "main_window_fixture.h"
#include "widget_lookup.h"
#include "workspace.h"

namespace talvirex {
namespace {

using testing::Child;

class FeatureDialogsTest : public testing::MainWindowFixture {
 protected:
  FeatureDialogsTest() {
    Open();
    ChannelTable& table = window_->workspace().table;
    table.At(0, 1, kFieldFrequency) = "145.5000";
    table.At(0, 1, kFieldTag) = "Police North";
    table.At(0, 2, kFieldFrequency) = "146.0000";
    table.At(0, 2, kFieldTag) = "Fire";
    window_->logic().Redraw();
    window_->RefreshFromCore();
  }

  QString Shown(int row, int column) const {
    return window_->grid()->model()->index(row, column).data().toString().trimmed();
  }

  static void Choose(QComboBox& list, int index) {
    list.setCurrentIndex(index);
    emit list.activated(index);
  }
  static void Retype(QLineEdit& field, const char* text) {
    field.setFocus();
    field.selectAll();
    QTest::keyClicks(&field, text);
  }
};

TEST_F(FeatureDialogsTest, ReplaceChangesTagsOnlyOnApply) {
  RunAnswering(CommandId::kReplace, [](QDialog& dialog) {
    Child<QLineEdit>(dialog, "Text1").setText("North");
    Child<QLineEdit>(dialog, "Text2").setText("South");
    Child<QPushButton>(dialog, "Command2").click();  // "Close" without Apply
  });
  EXPECT_EQ(window_->workspace().table.At(0, 1, kFieldTag), "Police North");
  EXPECT_EQ(Shown(0, 1), "Police North");

  RunAnswering(CommandId::kReplace, [](QDialog& dialog) {
    Child<QLineEdit>(dialog, "Text1").setText("North");
    Child<QLineEdit>(dialog, "Text2").setText("South");
    Child<QPushButton>(dialog, "Command1").click();  // "Apply"
    Child<QPushButton>(dialog, "Command2").click();
  });
  EXPECT_EQ(Shown(0, 1), "Police South");
}

TEST_F(FeatureDialogsTest, FindReportsTheFirstMatchAndStoresItsOptionsAtOnce) {
  RunAnswering(CommandId::kFind, [this](QDialog& dialog) {
    Child<QRadioButton>(dialog, "Option1_1").click();  // "Comments"
    EXPECT_TRUE(window_->workspace().settings.find_in_tags);
    Child<QLineEdit>(dialog, "Text1").setText("Fire");
    Child<QPushButton>(dialog, "Command1").click();
    EXPECT_EQ(Child<QLabel>(dialog, "Label4").text(), "1");
    EXPECT_EQ(Child<QLabel>(dialog, "Label5").text(), "contains this data.");
  });
}

TEST_F(FeatureDialogsTest, MemoryManagerCopiesChannelsWithApplyAndOk) {
  RunAnswering(CommandId::kMemoryChannels, [](QDialog& dialog) {
    auto& source = Child<QComboBox>(dialog, "Combo1");
    auto& destination = Child<QComboBox>(dialog, "Combo2");
    auto& apply = Child<QPushButton>(dialog, "Apply");
    EXPECT_FALSE(apply.isEnabled());
    Choose(destination, 4);
    EXPECT_TRUE(apply.isEnabled());
    apply.click();
    EXPECT_FALSE(apply.isEnabled());
    EXPECT_EQ(destination.itemText(4), "5 : 145.5000 - Police North");
    EXPECT_EQ(destination.currentIndex(), 4);
    Choose(source, 1);
    Choose(destination, 5);
    Child<QPushButton>(dialog, "Ok").click();  // the pending copy is made by "Ok"
  });
  EXPECT_EQ(Shown(4, 1), "Police North");
  EXPECT_EQ(Shown(5, 1), "Fire");
  EXPECT_EQ(Shown(0, 1), "Police North");
}

TEST_F(FeatureDialogsTest, BankMoveWithItsTagIsKeptByCancelAndUndone) {
  window_->workspace().bank_names[0] = "Police";
  RunAnswering(CommandId::kMemoryBanks, [](QDialog& dialog) {
    auto& destination = Child<QComboBox>(dialog, "Combo2");
    EXPECT_TRUE(Child<QCheckBox>(dialog, "Check2_0").isChecked());
    Child<QRadioButton>(dialog, "Option1_1").click();  // "Move"
    Child<QCheckBox>(dialog, "Check1").setChecked(true);
    Choose(destination, 2);
    Child<QPushButton>(dialog, "Apply").click();
    EXPECT_EQ(destination.itemText(2), "3: Police ");
    Child<QPushButton>(dialog, "Cancel").click();  // what Apply did stays
  });
  EXPECT_EQ(window_->workspace().table.At(2, 1, kFieldTag), "Police North");
  EXPECT_EQ(window_->tabs()->tabText(0), "1: ");
  EXPECT_EQ(window_->tabs()->tabText(2), "3: Police");
  EXPECT_TRUE(window_->workspace().settings.copy_tags);
  EXPECT_EQ(Shown(0, 0), "");
  window_->RunCommand(CommandId::kUndo);
  EXPECT_EQ(Shown(0, 1), "Police North");
}

TEST_F(FeatureDialogsTest, EasyFillProposesTheSelectedRowsFillsOnApplyAndAgainOnOk) {
  window_->logic().SetSelection({1, 1}, {5, 3});
  ChannelTable& table = window_->workspace().table;
  RunAnswering(CommandId::kEasyFill, [&](QDialog& dialog) {
    Activate(dialog);
    auto& apply = Child<QPushButton>(dialog, "Apply");
    EXPECT_EQ(Child<QLineEdit>(dialog, "Text1").text(), "1");
    EXPECT_EQ(Child<QLineEdit>(dialog, "Text2").text(), "5");
    EXPECT_EQ(Child<QComboBox>(dialog, "Combo1").currentText(), "12.5");
    Retype(Child<QLineEdit>(dialog, "Text3"), "145.5MHz");
    EXPECT_EQ(Child<QLineEdit>(dialog, "Text3").text(), "145.5");
    Child<QCheckBox>(dialog, "Box_0").setChecked(true);  // Frequency:
    Retype(Child<QLineEdit>(dialog, "Text4"), "Unit 1!");
    EXPECT_EQ(Child<QLabel>(dialog, "TagCounter").text(), "6");
    apply.click();
    EXPECT_EQ(table.At(0, 5, kFieldFrequency), "0145.55000") << "Apply fills while open";
    EXPECT_EQ(table.FrequencyValue(0, 6), 0);
    EXPECT_EQ(table.At(0, 1, kFieldTag), "Police North") << "the tag box is not ticked";
    EXPECT_FALSE(apply.isEnabled());

    Retype(Child<QLineEdit>(dialog, "Text2"), "2");
    EXPECT_TRUE(apply.isEnabled()) << "changing a channel entry enables Apply again";
    Child<QCheckBox>(dialog, "Box_1").setChecked(true);  // Tag:
    Child<QCheckBox>(dialog, "FillSeries").setChecked(true);
    Child<QPushButton>(dialog, "Ok").click();
  });
  EXPECT_EQ(Shown(0, 1), "Unit 1");
  EXPECT_EQ(Shown(1, 1), "Unit 2");
  EXPECT_EQ(Shown(2, 1), "") << "Ok fills the range it shows";
  EXPECT_EQ(Shown(4, 0), "145.5500");
}

TEST_F(FeatureDialogsTest, CsvExportStaysOpenUntilItHasWrittenTheFile) {
  const std::string target = (home_ / "banks").string();
  ui_.save_paths = {std::nullopt, target};
  RunAnswering(CommandId::kExportCsv, [this](QDialog& dialog) {
    Child<QRadioButton>(dialog, "Option1_1").setChecked(true);  // all banks
    Child<QPushButton>(dialog, "Command1").click();
    EXPECT_TRUE(dialog.isVisible()) << "a cancelled file dialog leaves the export dialog open";
    ASSERT_EQ(ui_.save_dialogs.size(), 1u);
    EXPECT_EQ(ui_.save_dialogs[0].filter, "Comma Separated Files (*.csv)|*.csv");
    Child<QPushButton>(dialog, "Command1").click();
    EXPECT_FALSE(dialog.isVisible());
  });
  const std::string csv = testing::ReadBytes(target + ".csv");
  EXPECT_NE(csv.find("\r\n1,1,145.5000,Police North,"), std::string::npos);
  EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 201);

  RunAnswering(CommandId::kExportCsv,
               [](QDialog& dialog) { Child<QPushButton>(dialog, "Command2").click(); });
  EXPECT_EQ(ui_.save_dialogs.size(), 2u) << "Cancel asks for no file";
}

// A list dropped on the window opens the import: the user sees what each row becomes and what
// would be overwritten before "Ok", and the grid shows the picked rows afterwards.
TEST_F(FeatureDialogsTest, ADroppedChannelListImportsThePickedRowsFromTheChosenChannel) {
  const auto list = home_ / "list.csv";
  testing::WriteBytes(list, "Location,Name,Frequency,Skip\r\n1,Tower,118.3,S\r\n"
                            "2,Ham 80,80,\r\n3,Fire,154.43,\r\n");
  bool answered = false;
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    auto* dialog = dynamic_cast<ChannelListDialog*>(QApplication::activeModalWidget());
    if (dialog == nullptr || answered) return;
    answered = true;
    QTableWidget& rows = *dialog->rows();
    ASSERT_EQ(rows.rowCount(), 3);
    EXPECT_FALSE(rows.item(1, 0)->flags() & Qt::ItemIsEnabled);
    EXPECT_EQ(rows.item(1, 5)->text(), "Skipped: 80 MHz is outside the scanner's bands");
    EXPECT_EQ(dialog->first_channel()->value(), 3);  // channels 1 and 2 are in use
    EXPECT_EQ(dialog->overwrite_summary()->text(), "No channel in use is overwritten.");
    dialog->first_channel()->setValue(2);
    rows.item(2, 0)->setCheckState(Qt::Unchecked);  // "Fire" is not wanted
    EXPECT_EQ(rows.item(2, 5)->text(), "Not picked");
    EXPECT_EQ(dialog->overwrite_summary()->text(), "Channel 2 is in use and will be overwritten.");
    Child<QPushButton>(*dialog, "Command1").click();
  });
  poll.start(10);
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(QString::fromStdString(list.string()))});
  QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(window_.get(), &enter);
  EXPECT_TRUE(enter.isAccepted());
  QDropEvent drop(QPointF(20, 20), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(window_.get(), &drop);
  EXPECT_TRUE(QTest::qWaitFor([&] { return answered && !QApplication::activeModalWidget(); }));
  EXPECT_EQ(Shown(1, 0), "118.3000");  // channel 2, overwritten
  EXPECT_EQ(Shown(1, 1), "Tower");
  EXPECT_EQ(Shown(1, 3), "On");  // Lock Out: the list skips it
  EXPECT_EQ(Shown(2, 0), "");    // "Fire" was not picked
  EXPECT_TRUE(window_->workspace().unsaved_changes);
}

}  // namespace
}  // namespace talvirex
