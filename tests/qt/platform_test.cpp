// SPDX-License-Identifier: GPL-3.0-or-later
// The Qt adapters: the grid model, message boxes, file filters, the key events translated into
// the cell editor's codes, and the printer behind PrintSink writing real PDF files read back with
// pdftotext.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <QAbstractButton>
#include <QAbstractItemModelTester>
#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QTimer>

#include "app/key_translation.h"
#include "platform/grid_model.h"
#include "platform/qt_print_sink.h"
#include "platform/qt_ui.h"
#include "support/qt_application.h"
#include "support/run_command.h"
#include "support/temp_dir.h"

namespace talvirex::testing {
namespace {

QApplication& App() { return testing::TestApplication(); }

TEST(GridModel, PassesTheModelTesterAndAlignsAsTheOptionsSay) {
  App();
  Grid grid;  // what it shows the window's tests read back through it, headers included
  GridModel model(grid);
  QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
  model.SetAlignment(GridAlignment::kRight);
  const auto alignment = model.data(model.index(0, 0), Qt::TextAlignmentRole);
  EXPECT_TRUE(alignment.value<Qt::Alignment>() & Qt::AlignRight);
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

// Key events belong to the application's keyboard device.
QKeyEvent Key(int key, Qt::KeyboardModifiers modifiers = {}, const QString& text = {}) {
  testing::TestApplication();
  return QKeyEvent(QEvent::KeyPress, key, modifiers, text);
}

// Return, Space and the full stop (which Qt numbers 46, the cell editor's Delete) are pressed in
// the grid by the main window's tests, where a wrong code would not commit, toggle or type.
TEST(KeyTranslation, KeyCodesAreTheCellEditorsNumbering) {
  struct Case {
    int key;
    Qt::KeyboardModifiers modifiers;
    int code;
  };
  const Case cases[] = {
      {Qt::Key_U, Qt::ControlModifier, 'U'},
      {Qt::Key_7, {}, '7'},
      {Qt::Key_1, Qt::KeypadModifier, kKeyNumpad1},
      {Qt::Key_Plus, Qt::KeypadModifier, kKeyNumpadAdd},
      {Qt::Key_Minus, Qt::KeypadModifier, kKeyNumpadSubtract},
      {Qt::Key_Enter, Qt::KeypadModifier, kKeyEnter},
      {Qt::Key_Backtab, Qt::ShiftModifier, kKeyTab},
      {Qt::Key_Delete, {}, kKeyDelete},
      {Qt::Key_Backspace, {}, kKeyBackspace},
      {Qt::Key_Minus, {}, kKeyNone},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.key);
    EXPECT_EQ(KeyCodeOf(Key(c.key, c.modifiers)), c.code);
  }
  EXPECT_TRUE(ModifiersOf(Key(Qt::Key_Backtab)).shift);
  EXPECT_TRUE(ModifiersOf(Key(Qt::Key_D, Qt::ControlModifier)).ctrl);
}

TEST(KeyTranslation, TypedCharactersAreWindows1252Codes) {
  EXPECT_EQ(CharCodeOf(Key(Qt::Key_Period, {}, ".")), 46);
  EXPECT_EQ(CharCodeOf(Key(Qt::Key_Return, {}, "\r")), kKeyEnter);
  EXPECT_EQ(CharCodeOf(Key(Qt::Key_unknown, {}, QString(QChar(0x00E9)))), 0xE9);
  EXPECT_EQ(CharCodeOf(Key(Qt::Key_unknown, {}, QString(QChar(0x20AC)))), 0x80);  // euro sign
  EXPECT_EQ(CharCodeOf(Key(Qt::Key_unknown, {}, QString(QChar(0x0416)))), std::nullopt);
  EXPECT_EQ(CharCodeOf(Key(Qt::Key_C, Qt::ControlModifier, "\x03")), std::nullopt);
  EXPECT_EQ(CharCodeOf(Key(Qt::Key_Left)), std::nullopt);
  EXPECT_TRUE(IsNavigationKey(Key(Qt::Key_PageDown)));
  EXPECT_FALSE(IsNavigationKey(Key(Qt::Key_Delete)));
}

// The print dialog's test reads a printed bank back from its PDF; here the sink on its own.
TEST(QtPrintSink, TextStandsInItsColumnsOnTheRightPagesAndSizesAreTwips) {
  TestApplication();
  TempDir dir;
  const std::string pdf = (dir / "columns.pdf").string();
  {
    QtPrintSink sink(QString::fromStdString(pdf));
    // A4 (11906 x 16838) or Letter (12240 x 15840), whichever the locale gives.
    EXPECT_TRUE(sink.PageWidth() == 11906 || sink.PageWidth() == 12240) << sink.PageWidth();
    EXPECT_GT(sink.PageHeight(), sink.PageWidth());
    sink.SetOrigin(1000, 500);
    sink.SetFont("Arial", 8.25);
    sink.TextAt(1, "0123456789");
    sink.TextAt(11, "X");
    sink.NewLine();
    sink.NewPage();
    sink.TextAt(3, "page two");
    sink.NewLine();
    sink.EndJob();
    EXPECT_FALSE(sink.TakeFailure());
  }
  EXPECT_NE(ToolOutput("pdfinfo", {pdf}).find("Pages:           2"), std::string::npos);
  const std::string text = ToolOutput("pdftotext", {"-fixed", "4.6", pdf, "-"});
  const auto column = [&](const char* piece) {  // the piece's column on its line
    const auto at = text.find(piece);
    return at == std::string::npos ? -1 : static_cast<int>(at - text.find_last_of("\n\f", at));
  };
  EXPECT_NE(text.find("0123456789X"), std::string::npos)
      << text;  // column 11 follows column 1's ten
  EXPECT_EQ(column("page two") - column("0123456789X"), 2) << text;
  EXPECT_NE(ToolOutput("pdffonts", {pdf}).find("LiberationSans"), std::string::npos);
}

TEST(QtPrintSink, AFileThatCannotBeWrittenFailsOncePerJob) {
  TestApplication();
  TempDir dir;
  QtPrintSink sink(QString::fromStdString((dir / "missing" / "x.pdf").string()));
  sink.SetOrigin(1000, 500);
  sink.TextAt(1, "lost");
  const auto failure = sink.TakeFailure();
  ASSERT_TRUE(failure);
  EXPECT_EQ(failure->code, 482);
  EXPECT_NE(failure->description.find("x.pdf"), std::string::npos);
  sink.NewLine();
  sink.NewPage();
  sink.EndJob();
  EXPECT_FALSE(sink.TakeFailure());
  EXPECT_FALSE(std::filesystem::exists(dir / "missing"));
}

}  // namespace
}  // namespace talvirex::testing
