// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// `softset`, "Software Setup:": the window of SoftwareOptionsForm. Modal; "Ok" copies the choices
// to the form and accepts (the main window's logic then stores the options, re-applies the grid
// alignment and redraws the bank), "Cancel" and the close box reject.

#include <QDialog>
#include <array>

#include "settings/software_options_form.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QScrollBar;

namespace talvirex {

class SoftwareOptionsDialog final : public QDialog {
 public:
  /// `form` must be loaded and outlive the dialog.
  explicit SoftwareOptionsDialog(SoftwareOptionsForm& form, QWidget* parent = nullptr);

 private:
  QWidget* BackupFrame();
  QWidget* OptionFrame(std::string_view caption, std::initializer_list<int> options);
  QCheckBox* OptionBox(int option, QWidget* parent);
  void DelayMoved(int minutes);
  void Ok();

  SoftwareOptionsForm& form_;
  QCheckBox* backup_ = nullptr;     // `Check1`
  QScrollBar* delay_ = nullptr;     // `HScroll1`
  QLabel* delay_label_ = nullptr;   // `Label3`
  QLabel* unit_label_ = nullptr;    // `Label4`
  QComboBox* alignment_ = nullptr;  // `Combo3`
  std::array<QCheckBox*, SoftwareOptionsForm::kOptionCount> options_{};
};

}  // namespace talvirex
