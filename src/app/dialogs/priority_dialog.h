// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// `prio`, "Priority Channels:": the window of PriorityForm. Modal; "Close" copies the fields to
// the form and accepts (the main window's logic then stores the table), the window's close box
// (or Escape) rejects.

#include <QDialog>
#include <array>

#include "features/priority_form.h"

class QLineEdit;

namespace talvirex {

class PriorityDialog final : public QDialog {
 public:
  /// `form` must be loaded and outlive the dialog.
  explicit PriorityDialog(PriorityForm& form, QWidget* parent = nullptr);

 private:
  /// Every field is validated and reformatted whenever one of them receives the focus.
  void ValidateAll();
  void Close();
  void CopyFieldsToForm();
  void CopyFormToFields();

  PriorityForm& form_;
  std::array<QLineEdit*, PriorityForm::kBanks> fields_{};
};

}  // namespace talvirex
