// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt_print_sink.h"

#include <QDate>
#include <QFont>
#include <QFontMetricsF>
#include <QLocale>
#include <QPageLayout>
#include <QPainter>
#include <QPen>
#include <QPrintDialog>
#include <QPrinter>
#include <cmath>

#include "platform/screen_reader_names.h"

namespace talvirex {

namespace {

constexpr double kTwipsPerInch = 1440.0;
constexpr double kTwipsPerMm = kTwipsPerInch / 25.4;
constexpr int kCannotStart = 482;
constexpr int kPageFailed = 483;

QString FromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

QtPrintSink::QtPrintSink() : printer_(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
  printer_->setFullPage(true);
}

QtPrintSink::QtPrintSink(const QString& pdf_path) : QtPrintSink() {
  printer_->setOutputFormat(QPrinter::PdfFormat);
  printer_->setOutputFileName(pdf_path);
  printer_->setCreator(QStringLiteral("TALVIREX"));
}

QtPrintSink::~QtPrintSink() {
  if (painter_ && painter_->isActive()) painter_->end();
}

bool QtPrintSink::ChoosePrinter(QWidget* parent) {
  QPrintDialog dialog(printer_.get(), parent);
  NamePrinterDialogControls(dialog);
  const bool chosen = dialog.exec() == QDialog::Accepted;
  printer_->setFullPage(true);
  return chosen;
}

bool QtPrintSink::HasDestination() const {
  return !printer_->printerName().isEmpty() || !printer_->outputFileName().isEmpty();
}

int QtPrintSink::PageWidth() const {
  const QRectF page = printer_->pageLayout().fullRect(QPageLayout::Millimeter);
  return static_cast<int>(std::lround(page.width() * kTwipsPerMm));
}

int QtPrintSink::PageHeight() const {
  const QRectF page = printer_->pageLayout().fullRect(QPageLayout::Millimeter);
  return static_cast<int>(std::lround(page.height() * kTwipsPerMm));
}

void QtPrintSink::SetOrigin(int x, int y) {
  origin_x_ = x;
  origin_y_ = y;
  y_ = 0;
}

void QtPrintSink::SetFont(std::string_view family, double points) {
  family_ = FromUtf8(family);
  points_ = points;
  if (painter_) {
    QFont font(family_);
    font.setPointSizeF(points_);
    painter_->setFont(font);
  }
}

bool QtPrintSink::Started() {
  if (job_failed_) return false;
  if (painter_ && painter_->isActive()) return true;
  painter_ = std::make_unique<QPainter>();
  if (!painter_->begin(printer_.get())) {
    job_failed_ = true;
    const QString target =
        printer_->outputFileName().isEmpty() ? printer_->printerName() : printer_->outputFileName();
    Fail(kCannotStart, "The print job could not be started on " + target.toStdString() + ".");
    return false;
  }
  SetFont(family_.toStdString(), points_);
  return true;
}

double QtPrintSink::ToDevice(double twips) const {
  return twips * printer_->resolution() / kTwipsPerInch;
}

double QtPrintSink::ColumnTwips() const {
  const QFontMetricsF metrics(painter_->font(), printer_.get());
  return metrics.horizontalAdvance(QLatin1Char('0')) * kTwipsPerInch / printer_->resolution();
}

double QtPrintSink::LineTwips() const {
  const QFontMetricsF metrics(painter_->font(), printer_.get());
  return metrics.lineSpacing() * kTwipsPerInch / printer_->resolution();
}

void QtPrintSink::TextAt(int column, std::string_view text) {
  if (!Started()) return;
  const double x = origin_x_ + (std::max(column, 1) - 1) * ColumnTwips();
  const QFontMetricsF metrics(painter_->font(), printer_.get());
  const double baseline = ToDevice(origin_y_ + y_) + metrics.ascent();
  painter_->drawText(QPointF(ToDevice(x), baseline), FromUtf8(text));
}

void QtPrintSink::NewLine() {
  if (!Started()) return;
  y_ += LineTwips();
}

void QtPrintSink::MoveDown(int twips) { y_ += twips; }

void QtPrintSink::MoveTo(int y) { y_ = y; }

void QtPrintSink::Line(int x1, int x2) {
  if (!Started()) return;
  const double y = ToDevice(origin_y_ + y_);
  painter_->save();
  painter_->setPen(QPen(Qt::black, 0));
  painter_->drawLine(QPointF(ToDevice(origin_x_ + x1), y), QPointF(ToDevice(origin_x_ + x2), y));
  painter_->restore();
}

void QtPrintSink::NewPage() {
  if (!Started()) return;
  if (!printer_->newPage()) Fail(kPageFailed, "The printer could not start a new page.");
  y_ = 0;
}

void QtPrintSink::EndJob() {
  const bool was_printing = painter_ && painter_->isActive();
  const bool ended = !was_printing || painter_->end();
  painter_.reset();
  job_failed_ = false;
  if (!ended) Fail(kPageFailed, "The printer could not finish the job.");
}

void QtPrintSink::Fail(int code, std::string description) {
  if (!failure_) failure_ = PrintFailure{code, std::move(description)};
}

std::optional<PrintFailure> QtPrintSink::TakeFailure() {
  auto failure = std::move(failure_);
  failure_.reset();
  return failure;
}

std::string ShortDateToday() {
  return QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat).toStdString();
}

}  // namespace talvirex
