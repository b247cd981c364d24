// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// `expcsvd`, "Export CSV data": the window of ExportCsvForm. Modal, centred over the main window.
// "Ok" asks for the file and writes it, closing the dialog when the export ran to its end; the
// dialog stays open when the user cancels the file dialog or the file cannot be written, so the
// export runs from the button rather than after the dialog.
//
// The export reads the channel table: the main window's logic commits the grid (`CommitBank`)
// and opens the form before the dialog shows.

#include <QDialog>

#include "files/csv_export.h"

class QRadioButton;

namespace talvirex {

struct Workspace;
class Ui;

class CsvExportDialog final : public QDialog {
 public:
  /// `form` must be open and outlive the dialog; "Ok" exports `workspace` through it.
  CsvExportDialog(ExportCsvForm& form, const Workspace& workspace, Ui& ui,
                  QWidget* parent = nullptr);

 private:
  void Ok();

  ExportCsvForm& form_;
  const Workspace& workspace_;
  Ui& ui_;
  QRadioButton* all_banks_ = nullptr;
};

}  // namespace talvirex
