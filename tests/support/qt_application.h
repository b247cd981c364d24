#pragma once
// The one QApplication of a Qt test program, made on first use and kept until the program ends.

#include <QApplication>

namespace talvirex::testing {

inline QApplication& TestApplication() {
  static int argc = 1;
  static char name[] = "qt_tests";
  static char* argv[] = {name, nullptr};
  static QApplication app(argc, argv);
  return app;
}

}  // namespace talvirex::testing
