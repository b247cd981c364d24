// The main window's steps around its dialogs, driven as the desktop window drives them: Run, then
// the form, then DialogClosed. The window's grid, menus, files and exit run in the editor
// sessions (tests/data/editor/window.txt).

#include "editor/main_window.h"

#include <gtest/gtest.h>

#include "support/fake_ports.h"
#include "support/temp_dir.h"
#include "workspace.h"

namespace talvirex::testing {
namespace {

class MainWindowTest : public ::testing::Test {
 protected:
  void Start() { window.Startup(); }

  TempDir folder;
  Workspace ws;
  ScriptedUi ui;
  FakeClipboard clipboard;
  FakeClock clock;
  int images_built = 0;
  MainWindowLogic window{ws, ui, clipboard, clock, {folder.path(), folder.path()},
                         {[this](CloneImage& image) {
                           ++images_built;
                           image.lines[1] = "built";
                         }}};
};

TEST_F(MainWindowTest, StartUpBuildsTheImageAndBlanksWhatALastRunLeft) {
  ws.table.At(3, 21, kFieldSubtone) = "left over";
  ws.priority[9] = 5;
  ws.scanner_settings[10] = 1;
  Start();
  EXPECT_EQ(images_built, 1);
  EXPECT_EQ(ws.clone_image.lines[1], "built");
  EXPECT_EQ(ws.table.At(3, 21, kFieldSubtone), "");
  EXPECT_EQ(ws.priority[9] * 10 + ws.scanner_settings[10], 1810);
}

TEST_F(MainWindowTest, EasyFillTakesTheSnapshotOnlyConfirmedFillsAndRedraws) {
  Start();
  ws.grid.Cell(1, 1) = "440";  // typed, not yet stored
  EXPECT_EQ(window.Run(CommandId::kEasyFill), CommandOutcome::kForWindow);
  EXPECT_EQ(ws.table.At(0, 1, kFieldFrequency), "440.0000");  // committed before
  EasyFillForm& form = window.dialogs().easy_fill;
  form.first_channel = "2";
  form.last_channel = "3";
  form.start = "145";
  form.boxes[EasyFillForm::kFrequency] = true;
  window.DialogClosed(CommandId::kEasyFill, DialogResult::kConfirmed);
  EXPECT_EQ(ws.grid.Cell(2, 1) + "|" + ws.grid.Cell(3, 1), "145.0000|145.0125");
  EXPECT_TRUE(ws.unsaved_changes);
  window.Run(CommandId::kUndo);
  EXPECT_EQ(ws.grid.Cell(1, 1) + "|" + ws.grid.Cell(2, 1), "440.0000|");

  ws.unsaved_changes = false;
  window.Run(CommandId::kEasyFill);
  window.dialogs().easy_fill.boxes[EasyFillForm::kFrequency] = true;
  window.DialogClosed(CommandId::kEasyFill, DialogResult::kDismissed);
  EXPECT_EQ(ws.grid.Cell(5, 1), "");
  EXPECT_FALSE(ws.unsaved_changes);
}

// The export and the print read the table, and their forms live on between commands: each
// command commits the typed cells and opens its form afresh.
TEST_F(MainWindowTest, ExportAndPrintOpenAfreshOnTheCellsTypedBeforeThem) {
  Start();
  window.dialogs().csv_export.SelectOption(ExportCsvForm::kAllBanks);
  window.dialogs().print.SelectOption(PrintForm::kAllBanks);
  ws.grid.Cell(4, 1) = "150";
  EXPECT_EQ(window.Run(CommandId::kExportCsv), CommandOutcome::kForWindow);
  EXPECT_EQ(ws.table.At(0, 4, kFieldFrequency), "150.0000");
  EXPECT_EQ(window.dialogs().csv_export.option(), ExportCsvForm::kCurrentBank);
  ws.grid.Cell(5, 1) = "151";
  EXPECT_EQ(window.Run(CommandId::kPrint), CommandOutcome::kForWindow);
  EXPECT_EQ(ws.table.At(0, 5, kFieldFrequency), "151.0000");
  EXPECT_EQ(window.dialogs().print.option(), PrintForm::kActiveBank);
}

TEST_F(MainWindowTest, DialogsStoreOnlyWhenConfirmedAndTheWindowFollows) {
  Start();
  ws.table.At(0, 1, kFieldFrequency) = "045.0000";
  window.Redraw();
  for (const DialogResult result : {DialogResult::kDismissed, DialogResult::kConfirmed}) {
    window.Run(CommandId::kSoftwareOptions);
    window.dialogs().software_options.options[SoftwareOptionsForm::kHideZeros] = true;
    window.dialogs().software_options.alignment = 2;
    window.DialogClosed(CommandId::kSoftwareOptions, result);
    window.Run(CommandId::kPriorityChannels);
    window.dialogs().priority.SetField(2, "45");
    window.DialogClosed(CommandId::kPriorityChannels, result);
    window.Run(CommandId::kScannerOptions);
    window.dialogs().scanner_options.bank_active.fill(false);
    window.DialogClosed(CommandId::kScannerOptions, result);
    EXPECT_EQ(std::to_string(window.alignment()) + " " + ws.grid.Cell(1, 1) + " " +
                  std::to_string(ws.priority[2]) + " " + std::to_string(ws.scanner_settings[1]),
              result == DialogResult::kConfirmed ? "2 45.0000 45 0" : "0 045.0000 41 1");
  }
}

}  // namespace
}  // namespace talvirex::testing
