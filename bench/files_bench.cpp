// SPDX-License-Identifier: GPL-3.0-or-later
// Channel file write and read of a full table, and the clean-up before a save.

#include <benchmark/benchmark.h>

#include "files/channel_file.h"
#include "model/frequency.h"
#include "ports/ui.h"
#include "workspace.h"

namespace talvirex {
namespace {

Workspace FullTable() {
  Workspace ws;
  for (int bank = 0; bank <= 10; ++bank) {
    for (int row = 1; row <= 20; ++row) {
      ws.table.At(bank, row, kFieldFrequency) = std::to_string(406 + bank * 20 + row) + ".0125";
      ws.table.At(bank, row, kFieldTag) = "Tag " + std::to_string(bank * 20 + row);
      for (int f = 3; f <= 7; ++f) ws.table.At(bank, row, f) = std::to_string((row + f) % 2);
    }
  }
  return ws;
}

void BM_WriteChannelFile(benchmark::State& state) {
  const Workspace ws = FullTable();
  for (auto _ : state) benchmark::DoNotOptimize(ChannelFileBytes(ws));
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(ChannelFileBytes(ws).size()));
}
BENCHMARK(BM_WriteChannelFile);

void BM_ReadChannelFile(benchmark::State& state) {
  const std::string bytes = ChannelFileBytes(FullTable());
  SilentUi ui;
  Workspace ws;
  for (auto _ : state) benchmark::DoNotOptimize(ReadChannelFile(bytes, ws, ui));
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bytes.size()));
}
BENCHMARK(BM_ReadChannelFile);

void BM_NormalizeForSave(benchmark::State& state) {
  const Workspace original = FullTable();
  Workspace ws = original;
  for (auto _ : state) {
    state.PauseTiming();
    ws.table = original.table;
    state.ResumeTiming();
    NormalizeForSave(ws.table);
  }
}
BENCHMARK(BM_NormalizeForSave);

}  // namespace
}  // namespace talvirex
