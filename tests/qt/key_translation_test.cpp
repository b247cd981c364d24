#include "app/key_translation.h"

#include <QKeyEvent>
#include <gtest/gtest.h>

#include "support/qt_application.h"

namespace talvirex {
namespace {

// Key events belong to the application's keyboard device.
QKeyEvent Key(int key, Qt::KeyboardModifiers modifiers = {}, const QString& text = {}) {
  testing::TestApplication();
  return QKeyEvent(QEvent::KeyPress, key, modifiers, text);
}

TEST(KeyTranslation, KeyCodesAreTheCellEditorsNumbering) {
  struct Case {
    int key;
    Qt::KeyboardModifiers modifiers;
    int code;
  };
  const Case cases[] = {
      {Qt::Key_U, Qt::ControlModifier, 'U'},
      {Qt::Key_7, {}, '7'},
      {Qt::Key_1, Qt::KeypadModifier, kKeyNumpad1},
      {Qt::Key_Plus, Qt::KeypadModifier, kKeyNumpadAdd},
      {Qt::Key_Minus, Qt::KeypadModifier, kKeyNumpadSubtract},
      {Qt::Key_Enter, Qt::KeypadModifier, kKeyEnter},
      {Qt::Key_Return, {}, kKeyEnter},
      {Qt::Key_Backtab, Qt::ShiftModifier, kKeyTab},
      {Qt::Key_Space, {}, kKeySpace},
      {Qt::Key_Delete, {}, kKeyDelete},
      {Qt::Key_Backspace, {}, kKeyBackspace},
      // Qt numbers the full stop 46, the cell editor's Delete: it must not arrive as Delete.
      {Qt::Key_Period, {}, kKeyNone},
      {Qt::Key_Minus, {}, kKeyNone},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.key);
    EXPECT_EQ(KeyCodeOf(Key(c.key, c.modifiers)), c.code);
  }
  EXPECT_TRUE(ModifiersOf(Key(Qt::Key_Backtab)).shift);
  EXPECT_TRUE(ModifiersOf(Key(Qt::Key_D, Qt::ControlModifier)).ctrl);
}

TEST(KeyTranslation, TypedCharactersAreWindows1252Codes) {
  EXPECT_EQ(CharCodeOf(Key(Qt::Key_Period, {}, ".")), 46);
  EXPECT_EQ(CharCodeOf(Key(Qt::Key_Return, {}, "\r")), kKeyEnter);
  EXPECT_EQ(CharCodeOf(Key(Qt::Key_unknown, {}, QString(QChar(0x00E9)))), 0xE9);
  EXPECT_EQ(CharCodeOf(Key(Qt::Key_unknown, {}, QString(QChar(0x20AC)))), 0x80);  // euro sign
  EXPECT_EQ(CharCodeOf(Key(Qt::Key_unknown, {}, QString(QChar(0x0416)))), std::nullopt);
  EXPECT_EQ(CharCodeOf(Key(Qt::Key_C, Qt::ControlModifier, "\x03")), std::nullopt);
  EXPECT_EQ(CharCodeOf(Key(Qt::Key_Left)), std::nullopt);
  EXPECT_TRUE(IsNavigationKey(Key(Qt::Key_PageDown)));
  EXPECT_FALSE(IsNavigationKey(Key(Qt::Key_Delete)));
}

}  // namespace
}  // namespace talvirex
