// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// `editmenu`, the Memory Manager: the window of MemoryManagerForm in either of its modes
// ("Edit Memory Data" for channels, "Edit Memory Banks" for banks). Modal. It is bound to the
// form the main window's logic opened for the command; "Ok" accepts (the logic then runs the
// form's `Ok`), "Cancel" rejects, "&Apply" calls the form at once.

#include <QDialog>

class QCheckBox;
class QComboBox;
class QPushButton;

namespace talvirex {

class MemoryManagerForm;

class MemoryManagerDialog final : public QDialog {
 public:
  /// `form` must be open and outlive the dialog.
  explicit MemoryManagerDialog(MemoryManagerForm& form, QWidget* parent = nullptr);

 private:
  QLayout* BuildLists();
  QWidget* BuildOptions();
  QWidget* BuildData();
  QWidget* BuildCommands();
  void ChangeScope(bool all_banks);
  void Apply();
  /// Shows the form's lists, selections and Apply state.
  void Push();

  MemoryManagerForm& form_;
  QComboBox* source_ = nullptr;
  QComboBox* destination_ = nullptr;
  QPushButton* apply_ = nullptr;
};

}  // namespace talvirex
