// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The printer behind the core's PrintSink: QPainter on a QPrinter at high resolution, printing to
// a real printer or into a PDF file. Twips become device pixels at the printer's resolution; a
// character column is the width of the digit "0" in the current font, a line is the font's line
// spacing. The job starts with its first output and ends with EndJob.

#include <QString>
#include <memory>
#include <optional>
#include <string>

#include "ports/print_sink.h"

class QPainter;
class QPrinter;
class QWidget;

namespace talvirex {

class QtPrintSink final : public PrintSink {
 public:
  /// Prints on the system's default printer.
  QtPrintSink();
  /// Prints into the PDF file at `pdf_path` (written when the job ends).
  explicit QtPrintSink(const QString& pdf_path);
  ~QtPrintSink() override;
  QtPrintSink(const QtPrintSink&) = delete;
  QtPrintSink& operator=(const QtPrintSink&) = delete;

  /// "Setup Printer": the platform's printer selection dialog; the chosen printer serves the next
  /// job. False when the user cancelled. Needs a QApplication.
  bool ChoosePrinter(QWidget* parent);
  /// False while the job would have nowhere to go: no printer is installed or chosen and no file
  /// was given.
  bool HasDestination() const;

  int PageWidth() const override;
  int PageHeight() const override;
  void SetOrigin(int x, int y) override;
  void SetFont(std::string_view family, double points) override;
  void TextAt(int column, std::string_view text) override;
  void NewLine() override;
  void MoveDown(int twips) override;
  void MoveTo(int y) override;
  void Line(int x1, int x2) override;
  void NewPage() override;
  void EndJob() override;
  std::optional<PrintFailure> TakeFailure() override;

 private:
  /// Begins the job on first use; false when it cannot (the failure is then recorded once).
  bool Started();
  double ToDevice(double twips) const;
  double ColumnTwips() const;
  double LineTwips() const;
  void Fail(int code, std::string description);

  std::unique_ptr<QPrinter> printer_;
  std::unique_ptr<QPainter> painter_;
  QString family_ = QStringLiteral("Arial");
  double points_ = 8.25;
  double origin_x_ = 0, origin_y_ = 0;  // twips from the page's corner
  double y_ = 0;                        // print position, twips below the origin
  bool job_failed_ = false;             // output is dropped until the job ends
  std::optional<PrintFailure> failure_;
};

/// Today's date in the platform's short date form, for the page heading.
std::string ShortDateToday();

}  // namespace talvirex
