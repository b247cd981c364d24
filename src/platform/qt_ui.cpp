// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt_ui.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QStringList>
#include <QUrl>

namespace talvirex {

namespace {

constexpr const char* kApplicationTitle = "TALVIREX";

QMessageBox::Icon QtIcon(Icon icon) {
  switch (icon) {
    case Icon::kInformation: return QMessageBox::Information;
    case Icon::kQuestion: return QMessageBox::Question;
    case Icon::kWarning: return QMessageBox::Warning;
    case Icon::kCritical: return QMessageBox::Critical;
    case Icon::kNone: break;
  }
  return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons QtButtons(Buttons buttons) {
  switch (buttons) {
    case Buttons::kOk: return QMessageBox::Ok;
    case Buttons::kOkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
    case Buttons::kYesNo: return QMessageBox::Yes | QMessageBox::No;
    case Buttons::kYesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
  }
  return QMessageBox::Ok;
}

// Closing the box without a button (Escape, the window's close box) gives the answer that
// changes nothing.
Answer FromQt(int button, Buttons offered) {
  switch (button) {
    case QMessageBox::Ok: return Answer::kOk;
    case QMessageBox::Yes: return Answer::kYes;
    case QMessageBox::No: return Answer::kNo;
    default: return offered == Buttons::kYesNo ? Answer::kNo : Answer::kCancel;
  }
}

}  // namespace

QString QtFileFilter(const std::string& pairs) {
  const QStringList parts = QString::fromStdString(pairs).split('|');
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    filters << QStringLiteral("%1 (%2)").arg(parts[i], QString(parts[i + 1]).replace(';', ' '));
  }
  return filters.join(QStringLiteral(";;"));
}

Answer QtUi::Ask(const Message& message) {
  QString text = QString::fromStdString(message.text);
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  const QString title =
      message.title.empty() ? QString(kApplicationTitle) : QString::fromStdString(message.title);
  QMessageBox box(QtIcon(message.icon), title, text, QtButtons(message.buttons), parent_);
  return FromQt(box.exec(), message.buttons);
}

std::optional<std::string> QtUi::OpenFile(const FileDialog& dialog) {
  const QString path =
      QFileDialog::getOpenFileName(parent_, QString(), QString::fromStdString(dialog.proposed_name),
                                   QtFileFilter(dialog.filter));
  if (path.isEmpty()) return std::nullopt;
  return path.toStdString();
}

std::optional<std::string> QtUi::SaveFile(const FileDialog& dialog) {
  const auto options =
      dialog.confirm_overwrite ? QFileDialog::Options() : QFileDialog::DontConfirmOverwrite;
  const QString path =
      QFileDialog::getSaveFileName(parent_, QString(), QString::fromStdString(dialog.proposed_name),
                                   QtFileFilter(dialog.filter), nullptr, options);
  if (path.isEmpty()) return std::nullopt;
  return path.toStdString();
}

void QtUi::Beep() { QApplication::beep(); }

void QtUi::SetBusy(bool busy) {
  // Nested busy sections (a command calling another) restore the pointer only at the outermost.
  if (busy) {
    if (busy_depth_++ == 0) QApplication::setOverrideCursor(Qt::WaitCursor);
  } else if (busy_depth_ > 0 && --busy_depth_ == 0) {
    QApplication::restoreOverrideCursor();
  }
}

void QtUi::ShowProgress(int value, int maximum) {
  if (on_progress) on_progress(value, maximum);
}

void QtUi::SetStatus(const std::string& text) {
  if (on_status) on_status(QString::fromStdString(text));
}

bool QtUi::OpenDocument(const std::string& path) {
  return QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(path)));
}

}  // namespace talvirex
