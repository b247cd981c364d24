// The import's start field filter and its clipboard limit. The Advanced Data Import's lists,
// start field and exports run in the editor sessions (tests/data/editor/dialogs.txt).

#include "files/csv_import_form.h"

#include <gtest/gtest.h>

#include "support/fake_ports.h"
#include "workspace.h"

namespace talvirex::testing {
namespace {

TEST(CsvImportForm, TheStartFieldTakesDigitsAndControlKeysOnly) {
  EXPECT_TRUE(CsvImportForm::StartFieldAcceptsKey('5') && CsvImportForm::StartFieldAcceptsKey('-') &&
              CsvImportForm::StartFieldAcceptsKey(8));
  EXPECT_FALSE(CsvImportForm::StartFieldAcceptsKey('A') || CsvImportForm::StartFieldAcceptsKey(','));
}

TEST(CsvImportForm, TheClipboardGivesItsFirst58000Characters) {
  FakeClipboard clipboard;
  clipboard.text = std::string(57986, ' ') + "146.5200 462.5625";  // cut after "462.5"
  CsvImportForm form;
  form.Open(Workspace{});
  ScriptedUi ui;
  form.ScanText("100.5", ui);
  form.ImportFromClipboard(clipboard, ui);
  EXPECT_EQ(form.clipboard_text().size(), kClipboardLimit);
  EXPECT_EQ(form.found(), (std::vector<std::string>{"100.5", "146.5200", "462.5"}));
  EXPECT_EQ(ui.busy_changes, (std::vector<bool>{true, false, true, false}));
  clipboard.text.clear();
  for (int i = 0; i < 60000; ++i) clipboard.text += "\xC3\xA9";  // characters, not bytes
  form.ImportFromClipboard(clipboard, ui);
  EXPECT_EQ(form.clipboard_text().size(), 2 * kClipboardLimit);
}

}  // namespace
}  // namespace talvirex::testing
