// SPDX-License-Identifier: GPL-3.0-or-later
// The virtual scanner's own cost: a whole exchange through the state machine, and a whole exchange
// over a real pseudo-terminal (what an end-to-end test pays for the scanner side).

#include <benchmark/benchmark.h>

#include <future>

#include "../tests/support/raw_client.h"
#include "scanner/clone_lines.h"
#include "scanner/pty_runner.h"
#include "scanner/scanner_session.h"

namespace talvirex::scanner {
namespace {

void BM_SlaveSessionWholeImage(benchmark::State& state) {
  const auto lines = DefaultImageLines();
  std::vector<std::string> messages = {"MDL\r"};
  for (const auto& line : lines) messages.push_back(line + '\r');
  messages.push_back("END\r");
  for (auto _ : state) {
    ScannerSession session(Role::kSlave, {}, {});
    session.Start(0);
    for (const auto& message : messages) benchmark::DoNotOptimize(session.OnBytes(message, 0));
    if (session.outcome() != Outcome::kComplete) state.SkipWithError("exchange incomplete");
  }
  state.SetItemsProcessed(state.iterations() * kLineCount);
}
BENCHMARK(BM_SlaveSessionWholeImage);

void BM_MasterSessionWholeImage(benchmark::State& state) {
  const auto lines = DefaultImageLines();
  for (auto _ : state) {
    ScannerSession session(Role::kMaster, {}, lines);
    session.Start(0);
    benchmark::DoNotOptimize(session.OnBytes("SC200SPOR\r", 0));
    for (int i = 0; i < kLineCount; ++i) benchmark::DoNotOptimize(session.OnBytes("OK\r", 0));
    if (session.outcome() != Outcome::kComplete) state.SkipWithError("exchange incomplete");
  }
  state.SetItemsProcessed(state.iterations() * kLineCount);
}
BENCHMARK(BM_MasterSessionWholeImage);

// A whole master exchange on a pseudo-terminal, the test's client answering every line.
void BM_MasterOverPseudoTerminal(benchmark::State& state) {
  const auto lines = DefaultImageLines();
  for (auto _ : state) {
    std::string error;
    auto device = PtyDevice::Create(error);
    if (!device) return state.SkipWithError(error.c_str());
    ScannerSession session(Role::kMaster, {}, lines);
    talvirex::testing::RawClient client(device->path());
    auto end = std::async(std::launch::async, [&] {
      RunOptions options;
      options.idle_timeout_ms = 2000;
      options.linger_ms = 0;
      return RunSession(session, *device, options);
    });
    while (auto message = client.Receive()) {
      if (*message == "END") break;
      client.Send(*message == "MDL" ? "SC200SPOR" : "OK");
    }
    if (end.get() != RunEnd::kFinished) state.SkipWithError("exchange incomplete");
  }
  state.SetItemsProcessed(state.iterations() * kLineCount);
}
BENCHMARK(BM_MasterOverPseudoTerminal)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace talvirex::scanner
