#pragma once
// `banknamen`, "Setup Bank Tags": the window of BankNamesForm. Modal and centred on the screen;
// "Ok" stores the names, "Cancel" and the close box store nothing. However it closed, the main
// window then redraws its bank captions.

#include <QDialog>
#include <array>

#include "features/bank_names_form.h"

class QLabel;
class QLineEdit;

namespace talvirex {

struct Workspace;

class BankNamesDialog final : public QDialog {
 public:
  BankNamesDialog(Workspace& workspace, QWidget* parent = nullptr);

  /// Menu "&Bank Tags" and the bank-tags button: shows the dialog modally. True when "Ok" stored
  /// the names.
  static bool Run(Workspace& workspace, QWidget* parent);

 private:
  void FieldEdited(int field);
  /// Runs a button of the form on the fields and shows the result.
  template <typename Action>
  void Apply(Action action);
  void ShowFields();
  void Ok();

  Workspace& workspace_;
  BankNamesForm form_;
  std::array<QLineEdit*, BankNamesForm::kFieldCount> fields_{};
  std::array<QLabel*, BankNamesForm::kFieldCount> counters_{};
};

}  // namespace talvirex
