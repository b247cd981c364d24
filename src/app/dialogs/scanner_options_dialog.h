// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// `sc200set`, "SC200 Global Settings:": the window of ScannerOptionsForm. Modal; "Ok" copies the
// choices to the form and accepts (the main window's logic then stores the settings), "Cancel"
// and the close box reject.

#include <QDialog>
#include <array>

#include "features/scanner_options_form.h"

class QCheckBox;
class QRadioButton;

namespace talvirex {

class ScannerOptionsDialog final : public QDialog {
 public:
  /// `form` must be loaded and outlive the dialog.
  explicit ScannerOptionsDialog(ScannerOptionsForm& form, QWidget* parent = nullptr);

 private:
  QWidget* SwitchFrame(int which);
  void Ok();

  ScannerOptionsForm& form_;
  std::array<QCheckBox*, ScannerOptionsForm::kBanks> banks_{};
  std::array<QRadioButton*, ScannerOptionsForm::kSwitches> on_{};
};

}  // namespace talvirex
