// The Qt printer behind PrintSink, writing real PDF files read back with pdftotext.

#include "platform/qt_print_sink.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>

#include "support/qt_application.h"
#include "support/run_command.h"
#include "support/temp_dir.h"

namespace talvirex::testing {
namespace {

std::string Shell(const std::string& command, const TempDir& dir) {
  const int raw = std::system((command + " >" + ShellQuoted((dir / "out").string()) + " 2>/dev/null").c_str());
  EXPECT_TRUE(WIFEXITED(raw) && WEXITSTATUS(raw) == 0) << command;
  return ReadBytes(dir / "out");
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
  EXPECT_NE(Shell("pdfinfo " + ShellQuoted(pdf), dir).find("Pages:           2"), std::string::npos);
  const std::string text = Shell("pdftotext -fixed 4.6 " + ShellQuoted(pdf) + " -", dir);
  const auto column = [&](const char* piece) {  // the piece's column on its line
    const auto at = text.find(piece);
    return at == std::string::npos ? -1 : static_cast<int>(at - text.find_last_of("\n\f", at));
  };
  EXPECT_NE(text.find("0123456789X"), std::string::npos) << text;  // column 11 follows column 1's ten
  EXPECT_EQ(column("page two") - column("0123456789X"), 2) << text;
  EXPECT_NE(Shell("pdffonts " + ShellQuoted(pdf), dir).find("LiberationSans"), std::string::npos);
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
