// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/dialogs/default_data_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "app/dialogs/dialog_support.h"
#include "platform/screen_reader_names.h"

namespace talvirex {

DefaultDataDialog::DefaultDataDialog(DefaultDataForm& form, QWidget* parent)
    : QDialog(parent), form_(form) {
  setObjectName(QStringLiteral("defdata"));
  setWindowTitle(ToQt(kDefaultDataTitle));

  auto* rows = new QGridLayout;
  for (int row = 0; row < DefaultDataForm::kRows; ++row) {
    auto* box = new QCheckBox(ToQt(DefaultDataForm::Caption(row)), this);
    box->setObjectName(QStringLiteral("Check1_%1").arg(row + 1));
    box->setChecked(form_.applied[row]);
    auto* list = new QComboBox(this);
    list->setObjectName(QStringLiteral("Combo1_%1").arg(row + 1));
    for (const auto item : kOffOnItems) list->addItem(ToQt(item));
    list->setCurrentIndex(form_.selected[row]);
    NameForScreenReaders(list, box->text());  // the check box beside it says what it sets
    rows->addWidget(box, row, 0);
    rows->addWidget(list, row, 1);
    boxes_[row] = box;
    lists_[row] = list;
  }
  rows->setColumnStretch(0, 1);

  auto* buttons = OkCancelButtons(
      this, QStringLiteral("OK"), [this] { Ok(); }, Qt::Horizontal);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(rows);
  layout->addSpacing(8);
  layout->addLayout(buttons);
  KeepTitleVisible(this, layout);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

void DefaultDataDialog::Ok() {
  for (int row = 0; row < DefaultDataForm::kRows; ++row) {
    form_.applied[row] = boxes_[row]->isChecked();
    form_.selected[row] = lists_[row]->currentIndex();
  }
  accept();
}

}  // namespace talvirex
