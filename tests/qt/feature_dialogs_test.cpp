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
#include "main_window_fixture.h"
#include "widget_lookup.h"
#include "workspace.h"

namespace talvirex {
namespace {

using testing::Child;

using FeatureDialogsTest = testing::MainWindowFixture;

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
