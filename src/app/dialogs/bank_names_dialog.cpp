// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/dialogs/bank_names_dialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/dialogs/dialog_support.h"

namespace talvirex {

BankNamesDialog::BankNamesDialog(BankNamesForm& form, QWidget* parent)
    : QDialog(parent), form_(form) {
  setObjectName(QStringLiteral("banknamen"));
  setWindowTitle(ToQt(kBankNamesTitle));

  auto* rows = new QGridLayout;
  const int field_width =
      fontMetrics().horizontalAdvance(QString(kBankNameMaxLength + 2, QLatin1Char('W')));
  for (int i = 0; i < BankNamesForm::kFieldCount; ++i) {
    auto* field = new QLineEdit(this);
    field->setObjectName(QStringLiteral("Text1_%1").arg(i));
    field->setMaxLength(kBankNameMaxLength);
    field->setMinimumWidth(field_width);
    InstallKeyFilter(field, &BankNamesForm::AcceptsKey);
    auto* caption = new QLabel(ToQt(BankNamesForm::Caption(i)), this);
    caption->setBuddy(field);
    auto* counter = new QLabel(this);
    counter->setObjectName(QStringLiteral("Counter_%1").arg(i));
    counter->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("000")));
    counter->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    rows->addWidget(caption, i, 0);
    rows->addWidget(field, i, 1);
    rows->addWidget(counter, i, 2);
    fields_[i] = field;
    counters_[i] = counter;
    connect(field, &QLineEdit::textChanged, this, [this, i] { FieldEdited(i); });
  }
  ShowFields();

  auto* note = new QLabel(ToQt(kBankNamesNote), this);

  const auto add_button = [this](QBoxLayout* into, const char* caption, const char* name) {
    auto* button = new QPushButton(QString::fromLatin1(caption), this);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    into->addWidget(button);
    return button;
  };
  auto* side = new QVBoxLayout;
  QPushButton* ok = add_button(side, "Ok", "Ok");
  QPushButton* cancel = add_button(side, "Cancel", "Cancel");
  side->addSpacing(12);
  QPushButton* clear = add_button(side, "Clear All", "ClearAll");
  QPushButton* defaults = add_button(side, "Default", "Default");
  QPushButton* center = add_button(side, "Center", "Center");
  QPushButton* left = add_button(side, "Left", "Left");
  side->addStretch();
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(clear, &QPushButton::clicked, this, [this] { Apply(&BankNamesForm::ClearAll); });
  connect(defaults, &QPushButton::clicked, this, [this] { Apply(&BankNamesForm::Default); });
  connect(center, &QPushButton::clicked, this, [this] { Apply(&BankNamesForm::Center); });
  connect(left, &QPushButton::clicked, this, [this] { Apply(&BankNamesForm::Left); });

  auto* body = new QHBoxLayout;
  body->addLayout(rows);
  body->addSpacing(8);
  body->addLayout(side);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(body);
  layout->addWidget(note);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  CentreOnScreen(this, parent);
}

void BankNamesDialog::FieldEdited(int field) {
  form_.SetField(field, FromQt(fields_[field]->text()));
  counters_[field]->setNum(form_.Counter(field));
}

template <typename Action>
void BankNamesDialog::Apply(Action action) {
  (form_.*action)();
  ShowFields();
}

void BankNamesDialog::ShowFields() {
  for (int i = 0; i < BankNamesForm::kFieldCount; ++i) {
    const QString text = ToQt(form_.Field(i));
    if (fields_[i]->text() != text) fields_[i]->setText(text);
    FieldEdited(i);
  }
}

}  // namespace talvirex
