#pragma once
// `softset`, "Software Setup:": the window of SoftwareOptionsForm. Modal; "Ok" stores the options
// (the main window then re-applies the grid alignment and redraws the bank), "Cancel" and the
// close box store nothing.

#include <QDialog>
#include <array>

#include "settings/software_options_form.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QScrollBar;

namespace talvirex {

struct Workspace;

class SoftwareOptionsDialog final : public QDialog {
 public:
  SoftwareOptionsDialog(Workspace& workspace, QWidget* parent = nullptr);

  /// Menu "&Software Options" (`soft_options`) and the second toolbar: shows the dialog modally.
  /// True when "Ok" stored the options.
  static bool Run(Workspace& workspace, QWidget* parent);

 private:
  QWidget* BackupFrame();
  QWidget* OptionFrame(std::string_view caption, std::initializer_list<int> options);
  QCheckBox* OptionBox(int option, QWidget* parent);
  void DelayMoved(int minutes);
  void Ok();

  Workspace& workspace_;
  SoftwareOptionsForm form_;
  QCheckBox* backup_ = nullptr;        // `Check1`
  QScrollBar* delay_ = nullptr;        // `HScroll1`
  QLabel* delay_label_ = nullptr;      // `Label3`
  QLabel* unit_label_ = nullptr;       // `Label4`
  QComboBox* alignment_ = nullptr;     // `Combo3`
  std::array<QCheckBox*, SoftwareOptionsForm::kOptionCount> options_{};
};

}  // namespace talvirex
