// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "Find Data" and "Replace Text Tag:": the windows of FindForm and ReplaceForm, both modal and
// centred on the main window. Each is bound to a form the main window's logic has opened and
// only copies the entry fields and options to it before calling it.

#include <QDialog>
#include <functional>

class QLabel;
class QLineEdit;
class QRadioButton;

namespace talvirex {

class FindForm;
class ReplaceForm;

class FindDialog final : public QDialog {
 public:
  /// `form` must be open and outlive the dialog. `found` runs after each press of "Find >>"
  /// (the form may have moved the grid: the main window draws itself again).
  explicit FindDialog(FindForm& form, QWidget* parent = nullptr, std::function<void()> found = {});

 private:
  /// "Find >>" (the default button, so Enter in "Find What" presses it).
  void Find();
  void ShowResult();

  FindForm& form_;
  std::function<void()> found_;
  QLineEdit* text_ = nullptr;
  QLabel* channel_ = nullptr;
  QLabel* in_bank_ = nullptr;
  QLabel* bank_ = nullptr;
  QLabel* contains_ = nullptr;
  QLabel* wrapped_ = nullptr;
};

class ReplaceDialog final : public QDialog {
 public:
  /// `form` must be open and outlive the dialog. "Close" rejects: the work is done by "Apply".
  explicit ReplaceDialog(ReplaceForm& form, QWidget* parent = nullptr);

 private:
  void Apply();

  ReplaceForm& form_;
  QLineEdit* find_ = nullptr;
  QLineEdit* replace_ = nullptr;
  QRadioButton* all_banks_ = nullptr;
};

}  // namespace talvirex
