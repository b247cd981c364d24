// The dialogs opened from the real main window's commands through FeatureDialogs: the modal dialog
// is answered by a timer, as a user would click it, and the window shows the result.

#include "app/dialogs/feature_dialogs.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <cstdlib>
#include <functional>
#include <gtest/gtest.h>

#include "app/main_window.h"
#include "support/fake_ports.h"
#include "support/qt_application.h"
#include "support/temp_dir.h"
#include "widget_lookup.h"
#include "workspace.h"

namespace talvirex {
namespace {

using testing::Child;

class FeatureDialogsTest : public ::testing::Test {
 protected:
  FeatureDialogsTest() {
    testing::TestApplication();
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

  // Runs `command`; its modal dialog is handed to `answer` once it shows.
  void RunAnswering(CommandId command, std::function<void(QDialog&)> answer) {
    bool answered = false;
    QTimer::singleShot(0, [&] {
      auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
      if (dialog == nullptr) return;
      answered = true;
      answer(*dialog);
    });
    window_->RunCommand(command);
    EXPECT_TRUE(answered) << "no modal dialog opened";
  }

  testing::TempDir home_;
  testing::ScriptedUi ui_;
  testing::FakeClipboard clipboard_;
  testing::FakeClock clock_;
  FeatureDialogs dialogs_;
  std::unique_ptr<MainWindow> window_;
};

TEST_F(FeatureDialogsTest, BankTagsFromTheMenuRenameTheTabs) {
  RunAnswering(CommandId::kBankTags, [](QDialog& dialog) {
    Child<QLineEdit>(dialog, "Text1_2").setText("Fire");
    Child<QPushButton>(dialog, "Ok").click();
  });
  EXPECT_EQ(window_->workspace().bank_names[2], "Fire");
  EXPECT_EQ(window_->tabs()->tabText(2), "3: Fire");
  EXPECT_EQ(window_->tabs()->tabText(10), "D: Dummy");
}

TEST_F(FeatureDialogsTest, EasyFillFromTheMenuShowsTheFilledChannelsAndCanBeUndone) {
  RunAnswering(CommandId::kEasyFill, [](QDialog& dialog) {
    Child<QLineEdit>(dialog, "Text2").setText("2");
    Child<QCheckBox>(dialog, "Box_0").setChecked(true);
    Child<QPushButton>(dialog, "Ok").click();
  });
  const auto* model = window_->grid()->model();
  EXPECT_EQ(model->index(0, 0).data().toString().trimmed(), "406.0000");
  EXPECT_EQ(model->index(1, 0).data().toString().trimmed(), "406.0125");
  window_->RunCommand(CommandId::kUndo);
  EXPECT_EQ(model->index(1, 0).data().toString().trimmed(), "");
}

}  // namespace
}  // namespace talvirex
