// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/key_translation.h"

#include <QKeyEvent>

namespace talvirex {

namespace {

constexpr int kKeyEscape = 27;
constexpr int kKeyPageUp = 33;
constexpr int kKeyInsert = 45;
constexpr int kKeyF1 = 112;

// The Windows-1252 codes 128..159 hold these characters; the rest of the page is Latin-1.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

std::optional<int> Cp1252Code(char16_t unicode) {
  if (unicode < 0x80 || (unicode >= 0xA0 && unicode <= 0xFF)) return unicode;
  for (int i = 0; i < 32; ++i) {
    if (kCp1252High[i] != 0 && kCp1252High[i] == unicode) return 0x80 + i;
  }
  return std::nullopt;
}

int KeypadCode(int qt_key) {
  if (qt_key >= Qt::Key_0 && qt_key <= Qt::Key_9) return kKeyNumpad0 + (qt_key - Qt::Key_0);
  if (qt_key == Qt::Key_Plus) return kKeyNumpadAdd;
  if (qt_key == Qt::Key_Minus) return kKeyNumpadSubtract;
  if (qt_key == Qt::Key_Enter) return kKeyEnter;
  return kKeyNone;
}

}  // namespace

int KeyCodeOf(const QKeyEvent& event) {
  const int key = event.key();
  if (event.modifiers() & Qt::KeypadModifier) {
    if (const int code = KeypadCode(key); code != kKeyNone) return code;
  }
  if (key >= Qt::Key_A && key <= Qt::Key_Z) return 'A' + (key - Qt::Key_A);
  if (key >= Qt::Key_0 && key <= Qt::Key_9) return '0' + (key - Qt::Key_0);
  if (key >= Qt::Key_F1 && key <= Qt::Key_F12) return kKeyF1 + (key - Qt::Key_F1);
  switch (key) {
    case Qt::Key_Backspace: return kKeyBackspace;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return kKeyTab;
    case Qt::Key_Return:
    case Qt::Key_Enter: return kKeyEnter;
    case Qt::Key_Escape: return kKeyEscape;
    case Qt::Key_Space: return kKeySpace;
    case Qt::Key_PageUp: return kKeyPageUp;
    case Qt::Key_PageDown: return kKeyPageUp + 1;
    case Qt::Key_End: return kKeyPageUp + 2;
    case Qt::Key_Home: return kKeyPageUp + 3;
    case Qt::Key_Left: return kKeyPageUp + 4;
    case Qt::Key_Up: return kKeyPageUp + 5;
    case Qt::Key_Right: return kKeyPageUp + 6;
    case Qt::Key_Down: return kKeyPageUp + 7;
    case Qt::Key_Insert: return kKeyInsert;
    case Qt::Key_Delete: return kKeyDelete;
    default: return kKeyNone;
  }
}

KeyModifiers ModifiersOf(const QKeyEvent& event) {
  // Qt reports Shift+Tab as Backtab, sometimes without the Shift modifier.
  const bool shift = (event.modifiers() & Qt::ShiftModifier) || event.key() == Qt::Key_Backtab;
  return {shift, (event.modifiers() & Qt::ControlModifier) != 0};
}

std::optional<int> CharCodeOf(const QKeyEvent& event) {
  if (event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter) return kKeyEnter;
  if (event.key() == Qt::Key_Backspace) return kKeyBackspace;
  if (event.key() == Qt::Key_Tab || event.key() == Qt::Key_Backtab) return std::nullopt;
  if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) {
    return std::nullopt;
  }
  const QString text = event.text();
  if (text.size() != 1 || text[0].unicode() < 0x20 || text[0].unicode() == 0x7F) {
    return std::nullopt;
  }
  return Cp1252Code(text[0].unicode());
}

bool IsNavigationKey(const QKeyEvent& event) {
  switch (event.key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End: return true;
    default: return false;
  }
}

}  // namespace talvirex
