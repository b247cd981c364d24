// The modal dialogs opened by the real main window's commands, driven through their widgets as a
// user would: each shows what its form loaded, hands the user's keys and choices to the form, and
// its buttons confirm or dismiss. What a form then stores is the core's test.

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabBar>
#include <algorithm>

#include "main_window_fixture.h"
#include "widget_lookup.h"
#include "workspace.h"

namespace talvirex {
namespace {

using testing::Child;

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
  static void Retype(QLineEdit& field, const char* text) {
    field.setFocus();
    field.selectAll();
    QTest::keyClicks(&field, text);
  }
  static void Click(QDialog& dialog, const char* button) { Child<QPushButton>(dialog, button).click(); }
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
    EXPECT_EQ(Child<QLabel>(dialog, "Label2").text() + "/" + Child<QLabel>(dialog, "Label4").text(), "2/1");
  });
}

TEST_F(DialogsTest, MemoryManagerAppliesWithApplyAndThePendingChoiceWithOk) {
  RunAnswering(CommandId::kMemoryChannels, [](QDialog& dialog) {
    auto& destination = Child<QComboBox>(dialog, "Combo2");
    auto& apply = Child<QPushButton>(dialog, "Apply");
    EXPECT_FALSE(apply.isEnabled());
    Choose(destination, 4);
    ASSERT_TRUE(apply.isEnabled());
    apply.click();
    EXPECT_FALSE(apply.isEnabled());
    EXPECT_EQ(destination.itemText(4), "5 : 145.5000 - Police North");
    Choose(Child<QComboBox>(dialog, "Combo1"), 1);
    Choose(destination, 5);
    Click(dialog, "Ok");
  });
  EXPECT_EQ(Tag(5), "Police North");
  EXPECT_EQ(Tag(6), "Fire");
}

TEST_F(DialogsTest, EasyFillFiltersKeysAndFillsOnApplyAndOnOk) {
  window_->logic().SetSelection({1, 1}, {5, 3});
  RunAnswering(CommandId::kEasyFill, [this](QDialog& dialog) {
    Activate(dialog);
    EXPECT_EQ(Child<QLineEdit>(dialog, "Text1").text() + ".." + Child<QLineEdit>(dialog, "Text2").text(),
              "1..5");
    Retype(Child<QLineEdit>(dialog, "Text3"), "145.5MHz");
    EXPECT_EQ(Child<QLineEdit>(dialog, "Text3").text(), "145.5");
    Child<QCheckBox>(dialog, "Box_0").setChecked(true);  // Frequency:
    Retype(Child<QLineEdit>(dialog, "Text4"), "Unit 1!");
    EXPECT_EQ(Child<QLabel>(dialog, "TagCounter").text(), "6");
    auto& apply = Child<QPushButton>(dialog, "Apply");
    apply.click();
    EXPECT_EQ(Table().At(0, 5, kFieldFrequency), "0145.55000") << "Apply fills while open";
    EXPECT_FALSE(apply.isEnabled());
    Retype(Child<QLineEdit>(dialog, "Text2"), "2");
    EXPECT_TRUE(apply.isEnabled()) << "a changed entry enables Apply again";
    Child<QCheckBox>(dialog, "Box_1").setChecked(true);  // Tag:
    Child<QCheckBox>(dialog, "FillSeries").setChecked(true);
    Click(dialog, "Ok");
  });
  EXPECT_EQ(Tag(1) + "|" + Tag(2) + "|" + Tag(3), "Unit 1|Unit 2|");
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
  RunAnswering(CommandId::kExportCsv, [](QDialog& dialog) { Click(dialog, "Command2"); });
  EXPECT_EQ(ui_.save_dialogs.size(), 2u) << "Cancel asks for no file";
}

TEST_F(DialogsTest, DefaultDataAndScannerOptionsShowTheValuesAndStoreThemOnlyOnOk) {
  ws().default_data.apply[1] = 1;  // Delay: On
  ws().default_data.value[1] = 1;
  ws().scanner_settings[10] = 0;
  ws().scanner_settings[11] = 1;
  for (const bool ok : {false, true}) {
    RunAnswering(CommandId::kDefaultData, [ok](QDialog& dialog) {
      EXPECT_TRUE(Child<QCheckBox>(dialog, "Check1_1").isChecked());
      EXPECT_EQ(Child<QComboBox>(dialog, "Combo1_1").currentText(), "On");
      Child<QCheckBox>(dialog, "Check1_3").setChecked(true);
      Child<QComboBox>(dialog, "Combo1_4").setCurrentIndex(1);
      Click(dialog, ok ? "Command1" : "Command2");
    });
    RunAnswering(CommandId::kScannerOptions, [ok](QDialog& dialog) {
      EXPECT_TRUE(Child<QRadioButton>(dialog, "Off_0").isChecked());
      EXPECT_TRUE(Child<QRadioButton>(dialog, "On_1").isChecked());
      Child<QCheckBox>(dialog, "Check1_1").setChecked(false);
      Child<QRadioButton>(dialog, "On_2").setChecked(true);
      Click(dialog, ok ? "Command1" : "Command2");
    });
    EXPECT_EQ(ws().default_data.apply[3] + ws().default_data.value[4], ok ? 2 : 0);
    EXPECT_EQ(ws().scanner_settings[1] * 10 + ws().scanner_settings[12], ok ? 1 : 10);
  }
}

TEST_F(DialogsTest, PriorityFieldsFilterKeysReformatOnFocusAndStoreOnClose) {
  ws().priority.fill(0);  // as after New
  RunAnswering(CommandId::kPriorityChannels, [](QDialog& dialog) {
    Activate(dialog);
    auto& bank1 = Child<QLineEdit>(dialog, "Text1_0");
    EXPECT_EQ(bank1.text(), "0") << "opening shows the table unformatted";
    Retype(bank1, "7a-.");
    EXPECT_EQ(bank1.text(), "7");
    auto& bank2 = Child<QLineEdit>(dialog, "Text1_1");
    bank2.setFocus();  // entering a field reformats all ten
    EXPECT_EQ(bank1.text(), "007");
    Retype(bank2, "35");
    Click(dialog, "Command1");  // Close
  });
  EXPECT_EQ(ws().priority[0] * 1000 + ws().priority[1], 7035);
}

TEST_F(DialogsTest, BankNamesFilterKeysCountCharactersAndRenameTheTabsOnOk) {
  ws().bank_names[2] = "Fire";
  const auto before = ws().bank_names;
  RunAnswering(CommandId::kBankTags, [](QDialog& dialog) {
    Activate(dialog);
    auto& bank3 = Child<QLineEdit>(dialog, "Text1_2");
    bank3.setFocus();
    bank3.end(false);
    QTest::keyClicks(&bank3, ",\" Dept");
    QTest::sendKeyEvent(QTest::Click, &bank3, Qt::Key_Eacute, QStringLiteral("\u00e9"), {});
    EXPECT_EQ(bank3.text(), "Fire Dept");
    bank3.home(false);
    // Delete comes with the text DEL (127) on X11; it types nothing, so no filter may stop it.
    QTest::sendKeyEvent(QTest::Click, &bank3, Qt::Key_Delete, QString(QChar(0x7f)), {});
    QTest::keyClick(&bank3, Qt::Key_Return);  // does not close the dialog
    EXPECT_EQ(bank3.text(), "ire Dept");
    EXPECT_EQ(Child<QLabel>(dialog, "Counter_2").text(), "8");
    EXPECT_TRUE(dialog.isVisible());
    Click(dialog, "Cancel");
  });
  EXPECT_EQ(ws().bank_names, before);
  RunAnswering(CommandId::kBankTags, [](QDialog& dialog) {
    Child<QLineEdit>(dialog, "Text1_2").setText("Police");
    Click(dialog, "Center");
    EXPECT_EQ(Child<QLabel>(dialog, "Counter_2").text(), "11");
    Click(dialog, "Ok");
  });
  EXPECT_EQ(window_->tabs()->tabText(2), "3:      Police");
}

TEST_F(DialogsTest, SoftwareOptionsFollowTheScrollBarAndStoreTheChoices) {
  ws().settings.align = 2;
  RunAnswering(CommandId::kSoftwareOptions, [](QDialog& dialog) {
    EXPECT_EQ(Child<QComboBox>(dialog, "Combo3").currentText(), "Right");
    Child<QScrollBar>(dialog, "HScroll1").setValue(42);
    EXPECT_EQ(Child<QLabel>(dialog, "Label3").text() + " " + Child<QLabel>(dialog, "Label4").text(),
              "42 Minutes.");
    Child<QCheckBox>(dialog, "check3d1_2").setChecked(true);  // hide leading zeros
    Child<QCheckBox>(dialog, "Check1").setChecked(false);     // backups
    Child<QComboBox>(dialog, "Combo3").setCurrentIndex(1);
    Click(dialog, "Command1");  // Ok
  });
  const Settings& s = ws().settings;
  EXPECT_EQ(std::vector<int>({s.backupdelay, s.zero, s.backena, s.align}), std::vector<int>({42, 1, 0, 1}));
  EXPECT_EQ(Cell(1, 1), "145.5000") << "no leading zero to hide here";
}

}  // namespace
}  // namespace talvirex
