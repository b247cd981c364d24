// SPDX-License-Identifier: GPL-3.0-or-later
// Undo and Redo across every bank, driven as the desktop window drives the main window's logic.

#include "editor/history.h"

#include <gtest/gtest.h>

#include <random>

#include "editor/grid_bridge.h"
#include "editor/main_window.h"
#include "files/channel_file.h"
#include "model/frequency.h"
#include "model/shown_text.h"
#include "support/fake_ports.h"
#include "support/temp_dir.h"
#include "text/text.h"
#include "workspace.h"

namespace talvirex::testing {
namespace {

class HistoryTest : public ::testing::Test {
 protected:
  HistoryTest() {
    ws.settings.expert = 1;  // no "Are you sure?"
    window.Startup();
  }

  // The channel file Save would write now, byte for byte; `as_shown`: once every bank has been
  // shown and committed, which gives the texts the form a redraw gives them (as a redo writes the
  // shown bank's texts).
  std::string Saved(bool as_shown = false) const {
    Document copy = ws;
    for (int row = 1; row <= kChannelsPerBank; ++row) StoreGridRow(ws, row, copy.table);
    for (int bank = 0; as_shown && bank <= kDummyBank; ++bank)
      SettleBank(copy.table, bank, 0, false);
    NormalizeForSave(copy.table);
    return ChannelFileBytes(copy);
  }
  // Types `text` into a cell and ends the edit with Enter, as a user does.
  void Type(int row, int column, const std::string& text) {
    window.SetSelection({row, column}, {row, column});
    for (const char c : text) window.editor().TypeChar(static_cast<unsigned char>(c));
    window.editor().TypeChar(kKeyEnter);
  }
  void EasyFill(int first, int last) {
    window.Run(CommandId::kEasyFill);
    EasyFillForm& form = window.dialogs().easy_fill;
    form.first_channel = IntText(first);
    form.last_channel = IntText(last);
    form.start = "145";
    form.boxes[EasyFillForm::kFrequency] = true;
    window.DialogClosed(CommandId::kEasyFill, DialogResult::kConfirmed);
  }
  // One of the user's actions, chosen by `pick`.
  void Act(std::mt19937& pick) {
    const int row = 1 + static_cast<int>(pick() % 20);
    switch (pick() % 9) {
      case 0: Type(row, 1, IntText(140 + row) + ".5"); break;
      case 1: Type(row, 2, "T" + IntText(static_cast<int>(pick() % 100))); break;
      case 2:
        window.SetSelection({row, 4}, {row, 4});
        window.editor().PressKey(kKeySpace);
        break;
      case 3:
        window.SetSelection({row, 1}, {std::min(row + 2, 20), 1});
        window.Run(CommandId::kRemoveSelectedLines);
        break;
      case 4: window.Run(CommandId::kInsertEmptyLine); break;
      case 5: window.Run(CommandId::kSortDescending); break;
      case 6: window.ShowBank(static_cast<int>(pick() % 11)); break;
      case 7: EasyFill(row, row + 30); break;
      default:
        window.SetSelection({row, 1}, {row, 7});
        window.editor().PressKey(kKeyDelete);
        break;
    }
  }

  TempDir folder;
  Workspace ws;
  ScriptedUi ui;
  FakeClipboard clipboard;
  FakeClock clock;
  MainWindowLogic window{ws, ui, clipboard, clock, {folder.path(), folder.path()}};
};

// Random runs of the user's actions: undoing all gives the start byte for byte, and undoing k
// then redoing k gives back what was there.
TEST_F(HistoryTest, UndoingEveryStepGivesTheStartAndRedoGivesTheEnd) {
  for (const unsigned seed : {1u, 2u, 3u, 4u}) {
    SCOPED_TRACE(seed);
    std::mt19937 pick(seed);
    const std::string start = Saved();
    const std::size_t first = ws.history.position();
    for (int i = 0; i < 40; ++i) Act(pick);
    const std::string end = Saved(true);
    const std::size_t steps = ws.history.position() - first;
    for (std::size_t k = 0; k < steps; ++k) window.Run(CommandId::kUndo);
    EXPECT_EQ(Saved(), start);
    for (std::size_t k = 0; k < steps; ++k) window.Run(CommandId::kRedo);
    EXPECT_FALSE(window.IsEnabled(CommandId::kRedo));
    EXPECT_EQ(Saved(true), end);
  }
}

TEST(History, KeepsItsNewestStepsWithinItsBound) {
  Workspace ws;
  ws.table.At(0, 1, kFieldFrequency) = "145.5";
  for (std::size_t i = 0; i < History::kMaxSteps + 5; ++i) {
    ws.table.At(0, 1, kFieldTag) = IntText(static_cast<long long>(i));
    ASSERT_TRUE(ws.history.Record(ws.table, ws, "Tag"));
  }
  EXPECT_EQ(ws.history.steps(), History::kMaxSteps);
  while (ws.history.Undo(ws)) {
  }
  EXPECT_EQ(ws.table.At(0, 1, kFieldTag), "4");
  EXPECT_LT(ws.history.Bytes(), History::kMaxBytes);
}

}  // namespace
}  // namespace talvirex::testing
