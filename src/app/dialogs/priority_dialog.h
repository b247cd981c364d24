#pragma once
// `prio`, "Priority Channels:": the window of PriorityForm. Modal; "Close" stores the table, the
// window's close box (or Escape) stores nothing.

#include <QDialog>
#include <array>

#include "features/priority_form.h"

class QLineEdit;

namespace talvirex {

struct Workspace;

class PriorityDialog final : public QDialog {
 public:
  PriorityDialog(Workspace& workspace, QWidget* parent = nullptr);

  /// Menu "Priority Channels": shows the dialog modally. True when "Close" stored the table.
  static bool Run(Workspace& workspace, QWidget* parent);

 private:
  /// Every field is validated and reformatted whenever one of them receives the focus.
  void ValidateAll();
  void Close();
  void CopyFieldsToForm();
  void CopyFormToFields();

  Workspace& workspace_;
  PriorityForm form_;
  std::array<QLineEdit*, PriorityForm::kBanks> fields_{};
};

}  // namespace talvirex
