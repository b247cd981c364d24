// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/dialogs/dialog_support.h"

#include <QAction>
#include <QBoxLayout>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDialog>
#include <QEvent>
#include <QFontMetrics>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QWidget>

namespace talvirex {

namespace {

// Keys whose text is not typed into the field: they act on the dialog or only move the cursor.
bool PassesUnfiltered(const QKeyEvent& key) {
  switch (key.key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Escape:
    case Qt::Key_Delete: return true;
    default: return key.text().isEmpty();
  }
}

// The editing shortcuts of a field act on its text rather than type a character: select all,
// copy, cut, undo and redo pass; a paste is filtered as typing would be (below).
bool IsEditingShortcut(const QKeyEvent& key) {
  for (const auto shortcut : {QKeySequence::SelectAll, QKeySequence::Copy, QKeySequence::Cut,
                              QKeySequence::Undo, QKeySequence::Redo}) {
    if (key.matches(shortcut)) return true;
  }
  return false;
}

QString KeptOfPaste(const QString& text, const KeyFilter::Accepts& accepts) {
  QString kept;
  for (const char32_t code : text.toUcs4()) {
    // Line breaks and tabs in a pasted text are not keys: a field keeps one line of characters.
    if (code < 0x20 || code == 0x7f || !accepts(code)) continue;
    kept.append(QString::fromUcs4(&code, 1));
  }
  return kept;
}

// Newer Qt names the entries of a field's menu; Qt 6.4 knows its Paste by the caption alone.
bool IsPasteEntry(const QAction& action) {
  return action.objectName() == QStringLiteral("edit-paste") ||
         action.text().startsWith(QLineEdit::tr("&Paste") + u'\t');
}

class FocusWatcher final : public QObject {
 public:
  FocusWatcher(QEvent::Type type, std::function<void()> on_event, QObject* parent)
      : QObject(parent), type_(type), on_event_(std::move(on_event)) {}

 protected:
  bool eventFilter(QObject* /*watched*/, QEvent* event) override {
    if (event->type() == type_) on_event_();
    return false;
  }

 private:
  QEvent::Type type_;
  std::function<void()> on_event_;
};

void CentreIn(QWidget* dialog, const QRect& area) {
  dialog->adjustSize();
  QRect frame = dialog->frameGeometry();
  frame.moveCenter(area.center());
  dialog->move(frame.topLeft());
}

}  // namespace

void KeyFilter::Paste(QLineEdit* field) const {
  if (!field->isReadOnly())
    field->insert(KeptOfPaste(QGuiApplication::clipboard()->text(), accepts_));
}

// The field's own menu, its Paste filtered as the key is.
void KeyFilter::ShowMenu(QLineEdit* field, const QPoint& where) {
  QMenu* menu = field->createStandardContextMenu();
  menu->setAttribute(Qt::WA_DeleteOnClose);
  for (QAction* action : menu->actions()) {
    if (!IsPasteEntry(*action)) continue;
    disconnect(action, &QAction::triggered, nullptr, nullptr);
    connect(action, &QAction::triggered, field, [this, field] { Paste(field); });
  }
  menu->popup(where);
}

bool KeyFilter::eventFilter(QObject* watched, QEvent* event) {
  auto* field = qobject_cast<QLineEdit*>(watched);
  if (field != nullptr && event->type() == QEvent::ContextMenu) {
    ShowMenu(field, static_cast<const QContextMenuEvent&>(*event).globalPos());
    return true;
  }
  if (event->type() != QEvent::KeyPress) return false;
  const auto& key = static_cast<const QKeyEvent&>(*event);
  // Shift+Insert types nothing and Ctrl+V may bring a control character: a paste is known by its
  // shortcut before the key's text is looked at.
  if (field != nullptr && key.matches(QKeySequence::Paste)) {
    Paste(field);  // inserted as one edit, so that Undo takes the whole paste back
    return true;
  }
  if (PassesUnfiltered(key) || IsEditingShortcut(key)) return false;
  const QList<uint> codes = key.text().toUcs4();
  for (const uint code : codes) {
    if (!accepts_(static_cast<char32_t>(code))) return true;  // discarded
  }
  return false;
}

void InstallKeyFilter(QWidget* field, KeyFilter::Accepts accepts) {
  field->installEventFilter(new KeyFilter(std::move(accepts), field));
}

void OnFocusIn(QWidget* field, std::function<void()> on_focus) {
  field->installEventFilter(new FocusWatcher(QEvent::FocusIn, std::move(on_focus), field));
}

void OnFocusOut(QWidget* field, std::function<void()> on_leave) {
  field->installEventFilter(new FocusWatcher(QEvent::FocusOut, std::move(on_leave), field));
}

void CentreOnScreen(QWidget* dialog, QWidget* parent) {
  QScreen* screen = parent != nullptr ? parent->screen() : QGuiApplication::primaryScreen();
  if (screen != nullptr) CentreIn(dialog, screen->availableGeometry());
}

void KeepTitleVisible(QWidget* dialog, QBoxLayout* layout) {
  constexpr int kTitleBarButtons = 110;  // pixels for the close box and the margins
  QFont title_font = dialog->font();
  title_font.setBold(true);
  layout->addStrut(QFontMetrics(title_font).horizontalAdvance(dialog->windowTitle()) +
                   kTitleBarButtons);
}

void ChainTabOrder(std::initializer_list<QWidget*> controls) {
  QWidget* previous = nullptr;
  for (QWidget* control : controls) {
    if (previous != nullptr) QWidget::setTabOrder(previous, control);
    previous = control;
  }
}

QGroupBox* Frame(std::string_view caption, QWidget* parent) {
  return new QGroupBox(ToQt(caption), parent);
}

QBoxLayout* OkCancelButtons(QDialog* dialog, const QString& ok_caption, std::function<void()> on_ok,
                            Qt::Orientation orientation) {
  auto* ok = new QPushButton(ok_caption, dialog);
  ok->setObjectName(QStringLiteral("Command1"));
  ok->setDefault(true);
  auto* cancel = new QPushButton(QStringLiteral("Cancel"), dialog);
  cancel->setObjectName(QStringLiteral("Command2"));
  QObject::connect(ok, &QPushButton::clicked, dialog, std::move(on_ok));
  QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
  const bool row = orientation == Qt::Horizontal;
  QBoxLayout* buttons = row ? static_cast<QBoxLayout*>(new QHBoxLayout) : new QVBoxLayout;
  if (row) buttons->addStretch();
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  if (!row) buttons->addStretch();
  return buttons;
}

}  // namespace talvirex
