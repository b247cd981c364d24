// SPDX-License-Identifier: GPL-3.0-or-later
// The transfer engine's own processing per clone line, without any port: a whole read (the
// scanner's 255 messages arriving in 16-byte pieces) and a whole send (253 lines, each answered
// "OK" after its pacing tick).

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "image/clone_image.h"
#include "link/kloon.h"

namespace talvirex {
namespace {

std::string LineFor(int index) {
  char text[64];
  std::snprintf(text, sizeof text, "CLN %04X ", (index - 1) * 16);
  std::string line = text;
  for (int i = 0; i < 16; ++i) {
    std::snprintf(text, sizeof text, "%02X", (index * 7 + i) & 0xFF);
    line += text;
  }
  int sum = 0;
  for (char c : line) sum += static_cast<unsigned char>(c);
  std::snprintf(text, sizeof text, "~%04X", sum);
  return line + text;
}

void BM_ReadPerLine(benchmark::State& state) {
  std::string stream = "MDL\r";
  for (int i = 1; i <= kCloneLineCount; ++i) stream += LineFor(i) + "\r";
  stream += "END\r";
  CloneImage image;
  std::size_t effects = 0;
  for (auto _ : state) {
    Kloon kloon(image, KloonMode::kRead, 50);
    kloon.StartRead(PortAddress{});
    kloon.OnPortOpened(PortOpenResult::kOpened);
    for (std::size_t at = 0; at < stream.size(); at += 16) {
      effects += kloon.OnBytes(std::string_view(stream).substr(at, 16)).size();
    }
  }
  benchmark::DoNotOptimize(effects);
  state.SetItemsProcessed(state.iterations() * kCloneLineCount);
}
BENCHMARK(BM_ReadPerLine);

void BM_SendPerLine(benchmark::State& state) {
  CloneImage image;
  for (int i = 1; i <= kCloneLineCount; ++i) image.lines[static_cast<std::size_t>(i)] = LineFor(i);
  std::size_t effects = 0;
  for (auto _ : state) {
    Kloon kloon(image, KloonMode::kSend, 50);
    kloon.StartSend(PortAddress{});
    kloon.OnPortOpened(PortOpenResult::kOpened);
    kloon.OnBytes("SC200SPOR\r");
    for (int i = 0; i < kCloneLineCount; ++i) {
      effects += kloon.OnPacingTimer().size();
      effects += kloon.OnBytes("OK\r").size();
    }
    effects += kloon.OnPacingTimer().size();
  }
  benchmark::DoNotOptimize(effects);
  state.SetItemsProcessed(state.iterations() * kCloneLineCount);
}
BENCHMARK(BM_SendPerLine);

}  // namespace
}  // namespace talvirex
