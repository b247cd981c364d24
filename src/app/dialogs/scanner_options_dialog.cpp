// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/dialogs/scanner_options_dialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/dialogs/dialog_support.h"

namespace talvirex {

namespace {
constexpr int kBanksPerLine = 5;
}

ScannerOptionsDialog::ScannerOptionsDialog(ScannerOptionsForm& form, QWidget* parent)
    : QDialog(parent), form_(form) {
  setObjectName(QStringLiteral("sc200set"));
  setWindowTitle(ToQt(kScannerOptionsTitle));

  QGroupBox* active = Frame(kActiveBanksFrame, this);
  auto* bank_grid = new QGridLayout(active);
  for (int bank = 0; bank < ScannerOptionsForm::kBanks; ++bank) {
    auto* box = new QCheckBox(ToQt(ScannerOptionsForm::BankCaption(bank)), active);
    box->setObjectName(QStringLiteral("Check1_%1").arg(bank));
    box->setAccessibleName(QStringLiteral("Bank ") + box->text());
    box->setChecked(form_.bank_active[bank]);
    bank_grid->addWidget(box, bank / kBanksPerLine, bank % kBanksPerLine);
    banks_[bank] = box;
  }

  auto* switches = new QGridLayout;
  for (int which = 0; which < ScannerOptionsForm::kSwitches; ++which) {
    switches->addWidget(SwitchFrame(which), which / 2, which % 2);
  }

  auto* buttons = OkCancelButtons(
      this, QStringLiteral("Ok"), [this] { Ok(); }, Qt::Horizontal);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(active);
  layout->addLayout(switches);
  layout->addSpacing(8);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

// A frame with its pair "On" / "Off"; "Off" stays selected unless the entry is on.
QWidget* ScannerOptionsDialog::SwitchFrame(int which) {
  QGroupBox* frame = Frame(ScannerOptionsForm::SwitchCaption(which), this);
  auto* on = new QRadioButton(QStringLiteral("On"), frame);
  auto* off = new QRadioButton(QStringLiteral("Off"), frame);
  on->setObjectName(QStringLiteral("On_%1").arg(which));
  off->setObjectName(QStringLiteral("Off_%1").arg(which));
  (form_.switch_on[which] ? on : off)->setChecked(true);
  auto* pair = new QHBoxLayout(frame);
  pair->addWidget(on);
  pair->addWidget(off);
  pair->addStretch();
  on_[which] = on;
  return frame;
}

void ScannerOptionsDialog::Ok() {
  for (int bank = 0; bank < ScannerOptionsForm::kBanks; ++bank) {
    form_.bank_active[bank] = banks_[bank]->checkState() == Qt::Checked;
  }
  for (int which = 0; which < ScannerOptionsForm::kSwitches; ++which) {
    form_.switch_on[which] = on_[which]->isChecked();
  }
  accept();
}

}  // namespace talvirex
