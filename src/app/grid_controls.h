// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The controls above the grid: the editor box with its length label, the Easy Tag dropdown
// `textcombo` and the current bank's `bankcombo`, the Off/On buttons `option3d1` and the PL/DPL
// picker `ctc`. They draw the core's ControlsAboveGrid and report what the user did through
// the signals; the cell editor decides everything.

#include <QWidget>

#include "editor/cell_editor.h"

class QButtonGroup;
class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace talvirex {

struct TagDropdowns;

class GridControls final : public QWidget {
  Q_OBJECT

 public:
  explicit GridControls(CellEditor& editor, QWidget* parent = nullptr);

  /// Shows the controls of `controls` and hides the others; `bank` picks the bank tag list,
  /// `column` (the current cell's column header) names the editor box for screen readers.
  void Show(const ControlsAboveGrid& controls, const TagDropdowns& dropdowns, int bank,
            const QString& column);

  QLineEdit* editor_box() const { return editor_box_; }
  QComboBox* picker() const { return picker_; }
  QRadioButton* off_button() const { return off_; }
  QRadioButton* on_button() const { return on_; }

 signals:
  /// The user changed something the grid shows; the window redraws.
  void Changed();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  static void Fill(QComboBox* combo, const std::vector<std::string>& entries);

  CellEditor& editor_;
  QLineEdit* editor_box_;
  QLabel* length_;
  QComboBox* easy_tags_;
  QComboBox* bank_tags_;
  QRadioButton* off_;
  QRadioButton* on_;
  QButtonGroup* off_on_;
  QComboBox* picker_;
};

}  // namespace talvirex
