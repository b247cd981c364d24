// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A real main window with a scripted Ui and a program folder of its own, for the tests that drive
// the window, its dialogs and its transfer window as a user would.

#include <QApplication>
#include <QDialog>
#include <QTableView>
#include <QTest>
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
  }

  // Opens (or opens again) the window; its commands' dialogs come from `dialogs`, the desktop's
  // own by default.
  void Open(DialogLauncher* dialogs = nullptr, MainWindowHooks hooks = {}) {
    MainWindowOptions options;
    options.folders = {home_.path(), install_.empty() ? home_.path() : install_};
    options.hooks = std::move(hooks);
    options.ui = &ui_;
    options.clipboard = &clipboard_;
    options.clock = &clock_;
    options.splash = false;
    options.dialogs = dialogs != nullptr ? dialogs : &dialogs_;
    options.backup_tick = backup_tick_;
    window_ = std::make_unique<MainWindow>(std::move(options));
    window_->Start();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
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

  QTableView& Grid() { return *window_->grid(); }
  // The text the grid shows in channel row 1..20, column 1..7.
  QString Cell(int row, int column) {
    return Grid().model()->index(row - 1, column - 1).data().toString();
  }
  void ClickCell(int row, int column) {
    const QRect rect = Grid().visualRect(Grid().model()->index(row - 1, column - 1));
    QTest::mouseClick(Grid().viewport(), Qt::LeftButton, {}, rect.center());
  }
  void TypeFrequency(int row, const QString& text) {
    ClickCell(row, 1);
    QTest::keyClicks(&Grid(), text);
    QTest::keyClick(&Grid(), Qt::Key_Return);
  }

  TempDir home_;
  std::chrono::milliseconds backup_tick_{60 * 1000};
  std::filesystem::path install_;  // the program's own folder (manual, help); empty: `home_`
  ScriptedUi ui_;
  FakeClipboard clipboard_;
  FakeClock clock_;
  FeatureDialogs dialogs_;
  std::unique_ptr<MainWindow> window_;
};

}  // namespace talvirex::testing
