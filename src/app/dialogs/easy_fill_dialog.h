#pragma once
// `easy2`, "Easy Fill SC200": the window of EasyFillForm. Modal and centred on the screen. "Apply"
// and "Ok" write into the channel table; "Cancel" writes nothing more (an earlier "Apply" stays).
//
// The main window's Easy Fill command commits the grid and takes the undo snapshot of the current
// bank before `Run`, and redraws the bank (`RenderBank`) after it, however the dialog closed.

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
  EasyFillDialog(Workspace& workspace, QWidget* parent = nullptr);

  /// Menu "&Easy Fill" (`tabeasy`), the popup menu's "Easy Fill" and the second toolbar: shows the
  /// dialog modally. True when it closed through "Ok".
  static bool Run(Workspace& workspace, QWidget* parent);

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

  Workspace& workspace_;
  EasyFillForm form_;
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
