// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window's own files in the program folder: "window.dat" (the window's placement) and
// "tabw200.ini" (the widths of grid columns 1..7). Each is read and written whole; their failures
// are silent.

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace talvirex {

enum class WindowState { kNormal = 0, kMinimised = 1, kMaximised = 2 };

/// The window's place on the screen in twips, and its state.
struct WindowPlacement {
  int left = 100;
  int top = 100;
  int width = 12000;
  int height = 9000;
  WindowState state = WindowState::kNormal;
  friend bool operator==(const WindowPlacement&, const WindowPlacement&) = default;
};

/// The placement a "window.dat" text restores: the window becomes normal, a negative left or top
/// becomes 100, a negative width or height 1000; a fifth number of 2 maximises it (a minimised
/// state is never restored). Numbers that are missing or unreadable read as 0.
WindowPlacement PlacementFromWindowDat(std::string_view text);
/// The five lines of "window.dat": left, top, width, height, state (0 normal, 1 min, 2 max).
std::string WindowDatText(const WindowPlacement& placement);

inline constexpr int kNarrowestColumn = 10;  // twips
inline constexpr int kWidestColumn = 9000;   // twips

/// Applies "tabw200.ini" to the widths of columns 1..7: each number present is held within
/// 10..9000 twips; widths without a line keep their value.
void ApplyTabWidths(std::string_view text, std::array<int, 7>& widths);
/// The seven lines of "tabw200.ini".
std::string TabWidthsText(const std::array<int, 7>& widths);

}  // namespace talvirex
