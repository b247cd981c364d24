// The Qt printer behind PrintSink, writing real PDF files read back with pdftotext.

#include "platform/qt_print_sink.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>

#include "support/qt_application.h"
#include "support/temp_dir.h"

namespace talvirex {
namespace {

using testing::ReadBytes;
using testing::TempDir;

class QtPrintSinkTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { testing::TestApplication(); }

  std::string Run(const std::string& command) {
    const auto out = dir_ / "out.txt";
    const int raw = std::system((command + " >'" + out.string() + "' 2>/dev/null").c_str());
    EXPECT_TRUE(WIFEXITED(raw) && WEXITSTATUS(raw) == 0) << command;
    return ReadBytes(out);
  }

  TempDir dir_;
};

TEST_F(QtPrintSinkTest, TextStandsInItsCharacterColumnsOnTheRightPages) {
  const std::string pdf = (dir_ / "columns.pdf").string();
  {
    QtPrintSink sink(QString::fromStdString(pdf));
    sink.SetOrigin(1000, 500);
    sink.SetFont("Arial", 8.25);
    sink.TextAt(1, "0123456789");
    sink.TextAt(11, "X");
    sink.TextAt(21, "Tag");
    sink.NewLine();
    sink.TextAt(3, "second line");
    sink.NewLine();
    sink.MoveDown(100);
    sink.Line(0, sink.PageWidth() - 2000);
    sink.NewPage();
    sink.TextAt(1, "page two");
    sink.NewLine();
    sink.EndJob();
    EXPECT_FALSE(sink.TakeFailure());
  }
  const std::string info = Run("pdfinfo '" + pdf + "'");
  EXPECT_NE(info.find("Pages:           2"), std::string::npos) << info;
  const std::string text = Run("pdftotext -fixed 4.6 '" + pdf + "' -");
  EXPECT_NE(text.find("0123456789X         Tag"), std::string::npos) << text;
  EXPECT_NE(text.find("\n             second line"), std::string::npos) << text;
  EXPECT_NE(text.find("page two"), std::string::npos);
  EXPECT_NE(Run("pdffonts '" + pdf + "'").find("LiberationSans"), std::string::npos);
}

TEST_F(QtPrintSinkTest, ThePageSizeIsInTwips) {
  QtPrintSink sink(QString::fromStdString((dir_ / "size.pdf").string()));
  // A4 (11906 x 16838) or Letter (12240 x 15840), whichever the locale gives.
  EXPECT_TRUE(sink.PageWidth() == 11906 || sink.PageWidth() == 12240) << sink.PageWidth();
  EXPECT_GT(sink.PageHeight(), sink.PageWidth());
}

TEST_F(QtPrintSinkTest, AFileThatCannotBeWrittenFailsOncePerJob) {
  QtPrintSink sink(QString::fromStdString((dir_ / "missing" / "x.pdf").string()));
  sink.SetOrigin(1000, 500);
  sink.TextAt(1, "lost");
  const auto failure = sink.TakeFailure();
  ASSERT_TRUE(failure);
  EXPECT_EQ(failure->code, 482);
  EXPECT_NE(failure->description.find("x.pdf"), std::string::npos);
  sink.NewLine();
  sink.NewPage();
  EXPECT_FALSE(sink.TakeFailure());
  sink.EndJob();
  EXPECT_FALSE(sink.TakeFailure());
  EXPECT_FALSE(std::filesystem::exists(dir_ / "missing"));
}

}  // namespace
}  // namespace talvirex
