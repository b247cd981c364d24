#pragma once
// `expcsvd`, "Export CSV data": the window of ExportCsvForm. Modal, centred over the main window.
// "Ok" asks for the file and writes it, closing the dialog when the export ran to its end; the
// dialog stays open when the user cancels the file dialog or the file cannot be written.
//
// The export reads the channel table: the main window commits the grid (`CommitBank`) first.

#include <QDialog>

#include "files/csv_export.h"

class QRadioButton;

namespace talvirex {

struct Workspace;
class Ui;

class CsvExportDialog final : public QDialog {
 public:
  CsvExportDialog(const Workspace& workspace, Ui& ui, QWidget* parent = nullptr);

  /// Menu "&Export CSV Data": shows the dialog modally. True when a file was written.
  static bool Run(const Workspace& workspace, Ui& ui, QWidget* parent);

 private:
  void Ok();

  const Workspace& workspace_;
  Ui& ui_;
  ExportCsvForm form_;
  QRadioButton* all_banks_ = nullptr;
};

}  // namespace talvirex
