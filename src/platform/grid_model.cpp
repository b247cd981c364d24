// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/grid_model.h"

#include <algorithm>

namespace talvirex {

namespace {

constexpr std::size_t kShownCellBytes = 256;

QString Shown(const std::string& text) {
  return QString::fromUtf8(text.data(),
                           static_cast<qsizetype>(std::min(text.size(), kShownCellBytes)));
}

}  // namespace

int GridModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kGridRows - 1;
}

int GridModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kGridColumns - 1;
}

QVariant GridModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  // A cell is a few dozen characters wide; laying out a megabyte text from a damaged file
  // would freeze the window, so only its start is shown.
  const std::string& text = grid_.Cell(index.row() + 1, index.column() + 1);
  if (role == Qt::DisplayRole) return Shown(text);
  if (role == Qt::AccessibleTextRole) {
    return QStringLiteral("%1, %2, %3")
        .arg(headerData(index.row(), Qt::Vertical, role).toString(),
             headerData(index.column(), Qt::Horizontal).toString(),
             text.empty() ? QStringLiteral("empty") : Shown(text));
  }
  if (role == Qt::TextAlignmentRole) return QVariant::fromValue(alignment_);
  return {};
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if ((role != Qt::DisplayRole && role != Qt::AccessibleTextRole) || section < 0) return {};
  if (orientation == Qt::Horizontal && section < kGridColumns - 1) {
    return QString::fromStdString(grid_.Cell(0, section + 1));
  }
  if (orientation == Qt::Vertical && section < kGridRows - 1) {
    const QString number = QString::fromStdString(grid_.Cell(section + 1, 0));
    if (role == Qt::DisplayRole) return number;
    // The corner's caption, which a screen reader does not reach on its own.
    return QString::fromStdString(grid_.Cell(0, 0)) + QLatin1Char(' ') + number;
  }
  return {};
}

void GridModel::SetAlignment(GridAlignment align) {
  const Qt::Alignment horizontal = align == GridAlignment::kCentre  ? Qt::AlignHCenter
                                   : align == GridAlignment::kRight ? Qt::AlignRight
                                                                    : Qt::AlignLeft;
  alignment_ = horizontal | Qt::AlignVCenter;
  Refresh();
}

std::vector<QModelIndex> GridModel::TakeChangedCells() {
  std::vector<QModelIndex> changed;
  for (int row = 1; row < kGridRows; ++row) {
    for (int column = 1; column < kGridColumns; ++column) {
      if (announced_.Cell(row, column) == grid_.Cell(row, column)) continue;
      announced_.Cell(row, column) = grid_.Cell(row, column);
      changed.push_back(index(row - 1, column - 1));
    }
  }
  return changed;
}

void GridModel::Refresh() {
  emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
  emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
  emit headerDataChanged(Qt::Vertical, 0, rowCount() - 1);
}

}  // namespace talvirex
