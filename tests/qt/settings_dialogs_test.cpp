// The modal dialogs of the scanner features and the settings, driven through their real widgets:
// each shows the workspace's values when it opens and writes back only on its confirming button.

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

#include "app/dialogs/bank_names_dialog.h"
#include "app/dialogs/default_data_dialog.h"
#include "app/dialogs/priority_dialog.h"
#include "app/dialogs/scanner_options_dialog.h"
#include "app/dialogs/software_options_dialog.h"
#include "support/qt_application.h"
#include "widget_lookup.h"
#include "workspace.h"

namespace talvirex {
namespace {

using testing::Child;

class SettingsDialogsTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { testing::TestApplication(); }

  // Shows `dialog` as the active window, so that focus moves and typing reach its fields.
  static void Open(QDialog& dialog) {
    dialog.show();
    dialog.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog));
  }

  Workspace ws_;
};

TEST_F(SettingsDialogsTest, DefaultDataShowsThePresetAndStoresItOnlyOnOk) {
  ws_.default_data.apply[1] = 1;  // Delay: On
  ws_.default_data.value[1] = 1;
  ws_.default_data.value[2] = 2;  // Beep Alert: neither Off nor On
  ws_.default_data.apply[3] = 0;  // ATT not applied
  const DefaultData before = ws_.default_data;
  for (const bool ok : {false, true}) {
    DefaultDataDialog dialog(ws_);
    EXPECT_TRUE(Child<QCheckBox>(dialog, "Check1_1").isChecked());
    EXPECT_EQ(Child<QComboBox>(dialog, "Combo1_1").currentText(), "On");
    Child<QCheckBox>(dialog, "Check1_1").setChecked(false);
    Child<QCheckBox>(dialog, "Check1_3").setChecked(true);
    Child<QComboBox>(dialog, "Combo1_4").setCurrentIndex(1);
    Child<QPushButton>(dialog, ok ? "Command1" : "Command2").click();  // OK or Cancel
    if (!ok) {
      EXPECT_EQ(ws_.default_data, before);
    }
  }
  EXPECT_EQ(ws_.default_data.apply[1], 0);
  EXPECT_EQ(ws_.default_data.apply[3], 1);
  EXPECT_EQ(ws_.default_data.value[4], 1);
  EXPECT_EQ(ws_.default_data.value[2], 2) << "a list without selection keeps its value";
}

TEST_F(SettingsDialogsTest, PriorityFieldsFilterKeysReformatOnFocusAndStoreOnlyOnClose) {
  ws_.priority.fill(0);  // as after New
  ws_.priority[10] = 99;
  {
    PriorityDialog dialog(ws_);
    Open(dialog);
    auto& bank1 = Child<QLineEdit>(dialog, "Text1_0");
    EXPECT_EQ(bank1.text(), "0") << "opening shows the table unformatted";
    bank1.setFocus();
    bank1.selectAll();
    QTest::keyClicks(&bank1, "7a-.");
    EXPECT_EQ(bank1.text(), "7");
    Child<QLineEdit>(dialog, "Text1_2").setFocus();  // entering a field reformats all ten
    EXPECT_EQ(bank1.text(), "007");
    dialog.reject();  // the close box
  }
  EXPECT_EQ(ws_.priority[0], 0) << "the close box stores nothing";

  PriorityDialog dialog(ws_);
  Open(dialog);
  auto& bank2 = Child<QLineEdit>(dialog, "Text1_1");
  bank2.setFocus();
  bank2.selectAll();
  QTest::keyClicks(&bank2, "35");
  Child<QPushButton>(dialog, "Command1").click();  // Close
  EXPECT_EQ(ws_.priority[0], 1);
  EXPECT_EQ(ws_.priority[1], 35);
  EXPECT_EQ(ws_.priority[10], 99) << "the spare entry is never edited";
}

TEST_F(SettingsDialogsTest, ScannerOptionsStoreOnlyOnOk) {
  ws_.scanner_settings[10] = 2;  // not exactly 1: off
  ws_.scanner_settings[11] = 1;
  ws_.scanner_settings[3] = 0;
  const auto before = ws_.scanner_settings;
  for (const bool ok : {false, true}) {
    ScannerOptionsDialog dialog(ws_);
    EXPECT_TRUE(Child<QRadioButton>(dialog, "Off_0").isChecked());
    EXPECT_FALSE(Child<QCheckBox>(dialog, "Check1_3").isChecked());
    for (int bank = 0; bank < 10; ++bank) {
      Child<QCheckBox>(dialog, QStringLiteral("Check1_%1").arg(bank)).setChecked(false);
    }
    Child<QRadioButton>(dialog, "On_2").setChecked(true);
    Child<QPushButton>(dialog, ok ? "Command1" : "Command2").click();  // Ok or Cancel
    if (!ok) {
      EXPECT_EQ(ws_.scanner_settings, before);
    }
  }
  EXPECT_EQ(ws_.scanner_settings[0], 1) << "Bank 1 stays active";
  EXPECT_EQ(ws_.scanner_settings[1], 0);
  EXPECT_EQ(ws_.scanner_settings[10], 0);
  EXPECT_EQ(ws_.scanner_settings[12], 1);
}

TEST_F(SettingsDialogsTest, BankNamesRefuseCommasAndQuotesCountCharactersAndStoreOnOk) {
  ws_.bank_names[2] = "Fire";
  ws_.bank_names[11] = "Edge";
  const auto before = ws_.bank_names;
  {
    BankNamesDialog dialog(ws_);
    Open(dialog);
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
  }
  EXPECT_EQ(ws_.bank_names, before);

  BankNamesDialog dialog(ws_);
  Child<QLineEdit>(dialog, "Text1_2").setText("Police");
  Child<QLineEdit>(dialog, "Text1_4").clear();
  Child<QPushButton>(dialog, "Center").click();
  EXPECT_EQ(Child<QLabel>(dialog, "Counter_2").text(), "11");
  EXPECT_EQ(Child<QLineEdit>(dialog, "Text1_11").text(), "Edge") << "Center leaves Search alone";
  Child<QPushButton>(dialog, "Ok").click();
  EXPECT_EQ(ws_.bank_names[2], "     Police");
  EXPECT_EQ(ws_.bank_names[4], " ") << "an empty field is stored as one space";
}

TEST_F(SettingsDialogsTest, SoftwareOptionsFollowTheScrollBarAndStoreOnlyOnOk) {
  ws_.settings.backupdelay = 1;
  ws_.settings.zero = 0;
  ws_.settings.align = 2;
  const Settings before = ws_.settings;
  for (const bool ok : {false, true}) {
    SoftwareOptionsDialog dialog(ws_);
    EXPECT_EQ(Child<QComboBox>(dialog, "Combo3").currentText(), "Right");
    Child<QScrollBar>(dialog, "HScroll1").setValue(42);
    EXPECT_EQ(Child<QLabel>(dialog, "Label3").text(), "42");
    EXPECT_EQ(Child<QLabel>(dialog, "Label4").text(), "Minutes.");
    Child<QCheckBox>(dialog, "check3d1_2").setChecked(true);  // hide leading zeros
    Child<QCheckBox>(dialog, "Check1").setChecked(false);
    Child<QComboBox>(dialog, "Combo3").setCurrentIndex(1);
    Child<QPushButton>(dialog, ok ? "Command1" : "Command2").click();  // Ok or Cancel
    if (!ok) {
      EXPECT_EQ(ws_.settings, before);
    }
  }
  EXPECT_EQ(ws_.settings.backupdelay, 42);
  EXPECT_EQ(ws_.settings.zero, 1);
  EXPECT_EQ(ws_.settings.backena, 0);
  EXPECT_EQ(ws_.settings.align, 1);
  EXPECT_EQ(ws_.settings.remtags, before.remtags);
}

}  // namespace
}  // namespace talvirex
