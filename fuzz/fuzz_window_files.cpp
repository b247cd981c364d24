// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's files on any bytes: "window.dat" and "tabw200.ini". The placement read never
// comes back minimised or with a negative size, widths stay within their limits, and what is
// written reads back the same.

#include <cstdint>
#include <cstdlib>
#include <string>

#include "editor/window_files.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);

  const talvirex::WindowPlacement placement = talvirex::PlacementFromWindowDat(text);
  if (placement.state == talvirex::WindowState::kMinimised) std::abort();
  if (placement.left < 0 || placement.top < 0 || placement.width < 0 || placement.height < 0)
    std::abort();
  if (talvirex::PlacementFromWindowDat(talvirex::WindowDatText(placement)) != placement)
    std::abort();

  std::array<int, 7> widths{100, 200, 300, 400, 500, 600, 700};
  talvirex::ApplyTabWidths(text, widths);
  for (const int width : widths) {
    if (width < talvirex::kNarrowestColumn || width > talvirex::kWidestColumn) std::abort();
  }
  std::array<int, 7> again{};
  talvirex::ApplyTabWidths(talvirex::TabWidthsText(widths), again);
  if (again != widths) std::abort();
  return 0;
}
