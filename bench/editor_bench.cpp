// SPDX-License-Identifier: GPL-3.0-or-later
// Speed of the grid bridge and of the editing commands on a full bank.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "editor/cell_editor.h"
#include "editor/duplicates.h"
#include "editor/grid_bridge.h"
#include "editor/history.h"
#include "editor/line_commands.h"
#include "editor/sort_commands.h"
#include "memory_clipboard.h"
#include "ports/ui.h"
#include "workspace.h"

namespace talvirex {
namespace {

void FillBank(Workspace& ws) {
  ws.settings.easy_tag_lists = true;
  for (int row = 1; row <= kChannelsPerBank; ++row) {
    ws.table.At(0, row, kFieldFrequency) = std::to_string(140 + row) + ".5";
    ws.table.At(0, row, kFieldTag) = "TAG " + std::to_string(row);
    for (const int field : {kFieldDelay, kFieldLockOut, kFieldBeepAlert, kFieldAtt}) {
      ws.table.At(0, row, field) = row % 2 ? "1" : "0";
    }
    ws.table.At(0, row, kFieldSubtone) = std::to_string(row * 7);
  }
}

void BM_RenderBank(benchmark::State& state) {
  Workspace ws;
  SilentUi ui;
  FillBank(ws);
  for (auto _ : state) {
    RenderBank(ws, ui);
    benchmark::DoNotOptimize(ws.grid.Cell(20, 7));
  }
}
BENCHMARK(BM_RenderBank);

void BM_CommitBank(benchmark::State& state) {
  Workspace ws;
  SilentUi ui;
  FillBank(ws);
  RenderBank(ws, ui);
  for (auto _ : state) {
    CommitBank(ws, ui);
    benchmark::DoNotOptimize(ws.table.At(0, 20, kFieldAtt));
  }
}
BENCHMARK(BM_CommitBank);

// Remove Selected Lines then Undo: snapshot, commit, move, redraw, and the restore.
void BM_RemoveLinesAndUndo(benchmark::State& state) {
  Workspace ws;
  SilentUi ui;
  MemoryClipboard clipboard;
  LineCommands lines(ws, ui, clipboard);
  FillBank(ws);
  RenderBank(ws, ui);
  ws.settings.expert = true;
  for (auto _ : state) {
    ws.grid.current = {3, 1};
    ws.grid.selection_end = {6, 7};
    lines.RemoveSelectedLines();
    lines.Undo();
  }
}
BENCHMARK(BM_RemoveLinesAndUndo);

void BM_CopyPasteWholeBank(benchmark::State& state) {
  Workspace ws;
  SilentUi ui;
  MemoryClipboard clipboard;
  LineCommands lines(ws, ui, clipboard);
  FillBank(ws);
  RenderBank(ws, ui);
  for (auto _ : state) {
    lines.SelectAll();
    lines.Copy();
    ws.grid.SetCurrent(1, 1);
    lines.Paste();
  }
}
BENCHMARK(BM_CopyPasteWholeBank);

void BM_TypeFrequencyAndEnter(benchmark::State& state) {
  Workspace ws;
  SilentUi ui;
  MemoryClipboard clipboard;
  LineCommands lines(ws, ui, clipboard);
  CellEditor editor(ws, ui, lines);
  for (auto _ : state) {
    ws.grid.SetCurrent(5, 1);
    for (const char c : std::string("145.1234")) editor.TypeChar(c);
    editor.TypeChar(kKeyEnter);
  }
}
BENCHMARK(BM_TypeFrequencyAndEnter);

// A whole bank in descending order sorted ascending and back: the worst order for the sort.
void BM_SortBank(benchmark::State& state) {
  Workspace ws;
  SilentUi ui;
  FillBank(ws);
  RenderBank(ws, ui);
  ws.grid.SetCurrent(1, 1);
  for (auto _ : state) {
    SortBank(ws, ui, SortOrder::kDescending);
    SortBank(ws, ui, SortOrder::kAscending);
    benchmark::DoNotOptimize(ws.table.At(0, 1, kFieldFrequency));
  }
}
BENCHMARK(BM_SortBank);

// Banks 1..10 full, every frequency twice: 100 pairs reported and written to "dupl.txt".
void BM_FindDuplicatesInAllBanks(benchmark::State& state) {
  Workspace ws;
  SilentUi ui;
  for (int number = 1; number <= kChannelCount; ++number) {
    ws.table.At(BankOf(number), RowOf(number), kFieldFrequency) =
        std::to_string(100 + (number - 1) % 100) + ".5000";
  }
  ws.current_bank = kDummyBank;
  const std::filesystem::path folder = std::filesystem::temp_directory_path();
  for (auto _ : state) {
    benchmark::DoNotOptimize(FindDuplicates(ws, ui, DuplicateSearch::kAllBanks, folder));
  }
  std::filesystem::remove(folder / kDuplicateReportFile);
}
BENCHMARK(BM_FindDuplicatesInAllBanks);

// A thousand steps of the kind a long afternoon brings: each changes one channel (an edit) or a
// whole bank (a line command). Reports what the history holds per step and the time of a step.
void BM_HistoryOfAThousandSteps(benchmark::State& state) {
  std::size_t bytes = 0;
  for (auto _ : state) {
    Workspace ws;
    for (int number = 1; number <= kChannelCount; ++number) {  // a change of a channel in use
      ws.table.At(BankOf(number), RowOf(number), kFieldFrequency) = "140.5";
    }
    ResetHistory(ws);
    for (int i = 0; i < 1000; ++i) {
      const int bank = i % kScannerBanks;
      if (i % 10 == 9) {
        for (int row = 1; row <= kChannelsPerBank; ++row) {
          ws.table.At(bank, row, kFieldTag) =
              "Step " + std::to_string(i) + "/" + std::to_string(row);
        }
      } else {
        ws.table.At(bank, 1 + i % kChannelsPerBank, kFieldFrequency) = std::to_string(145 + i % 10);
      }
      RecordStep(ws, "Edit");
    }
    bytes = ws.history.Bytes();
    benchmark::DoNotOptimize(bytes);
  }
  state.counters["bytes_per_step"] = static_cast<double>(bytes) / 1000.0;
  state.counters["steps_per_s"] = benchmark::Counter(
      1000.0 * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_HistoryOfAThousandSteps)->Unit(benchmark::kMillisecond);

// What the window asks of the history after every key: is anything unsaved (the title's mark), and
// is there an edit to undo (the Undo command), on a table whose 200 channels are all in use.
void BM_UnsavedMarkAndUndoAfterAKey(benchmark::State& state) {
  Workspace ws;
  SilentUi ui;
  for (int number = 1; number <= kChannelCount; ++number) {
    ws.table.At(BankOf(number), RowOf(number), kFieldFrequency) =
        std::to_string(140 + number % 30) + ".5";
    ws.table.At(BankOf(number), RowOf(number), kFieldTag) = "TAG " + std::to_string(number);
  }
  RenderBank(ws, ui);
  ResetHistory(ws);
  ws.grid.Cell(5, 2) = "typed";
  for (auto _ : state) {
    benchmark::DoNotOptimize(UnsavedChanges(ws));
    benchmark::DoNotOptimize(HasOpenEdit(ws));
  }
}
BENCHMARK(BM_UnsavedMarkAndUndoAfterAKey)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace talvirex
