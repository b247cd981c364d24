// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/screen_reader_names.h"

#include <QComboBox>
#include <QLabel>
#include <QPrintDialog>

namespace talvirex {

void NameForScreenReaders(QWidget* control, const QString& name) {
  control->setAccessibleName(name);
  if (qobject_cast<QComboBox*>(control) == nullptr) return;
  auto* label = new QLabel(name, control->parentWidget());
  label->setObjectName(control->objectName() + QStringLiteral("_name"));
  label->setBuddy(control);
  label->hide();
}

void NamePrinterDialogControls(QPrintDialog& dialog) {
  const std::pair<const char*, const char*> names[] = {
      {"fileBrowser", "Choose output file"}, {"from", "From page"}, {"to", "To page"},
      {"pageSetCombo", "Page set"},          {"tabs", "Options"},
  };
  for (const auto& [object, name] : names) {
    if (auto* control = dialog.findChild<QWidget*>(QString::fromLatin1(object))) {
      NameForScreenReaders(control, QString::fromLatin1(name));
    }
  }
}

}  // namespace talvirex
