// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "Import Channel List": the window of ChannelListImportForm. Shows every row of the list with
// what it becomes, lets the user pick rows and put them at their Locations or from a first
// channel on, and says before "Ok" which
// channels in use would be overwritten. Modal; "Ok" accepts (the main window's logic then imports),
// "Cancel" and the close box reject.
//
// The rows are a model over the form's list, drawn as they come into view, so a database dump of
// a million rows opens as fast as it is read and a pick-box click redraws only what is on screen.

#include <QDialog>

#include "editor/channel_list_import.h"

class QCheckBox;
class QLabel;
class QSpinBox;
class QTableView;

namespace talvirex {

class ChannelTable;
class ChannelListModel;

class ChannelListDialog final : public QDialog {
 public:
  /// `form` must be opened and outlive the dialog; `table` is the table the import writes into.
  ChannelListDialog(ChannelListImportForm& form, const ChannelTable& table,
                    QWidget* parent = nullptr);

  /// The rows: its model has a row per list entry and the columns Import (a check box), Location,
  /// Name, Frequency, Tone and Becomes.
  QTableView* rows() const { return rows_; }
  QCheckBox* by_location() const { return by_location_; }
  QSpinBox* first_channel() const { return first_; }
  QLabel* overwrite_summary() const { return summary_; }

 private:
  void PickAll(bool picked);
  void ShowOutcomes();

  ChannelListImportForm& form_;
  const ChannelTable& table_;
  ChannelListModel* model_ = nullptr;
  QTableView* rows_ = nullptr;
  QCheckBox* by_location_ = nullptr;
  QSpinBox* first_ = nullptr;
  QLabel* summary_ = nullptr;
};

}  // namespace talvirex
