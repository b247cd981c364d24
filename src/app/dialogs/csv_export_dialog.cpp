// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/dialogs/csv_export_dialog.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/dialogs/dialog_support.h"
#include "workspace.h"

namespace talvirex {

CsvExportDialog::CsvExportDialog(ExportCsvForm& form, const Workspace& workspace, Ui& ui,
                                 QWidget* parent)
    : QDialog(parent), form_(form), workspace_(workspace), ui_(ui) {
  setObjectName(QStringLiteral("expcsvd"));
  setWindowTitle(form_.layout() == ExportLayout::kChannelList
                     ? QStringLiteral("Export Channel List")
                     : QStringLiteral("Export CSV data"));

  QGroupBox* options = Frame("Options:", this);
  auto* current = new QRadioButton(QStringLiteral("Export Current Bank"), options);
  current->setObjectName(QStringLiteral("Option1_0"));
  all_banks_ = new QRadioButton(QStringLiteral("Export All Memory Banks"), options);
  all_banks_->setObjectName(QStringLiteral("Option1_1"));
  (form_.option() == ExportCsvForm::kAllBanks ? all_banks_ : current)->setChecked(true);
  connect(all_banks_, &QRadioButton::toggled, this, [this](bool on) {
    form_.SelectOption(on ? ExportCsvForm::kAllBanks : ExportCsvForm::kCurrentBank);
  });
  auto* choices = new QVBoxLayout(options);
  choices->addWidget(current);
  choices->addWidget(all_banks_);

  auto* buttons = OkCancelButtons(
      this, QStringLiteral("Ok"), [this] { Ok(); }, Qt::Vertical);

  auto* layout = new QHBoxLayout(this);
  layout->addWidget(options);
  layout->addSpacing(8);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

void CsvExportDialog::Ok() {
  if (form_.Ok(workspace_, workspace_.current_bank, ui_)) accept();
}

}  // namespace talvirex
