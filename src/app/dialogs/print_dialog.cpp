// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/dialogs/print_dialog.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/dialogs/dialog_support.h"
#include "platform/qt_print_sink.h"
#include "workspace.h"

namespace talvirex {

PrintDialog::PrintDialog(PrintForm& form, const Workspace& workspace, Ui& ui, QWidget* parent,
                         std::unique_ptr<QtPrintSink> printer)
    : QDialog(parent),
      form_(form),
      workspace_(workspace),
      ui_(ui),
      printer_(printer ? std::move(printer) : std::make_unique<QtPrintSink>()) {
  setObjectName(QStringLiteral("printie"));
  setWindowTitle(QStringLiteral("Let's Print..."));

  QGroupBox* choice = Frame("Select an item to print:", this);
  auto* active = new QRadioButton(QStringLiteral("Active Bank"), choice);
  active->setObjectName(QStringLiteral("Option1_3"));
  auto* all_banks = new QRadioButton(QStringLiteral("All Memory Banks"), choice);
  all_banks->setObjectName(QStringLiteral("Option1_2"));
  (form_.option() == PrintForm::kAllBanks ? all_banks : active)->setChecked(true);
  connect(all_banks, &QRadioButton::toggled, this, [this](bool on) {
    form_.SelectOption(on ? PrintForm::kAllBanks : PrintForm::kActiveBank);
  });
  auto* choices = new QVBoxLayout(choice);
  choices->addWidget(active);
  choices->addWidget(all_banks);

  auto* print = new QPushButton(QStringLiteral("Print"), this);
  print->setObjectName(QStringLiteral("Print"));
  print->setDefault(true);
  auto* setup = new QPushButton(QStringLiteral("Setup Printer"), this);
  setup->setObjectName(QStringLiteral("SetupPrinter"));
  setup->setAutoDefault(false);
  auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
  cancel->setObjectName(QStringLiteral("Cancel"));
  cancel->setAutoDefault(false);
  connect(print, &QPushButton::clicked, this, &PrintDialog::Print);
  connect(setup, &QPushButton::clicked, this, [this] { printer_->ChoosePrinter(this); });
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  auto* buttons = new QVBoxLayout;
  buttons->addWidget(print);
  buttons->addWidget(setup);
  buttons->addWidget(cancel);
  buttons->addStretch();

  auto* layout = new QHBoxLayout(this);
  layout->addWidget(choice);
  layout->addSpacing(8);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

PrintDialog::~PrintDialog() = default;

void PrintDialog::Print() {
  // Without any printer the job would only fail: the user picks one (or a PDF file) first.
  if (!printer_->HasDestination() && !printer_->ChoosePrinter(this)) return;
  form_.Print(workspace_, workspace_.current_bank, PrintContext{ShortDateToday()}, *printer_, ui_);
  accept();
}

}  // namespace talvirex
