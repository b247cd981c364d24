#pragma once
// `defdata`, "Default data per channel:": the window of DefaultDataForm. Modal; writes the preset
// only on "OK".

#include <QDialog>
#include <array>

#include "model/default_data_form.h"

class QCheckBox;
class QComboBox;

namespace talvirex {

struct Workspace;

class DefaultDataDialog final : public QDialog {
 public:
  DefaultDataDialog(Workspace& workspace, QWidget* parent = nullptr);

  /// Menu "Setup Default Data" (`setdef`): shows the dialog modally. True when "OK" stored the
  /// preset.
  static bool Run(Workspace& workspace, QWidget* parent);

 private:
  void Ok();

  Workspace& workspace_;
  DefaultDataForm form_;
  std::array<QCheckBox*, DefaultDataForm::kRows> boxes_{};   // `Check1` 1..4
  std::array<QComboBox*, DefaultDataForm::kRows> lists_{};   // `Combo1` 1..4
};

}  // namespace talvirex
