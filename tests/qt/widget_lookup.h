#pragma once
// Finding a dialog's controls by their object names in Qt tests; a missing control fails the test
// (the exception reaches GoogleTest) instead of crashing it.

#include <QObject>
#include <QString>
#include <stdexcept>

namespace talvirex::testing {

template <typename T>
T& Child(const QObject& root, const QString& name) {
  T* child = root.findChild<T*>(name);
  if (child == nullptr) throw std::runtime_error("no control named " + name.toStdString());
  return *child;
}

}  // namespace talvirex::testing
