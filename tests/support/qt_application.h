#pragma once
// The one QApplication of a Qt test program, made on first use and kept until the program ends.

#include <QApplication>

namespace talvirex::testing {

inline QApplication& TestApplication() {
  static int argc = 1;
  static char name[] = "qt_tests";
  static char* argv[] = {name, nullptr};
  // Kept until the process ends and never destroyed: a QApplication torn down among the exit
  // handlers runs Qt's clean-up after plugin statics (the SVG icon engine's) are gone, and crashes.
  static QApplication* app = new QApplication(argc, argv);
  return *app;
}

}  // namespace talvirex::testing
