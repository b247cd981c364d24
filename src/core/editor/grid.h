// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window's grid as data: 21 rows x 8 columns of shown texts. Row 0 is the header row,
// rows 1..20 the channels of the current bank; column 0 shows the channel number, columns 1..7
// show fields 1..7. The current cell and the selection corner span the selected rectangle.

#include <algorithm>
#include <array>
#include <stdexcept>
#include <string>

namespace talvirex {

inline constexpr int kGridRows = 21;
inline constexpr int kGridColumns = 8;

struct CellPos {
  int row = 1;
  int column = 1;
  friend bool operator==(const CellPos&, const CellPos&) = default;
};

class Grid {
 public:
  /// The shown text of cell (row 0..20, column 0..7); outside the grid throws std::out_of_range.
  std::string& Cell(int row, int column) { return cells_.at(Index(row, column)); }
  const std::string& Cell(int row, int column) const { return cells_.at(Index(row, column)); }

  CellPos current;        // the current cell
  CellPos selection_end;  // the selection's other corner; equals `current` for a single cell

  /// Selected rectangle, rows and columns ascending, whichever way the selection was made.
  int TopRow() const { return std::min(current.row, selection_end.row); }
  int BottomRow() const { return std::max(current.row, selection_end.row); }
  int LeftColumn() const { return std::min(current.column, selection_end.column); }
  int RightColumn() const { return std::max(current.column, selection_end.column); }

  /// Moves the current cell and collapses the selection onto it.
  void SetCurrent(int row, int column) {
    current = {row, column};
    selection_end = current;
  }

 private:
  static std::size_t Index(int row, int column) {
    if (row < 0 || row >= kGridRows || column < 0 || column >= kGridColumns) {
      throw std::out_of_range("grid cell outside the grid");
    }
    return static_cast<std::size_t>(row) * kGridColumns + static_cast<std::size_t>(column);
  }
  std::array<std::string, kGridRows * kGridColumns> cells_{};
};

}  // namespace talvirex
