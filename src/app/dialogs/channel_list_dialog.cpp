// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/dialogs/channel_list_dialog.h"

#include <QAbstractTableModel>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTableView>
#include <QVBoxLayout>
#include <functional>

#include "app/dialogs/dialog_support.h"
#include "model/channel_table.h"

namespace talvirex {

namespace {

enum Column { kPick, kLocation, kName, kFrequency, kTone, kBecomes, kColumns };

}  // namespace

// The list's rows as the table shows them. Nothing is kept a row: a row is unpacked from the list
// when the view asks for it, and its outcome is found among the form's placements (at most 200).
class ChannelListModel final : public QAbstractTableModel {
 public:
  /// `picked` runs after the user ticks or unticks a row.
  ChannelListModel(ChannelListImportForm& form, std::function<void()> picked, QObject* parent)
      : QAbstractTableModel(parent),
        form_(form),
        picked_(std::move(picked)),
        placements_(form.Placements()) {}

  int rowCount(const QModelIndex& parent = {}) const override {
    return parent.isValid() ? 0 : static_cast<int>(form_.list().entries.size());
  }
  int columnCount(const QModelIndex& parent = {}) const override {
    return parent.isValid() ? 0 : kColumns;
  }

  QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
    static const char* const kTitles[kColumns] = {"Import",    "Location", "Name",
                                                  "Frequency", "Tone",     "Becomes"};
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= kColumns) {
      return QAbstractTableModel::headerData(section, orientation, role);
    }
    return QString::fromLatin1(kTitles[section]);
  }

  Qt::ItemFlags flags(const QModelIndex& index) const override {
    if (!index.isValid()) return Qt::NoItemFlags;
    if (index.column() != kPick) return Qt::ItemIsSelectable | Qt::ItemIsEnabled;
    Qt::ItemFlags flags = Qt::ItemIsUserCheckable | Qt::ItemIsSelectable;
    if (!form_.list().entries.skipped(Entry(index))) flags |= Qt::ItemIsEnabled;
    return flags;
  }

  QVariant data(const QModelIndex& index, int role) const override {
    if (!index.isValid()) return {};
    if (index.column() == kPick) {
      if (role != Qt::CheckStateRole) return {};
      return form_.picked(Entry(index)) ? Qt::Checked : Qt::Unchecked;
    }
    if (role != Qt::DisplayRole) return {};
    const ListEntry& row = Row(index);
    switch (index.column()) {
      case kLocation: return ToQt(row.location);
      case kName: return ToQt(row.name);
      case kFrequency: return ToQt(row.frequency);
      case kTone: return ToQt(row.tone);
      default: {
        std::string becomes = form_.Outcome(row, Entry(index), placements_);
        for (const std::string& note : row.notes) becomes += "; " + note;
        return ToQt(becomes);
      }
    }
  }

  bool setData(const QModelIndex& index, const QVariant& value, int role) override {
    if (!index.isValid() || index.column() != kPick || role != Qt::CheckStateRole) return false;
    form_.SetPicked(Entry(index), value.toInt() == Qt::Checked);
    picked_();
    return true;
  }

  /// The form's picks or first channel changed: the outcomes are found again and the rows in view
  /// drawn again (one signal for all rows; the view repaints only those on screen).
  void Refresh() {
    placements_ = form_.Placements();
    if (rowCount() > 0) emit dataChanged(index(0, 0), index(rowCount() - 1, kColumns - 1));
  }

 private:
  static std::size_t Entry(const QModelIndex& index) {
    return static_cast<std::size_t>(index.row());
  }
  // A view asks for each column and role of a row in turn: the row is unpacked once for them.
  const ListEntry& Row(const QModelIndex& index) const {
    if (cached_entry_ != Entry(index)) {
      cached_ = form_.list().entries[Entry(index)];
      cached_entry_ = Entry(index);
    }
    return cached_;
  }

  ChannelListImportForm& form_;
  std::function<void()> picked_;
  std::vector<ListPlacement> placements_;
  mutable std::size_t cached_entry_ = static_cast<std::size_t>(-1);
  mutable ListEntry cached_;
};

ChannelListDialog::ChannelListDialog(ChannelListImportForm& form, const ChannelTable& table,
                                     QWidget* parent)
    : QDialog(parent), form_(form), table_(table) {
  setObjectName(QStringLiteral("chanlist"));
  setWindowTitle(QStringLiteral("Import Channel List"));

  auto* file = new QLabel(ToQt(form_.path()), this);
  file->setObjectName(QStringLiteral("file"));
  file->setTextInteractionFlags(Qt::TextSelectableByMouse);

  model_ = new ChannelListModel(
      form_, [this] { ShowOutcomes(); }, this);
  rows_ = new QTableView(this);
  rows_->setModel(model_);
  rows_->setObjectName(QStringLiteral("rows"));
  rows_->setAccessibleName(QStringLiteral("Channels in the list"));
  rows_->verticalHeader()->setVisible(false);
  rows_->setSelectionBehavior(QAbstractItemView::SelectRows);
  rows_->horizontalHeader()->setStretchLastSection(true);

  auto* all = new QPushButton(QStringLiteral("Pick All"), this);
  auto* none = new QPushButton(QStringLiteral("Pick None"), this);
  connect(all, &QPushButton::clicked, this, [this] { PickAll(true); });
  connect(none, &QPushButton::clicked, this, [this] { PickAll(false); });
  by_location_ =
      new QCheckBox(QStringLiteral("Put each row at the channel its &Location names"), this);
  by_location_->setObjectName(QStringLiteral("bylocation"));
  connect(by_location_, &QCheckBox::toggled, this, [this](bool on) {
    form_.SetByLocation(on);
    ShowOutcomes();
  });
  auto* first_label = new QLabel(QStringLiteral("First channel:"), this);
  first_ = new QSpinBox(this);
  first_->setObjectName(QStringLiteral("first"));
  first_->setRange(1, kChannelCount);
  first_->setValue(form_.first_channel());
  first_label->setBuddy(first_);
  connect(first_, &QSpinBox::valueChanged, this, [this](int channel) {
    form_.SetFirstChannel(channel);
    ShowOutcomes();
  });
  auto* picks = new QHBoxLayout;
  picks->addWidget(all);
  picks->addWidget(none);
  picks->addStretch(1);
  picks->addWidget(by_location_);
  picks->addWidget(first_label);
  picks->addWidget(first_);

  summary_ = new QLabel(this);
  summary_->setObjectName(QStringLiteral("overwrites"));
  summary_->setWordWrap(true);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(file);
  layout->addWidget(rows_, 1);
  layout->addLayout(picks);
  layout->addWidget(summary_);
  layout->addLayout(OkCancelButtons(
      this, QStringLiteral("Ok"), [this] { accept(); }, Qt::Horizontal));
  ShowOutcomes();
  rows_->resizeColumnsToContents();
  resize(760, 480);
}

void ChannelListDialog::PickAll(bool picked) {
  for (std::size_t i = 0; i < form_.list().entries.size(); ++i) form_.SetPicked(i, picked);
  ShowOutcomes();
}

void ChannelListDialog::ShowOutcomes() {
  model_->Refresh();
  std::string summary = form_.OverwriteSummary(table_);
  if (const std::string no_room = form_.NoRoomSummary(); !no_room.empty()) {
    summary += "\n" + no_room;
  }
  // Locations are a choice only while every picked row names a channel of its own; setting the
  // box here is no choice of the user's.
  const QSignalBlocker quiet(by_location_);
  by_location_->setEnabled(form_.locations_usable());
  by_location_->setChecked(form_.by_location());
  first_->setEnabled(!form_.by_location());
  summary_->setText(ToQt(summary));
}

}  // namespace talvirex
