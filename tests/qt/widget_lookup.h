// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Finding a dialog's controls by their object names in Qt tests (a missing control fails the test:
// the exception reaches GoogleTest instead of crashing it), and using them as a user does.

#include <QLineEdit>
#include <QObject>
#include <QString>
#include <QTest>
#include <gtest/gtest.h>
#include <ostream>
#include <stdexcept>

// GoogleTest shows a QString that fails a comparison as its text.
inline void PrintTo(const QString& text, std::ostream* out) {
  *out << '"' << text.toStdString() << '"';
}

namespace talvirex::testing {

template <typename T>
T& Child(const QObject& root, const QString& name) {
  T* child = root.findChild<T*>(name);
  if (child == nullptr) throw std::runtime_error("no control named " + name.toStdString());
  return *child;
}

/// Shows a window and makes it the active one, so that focus moves and typing reach its fields.
inline void Activate(QWidget& window) {
  window.show();
  EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
  window.activateWindow();
  EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
}

/// Replaces what a field holds by typing `text` into it.
inline void Retype(QLineEdit& field, const char* text) {
  field.setFocus();
  field.selectAll();
  QTest::keyClicks(&field, text);
}

}  // namespace talvirex::testing
