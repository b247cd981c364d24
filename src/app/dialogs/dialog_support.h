// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Small pieces every dialog of the desktop program shares: text conversion between the core's
// UTF-8 and Qt, the key filters of entry fields, and the placement of a dialog when it opens.

#include <QObject>
#include <QString>
#include <Qt>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>

class QBoxLayout;
class QDialog;
class QGroupBox;
class QLineEdit;
class QPoint;
class QWidget;

namespace talvirex {

inline QString ToQt(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}
inline std::string FromQt(const QString& text) { return text.toStdString(); }

/// The key filter of an entry field: a typed character reaches the field only when `accepts`
/// takes its code. Keys that type nothing (arrows, Home, Delete), the keys that move between
/// controls or close the dialog (Tab, Escape) and the editing shortcuts (select all, copy, cut,
/// undo, redo) always pass; Enter and Backspace are typed characters (codes 13 and 8) and go
/// through the filter. A paste into a line edit (by its key or its menu) inserts the clipboard's
/// text without the characters `accepts` refuses and without control characters (a line break is
/// not a key).
class KeyFilter final : public QObject {
 public:
  using Accepts = std::function<bool(char32_t code)>;
  KeyFilter(Accepts accepts, QObject* parent) : QObject(parent), accepts_(std::move(accepts)) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Paste(QLineEdit* field) const;
  void ShowMenu(QLineEdit* field, const QPoint& where);

  Accepts accepts_;
};

/// Installs a KeyFilter on `field` (owned by it).
void InstallKeyFilter(QWidget* field, KeyFilter::Accepts accepts);

/// Calls `on_focus` whenever `field` receives the input focus.
void OnFocusIn(QWidget* field, std::function<void()> on_focus);
/// Calls `on_leave` whenever `field` loses the input focus.
void OnFocusOut(QWidget* field, std::function<void()> on_leave);

/// Places `dialog` at the centre of the screen that shows `parent` (or the primary screen).
/// Dialogs centred over the main window need nothing: Qt centres a dialog over its parent.
void CentreOnScreen(QWidget* dialog, QWidget* parent);

/// Widens the dialog's main layout (vertical) so that a window title bar shows the whole title
/// beside its buttons.
void KeepTitleVisible(QWidget* dialog, QBoxLayout* layout);

/// The confirming button `ok_caption` (object name "Command1", the default button, runs `on_ok`)
/// and "Cancel" ("Command2", rejects the dialog): a row pushed to the right, or for
/// `Qt::Vertical` a column pushed to the top. The caller adds the layout to the dialog.
QBoxLayout* OkCancelButtons(QDialog* dialog, const QString& ok_caption, std::function<void()> on_ok,
                            Qt::Orientation orientation);

/// Chains the keyboard focus through `controls` in the order given (Tab goes down the list).
void ChainTabOrder(std::initializer_list<QWidget*> controls);

/// A frame with a caption, as the dialogs group their controls.
QGroupBox* Frame(std::string_view caption, QWidget* parent = nullptr);

}  // namespace talvirex
