// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Names for screen readers where no caption beside a control is linked as its label.

#include <QString>

class QPrintDialog;
class QWidget;

namespace talvirex {

/// Gives `control` the name a screen reader speaks for it. Qt on Linux names a list (QComboBox)
/// by its chosen entry and speaks a label only through a QLabel whose buddy the list is; such a
/// list also gets a label of that text that is never shown.
void NameForScreenReaders(QWidget* control, const QString& name);

/// Names the controls of the desktop's printer dialog that it leaves unnamed (the page range
/// fields, the file chooser, the page set).
void NamePrinterDialogControls(QPrintDialog& dialog);

}  // namespace talvirex
