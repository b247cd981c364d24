#include <QAbstractButton>
#include <QAbstractItemModelTester>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <gtest/gtest.h>

#include "platform/grid_model.h"
#include "platform/qt_clipboard.h"
#include "platform/qt_ui.h"
#include "support/qt_application.h"

namespace talvirex {
namespace {

QApplication& App() { return testing::TestApplication(); }

TEST(GridModel, ShowsTheCoreGridAndPassesTheModelTester) {
  App();
  Grid grid;
  grid.Cell(0, 1) = "Freq. (MHz)";
  grid.Cell(3, 0) = "43";
  grid.Cell(3, 2) = "Tower";
  GridModel model(grid);
  QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
  EXPECT_EQ(model.data(model.index(2, 1)).toString(), "Tower");
  EXPECT_EQ(model.headerData(0, Qt::Horizontal).toString(), "Freq. (MHz)");
  EXPECT_EQ(model.headerData(2, Qt::Vertical).toString(), "43");
  model.SetAlignment(GridAlignment::kRight);
  const auto alignment = model.data(model.index(0, 0), Qt::TextAlignmentRole);
  EXPECT_TRUE(alignment.value<Qt::Alignment>() & Qt::AlignRight);
}

TEST(QtUi, FileFiltersBecomeQtFilters) {
  EXPECT_EQ(QtFileFilter("TALVIR Files|*.s2c|All Files|*.*"),
            "TALVIR Files (*.s2c);;All Files (*.*)");
}

TEST(QtUi, MessageBoxesCarryTheTitleButtonsAndAnswer) {
  App();
  QtUi ui;
  QString seen_title, seen_text;
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    seen_title = box->windowTitle();
    seen_text = box->text();
    box->button(QMessageBox::No)->click();
  });
  const Answer answer = ui.Ask({"This will clear your table.\r\nSave data?", "Warning",
                                Buttons::kYesNoCancel, Icon::kCritical});
  EXPECT_EQ(answer, Answer::kNo);
  EXPECT_EQ(seen_title, "Warning");
  EXPECT_EQ(seen_text, "This will clear your table.\nSave data?");

  QTimer::singleShot(0, [] { QApplication::activeModalWidget()->close(); });
  EXPECT_EQ(ui.Ask({"Sure?", " ", Buttons::kYesNo, Icon::kQuestion}), Answer::kNo);
}

TEST(QtClipboard, RoundTripsText) {
  App();
  QtClipboard clipboard;
  clipboard.SetText("145.5000\tTower\r\n");
  EXPECT_EQ(clipboard.GetText(), "145.5000\tTower\r\n");
}

}  // namespace
}  // namespace talvirex
