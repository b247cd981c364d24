// SPDX-License-Identifier: GPL-3.0-or-later
// Exchange formats: harvesting throughput, CSV export of all banks, a ten-page print layout.
// (The PDF itself: `talvirex print IN.s2c --all --pdf OUT.pdf`, ten pages, takes 40..130 ms end
// to end on a shared two-core machine, starting the process and Qt included.)

#include <benchmark/benchmark.h>

#include <random>
#include <sstream>

#include "files/csv_export.h"
#include "files/harvester.h"
#include "files/print_form.h"
#include "ports/print_sink.h"
#include "ports/ui.h"
#include "workspace.h"

namespace talvirex {
namespace {

// Prose-like text with a frequency about every 100 KB: what a large saved page or log looks like.
std::string FewFrequencies(std::size_t size) {
  std::string text;
  text.reserve(size + 128);
  std::mt19937 random(3);
  const std::string words[] = {"the",    "scanner", "<td>", "</td>", "bank;",  "end.", "3.5mm",
                               "&nbsp;", "channel", "\r\n", "a-b",   "v1.2.3", "Mr.",  "e.g."};
  std::size_t next_frequency = 0;
  while (text.size() < size) {
    if (text.size() >= next_frequency) {
      text +=
          " " + std::to_string(100 + random() % 800) + "." + std::to_string(random() % 10000) + " ";
      next_frequency += 100000;
    }
    text += words[random() % std::size(words)];
    text += ' ';
  }
  return text;
}

void BM_HarvestFewFrequencies(benchmark::State& state) {
  const std::string text = FewFrequencies(static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) {
    FoundList found;
    std::istringstream in(text);
    Harvester(found).ScanStream(in, [](std::size_t) {});
    benchmark::DoNotOptimize(found.size());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(text.size()));
}
BENCHMARK(BM_HarvestFewFrequencies)->Arg(64 << 20)->Unit(benchmark::kMillisecond);

// A thousand distinct frequencies: the found list's membership test stays constant-time.
void BM_HarvestFullList(benchmark::State& state) {
  std::string text;
  for (int i = 0; i < 1000; ++i) text += std::to_string(100 + i) + ".5,";
  const std::string chunk = text;
  for (int i = 0; i < 200; ++i) text += chunk;
  for (auto _ : state) {
    FoundList found;
    Harvester(found).ScanText(text);
    benchmark::DoNotOptimize(found.size());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(text.size()));
}
BENCHMARK(BM_HarvestFullList)->Unit(benchmark::kMillisecond);

Workspace FullTable() {
  Workspace ws;
  for (int bank = 0; bank < kScannerBanks; ++bank) {
    for (int row = 1; row <= kChannelsPerBank; ++row) {
      ws.table.At(bank, row, kFieldFrequency) = std::to_string(150 + bank) + ".5125";
      ws.table.At(bank, row, kFieldTag) = "Tag " + std::to_string(row);
      for (int field : {kFieldDelay, kFieldLockOut, kFieldBeepAlert, kFieldAtt}) {
        ws.table.At(bank, row, field) = row % 2 ? "1" : "0";
      }
      ws.table.At(bank, row, kFieldSubtone) = std::to_string(row * 7);
    }
  }
  return ws;
}

void BM_CsvExportAllBanks(benchmark::State& state) {
  const Workspace ws = FullTable();
  SilentUi ui;
  ExportCsvForm form;
  form.SelectOption(ExportCsvForm::kAllBanks);
  for (auto _ : state) {
    std::ostringstream out;
    WriteCsv(ws.table, form.BanksToExport(ws.current_bank), out, ui);
    benchmark::DoNotOptimize(out.str().size());
  }
}
BENCHMARK(BM_CsvExportAllBanks)->Unit(benchmark::kMicrosecond);

// Counts what a printer would be given.
class CountingPrintSink final : public PrintSink {
 public:
  int PageWidth() const override { return 11906; }
  int PageHeight() const override { return 16838; }
  void SetOrigin(int, int) override {}
  void SetFont(std::string_view, double) override {}
  void TextAt(int column, std::string_view text) override { characters += column + text.size(); }
  void NewLine() override { ++lines; }
  void MoveDown(int) override {}
  void MoveTo(int) override {}
  void Line(int, int) override {}
  void NewPage() override {}
  void EndJob() override {}
  std::optional<PrintFailure> TakeFailure() override { return std::nullopt; }
  std::size_t characters = 0, lines = 0;
};

void BM_PrintTenPages(benchmark::State& state) {
  const Workspace ws = FullTable();
  SilentUi ui;
  PrintForm form;
  form.SelectOption(PrintForm::kAllBanks);
  for (auto _ : state) {
    CountingPrintSink sink;
    form.Print(ws, ws.current_bank, PrintContext{"06/12/2026"}, sink, ui);
    benchmark::DoNotOptimize(sink.characters);
  }
}
BENCHMARK(BM_PrintTenPages)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace talvirex
