#include "editor/grid_bridge.h"
#include "files/csv_import_form.h"
#include "model/numeric_value.h"

#include <gtest/gtest.h>

#include "support/fake_ports.h"
#include "support/temp_dir.h"
#include "workspace.h"

namespace talvirex {
namespace {

using testing::FakeClipboard;
using testing::ScriptedUi;
using testing::TempDir;
using Strings = std::vector<std::string>;

// A form with the found list "100.5", "101.5", ... (`count` entries).
CsvImportForm FormWith(int count, const Workspace& ws = Workspace{}) {
  CsvImportForm form;
  form.Open(ws.current_bank);
  std::string text;
  for (int i = 0; i < count; ++i) text += std::to_string(100 + i) + ".5,";
  ScriptedUi ui;
  form.ScanText(text, ui);
  return form;
}

TEST(CsvImportForm, StartFieldFilterClampsAndChannelNumber) {
  EXPECT_TRUE(CsvImportForm::StartFieldAcceptsKey('5'));
  EXPECT_FALSE(CsvImportForm::StartFieldAcceptsKey('A'));

  CsvImportForm form;
  form.Open(0);
  const std::vector<std::pair<std::string, std::string>> clamps = {
      {"25", "20"}, {"0", "1"}, {"", "1"}, {"7", "7"}};
  for (const auto& [typed, left] : clamps) {
    form.SetStartText(typed);
    form.LeaveStartField();
    EXPECT_EQ(form.start_text(), left) << typed;
  }
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
  EXPECT_EQ(form.found_count(), 28u);
  form.MoveToFound(0, ui);
  EXPECT_EQ(form.found().back(), "102.5");
  EXPECT_EQ(form.selected(), Strings{"100.5"});

  form.MoveToSelected(std::nullopt, ui);
  form.MoveToFound(std::nullopt, ui);
  form.MoveToFound(5, ui);  // past the end counts as no selection
  EXPECT_EQ(ui.Texts(),
            (Strings{"Select an item from the left list.", "Select an item from the right list.",
                     "Select an item from the right list."}));

  form.MoveTwentyToSelected();
  EXPECT_EQ(form.selected_count(), 21u);
  EXPECT_EQ(form.selected()[1], "101.5");
  EXPECT_EQ(form.found_count(), 9u);
  form.MoveTwentyToSelected();  // only nine are left
  EXPECT_EQ(form.found_count(), 0u);
  EXPECT_EQ(form.selected_count(), 30u);
  form.MoveAllToFound();
  EXPECT_EQ(form.found_count(), 30u);
  EXPECT_EQ(form.found().front(), "100.5");
  form.MoveAllToSelected();
  EXPECT_EQ(form.selected_count(), 30u);
  form.ClearSelected();
  form.ClearFound();
  EXPECT_EQ(form.found_count() + form.selected_count(), 0u);

  // A frequency moved away is listed again by a rescan.
  CsvImportForm two = FormWith(2);
  two.MoveToSelected(0, ui);
  two.ScanText("100.5 101.5", ui);
  EXPECT_EQ(two.found(), (Strings{"101.5", "100.5"}));
}

TEST(CsvImportForm, ExportToTableWritesFromTheStartRowUpToRow20) {
  Workspace ws;
  ws.current_bank = 5;
  ws.table.At(2, 14, kFieldFrequency) = "150.0";
  ws.table.At(2, 15, kFieldTag) = "kept";
  CsvImportForm form = FormWith(8, ws);
  form.MoveAllToSelected();
  form.SelectBank(2);
  form.SetStartText("15");
  ScriptedUi ui;
  EXPECT_TRUE(form.ExportToTable(ws, ui));
  EXPECT_EQ(ws.table.At(2, 14, kFieldFrequency), "150.0");
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(ws.table.At(2, 15 + i, kFieldFrequency), std::to_string(100 + i) + ".5");
  }
  EXPECT_EQ(ws.table.At(2, 15, kFieldTag), "kept");
  EXPECT_EQ(ws.table.At(2, 21, kFieldFrequency), "");  // the spare row stays untouched
  EXPECT_TRUE(ws.unsaved_changes);
  EXPECT_TRUE(ui.shown.empty());
}

TEST(CsvImportForm, ExportToTheShownBankKeepsGridEditsAndShowsTheNewFrequencies) {
  Workspace ws;
  ws.current_bank = 0;
  ws.grid.Cell(1, 1) = "146.5200";  // an edit not yet committed
  ws.grid.Cell(1, 2) = "Typed";
  CsvImportForm form = FormWith(1, ws);
  form.MoveAllToSelected();
  form.SetStartText("2");
  ScriptedUi ui;
  ExportHarvestToTable(ws, form, ui);
  EXPECT_EQ(ws.table.At(0, 1, kFieldTag), "Typed");
  EXPECT_EQ(NumericValue(ws.table.At(0, 2, kFieldFrequency)), 100.5);
  EXPECT_EQ(ws.grid.Cell(2, 1), "100.5000");
}

TEST(CsvImportForm, ExportingNothingAsksFirst) {
  Workspace ws;
  CsvImportForm form = FormWith(3, ws);
  ScriptedUi ui;
  ui.answers = {Answer::kNo, Answer::kYes};
  EXPECT_FALSE(form.ExportToTable(ws, ui));
  EXPECT_TRUE(form.ExportToTable(ws, ui));
  ASSERT_EQ(ui.shown.size(), 2u);
  EXPECT_EQ(ui.shown[0].text, "You did not select any frequencies. Close this window anyway?");
  EXPECT_EQ(ui.shown[0].title, "?");
  EXPECT_EQ(ui.shown[0].buttons, Buttons::kYesNo);
  EXPECT_FALSE(ws.unsaved_changes);

  FakeClipboard clipboard;
  clipboard.text = "before";
  ui.answers = {Answer::kNo};
  EXPECT_FALSE(form.ExportToClipboard(clipboard, ui));
  EXPECT_EQ(ui.shown.back().text, "You did not select any frequencies.");
  EXPECT_EQ(clipboard.text, "before");

  CsvImportForm empty;
  empty.Open(ws.current_bank);
  EXPECT_TRUE(empty.ExportToClipboard(clipboard, ui));  // nothing found: no question
  EXPECT_EQ(clipboard.text, "");
  EXPECT_EQ(ui.shown.size(), 3u);
}

TEST(CsvImportForm, ExportToClipboardJoinsWithCrLf) {
  CsvImportForm form = FormWith(3);
  form.MoveAllToSelected();
  FakeClipboard clipboard;
  ScriptedUi ui;
  EXPECT_TRUE(form.ExportToClipboard(clipboard, ui));
  EXPECT_EQ(clipboard.text, "100.5\r\n101.5\r\n102.5");
}

TEST(CsvImportForm, ImportFromClipboardKeepsThe58000FirstCharacters) {
  std::string text(57986, ' ');
  text += "146.5200 ";  // ends at character 57995
  text += "462.5625";   // characters 57996..58003: cut after "462.5"
  FakeClipboard clipboard;
  clipboard.text = text;
  CsvImportForm form = FormWith(1);
  ScriptedUi ui;
  form.ImportFromClipboard(clipboard, ui);
  EXPECT_EQ(form.clipboard_text().size(), kClipboardLimit);
  EXPECT_EQ(form.found(), (Strings{"100.5", "146.5200", "462.5"}));
  EXPECT_EQ(ui.busy_changes, (std::vector<bool>{true, false}));

  // Characters, not bytes: a clipboard of two-byte letters keeps 58000 of them.
  clipboard.text.clear();
  for (int i = 0; i < 60000; ++i) clipboard.text += "\xC3\xA9";
  form.ImportFromClipboard(clipboard, ui);
  EXPECT_EQ(form.clipboard_text().size(), 2 * kClipboardLimit);
}

TEST(CsvImportForm, ImportFromFileEmptiesBothListsAndScans) {
  TempDir dir;
  testing::WriteBytes(dir / "list.txt", "a,146.52\r\nb,147.0\r\n");
  CsvImportForm form = FormWith(3);
  ScriptedUi ui;
  form.MoveToSelected(0, ui);
  ui.open_paths = {std::nullopt, (dir / "list.txt").string(), (dir / "gone.txt").string()};
  form.ImportFromFile(ui);  // cancelled: nothing changes
  EXPECT_EQ(form.found_count(), 2u);
  EXPECT_EQ(form.selected_count(), 1u);
  form.ImportFromFile(ui);
  EXPECT_EQ(ui.open_dialogs[0].filter, kImportFilter);
  EXPECT_EQ(form.found(), (Strings{"146.52", "147.0"}));
  EXPECT_EQ(form.selected_count(), 0u);
  form.ImportFromFile(ui);  // a file that cannot be read: empty lists, no message
  EXPECT_EQ(form.found_count(), 0u);
  EXPECT_TRUE(ui.shown.empty());
}

}  // namespace
}  // namespace talvirex
