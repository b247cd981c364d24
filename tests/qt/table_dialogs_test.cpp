// SPDX-License-Identifier: GPL-3.0-or-later
// The dialogs that import and print the channel table, driven through their real widgets: the
// Advanced Data Import with its Webcatcher window, and printing a bank into a PDF read back with
// pdftotext.

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>

#include "app/dialogs/csv_import_dialog.h"
#include "app/dialogs/print_dialog.h"
#include "platform/qt_print_sink.h"
#include "support/fake_ports.h"
#include "support/qt_application.h"
#include "support/run_command.h"
#include "support/temp_dir.h"
#include "widget_lookup.h"
#include "workspace.h"

namespace talvirex {
namespace {

using testing::Child;
using testing::FakeClipboard;
using testing::ReadBytes;
using testing::ScriptedUi;
using testing::TempDir;

class TableDialogsTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { testing::TestApplication(); }

  std::string& Frequency(int bank, int row) { return ws_.table.At(bank, row, kFieldFrequency); }

  Workspace ws_;
  ScriptedUi ui_;
  FakeClipboard clipboard_;
  TempDir dir_;
};

TEST_F(TableDialogsTest, CsvImportHarvestsTheClipboardAndWritesPickedFrequenciesToTheTable) {
  clipboard_.text = "Fire 154.4300, 155.1150 - 460.0250 <td>462.5625</td>";
  QWidget main_window;
  CsvImportDialog& dialog = *CsvImportDialog::Show(ws_, ui_, clipboard_, &main_window);
  testing::Activate(dialog);
  QSignalSpy changed(&dialog, &CsvImportDialog::TableChanged);
  auto& found = Child<QListWidget>(dialog, "Found");
  Child<QPushButton>(dialog, "ImportClipboard").click();
  ASSERT_EQ(found.count(), 4);
  found.setCurrentRow(1);
  Child<QPushButton>(dialog, "MoveRight").click();
  Child<QPushButton>(dialog, "TwentyRight").click();
  EXPECT_EQ(Child<QListWidget>(dialog, "Selected").item(0)->text(), "155.1150");

  Child<QComboBox>(dialog, "Combo1").setCurrentIndex(2);  // Bank 3
  auto& start = Child<QLineEdit>(dialog, "Text1");
  testing::Retype(start, "2x5");
  EXPECT_EQ(Child<QLineEdit>(dialog, "Text3").text(), "65");
  Child<QComboBox>(dialog, "Combo1").setFocus();  // leaving the start field
  EXPECT_EQ(start.text() + " " + Child<QLineEdit>(dialog, "Text3").text(), "20 60");

  Child<QPushButton>(dialog, "ExportTable").click();
  EXPECT_EQ(Frequency(2, 19) + "|" + Frequency(2, 20), "|155.1150");
  EXPECT_EQ(changed.count(), 1);
  EXPECT_TRUE(dialog.isVisible()) << "the dialog stays open";
  Child<QPushButton>(dialog, "ExportClipboard").click();
  EXPECT_EQ(clipboard_.text, "155.1150\r\n154.4300\r\n460.0250\r\n462.5625");
  dialog.close();
}

TEST_F(TableDialogsTest, WebCatcherImportsTheClipboardIntoOneImportDialog) {
  clipboard_.text = "Marine 16 156.8000\r\nMarine 22 157.1000";
  QWidget main_window;
  int redraws = 0;
  WebCatcherWindow& info =
      *WebCatcherWindow::Show(ws_, ui_, clipboard_, &main_window, [&redraws] { ++redraws; });
  Child<QPushButton>(info, "Import").click();
  Child<QPushButton>(info, "Import").click();
  const auto dialogs = main_window.findChildren<CsvImportDialog*>();
  ASSERT_EQ(dialogs.size(), 1) << "a second press reuses the open dialog";
  EXPECT_EQ(Child<QListWidget>(*dialogs[0], "Found").count(), 2) << "the second scan adds nothing";
  Child<QPushButton>(*dialogs[0], "AllRight").click();
  Child<QPushButton>(*dialogs[0], "ExportTable").click();
  EXPECT_EQ(Frequency(0, 2), "157.1000");
  EXPECT_EQ(redraws, 1) << "the main window hears of the change once";
}

// The print dialog is bound to a form opened as the main window's logic opens it, but prints into
// a PDF file instead of the system's printer.
TEST_F(TableDialogsTest, PrintPrintsTheShownBankAsPage1Of1AndCancelPrintsNothing) {
  ws_.current_bank = 1;
  ws_.bank_names[1] = "Fire Dept";
  Frequency(1, 3) = "154.4300";
  ws_.table.At(1, 3, kFieldTag) = "Dispatch";
  const std::string pdf = (dir_ / "bank.pdf").string();
  PrintForm form;
  for (const bool print : {false, true}) {
    form.Open();
    PrintDialog dialog(form, ws_, ui_, nullptr,
                       std::make_unique<QtPrintSink>(QString::fromStdString(pdf)));
    EXPECT_TRUE(Child<QRadioButton>(dialog, "Option1_3").isChecked());
    Child<QPushButton>(dialog, print ? "Print" : "Cancel").click();
    EXPECT_EQ(dialog.result(), print ? QDialog::Accepted : QDialog::Rejected);
    EXPECT_EQ(std::filesystem::exists(pdf), print);
  }
  EXPECT_TRUE(ui_.shown.empty()) << ui_.Texts().front();

  // The page layout is the core's test; here the dialog must print the shown bank as 1 / 1.
  const std::string text = testing::ToolOutput("pdftotext", {"-fixed", "4.6", pdf, "-"});
  EXPECT_NE(text.find("Bankname: Fire Dept"), std::string::npos) << text;
  EXPECT_NE(text.find("23:   154.4300      Dispatch"), std::string::npos) << text;
  EXPECT_NE(text.find("Page 1 / 1"), std::string::npos);
}

}  // namespace
}  // namespace talvirex
