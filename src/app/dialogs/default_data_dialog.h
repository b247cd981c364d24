// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// `defdata`, "Default data per channel:": the window of DefaultDataForm. Modal; "OK" copies the
// choices to the form and accepts (the main window's logic then stores the preset).

#include <QDialog>
#include <array>

#include "model/default_data_form.h"

class QCheckBox;
class QComboBox;

namespace talvirex {

class DefaultDataDialog final : public QDialog {
 public:
  /// `form` must be loaded and outlive the dialog.
  explicit DefaultDataDialog(DefaultDataForm& form, QWidget* parent = nullptr);

 private:
  void Ok();

  DefaultDataForm& form_;
  std::array<QCheckBox*, DefaultDataForm::kRows> boxes_{};  // `Check1` 1..4
  std::array<QComboBox*, DefaultDataForm::kRows> lists_{};  // `Combo1` 1..4
};

}  // namespace talvirex
