// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/window_files.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "model/numeric_value.h"
#include "text/text.h"

namespace talvirex {

namespace {

// The file's lines without their CR LF (or LF) ends; a last line without an end counts too.
std::vector<std::string_view> Lines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return lines;
}

int NumberOf(std::string_view line) {
  const double value = std::nearbyint(NumericValue(TrimBlanks(line)));
  constexpr double kLow = std::numeric_limits<int>::min();
  constexpr double kHigh = std::numeric_limits<int>::max();
  return static_cast<int>(std::clamp(value, kLow, kHigh));
}

}  // namespace

WindowPlacement PlacementFromWindowDat(std::string_view text) {
  const std::vector<std::string_view> lines = Lines(text);
  std::array<int, 5> numbers{};
  for (std::size_t i = 0; i < numbers.size() && i < lines.size(); ++i)
    numbers[i] = NumberOf(lines[i]);
  WindowPlacement placement;
  placement.left = numbers[0] < 0 ? 100 : numbers[0];
  placement.top = numbers[1] < 0 ? 100 : numbers[1];
  placement.width = numbers[2] < 0 ? 1000 : numbers[2];
  placement.height = numbers[3] < 0 ? 1000 : numbers[3];
  placement.state = numbers[4] == 2 ? WindowState::kMaximised : WindowState::kNormal;
  return placement;
}

std::string WindowDatText(const WindowPlacement& p) {
  return IntText(p.left) + "\r\n" + IntText(p.top) + "\r\n" + IntText(p.width) + "\r\n" +
         IntText(p.height) + "\r\n" + IntText(static_cast<int>(p.state)) + "\r\n";
}

void ApplyTabWidths(std::string_view text, std::array<int, 7>& widths) {
  const std::vector<std::string_view> lines = Lines(text);
  for (std::size_t i = 0; i < widths.size() && i < lines.size(); ++i) {
    widths[i] = std::clamp(NumberOf(lines[i]), kNarrowestColumn, kWidestColumn);
  }
}

std::string TabWidthsText(const std::array<int, 7>& widths) {
  std::string text;
  for (const int width : widths) text += IntText(width) + "\r\n";
  return text;
}

}  // namespace talvirex
