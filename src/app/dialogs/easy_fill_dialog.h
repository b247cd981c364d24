// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// `easy2`, "Easy Fill SC200": the window of EasyFillForm. Modal and centred on the screen. "Apply"
// writes into the channel table at once and the dialog stays open; "Ok" copies the entries to the
// form and accepts, and the main window's logic then fills once more; "Cancel" writes nothing more
// (an earlier "Apply" stays).
//
// The logic's Easy Fill command commits the grid, takes the undo snapshot of the current bank and
// opens the form before the dialog shows, and redraws the bank after it, however it closed.

#include <QDialog>
#include <array>

#include "editor/easy_fill.h"

class QCheckBox;
class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;

namespace talvirex {

struct Workspace;

class EasyFillDialog final : public QDialog {
 public:
  /// `form` must be open and outlive the dialog; "Apply" fills `workspace` through it.
  EasyFillDialog(EasyFillForm& form, Workspace& workspace, QWidget* parent = nullptr);

 private:
  void BuildInputs(QGridLayout* grid);
  QLayout* BuildButtons();
  /// Copies every input into the form.
  void Pull();
  /// Shows the form in the inputs. `quiet`: without counting as the user's change (after a fill).
  void Push(bool quiet);
  void ShowApplyState();
  /// A channel entry, a field box or an Off/On list changed.
  void Changed();
  void ApplyClicked();
  void OkClicked();

  EasyFillForm& form_;
  Workspace& workspace_;
  QLineEdit* first_ = nullptr;
  QLineEdit* last_ = nullptr;
  QLineEdit* start_ = nullptr;
  QComboBox* step_ = nullptr;
  QLineEdit* tag_ = nullptr;
  QLabel* tag_counter_ = nullptr;
  QCheckBox* fill_series_ = nullptr;
  QComboBox* subtone_ = nullptr;
  QPushButton* apply_ = nullptr;
  QPushButton* select_all_ = nullptr;
  std::array<QCheckBox*, EasyFillForm::kBoxCount> boxes_{};
  std::array<QComboBox*, EasyFillForm::kSwitchCount> switches_{};
};

}  // namespace talvirex
