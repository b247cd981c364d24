#pragma once
// `sc200set`, "SC200 Global Settings:": the window of ScannerOptionsForm. Modal; "Ok" stores the
// settings, "Cancel" and the close box store nothing.

#include <QDialog>
#include <array>

#include "features/scanner_options_form.h"

class QCheckBox;
class QRadioButton;

namespace talvirex {

struct Workspace;

class ScannerOptionsDialog final : public QDialog {
 public:
  ScannerOptionsDialog(Workspace& workspace, QWidget* parent = nullptr);

  /// Menu "&Other Options": shows the dialog modally. True when "Ok" stored the settings.
  static bool Run(Workspace& workspace, QWidget* parent);

 private:
  QWidget* SwitchFrame(int which);
  void Ok();

  Workspace& workspace_;
  ScannerOptionsForm form_;
  std::array<QCheckBox*, ScannerOptionsForm::kBanks> banks_{};
  std::array<QRadioButton*, ScannerOptionsForm::kSwitches> on_{};
};

}  // namespace talvirex
