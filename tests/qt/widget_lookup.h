#pragma once
// Finding a dialog's controls by their object names in Qt tests; a missing control fails the test
// (the exception reaches GoogleTest) instead of crashing it.

#include <QObject>
#include <QString>
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

}  // namespace talvirex::testing
