// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The grid `memtabel` as a Qt table model over the core Grid: model row r and column c show grid
// cell (r + 1, c + 1); the grid's header row 0 and channel-number column 0 are the view's headers.
// Editing goes through the core's cell-editing rules, so the model itself is read-only; the window
// calls Refresh() after every core command that changed the grid. For screen readers a cell is
// named with its headers ("Channel 43, Freq. (MHz), 146.5200") and a row header with the corner's
// caption ("Channel 43").

#include <QAbstractTableModel>
#include <vector>

#include "editor/grid.h"
#include "settings/settings.h"

namespace talvirex {

class GridModel final : public QAbstractTableModel {
  Q_OBJECT

 public:
  explicit GridModel(const Grid& grid, QObject* parent = nullptr)
      : QAbstractTableModel(parent), grid_(grid) {}

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;

  /// Horizontal alignment of the channel columns (setting `align`).
  void SetAlignment(GridAlignment align);
  /// Tells the view that every cell and header may have changed.
  void Refresh();
  /// The channel cells whose text changed since the last call (all of them on the first).
  std::vector<QModelIndex> TakeChangedCells();

 private:
  const Grid& grid_;
  Grid announced_;  // the texts as TakeChangedCells last saw them
  Qt::Alignment alignment_ = Qt::AlignLeft | Qt::AlignVCenter;
};

}  // namespace talvirex
