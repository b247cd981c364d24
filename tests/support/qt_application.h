// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one QApplication of a Qt test program, made on first use and destroyed when the last test
// has run. It must go before the program's exit handlers: torn down among them, its clean-up
// would run after the statics of Qt's plugins (the SVG icon engine's) were already gone.

#include <QApplication>
#include <gtest/gtest.h>

namespace talvirex::testing {

inline QApplication& TestApplication() {
  static int argc = 1;
  static char name[] = "qt_tests";
  static char* argv[] = {name, nullptr};
  static QApplication* app = nullptr;
  if (app == nullptr) {
    app = new QApplication(argc, argv);
    // Google Test tears its environments down once every test has run, before `main` returns.
    struct Teardown final : ::testing::Environment {
      void TearDown() override {
        delete app;
        app = nullptr;
      }
    };
    ::testing::AddGlobalTestEnvironment(new Teardown);
  }
  return *app;
}

}  // namespace talvirex::testing
