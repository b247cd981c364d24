// The user manual as the build rendered it beside the program: the PDF read back with pdftotext
// and pdfimages, and the help window that "&Contents" and "&Search For Help On.." open, driven
// through the real main window on the offscreen platform.
#include <QListWidget>
#include <QLineEdit>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>
#include <QTextBrowser>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <set>
#include <string>
#include <vector>

#include "app/help_window.h"
#include "main_window_fixture.h"

namespace talvirex {
namespace {

namespace fs = std::filesystem;

const fs::path kProgramDir = fs::path(TALVIREX_BINARY).parent_path();

struct ManualSource {
  std::vector<QString> chapters;  // headings of level 1, in order
  std::set<std::string> pictures;
};

// The chapter headings and picture names of docs/manual.md; lines inside code blocks are text.
ManualSource ReadManualSource() {
  ManualSource source;
  std::ifstream in(TALVIREX_MANUAL_SOURCE);
  const QRegularExpression picture(QStringLiteral(R"(!\[[^\]]*\]\(([^)]+)\))"));
  bool in_code = false;
  for (std::string line; std::getline(in, line);) {
    if (line.find_first_not_of(' ') == line.find("```") && line.find("```") != std::string::npos) {
      in_code = !in_code;
    }
    if (in_code) continue;
    if (line.rfind("# ", 0) == 0) source.chapters.push_back(QString::fromStdString(line.substr(2)));
    const auto match = picture.match(QString::fromStdString(line));
    if (match.hasMatch()) source.pictures.insert(match.captured(1).toStdString());
  }
  return source;
}

QString RunTool(const QString& program, const QStringList& args) {
  QProcess process;
  process.start(program, args);
  EXPECT_TRUE(process.waitForFinished(60000)) << program.toStdString();
  EXPECT_EQ(process.exitCode(), 0) << program.toStdString();
  return QString::fromUtf8(process.readAllStandardOutput());
}

QString Simplified(const QString& text) { return text.simplified(); }

TEST(ManualPdfTest, HoldsEveryChapterAndEveryPicture) {
  const ManualSource source = ReadManualSource();
  ASSERT_GE(source.chapters.size(), 10u);
  const QString pdf = QString::fromStdString((kProgramDir / "Manual" / "talvir.pdf").string());
  const QString text = Simplified(RunTool(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")}));
  for (const QString& chapter : source.chapters) {
    EXPECT_TRUE(text.contains(Simplified(chapter))) << chapter.toStdString();
  }
  // pdfimages -list: two heading lines, then one line per image drawn (a picture used twice in
  // the manual is drawn twice).
  const QStringList images = RunTool(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf})
                                 .split('\n', Qt::SkipEmptyParts);
  EXPECT_GE(images.size() - 2, static_cast<qsizetype>(source.pictures.size()));
  const QString info = RunTool(QStringLiteral("pdfinfo"), {pdf});
  EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Page size:.*\\(A4\\)"))));
  // Every chapter starts a page of its own.
  const auto pages = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info);
  ASSERT_TRUE(pages.hasMatch());
  EXPECT_GE(pages.captured(1).toInt(), static_cast<int>(source.chapters.size()));
}

class HelpWindowTest : public testing::MainWindowFixture {
 protected:
  HelpWindowTest() {
    install_ = kProgramDir;
    Open();
  }
  HelpWindow* Help() const { return window_->findChild<HelpWindow*>(); }
};

TEST_F(HelpWindowTest, ContentsShowsTheManualWithItsChapters) {
  const ManualSource source = ReadManualSource();
  window_->RunCommand(CommandId::kHelpContents);
  HelpWindow* help = Help();
  ASSERT_NE(help, nullptr);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(help));
  ASSERT_GT(help->chapters()->count(), 0);
  EXPECT_EQ(help->chapters()->item(0)->text(), source.chapters.front());
  EXPECT_TRUE(help->browser()->toPlainText().startsWith(source.chapters.front()));
  int listed = 0;  // chapters at the left margin; sections are indented
  for (int row = 0; row < help->chapters()->count(); ++row) {
    listed += help->chapters()->item(row)->text().startsWith(' ') ? 0 : 1;
  }
  EXPECT_EQ(listed, static_cast<int>(source.chapters.size()));
  for (const std::string& picture : source.pictures) {  // found beside the page
    const QUrl url(QString::fromStdString(picture));
    EXPECT_FALSE(help->browser()->document()->resource(QTextDocument::ImageResource, url).isNull())
        << picture;
  }
  EXPECT_TRUE(ui_.shown.empty());
}

TEST_F(HelpWindowTest, SearchFocusesTheFieldAndKeepsTheChaptersThatHoldTheWords) {
  window_->RunCommand(CommandId::kHelpContents);
  HelpWindow* first = Help();
  window_->RunCommand(CommandId::kHelpSearch);
  ASSERT_EQ(Help(), first);  // one help window, brought forward again
  // The field that takes the keys once the window manager has made the window active.
  EXPECT_EQ(first->focusWidget(), first->search());

  QTest::keyClicks(first->search(), QStringLiteral("dialout group"));
  QStringList shown;
  for (int row = 0; row < first->chapters()->count(); ++row) {
    const QListWidgetItem* item = first->chapters()->item(row);
    if (!item->isHidden()) shown << item->text().trimmed();
  }
  EXPECT_TRUE(shown.contains(QStringLiteral("Troubleshooting serial ports on Linux")))
      << shown.join('|').toStdString();
  EXPECT_FALSE(shown.contains(QStringLiteral("Printing")));
  QTest::keyClick(first->search(), Qt::Key_Return);
  EXPECT_EQ(first->browser()->textCursor().selectedText().toLower(),
            QStringLiteral("dialout group"));
}

}  // namespace
}  // namespace talvirex
