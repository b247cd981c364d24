#include "files/csv_import_form.h"

#include <gtest/gtest.h>

#include "support/fake_ports.h"
#include "support/temp_dir.h"
#include "workspace.h"

namespace talvirex::testing {
namespace {

using Strings = std::vector<std::string>;

// A form with the found list "100.5", "101.5", ... (`count` entries).
CsvImportForm FormWith(int count, const Workspace& ws = Workspace{}) {
  CsvImportForm form;
  form.Open(ws);
  std::string text;
  for (int i = 0; i < count; ++i) text += std::to_string(100 + i) + ".5,";
  ScriptedUi ui;
  form.ScanText(text, ui);
  return form;
}

TEST(CsvImportForm, TheStartFieldFiltersClampsAndNamesTheChannel) {
  EXPECT_TRUE(CsvImportForm::StartFieldAcceptsKey('5') && CsvImportForm::StartFieldAcceptsKey('-'));
  EXPECT_FALSE(CsvImportForm::StartFieldAcceptsKey('A') || CsvImportForm::StartFieldAcceptsKey(','));
  Workspace ws;
  ws.current_bank = kDummyBank;  // opens on bank 1
  CsvImportForm form;
  form.Open(ws);
  for (const auto& [typed, left] : {std::pair{"25", "20"}, {"0", "1"}, {"", "1"}, {"7", "7"}}) {
    form.SetStartText(typed);
    form.LeaveStartField();
    EXPECT_EQ(form.start_text(), left) << typed;
  }
  EXPECT_EQ(form.StartChannelText(), "7");
  form.SelectBank(3);
  form.SetStartText("5");
  EXPECT_EQ(form.StartChannelText(), "65");
  form.SelectBank(kDummyBank);
  EXPECT_EQ(form.StartChannelText(), "205");
}

TEST(CsvImportForm, MovesBetweenTheLists) {
  CsvImportForm form = FormWith(30);
  ScriptedUi ui;
  form.MoveToSelected(2, ui);
  form.MoveToSelected(0, ui);
  EXPECT_EQ(form.selected(), (Strings{"102.5", "100.5"}));
  form.MoveToFound(0, ui);
  EXPECT_EQ(form.found().back(), "102.5");
  EXPECT_EQ(form.found_count(), 29u);
  form.MoveToSelected(std::nullopt, ui);
  form.MoveToFound(std::nullopt, ui);
  form.MoveToFound(5, ui);  // past the end counts as no selection
  EXPECT_EQ(ui.Texts(), (Strings{"Select an item from the left list.", "Select an item from the right list.",
                                 "Select an item from the right list."}));
  form.MoveTwentyToSelected();
  EXPECT_EQ(form.selected_count(), 21u);
  EXPECT_EQ(form.selected()[1], "101.5");
  form.MoveTwentyToSelected();  // only nine are left
  EXPECT_EQ(form.found_count() * 100 + form.selected_count(), 30u);
  form.MoveAllToFound();
  EXPECT_EQ(form.found().front() + " " + std::to_string(form.found_count()), "100.5 30");
  form.MoveAllToSelected();
  EXPECT_EQ(form.selected_count(), 30u);
  form.ClearSelected();
  form.ClearFound();
  EXPECT_EQ(form.found_count() + form.selected_count(), 0u);
  CsvImportForm two = FormWith(2);  // a frequency moved away is listed again by a rescan
  two.MoveToSelected(0, ui);
  two.ScanText("100.5 101.5", ui);
  EXPECT_EQ(two.found(), (Strings{"101.5", "100.5"}));
}

TEST(CsvImportForm, ExportToTableWritesFromTheStartRowUpToRow20AndShowsTheShownBank) {
  Workspace ws;
  ws.current_bank = 2;
  ws.grid.Cell(1, 1) = "146.5200";  // an edit not yet committed
  ws.grid.Cell(15, 2) = "kept";
  ws.grid.Cell(14, 1) = "150.0";
  CsvImportForm form = FormWith(8, ws);
  form.MoveAllToSelected();
  form.SetStartText("15");
  ScriptedUi ui;
  EXPECT_TRUE(form.ExportToTable(ws, ui));
  std::string frequencies;
  for (int row = 14; row <= 21; ++row) frequencies += ws.table.At(2, row, kFieldFrequency) + ",";
  EXPECT_EQ(frequencies, "150.0000,100.5,101.5,102.5,103.5,104.5,105.5,,");  // row 21 is the spare
  EXPECT_EQ(ws.table.At(2, 1, kFieldFrequency) + " " + ws.table.At(2, 15, kFieldTag), "146.5200 kept");
  EXPECT_EQ(ws.grid.Cell(15, 1), "100.5000");
  EXPECT_TRUE(ws.unsaved_changes);
  EXPECT_TRUE(ui.shown.empty());
}

TEST(CsvImportForm, ExportingNothingAsksFirstAndTheClipboardJoinsWithCrLf) {
  Workspace ws;
  CsvImportForm form = FormWith(3, ws);
  ScriptedUi ui;
  ui.answers = {Answer::kNo, Answer::kYes, Answer::kNo};
  EXPECT_FALSE(form.ExportToTable(ws, ui));
  EXPECT_TRUE(form.ExportToTable(ws, ui));
  EXPECT_FALSE(ws.unsaved_changes);
  FakeClipboard clipboard;
  clipboard.text = "before";
  EXPECT_FALSE(form.ExportToClipboard(clipboard, ui));
  EXPECT_EQ(ui.Texts(), (Strings{"You did not select any frequencies. Close this window anyway?",
                                 "You did not select any frequencies. Close this window anyway?",
                                 "You did not select any frequencies."}));
  EXPECT_EQ(clipboard.text, "before");
  CsvImportForm empty;
  empty.Open(ws);
  EXPECT_TRUE(empty.ExportToClipboard(clipboard, ui));  // nothing found: no question
  EXPECT_EQ(clipboard.text + std::to_string(ui.shown.size()), "3");
  form.MoveAllToSelected();
  EXPECT_TRUE(form.ExportToClipboard(clipboard, ui));
  EXPECT_EQ(clipboard.text, "100.5\r\n101.5\r\n102.5");
}

TEST(CsvImportForm, TheClipboardGivesItsFirst58000CharactersAndAFileReplacesTheLists) {
  FakeClipboard clipboard;
  clipboard.text = std::string(57986, ' ') + "146.5200 462.5625";  // cut after "462.5"
  CsvImportForm form = FormWith(1);
  ScriptedUi ui;
  form.ImportFromClipboard(clipboard, ui);
  EXPECT_EQ(form.clipboard_text().size(), kClipboardLimit);
  EXPECT_EQ(form.found(), (Strings{"100.5", "146.5200", "462.5"}));
  EXPECT_EQ(ui.busy_changes, (std::vector<bool>{true, false}));
  clipboard.text.clear();
  for (int i = 0; i < 60000; ++i) clipboard.text += "\xC3\xA9";  // characters, not bytes
  form.ImportFromClipboard(clipboard, ui);
  EXPECT_EQ(form.clipboard_text().size(), 2 * kClipboardLimit);

  TempDir dir;
  WriteBytes(dir / "list.txt", "a,146.52\r\nb,147.0\r\n");
  form.MoveToSelected(0, ui);
  ui.open_paths = {std::nullopt, (dir / "list.txt").string(), (dir / "gone.txt").string()};
  form.ImportFromFile(ui);  // cancelled: nothing changes
  EXPECT_EQ(form.found_count() * 10 + form.selected_count(), 21u);
  form.ImportFromFile(ui);
  EXPECT_EQ(ui.open_dialogs[0].filter, kImportFilter);
  EXPECT_EQ(form.found(), (Strings{"146.52", "147.0"}));
  EXPECT_EQ(form.selected_count(), 0u);
  form.ImportFromFile(ui);  // a file that cannot be read: empty lists, no message
  EXPECT_EQ(form.found_count(), 0u);
  EXPECT_TRUE(ui.shown.empty());
}

}  // namespace
}  // namespace talvirex::testing
