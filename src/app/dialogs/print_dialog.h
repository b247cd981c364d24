#pragma once
// `printie`, "Let's Print...": the window of PrintForm. Modal, centred over the main window.
// "Setup Printer" shows the platform's printer selection dialog (where "Print to PDF" is one of
// the printers); "Print" prints and closes.
//
// Printing reads the channel table: the main window commits the grid (`CommitBank`) first.

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
  /// Prints on `printer`; without one, on the system's default printer.
  PrintDialog(const Workspace& workspace, Ui& ui, QWidget* parent = nullptr,
              std::unique_ptr<QtPrintSink> printer = nullptr);
  ~PrintDialog() override;

  /// Menu "&Print..." and the toolbar's print button: shows the dialog modally. True when it
  /// printed.
  static bool Run(const Workspace& workspace, Ui& ui, QWidget* parent);

 private:
  void Print();

  const Workspace& workspace_;
  Ui& ui_;
  PrintForm form_;
  std::unique_ptr<QtPrintSink> printer_;
};

}  // namespace talvirex
