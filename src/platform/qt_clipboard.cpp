// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt_clipboard.h"

#include <QClipboard>
#include <QGuiApplication>

namespace talvirex {

std::string QtClipboard::GetText() { return QGuiApplication::clipboard()->text().toStdString(); }

void QtClipboard::SetText(const std::string& text) {
  QClipboard* clipboard = QGuiApplication::clipboard();
  clipboard->clear();
  clipboard->setText(QString::fromStdString(text));
}

}  // namespace talvirex
