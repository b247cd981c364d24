// The modal dialogs of the scanner features and the settings, opened by the real main window's
// commands and driven through their real widgets: each shows the values the logic loaded and hands
// the user's choices back through its confirming button. What the logic then stores on a confirm
// or a dismissal is the core's test.

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabBar>

#include "main_window_fixture.h"
#include "widget_lookup.h"
#include "workspace.h"

namespace talvirex {
namespace {

using testing::Child;

class SettingsDialogsTest : public testing::MainWindowFixture {
 protected:
  SettingsDialogsTest() { Open(); }
  Workspace& ws() { return window_->workspace(); }
};

TEST_F(SettingsDialogsTest, DefaultDataShowsThePresetAndStoresItOnlyOnOk) {
  ws().default_data.apply[1] = 1;  // Delay: On
  ws().default_data.value[1] = 1;
  ws().default_data.value[2] = 2;  // Beep Alert: neither Off nor On
  ws().default_data.apply[3] = 0;  // ATT not applied
  const DefaultData before = ws().default_data;
  for (const bool ok : {false, true}) {
    RunAnswering(CommandId::kDefaultData, [ok](QDialog& dialog) {
      EXPECT_TRUE(Child<QCheckBox>(dialog, "Check1_1").isChecked());
      EXPECT_EQ(Child<QComboBox>(dialog, "Combo1_1").currentText(), "On");
      Child<QCheckBox>(dialog, "Check1_1").setChecked(false);
      Child<QCheckBox>(dialog, "Check1_3").setChecked(true);
      Child<QComboBox>(dialog, "Combo1_4").setCurrentIndex(1);
      Child<QPushButton>(dialog, ok ? "Command1" : "Command2").click();  // OK or Cancel
    });
    if (!ok) {
      EXPECT_EQ(ws().default_data, before);
    }
  }
  EXPECT_EQ(ws().default_data.apply[1], 0);
  EXPECT_EQ(ws().default_data.apply[3], 1);
  EXPECT_EQ(ws().default_data.value[4], 1);
  EXPECT_EQ(ws().default_data.value[2], 2) << "a list without selection keeps its value";
}

TEST_F(SettingsDialogsTest, PriorityFieldsFilterKeysReformatOnFocusAndStoreOnClose) {
  ws().priority.fill(0);  // as after New
  ws().priority[10] = 99;
  RunAnswering(CommandId::kPriorityChannels, [](QDialog& dialog) {
    Activate(dialog);
    auto& bank1 = Child<QLineEdit>(dialog, "Text1_0");
    EXPECT_EQ(bank1.text(), "0") << "opening shows the table unformatted";
    bank1.setFocus();
    bank1.selectAll();
    QTest::keyClicks(&bank1, "7a-.");
    EXPECT_EQ(bank1.text(), "7");
    auto& bank2 = Child<QLineEdit>(dialog, "Text1_1");
    bank2.setFocus();  // entering a field reformats all ten
    EXPECT_EQ(bank1.text(), "007");
    bank2.selectAll();
    QTest::keyClicks(&bank2, "35");
    Child<QPushButton>(dialog, "Command1").click();  // Close
  });
  EXPECT_EQ(ws().priority[0], 7);
  EXPECT_EQ(ws().priority[1], 35);
  EXPECT_EQ(ws().priority[2], 41);
  EXPECT_EQ(ws().priority[10], 99) << "the spare entry is never edited";
}

TEST_F(SettingsDialogsTest, ScannerOptionsShowTheSettingsAndStoreTheChoices) {
  ws().scanner_settings[10] = 2;  // not exactly 1: off
  ws().scanner_settings[11] = 1;
  ws().scanner_settings[3] = 0;
  RunAnswering(CommandId::kScannerOptions, [](QDialog& dialog) {
    EXPECT_TRUE(Child<QRadioButton>(dialog, "Off_0").isChecked());
    EXPECT_TRUE(Child<QRadioButton>(dialog, "On_1").isChecked());
    EXPECT_FALSE(Child<QCheckBox>(dialog, "Check1_3").isChecked());
    for (int bank = 0; bank < 10; ++bank) {
      Child<QCheckBox>(dialog, QStringLiteral("Check1_%1").arg(bank)).setChecked(false);
    }
    Child<QRadioButton>(dialog, "On_2").setChecked(true);
    Child<QPushButton>(dialog, "Command1").click();  // Ok
  });
  EXPECT_EQ(ws().scanner_settings[0], 1) << "Bank 1 stays active";
  EXPECT_EQ(ws().scanner_settings[1], 0);
  EXPECT_EQ(ws().scanner_settings[10], 0);
  EXPECT_EQ(ws().scanner_settings[12], 1);
}

TEST_F(SettingsDialogsTest, BankNamesRefuseCommasAndQuotesCountCharactersAndRenameTheTabsOnOk) {
  ws().bank_names[2] = "Fire";
  ws().bank_names[11] = "Edge";
  const auto before = ws().bank_names;
  RunAnswering(CommandId::kBankTags, [](QDialog& dialog) {
    Activate(dialog);
    auto& bank3 = Child<QLineEdit>(dialog, "Text1_2");
    EXPECT_EQ(Child<QLabel>(dialog, "Counter_2").text(), "4");
    bank3.setFocus();
    bank3.end(false);
    QTest::keyClicks(&bank3, ",\" Dept");
    QTest::sendKeyEvent(QTest::Click, &bank3, Qt::Key_Eacute, QStringLiteral("\u00e9"), {});
    EXPECT_EQ(bank3.text(), "Fire Dept");
    QTest::keyClick(&bank3, Qt::Key_Backspace);
    bank3.home(false);
    // Delete comes with the text DEL (127) on X11; it types nothing, so no filter may stop it.
    QTest::sendKeyEvent(QTest::Click, &bank3, Qt::Key_Delete, QString(QChar(0x7f)), {});
    QTest::keyClick(&bank3, Qt::Key_Return);  // discarded: does not close the dialog
    EXPECT_EQ(bank3.text(), "ire Dep");
    EXPECT_EQ(Child<QLabel>(dialog, "Counter_2").text(), "7");
    EXPECT_TRUE(dialog.isVisible());
    Child<QPushButton>(dialog, "Cancel").click();
  });
  EXPECT_EQ(ws().bank_names, before);

  RunAnswering(CommandId::kBankTags, [](QDialog& dialog) {
    Child<QLineEdit>(dialog, "Text1_2").setText("Police");
    Child<QLineEdit>(dialog, "Text1_4").clear();
    Child<QPushButton>(dialog, "Center").click();
    EXPECT_EQ(Child<QLabel>(dialog, "Counter_2").text(), "11");
    EXPECT_EQ(Child<QLineEdit>(dialog, "Text1_11").text(), "Edge") << "Center leaves Search alone";
    Child<QPushButton>(dialog, "Ok").click();
  });
  EXPECT_EQ(ws().bank_names[2], "     Police");
  EXPECT_EQ(ws().bank_names[4], " ") << "an empty field is stored as one space";
  EXPECT_EQ(window_->tabs()->tabText(2), "3:      Police");
  EXPECT_EQ(window_->tabs()->tabText(10), "D:      Dummy") << "Center moved the Dummy bank's name";
}

TEST_F(SettingsDialogsTest, SoftwareOptionsFollowTheScrollBarAndStoreTheChoices) {
  ws().settings.backupdelay = 1;
  ws().settings.hide_leading_zeros = false;
  ws().settings.align = GridAlignment::kRight;
  const Settings before = ws().settings;
  RunAnswering(CommandId::kSoftwareOptions, [](QDialog& dialog) {
    EXPECT_EQ(Child<QComboBox>(dialog, "Combo3").currentText(), "Right");
    Child<QScrollBar>(dialog, "HScroll1").setValue(42);
    EXPECT_EQ(Child<QLabel>(dialog, "Label3").text(), "42");
    EXPECT_EQ(Child<QLabel>(dialog, "Label4").text(), "Minutes.");
    Child<QCheckBox>(dialog, "check3d1_2").setChecked(true);  // hide leading zeros
    Child<QCheckBox>(dialog, "Check1").setChecked(false);
    Child<QComboBox>(dialog, "Combo3").setCurrentIndex(1);
    Child<QPushButton>(dialog, "Command1").click();  // Ok
  });
  EXPECT_EQ(ws().settings.backupdelay, 42);
  EXPECT_TRUE(ws().settings.hide_leading_zeros);
  EXPECT_EQ(ws().settings.periodic_backup, 0);
  EXPECT_EQ(ws().settings.align, GridAlignment::kCentre);
  EXPECT_EQ(ws().settings.remember_tags, before.remember_tags);
}

}  // namespace
}  // namespace talvirex
