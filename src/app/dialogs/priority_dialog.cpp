// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/dialogs/priority_dialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/dialogs/dialog_support.h"

namespace talvirex {

PriorityDialog::PriorityDialog(PriorityForm& form, QWidget* parent) : QDialog(parent), form_(form) {
  setObjectName(QStringLiteral("prio"));
  setWindowTitle(ToQt(kPriorityTitle));

  auto* rows = new QGridLayout;
  rows->addWidget(new QLabel(ToQt(kPriorityFieldHeader), this), 0, 1);
  for (int bank = 0; bank < PriorityForm::kBanks; ++bank) {
    auto* field = new QLineEdit(ToQt(form_.Field(bank)), this);
    field->setObjectName(QStringLiteral("Text1_%1").arg(bank));
    field->setToolTip(ToQt(PriorityForm::Tooltip(bank)));
    field->setMaximumWidth(field->fontMetrics().horizontalAdvance(QStringLiteral("00000000")));
    InstallKeyFilter(field, &PriorityForm::AcceptsKey);
    OnFocusIn(field, [this] { ValidateAll(); });
    auto* caption = new QLabel(ToQt(PriorityForm::BankCaption(bank)), this);
    caption->setBuddy(field);
    rows->addWidget(caption, bank + 1, 0);
    rows->setColumnMinimumWidth(0, caption->sizeHint().width() + 12);
    rows->addWidget(field, bank + 1, 1);
    fields_[bank] = field;
  }

  auto* close = new QPushButton(ToQt(kPriorityCloseButton), this);
  close->setObjectName(QStringLiteral("Command1"));
  connect(close, &QPushButton::clicked, this, &PriorityDialog::Close);
  // The dialog opens showing the table as it stands: the first focus must not reformat it.
  close->setFocus();
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(close);

  auto* centred = new QHBoxLayout;
  centred->addStretch();
  centred->addLayout(rows);
  centred->addStretch();
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(centred);
  layout->addSpacing(8);
  layout->addLayout(buttons);
  KeepTitleVisible(this, layout);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

void PriorityDialog::CopyFieldsToForm() {
  for (int bank = 0; bank < PriorityForm::kBanks; ++bank) {
    form_.SetField(bank, FromQt(fields_[bank]->text()));
  }
}

void PriorityDialog::CopyFormToFields() {
  for (int bank = 0; bank < PriorityForm::kBanks; ++bank) {
    const QString text = ToQt(form_.Field(bank));
    if (fields_[bank]->text() != text) fields_[bank]->setText(text);
  }
}

void PriorityDialog::ValidateAll() {
  CopyFieldsToForm();
  form_.ValidateAll();
  CopyFormToFields();
}

void PriorityDialog::Close() {
  CopyFieldsToForm();
  accept();
}

}  // namespace talvirex
