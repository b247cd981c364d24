// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/dialogs/channel_list_dialog.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

#include "app/dialogs/dialog_support.h"
#include "model/channel_table.h"

namespace talvirex {

namespace {

enum Column { kPick, kLocation, kName, kFrequency, kTone, kBecomes, kColumns };

QTableWidgetItem* ReadOnlyItem(const std::string& text) {
  auto* item = new QTableWidgetItem(ToQt(text));
  item->setFlags(item->flags() & ~Qt::ItemIsEditable);
  return item;
}

}  // namespace

ChannelListDialog::ChannelListDialog(ChannelListImportForm& form, const ChannelTable& table,
                                     QWidget* parent)
    : QDialog(parent), form_(form), table_(table) {
  setObjectName(QStringLiteral("chanlist"));
  setWindowTitle(QStringLiteral("Import Channel List"));

  auto* file = new QLabel(ToQt(form_.path()), this);
  file->setObjectName(QStringLiteral("file"));
  file->setTextInteractionFlags(Qt::TextSelectableByMouse);

  const auto& entries = form_.list().entries;
  rows_ = new QTableWidget(static_cast<int>(entries.size()), kColumns, this);
  rows_->setObjectName(QStringLiteral("rows"));
  rows_->setAccessibleName(QStringLiteral("Channels in the list"));
  rows_->setHorizontalHeaderLabels({QStringLiteral("Import"), QStringLiteral("Location"),
                                    QStringLiteral("Name"), QStringLiteral("Frequency"),
                                    QStringLiteral("Tone"), QStringLiteral("Becomes")});
  rows_->verticalHeader()->setVisible(false);
  rows_->setSelectionBehavior(QAbstractItemView::SelectRows);
  rows_->horizontalHeader()->setStretchLastSection(true);
  for (int row = 0; row < rows_->rowCount(); ++row) {
    const ListEntry& entry = entries[static_cast<std::size_t>(row)];
    auto* pick = new QTableWidgetItem;
    Qt::ItemFlags flags = Qt::ItemIsUserCheckable | Qt::ItemIsSelectable;
    if (!entry.skipped) flags |= Qt::ItemIsEnabled;
    pick->setFlags(flags);
    rows_->setItem(row, kPick, pick);
    rows_->setItem(row, kLocation, ReadOnlyItem(entry.location));
    rows_->setItem(row, kName, ReadOnlyItem(entry.name));
    rows_->setItem(row, kFrequency, ReadOnlyItem(entry.frequency));
    rows_->setItem(row, kTone, ReadOnlyItem(entry.tone));
    rows_->setItem(row, kBecomes, ReadOnlyItem({}));
  }
  connect(rows_, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
    if (showing_ || item->column() != kPick) return;
    form_.SetPicked(static_cast<std::size_t>(item->row()), item->checkState() == Qt::Checked);
    ShowOutcomes();
  });

  auto* all = new QPushButton(QStringLiteral("Pick All"), this);
  auto* none = new QPushButton(QStringLiteral("Pick None"), this);
  connect(all, &QPushButton::clicked, this, [this] { PickAll(true); });
  connect(none, &QPushButton::clicked, this, [this] { PickAll(false); });
  by_location_ =
      new QCheckBox(QStringLiteral("Put each row at the channel its &Location names"), this);
  by_location_->setObjectName(QStringLiteral("bylocation"));
  connect(by_location_, &QCheckBox::toggled, this, [this](bool on) {
    if (showing_) return;
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
  showing_ = true;
  const auto& entries = form_.list().entries;
  const std::vector<std::string> outcomes = form_.Outcomes();
  for (int row = 0; row < rows_->rowCount(); ++row) {
    const auto entry = static_cast<std::size_t>(row);
    rows_->item(row, kPick)->setCheckState(form_.picked(entry) ? Qt::Checked : Qt::Unchecked);
    std::string becomes = outcomes[entry];
    for (const std::string& note : entries[entry].notes) becomes += "; " + note;
    rows_->item(row, kBecomes)->setText(ToQt(becomes));
  }
  // Locations are a choice only while every picked row names a channel of its own.
  by_location_->setEnabled(form_.locations_usable());
  by_location_->setChecked(form_.by_location());
  first_->setEnabled(!form_.by_location());
  summary_->setText(ToQt(form_.OverwriteSummary(table_)));
  showing_ = false;
}

}  // namespace talvirex
