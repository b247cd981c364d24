// SPDX-License-Identifier: GPL-3.0-or-later
// The clone codec's two whole-image passes: encoding before a send and decoding after a read.

#include <benchmark/benchmark.h>

#include "image/decoders.h"
#include "image/encoders.h"
#include "model/channel_table.h"
#include "ports/ui.h"
#include "workspace.h"

namespace talvirex {
namespace {

// Every channel in use, with a tag, flags and a subtone, as after a save.
void FillBanks(Workspace& ws) {
  for (int n = 1; n <= kChannelCount; ++n) {
    const int bank = BankOf(n), row = RowOf(n);
    ws.table.At(bank, row, kFieldFrequency) = n % 2 ? "145.5050" : "460.0125";
    ws.table.At(bank, row, kFieldTag) = "Channel " + std::to_string(n % 100);
    ws.table.At(bank, row, kFieldDelay) = "1";
    ws.table.At(bank, row, kFieldLockOut) = "0";
    ws.table.At(bank, row, kFieldSubtone) = std::to_string(n % 143);
    ws.table.At(bank, row, kFieldBeepAlert) = "0";
    ws.table.At(bank, row, kFieldAtt) = "1";
  }
}

void BM_CreateSenddata(benchmark::State& state) {
  Workspace ws;
  FillBanks(ws);
  for (auto _ : state) {
    create_senddata(ws);
    benchmark::DoNotOptimize(ws.clone_image.lines[253].data());
  }
}
BENCHMARK(BM_CreateSenddata)->Unit(benchmark::kMicrosecond);

void BM_FilterImage(benchmark::State& state) {
  Workspace ws;
  FillBanks(ws);
  create_senddata(ws);
  SilentUi ui;
  for (auto _ : state) {
    filter_image(ws, ui);
    benchmark::DoNotOptimize(ws.table.At(9, 20, kFieldTag).data());
  }
}
BENCHMARK(BM_FilterImage)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace talvirex
