#include "editor/memory_manager_form.h"

#include <gtest/gtest.h>

#include "editor/main_window.h"
#include "support/fake_ports.h"
#include "support/temp_dir.h"
#include "workspace.h"

namespace talvirex::testing {
namespace {

void PutChannel(Workspace& ws, int bank, int row, const std::string& frequency,
                const std::string& tag, const std::string& att = "0") {
  ws.table.At(bank, row, kFieldFrequency) = frequency;
  ws.table.At(bank, row, kFieldTag) = tag;
  for (int field = kFieldDelay; field < kFieldAtt; ++field) ws.table.At(bank, row, field) = "0";
  ws.table.At(bank, row, kFieldSubtone) = "5";
  ws.table.At(bank, row, kFieldAtt) = att;
}

// Fields 1..7 of a row joined by "|".
std::string Fields(const Workspace& ws, int bank, int row) {
  std::string fields = ws.table.At(bank, row, 1);
  for (int f = 2; f <= 7; ++f) fields += "|" + ws.table.At(bank, row, f);
  return fields;
}

// The main window's two commands around the form, as the desktop window drives them.
class MemoryManagerTest : public ::testing::Test {
 protected:
  MemoryManagerTest() {
    window.Startup();
    Reset();
  }
  void Reset() {
    PutChannel(ws, 0, 1, "145.5000", "ONE", "1");
    PutChannel(ws, 0, 2, "146.0000", "TWO");
    PutChannel(ws, 1, 1, "440.0000", "B2");
    ws.table.At(0, 1, kFieldSpare) = "s1";
    window.Redraw();
    ws.unsaved_changes = false;
  }
  MemoryManagerForm& Open(CommandId command) {
    EXPECT_EQ(window.Run(command), CommandOutcome::kForWindow);
    return window.dialogs().memory_manager;
  }
  void Close(CommandId command, DialogResult result = DialogResult::kConfirmed) {
    window.DialogClosed(command, result);
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
  EXPECT_EQ(form.entries().front(), "41 : Empty");
  EXPECT_EQ(form.entries().back(), "60 : Empty");
  EXPECT_FALSE(form.apply_enabled());

  form.SetScope(ManagerScope::kAllBanks);
  ASSERT_EQ(form.entries().size(), 220u);
  EXPECT_EQ(form.entries()[0], "Bank 1 - 1 : 145.5000 - ONE");
  EXPECT_EQ(form.entries()[20], "Bank 2 - 21 : 440.0000 - B2");
  EXPECT_EQ(form.entries()[219], "Dummy - 220 : Empty");
  EXPECT_TRUE(form.apply_enabled());  // the scope's own selection of entry 0
}

TEST_F(MemoryManagerTest, ChannelCopyMoveSwapInTheCurrentBank) {
  const std::string one = "145.5000|ONE|0|0|5|0|1";
  const struct {
    ManagerOperation op;
    std::string row1, entry0;
  } cases[] = {
      {ManagerOperation::kCopy, one, "1 : 145.5000 - ONE"},
      {ManagerOperation::kMove, "||||||", "1 : Empty"},
      {ManagerOperation::kSwap, "440.5000|FIVE|0|0|5|0|0", "1 : 440.5000 - FIVE"},
  };
  for (const auto& c : cases) {
    Reset();
    PutChannel(ws, 0, 5, "440.5000", "FIVE");
    window.Redraw();
    MemoryManagerForm& form = Open(CommandId::kMemoryChannels);
    form.SetOperation(c.op);
    form.SelectSource(0);
    form.SelectDestination(4);
    form.Apply();
    EXPECT_EQ(Fields(ws, 0, 1), c.row1);
    EXPECT_EQ(Fields(ws, 0, 5), one);
    EXPECT_EQ(ws.table.At(0, 1, kFieldSpare), "s1");  // field 0 never moves
    EXPECT_EQ(form.entries()[0], c.entry0);
    EXPECT_EQ(form.entries()[4], "5 : 145.5000 - ONE");
    EXPECT_EQ(form.destination(), 4);
    EXPECT_FALSE(form.apply_enabled());
    Close(CommandId::kMemoryChannels);
    EXPECT_EQ(ws.grid.Cell(5, 2), "ONE");  // redrawn after the dialog
  }
}

TEST_F(MemoryManagerTest, ChannelSwapAcrossBanksIsUndoneInBothBanks) {
  MemoryManagerForm& form = Open(CommandId::kMemoryChannels);
  form.SetScope(ManagerScope::kAllBanks);
  form.SetOperation(ManagerOperation::kSwap);
  form.SelectSource(0);               // channel 1
  form.SelectDestination(20);         // channel 21
  Close(CommandId::kMemoryChannels);  // Ok applies the pending change
  EXPECT_EQ(Fields(ws, 0, 1), "440.0000|B2|0|0|5|0|0");
  EXPECT_EQ(Fields(ws, 1, 1), "145.5000|ONE|0|0|5|0|1");
  EXPECT_EQ(ws.table.At(1, 21, kFieldTag), "B2");  // the spare row keeps the former destination
  EXPECT_TRUE(ws.unsaved_changes);
  window.Run(CommandId::kUndo);
  EXPECT_EQ(ws.table.At(0, 1, kFieldTag), "ONE");
  EXPECT_EQ(ws.table.At(1, 1, kFieldTag), "B2");
}

TEST_F(MemoryManagerTest, NoChangeOrADummyOnlyChangeIsNotUnsaved) {
  MemoryManagerForm& form = Open(CommandId::kMemoryChannels);
  form.SelectSource(3);
  form.SelectDestination(3);
  form.Apply();
  EXPECT_TRUE(form.apply_enabled());  // Apply on the same entry keeps its state
  Close(CommandId::kMemoryChannels, DialogResult::kDismissed);
  Open(CommandId::kMemoryChannels);
  Close(CommandId::kMemoryChannels);  // Ok with nothing chosen
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
  Close(CommandId::kMemoryChannels, DialogResult::kDismissed);
  EXPECT_EQ(ws.table.At(kDummyBank, 2, kFieldTag), "ONE");
  EXPECT_EQ(ws.table.At(kDummyBank, 1, kFieldTag), "");
  EXPECT_FALSE(ws.unsaved_changes);
}

TEST_F(MemoryManagerTest, SelectionsAndSlotsOutsideTheListChangeNothingOutside) {
  MemoryManagerForm& form = Open(CommandId::kMemoryChannels);
  for (const int bad : {-99999, 20, 99999}) {
    form.SelectSource(0);
    form.SelectDestination(bad);
    EXPECT_GE(form.destination(), 0);
    EXPECT_LE(form.destination(), 19);
  }
  form.SetOperation(ManagerOperation::kMove);
  form.Apply();
  EXPECT_EQ(ws.table.At(0, 20, kFieldTag), "ONE");
  EXPECT_EQ(ws.table.At(0, 21, kFieldTag), "");
  EXPECT_FALSE(OperateChannel(ws.table, {0, 0}, {0, 1}, ManagerOperation::kCopy));
  EXPECT_FALSE(OperateChannel(ws.table, {0, 1}, {11, 1}, ManagerOperation::kSwap));
  EXPECT_FALSE(OperateChannel(ws.table, {-1, 1}, {0, 21}, ManagerOperation::kMove));
  EXPECT_FALSE(OperateBank(ws, 0, 11, ManagerOperation::kSwap, true));
  EXPECT_FALSE(OperateBank(ws, -3, 1, ManagerOperation::kMove, true));
  EXPECT_EQ(ws.table.At(0, 1, kFieldFrequency), "");
}

TEST_F(MemoryManagerTest, BankModeMoveWithBankTagThenUndo) {
  ws.bank_names[0] = "Airband";
  ws.settings.copy_tags = true;
  MemoryManagerForm& form = Open(CommandId::kMemoryBanks);
  EXPECT_EQ(window.manager_mode(), "Memory Manager1");
  ASSERT_EQ(form.entries().size(), 11u);
  EXPECT_EQ(form.entries()[0], "1: Airband ");
  EXPECT_EQ(form.entries()[2], "3: Bank: 3  -  EMPTY");
  EXPECT_EQ(form.entries()[10], "Dummy: Dummy  -  EMPTY");
  EXPECT_TRUE(form.include_bank_tag);  // from `copy_tags`
  form.SetOperation(ManagerOperation::kMove);
  form.SelectSource(0);
  form.SelectDestination(4);
  form.Apply();
  EXPECT_EQ(ws.bank_names[4], "Airband");
  EXPECT_EQ(ws.bank_names[0], "");
  EXPECT_EQ(Fields(ws, 4, 2), "146.0000|TWO|0|0|5|0|0");
  EXPECT_EQ(Fields(ws, 0, 1), "||||||");  // every field moved out, the ATT too
  EXPECT_EQ(ws.table.At(0, 1, kFieldSpare), "s1");
  EXPECT_EQ(form.entries()[4], "5: Airband ");
  Close(CommandId::kMemoryBanks, DialogResult::kDismissed);
  EXPECT_EQ(window.manager_mode(), "Memory Manager");
  EXPECT_TRUE(ws.unsaved_changes);
  EXPECT_EQ(window.tab_caption(4), "5: Airband");
  EXPECT_EQ(ws.grid.Cell(1, 2), "");

  window.Run(CommandId::kUndo);  // the whole move: both banks and the names
  EXPECT_EQ(Fields(ws, 0, 1), "145.5000|ONE|0|0|5|0|1");
  EXPECT_EQ(ws.grid.Cell(1, 2), "ONE");
  EXPECT_EQ(ws.table.At(4, 1, kFieldTag), "");
  EXPECT_EQ(ws.bank_names[0], "Airband");
  EXPECT_EQ(window.tab_caption(4), "5: Bank: 5");
}

TEST_F(MemoryManagerTest, BankCopyAndSwapWithAndWithoutTags) {
  struct Case {
    ManagerOperation op;
    bool tags;
    std::string names, tags_after;  // names of banks 1 and 2, tags of their first channels
  };
  for (const Case& c : {Case{ManagerOperation::kCopy, false, "A B", "ONE ONE"},
                        Case{ManagerOperation::kCopy, true, "A A", "ONE ONE"},
                        Case{ManagerOperation::kSwap, false, "A B", "B2 ONE"},
                        Case{ManagerOperation::kSwap, true, "B A", "B2 ONE"}}) {
    Reset();
    for (int f = 1; f <= 7; ++f) ws.table.At(1, 2, f).clear();
    ws.bank_names[0] = "A";
    ws.bank_names[1] = "B";
    MemoryManagerForm& form = Open(CommandId::kMemoryBanks);
    form.include_bank_tag = c.tags;
    form.SetOperation(c.op);
    form.SelectDestination(1);
    Close(CommandId::kMemoryBanks);
    EXPECT_EQ(ws.bank_names[0] + " " + ws.bank_names[1], c.names);
    EXPECT_EQ(ws.table.At(0, 1, kFieldTag) + " " + ws.table.At(1, 1, kFieldTag), c.tags_after);
    EXPECT_EQ(ws.table.At(1, 2, kFieldTag), "TWO");  // the whole bank, not one row
    EXPECT_EQ(ws.table.At(0, 1, kFieldAtt) + ws.table.At(1, 1, kFieldAtt),
              c.op == ManagerOperation::kSwap ? "01" : "11");  // the last field goes along
    EXPECT_EQ(ws.settings.copy_tags, c.tags);
  }
}

TEST_F(MemoryManagerTest, BankModeWithoutFrequenciesOnlyStoresCopyTags) {
  ws.settings.copy_tags = false;
  MemoryManagerForm& form = Open(CommandId::kMemoryBanks);
  EXPECT_TRUE(form.frequencies);
  form.frequencies = false;
  form.include_bank_tag = true;
  form.SelectDestination(1);
  form.Apply();
  EXPECT_TRUE(ws.settings.copy_tags);
  EXPECT_EQ(ws.table.At(1, 1, kFieldTag), "B2");
  EXPECT_FALSE(form.apply_enabled());
}

}  // namespace
}  // namespace talvirex::testing
