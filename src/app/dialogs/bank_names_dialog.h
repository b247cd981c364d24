// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// `banknamen`, "Setup Bank Tags": the window of BankNamesForm. Modal and centred on the screen;
// "Ok" accepts (the main window's logic then stores the names), "Cancel" and the close box
// reject. However it closed, the logic then redraws the bank captions.

#include <QDialog>
#include <array>

#include "features/bank_names_form.h"

class QLabel;
class QLineEdit;

namespace talvirex {

class BankNamesDialog final : public QDialog {
 public:
  /// `form` must be loaded and outlive the dialog.
  explicit BankNamesDialog(BankNamesForm& form, QWidget* parent = nullptr);

 private:
  void FieldEdited(int field);
  /// Runs a button of the form on the fields and shows the result.
  template <typename Action>
  void Apply(Action action);
  void ShowFields();

  BankNamesForm& form_;
  std::array<QLineEdit*, BankNamesForm::kFieldCount> fields_{};
  std::array<QLabel*, BankNamesForm::kFieldCount> counters_{};
};

}  // namespace talvirex
