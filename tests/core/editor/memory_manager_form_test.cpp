// The Memory Manager's form between the main window's two commands, as the desktop window drives
// it: Run, the form's lists and buttons, then DialogClosed.

#include "editor/memory_manager_form.h"

#include <gtest/gtest.h>

#include "editor/main_window.h"
#include "support/fake_ports.h"
#include "support/temp_dir.h"
#include "workspace.h"

namespace talvirex::testing {
namespace {

class MemoryManagerTest : public ::testing::Test {
 protected:
  MemoryManagerTest() {
    window.Startup();
    Reset();
  }
  void Reset() {
    Put(0, 1, "145.5000|ONE|0|0|5|0|1");
    Put(0, 2, "146.0000|TWO|0|0|5|0|0");
    Put(1, 1, "440.0000|B2|0|0|5|0|0");
    Put(0, 5, "|||||||");
    ws.table.At(0, 1, kFieldSpare) = "s1";
    window.Redraw();
    ws.unsaved_changes = false;
  }
  void Put(int bank, int row, const std::string& fields) {
    for (int f = 1, at = 0; f <= 7; ++f, ++at) {
      const auto bar = fields.find('|', at);
      ws.table.At(bank, row, f) = fields.substr(at, bar - at);
      at = static_cast<int>(bar);
    }
  }
  // Fields 1..7 of a row joined by "|".
  std::string Fields(int bank, int row) const {
    std::string fields = ws.table.At(bank, row, 1);
    for (int f = 2; f <= 7; ++f) fields += "|" + ws.table.At(bank, row, f);
    return fields;
  }
  MemoryManagerForm& Open(CommandId command) {
    EXPECT_EQ(window.Run(command), CommandOutcome::kForWindow);
    return window.dialogs().memory_manager;
  }

  TempDir folder;
  Workspace ws;
  ScriptedUi ui;
  FakeClipboard clipboard;
  FakeClock clock;
  MainWindowLogic window{ws, ui, clipboard, clock, {folder.path(), folder.path()}};
};

TEST_F(MemoryManagerTest, ChannelModeListsTheCurrentBankOrAllBanks) {
  window.ShowBank(2);
  MemoryManagerForm& form = Open(CommandId::kMemoryChannels);
  EXPECT_EQ(window.manager_mode(), "Memory Manager");
  ASSERT_EQ(form.entries().size(), 20u);
  EXPECT_EQ(form.entries().front() + "|" + form.entries().back(), "41 : Empty|60 : Empty");
  EXPECT_FALSE(form.apply_enabled());
  form.SetScope(ManagerScope::kAllBanks);
  ASSERT_EQ(form.entries().size(), 220u);
  EXPECT_EQ(form.entries()[0] + "|" + form.entries()[20] + "|" + form.entries()[219],
            "Bank 1 - 1 : 145.5000 - ONE|Bank 2 - 21 : 440.0000 - B2|Dummy - 220 : Empty");
  EXPECT_TRUE(form.apply_enabled());  // the scope's own selection of entry 0
}

// Copy, move and swap move fields 1..7, never field 0; swap passes through the spare row 21.
TEST_F(MemoryManagerTest, ChannelOperationsInTheBankAndAcrossBanks) {
  const std::string one = "145.5000|ONE|0|0|5|0|1", five = "440.5000|FIVE|0|0|5|0|0";
  const struct {
    ManagerOperation op;
    bool all_banks;
    int destination;
    std::string source_after, destination_after, entry0;
  } cases[] = {
      {ManagerOperation::kCopy, false, 4, one, one, "1 : 145.5000 - ONE"},
      {ManagerOperation::kMove, false, 4, "||||||", one, "1 : Empty"},
      {ManagerOperation::kSwap, false, 4, five, one, "1 : 440.5000 - FIVE"},
      {ManagerOperation::kMove, false, 0, one, one, "1 : 145.5000 - ONE"},  // onto itself
      {ManagerOperation::kMove, true, 20, "||||||", one, "Bank 1 - 1 : Empty"},
      {ManagerOperation::kSwap, true, 20, "440.0000|B2|0|0|5|0|0", one, "Bank 1 - 1 : 440.0000 - B2"},
  };
  for (const auto& c : cases) {
    Reset();
    Put(0, 5, five);
    window.Redraw();
    MemoryManagerForm& form = Open(CommandId::kMemoryChannels);
    if (c.all_banks) form.SetScope(ManagerScope::kAllBanks);
    form.SetOperation(c.op);
    form.SelectSource(0);
    form.SelectDestination(c.destination);
    form.Apply();
    const int bank = c.destination / 20, row = c.destination % 20 + 1;
    EXPECT_EQ(Fields(0, 1) + " " + Fields(bank, row), c.source_after + " " + c.destination_after);
    EXPECT_EQ(ws.table.At(0, 1, kFieldSpare), "s1");
    EXPECT_EQ(form.entries()[0], c.entry0);
    EXPECT_EQ(form.destination(), c.destination);
    EXPECT_EQ(form.apply_enabled(), c.destination == 0);  // Apply on the same entry keeps its state
    window.DialogClosed(CommandId::kMemoryChannels, DialogResult::kDismissed);
    EXPECT_EQ(ws.grid.Cell(1, 2) + ws.grid.Cell(5, 2), ws.table.At(0, 1, 2) + ws.table.At(0, 5, 2));  // redrawn
    EXPECT_EQ(ws.unsaved_changes, c.destination != 0 || c.op == ManagerOperation::kCopy);
  }
  EXPECT_EQ(ws.table.At(1, 21, kFieldTag), "B2");  // the spare row keeps the former destination
}

TEST_F(MemoryManagerTest, OkAppliesThePendingChoiceAndUndoRestoresTheCurrentBankOnly) {
  MemoryManagerForm& form = Open(CommandId::kMemoryChannels);
  form.SetScope(ManagerScope::kAllBanks);
  form.SetOperation(ManagerOperation::kSwap);
  form.SelectSource(0);
  form.SelectDestination(20);
  window.DialogClosed(CommandId::kMemoryChannels, DialogResult::kConfirmed);
  EXPECT_EQ(Fields(1, 1), "145.5000|ONE|0|0|5|0|1");
  EXPECT_TRUE(ws.unsaved_changes);
  window.Run(CommandId::kUndo);
  EXPECT_EQ(ws.table.At(0, 1, kFieldTag) + "|" + ws.table.At(1, 1, kFieldTag), "ONE|ONE");
}

TEST_F(MemoryManagerTest, NoChangeOrADummyOnlyChangeIsNotUnsaved) {
  MemoryManagerForm& form = Open(CommandId::kMemoryChannels);
  window.DialogClosed(CommandId::kMemoryChannels, DialogResult::kConfirmed);  // nothing chosen
  EXPECT_FALSE(ws.unsaved_changes);
  Open(CommandId::kMemoryChannels);
  form.SetScope(ManagerScope::kAllBanks);
  form.SelectSource(0);
  form.SelectDestination(200);  // channel 201, Dummy row 1
  form.Apply();
  form.SetOperation(ManagerOperation::kMove);
  form.SelectSource(200);
  form.SelectDestination(201);
  form.Apply();
  window.DialogClosed(CommandId::kMemoryChannels, DialogResult::kDismissed);
  EXPECT_EQ(ws.table.At(kDummyBank, 2, kFieldTag) + "|" + ws.table.At(kDummyBank, 1, kFieldTag), "ONE|");
  EXPECT_FALSE(ws.unsaved_changes);
}

TEST_F(MemoryManagerTest, SelectionsAndSlotsOutsideTheListChangeNothingOutside) {
  MemoryManagerForm& form = Open(CommandId::kMemoryChannels);
  for (const int bad : {-99999, 20, 99999}) {
    form.SelectSource(0);
    form.SelectDestination(bad);
    EXPECT_EQ(form.destination(), bad < 0 ? 0 : 19) << bad;
  }
  form.SetOperation(ManagerOperation::kMove);
  form.Apply();
  EXPECT_EQ(ws.table.At(0, 20, kFieldTag) + "|" + ws.table.At(0, 21, kFieldTag), "ONE|");
  EXPECT_FALSE(OperateChannel(ws.table, {0, 0}, {0, 1}, ManagerOperation::kCopy));
  EXPECT_FALSE(OperateChannel(ws.table, {0, 1}, {11, 1}, ManagerOperation::kSwap));
  EXPECT_FALSE(OperateChannel(ws.table, {-1, 1}, {0, 21}, ManagerOperation::kMove));
  EXPECT_FALSE(OperateBank(ws, 0, 11, ManagerOperation::kSwap, true));
  EXPECT_FALSE(OperateBank(ws, -3, 1, ManagerOperation::kMove, true));
  EXPECT_TRUE(OperateBank(ws, kDummyBank, 0, ManagerOperation::kCopy, false));
  EXPECT_EQ(ws.table.At(0, 1, kFieldFrequency), "");
}

TEST_F(MemoryManagerTest, BankModeMoveWithBankTagThenUndo) {
  ws.bank_names[0] = "Airband";
  ws.settings.copytags = 1;
  MemoryManagerForm& form = Open(CommandId::kMemoryBanks);
  EXPECT_EQ(window.manager_mode(), "Memory Manager1");
  ASSERT_EQ(form.entries().size(), 11u);
  EXPECT_EQ(form.entries()[0] + "|" + form.entries()[2] + "|" + form.entries()[10],
            "1: Airband |3: Bank: 3  -  EMPTY|Dummy: Dummy  -  EMPTY");
  EXPECT_TRUE(form.include_bank_tag);  // from `copytags`
  form.SetOperation(ManagerOperation::kMove);
  form.SelectSource(0);
  form.SelectDestination(4);
  form.Apply();
  EXPECT_EQ(ws.bank_names[4] + "|" + ws.bank_names[0], "Airband|");
  EXPECT_EQ(Fields(4, 2), "146.0000|TWO|0|0|5|0|0");
  EXPECT_EQ(Fields(0, 1), "||||||");  // every field moved out, the ATT too
  EXPECT_EQ(ws.table.At(0, 1, kFieldSpare), "s1");
  EXPECT_EQ(form.entries()[4], "5: Airband ");
  window.DialogClosed(CommandId::kMemoryBanks, DialogResult::kDismissed);
  EXPECT_EQ(window.manager_mode(), "Memory Manager");
  EXPECT_TRUE(ws.unsaved_changes);
  EXPECT_EQ(window.tab_caption(4), "5: Airband");
  EXPECT_EQ(ws.grid.Cell(1, 2), "");
  window.Run(CommandId::kUndo);
  EXPECT_EQ(Fields(0, 1), "145.5000|ONE|0|0|5|0|1");  // the bank current when it ran
  EXPECT_EQ(ws.grid.Cell(1, 2) + "|" + ws.table.At(4, 1, kFieldTag) + "|" + ws.bank_names[0], "ONE|ONE|");
}

TEST_F(MemoryManagerTest, BankCopyAndSwapWithAndWithoutTagsOrOnlyTheTagSetting) {
  const struct {
    ManagerOperation op;
    bool tags, frequencies;
    std::string names, tags_after, atts;  // banks 1 and 2: names, tags of the first channels
  } cases[] = {
      {ManagerOperation::kCopy, false, true, "A B", "ONE ONE", "11"},
      {ManagerOperation::kCopy, true, true, "A A", "ONE ONE", "11"},
      {ManagerOperation::kSwap, false, true, "A B", "B2 ONE", "01"},
      {ManagerOperation::kSwap, true, true, "B A", "B2 ONE", "01"},
      {ManagerOperation::kCopy, true, false, "A B", "ONE B2", "10"},
  };
  for (const auto& c : cases) {
    Reset();
    ws.table.At(1, 2, kFieldTag).clear();
    ws.bank_names[0] = "A";
    ws.bank_names[1] = "B";
    MemoryManagerForm& form = Open(CommandId::kMemoryBanks);
    form.include_bank_tag = c.tags;
    form.frequencies = c.frequencies;
    form.SetOperation(c.op);
    form.SelectDestination(1);
    window.DialogClosed(CommandId::kMemoryBanks, DialogResult::kConfirmed);
    EXPECT_EQ(ws.bank_names[0] + " " + ws.bank_names[1], c.names);
    EXPECT_EQ(ws.table.At(0, 1, kFieldTag) + " " + ws.table.At(1, 1, kFieldTag), c.tags_after);
    EXPECT_EQ(ws.table.At(1, 2, kFieldTag), c.frequencies ? "TWO" : "");  // the whole bank
    EXPECT_EQ(ws.table.At(0, 1, kFieldAtt) + ws.table.At(1, 1, kFieldAtt), c.atts);
    EXPECT_EQ(ws.settings.copytags, c.tags ? 1 : 0);
  }
}

}  // namespace
}  // namespace talvirex::testing
