#pragma once
// A real main window with the desktop's dialogs, a scripted Ui and a program folder of its own,
// for the tests that drive a dialog from the window's commands.

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

#include "app/dialogs/feature_dialogs.h"
#include "app/main_window.h"
#include "support/fake_ports.h"
#include "support/qt_application.h"
#include "support/temp_dir.h"

namespace talvirex::testing {

class MainWindowFixture : public ::testing::Test {
 protected:
  MainWindowFixture() {
    TestApplication();
    setenv("TALVIREX_HOME", home_.path().c_str(), 1);
    MainWindowOptions options;
    options.folders = {home_.path(), home_.path()};
    options.ui = &ui_;
    options.clipboard = &clipboard_;
    options.clock = &clock_;
    options.splash = false;
    options.dialogs = &dialogs_;
    window_ = std::make_unique<MainWindow>(std::move(options));
    window_->Start();
  }

  // Runs `command`; its modal dialog is handed to `answer` once it shows, and closed afterwards
  // if the answer left it open, so a test never hangs.
  void RunAnswering(CommandId command, std::function<void(QDialog&)> answer) {
    bool answered = false;
    QTimer::singleShot(0, [&] {
      auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
      if (dialog == nullptr) return;
      answered = true;
      answer(*dialog);
      if (dialog->isVisible()) dialog->reject();
    });
    window_->RunCommand(command);
    EXPECT_TRUE(answered) << "no modal dialog opened";
  }

  TempDir home_;
  ScriptedUi ui_;
  FakeClipboard clipboard_;
  FakeClock clock_;
  FeatureDialogs dialogs_;
  std::unique_ptr<MainWindow> window_;
};

}  // namespace talvirex::testing
