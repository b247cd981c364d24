// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// `printie`, "Let's Print...": the window of PrintForm. Modal, centred over the main window.
// "Setup Printer" shows the platform's printer selection dialog (where "Print to PDF" is one of
// the printers); "Print" prints and closes. The dialog stays open when no printer was chosen, so
// the printing runs from the button rather than after the dialog.
//
// Printing reads the channel table: the main window's logic commits the grid (`CommitBank`) and
// opens the form before the dialog shows.

#include <QDialog>
#include <memory>

#include "files/print_form.h"
#include "platform/qt_print_sink.h"

class QRadioButton;

namespace talvirex {

struct Workspace;
class Ui;

class PrintDialog final : public QDialog {
 public:
  /// `form` must be open and outlive the dialog; "Print" prints `workspace` through it on
  /// `printer`, without one on the system's default printer.
  PrintDialog(PrintForm& form, const Workspace& workspace, Ui& ui, QWidget* parent = nullptr,
              std::unique_ptr<QtPrintSink> printer = nullptr);
  ~PrintDialog() override;

 private:
  void Print();

  PrintForm& form_;
  const Workspace& workspace_;
  Ui& ui_;
  std::unique_ptr<QtPrintSink> printer_;
};

}  // namespace talvirex
