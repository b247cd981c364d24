// The main window's steps around its dialogs and its table commands, driven as the desktop
// window drives them: Run, then the form, then DialogClosed.

#include <gtest/gtest.h>

#include "editor/main_window.h"
#include "support/fake_ports.h"
#include "support/temp_dir.h"
#include "workspace.h"

namespace talvirex::testing {
namespace {

class MainWindowDialogsTest : public ::testing::Test {
 protected:
  MainWindowDialogsTest() {
    window.Startup();
    window.SetReportFolder(reports.path());
  }
  void TypeFrequency(int row, std::string text) {
    ws.grid.Cell(row, 1) = std::move(text);  // shown, not yet committed
  }

  TempDir folder;
  TempDir reports;
  Workspace ws;
  ScriptedUi ui;
  FakeClipboard clipboard;
  FakeClock clock;
  MainWindowLogic window{ws, ui, clipboard, clock, {folder.path(), folder.path()}};
};

TEST_F(MainWindowDialogsTest, TableCommandsRunOnTheShownBank) {
  TypeFrequency(1, "162.5");
  TypeFrequency(2, "145.1");
  EXPECT_EQ(window.Run(CommandId::kSortAscending), CommandOutcome::kDone);
  EXPECT_EQ(ws.grid.Cell(1, 1), "145.1000");
  EXPECT_EQ(ws.grid.Cell(2, 1), "162.5000");
  EXPECT_TRUE(window.IsEnabled(CommandId::kUndo));

  TypeFrequency(3, "145.1");
  ui.answers = {Answer::kOk};
  window.Run(CommandId::kDuplicatesInBank);
  EXPECT_EQ(ReadBytes(reports.path() / "dupl.txt"),
            "Duplicate Channel Found: 1 and 3 / Frequency: 145.1000\r\n");
  window.Run(CommandId::kRemoveDuplicates);
  EXPECT_EQ(ws.grid.Cell(3, 1), "");

  ws.grid.Cell(1, 2) = " AB ";
  window.Run(CommandId::kCenterTags);
  EXPECT_EQ(ws.grid.Cell(1, 2), "    AB");
  window.Run(CommandId::kBankEmptyStatus);
  EXPECT_EQ(ui.Texts().back().substr(0, 35), "Bank Empty Status:\r\n\r\nBank 2: Empty");
}

TEST_F(MainWindowDialogsTest, EasyFillTakesTheSnapshotThenRedraws) {
  TypeFrequency(1, "440");
  EXPECT_EQ(window.Run(CommandId::kEasyFill), CommandOutcome::kForWindow);
  EXPECT_EQ(ws.table.At(0, 1, kFieldFrequency), "440.0000");  // committed before
  EasyFillForm& form = window.dialogs().easy_fill;
  form.first_channel = "2";
  form.last_channel = "3";
  form.start = "145";
  form.step = "12.5";
  form.boxes[EasyFillForm::kFrequency] = true;
  window.DialogClosed(CommandId::kEasyFill, DialogResult::kConfirmed);
  EXPECT_EQ(ws.grid.Cell(2, 1), "145.0000");
  EXPECT_EQ(ws.grid.Cell(3, 1), "145.0125");
  EXPECT_TRUE(ws.unsaved_changes);
  window.Run(CommandId::kUndo);
  EXPECT_EQ(ws.grid.Cell(2, 1), "");
  EXPECT_EQ(ws.grid.Cell(1, 1), "440.0000");

  ws.unsaved_changes = false;
  window.Run(CommandId::kEasyFill);
  window.dialogs().easy_fill.boxes[EasyFillForm::kFrequency] = true;
  window.DialogClosed(CommandId::kEasyFill, DialogResult::kDismissed);
  EXPECT_EQ(ws.grid.Cell(5, 1), "");
  EXPECT_FALSE(ws.unsaved_changes);
}

// The export and the print read the table, and their forms live on between commands: each
// command commits the typed cells and opens its form afresh.
TEST_F(MainWindowDialogsTest, ExportAndPrintOpenAfreshOnTheCellsTypedBeforeThem) {
  window.dialogs().csv_export.SelectOption(ExportCsvForm::kAllBanks);
  window.dialogs().print.SelectOption(PrintForm::kAllBanks);
  TypeFrequency(4, "150");
  EXPECT_EQ(window.Run(CommandId::kExportCsv), CommandOutcome::kForWindow);
  EXPECT_EQ(ws.table.At(0, 4, kFieldFrequency), "150.0000");
  EXPECT_EQ(window.dialogs().csv_export.option(), ExportCsvForm::kCurrentBank);
  TypeFrequency(5, "151");
  EXPECT_EQ(window.Run(CommandId::kPrint), CommandOutcome::kForWindow);
  EXPECT_EQ(ws.table.At(0, 5, kFieldFrequency), "151.0000");
  EXPECT_EQ(window.dialogs().print.option(), PrintForm::kActiveBank);
}

TEST_F(MainWindowDialogsTest, SoftwareOptionsRealignAndRedraw) {
  ws.table.At(0, 1, kFieldFrequency) = "045.0000";
  window.Redraw();
  EXPECT_EQ(ws.grid.Cell(1, 1), "045.0000");
  window.Run(CommandId::kSoftwareOptions);
  SoftwareOptionsForm& form = window.dialogs().software_options;
  form.options[SoftwareOptionsForm::kHideZeros] = true;
  form.alignment = 2;
  window.DialogClosed(CommandId::kSoftwareOptions, DialogResult::kDismissed);
  EXPECT_EQ(window.alignment(), GridAlignment::kLeft);
  window.DialogClosed(CommandId::kSoftwareOptions, DialogResult::kConfirmed);
  EXPECT_EQ(window.alignment(), GridAlignment::kRight);
  EXPECT_EQ(ws.grid.Cell(1, 1), "45.0000");
}

TEST_F(MainWindowDialogsTest, PriorityAndScannerOptionsStoreOnlyWhenConfirmed) {
  window.Run(CommandId::kPriorityChannels);
  window.dialogs().priority.SetField(2, "45");
  window.DialogClosed(CommandId::kPriorityChannels, DialogResult::kDismissed);
  EXPECT_EQ(ws.priority[2], 41);
  window.Run(CommandId::kPriorityChannels);
  window.dialogs().priority.SetField(2, "45");
  window.DialogClosed(CommandId::kPriorityChannels, DialogResult::kConfirmed);
  EXPECT_EQ(ws.priority[2], 45);

  window.Run(CommandId::kScannerOptions);
  window.dialogs().scanner_options.bank_active.fill(false);
  window.DialogClosed(CommandId::kScannerOptions, DialogResult::kDismissed);
  EXPECT_EQ(ws.scanner_settings[1], 1);
  window.Run(CommandId::kScannerOptions);
  window.dialogs().scanner_options.bank_active.fill(false);
  window.DialogClosed(CommandId::kScannerOptions, DialogResult::kConfirmed);
  EXPECT_EQ(ws.scanner_settings[1], 0);
}

}  // namespace
}  // namespace talvirex::testing
