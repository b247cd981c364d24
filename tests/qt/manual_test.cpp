// SPDX-License-Identifier: GPL-3.0-or-later
// The user manual as the build rendered it beside the program: the PDF read back with pdftotext
// and pdfimages, and the help window that "&Contents" and "&Search For Help On.." open.
#include <QLineEdit>
#include <QListWidget>
#include <QRegularExpression>
#include <QTextBrowser>
#include <fstream>
#include <set>

#include "app/help_window.h"
#include "main_window_fixture.h"
#include "support/run_command.h"

namespace talvirex {
namespace {

const std::filesystem::path kProgramDir = std::filesystem::path(TALVIREX_BINARY).parent_path();

// The level-1 headings and the picture names of docs/manual.md, code blocks left out.
struct ManualSource {
  QStringList chapters;
  std::set<QString> pictures;
};
ManualSource ReadManualSource() {
  ManualSource source;
  std::ifstream in(TALVIREX_MANUAL_SOURCE);
  const QRegularExpression picture(QStringLiteral(R"(!\[[^\]]*\]\(([^)]+)\))"));
  bool in_code = false;
  for (std::string text; std::getline(in, text);) {
    const QString line = QString::fromStdString(text);
    if (line.trimmed().startsWith(QStringLiteral("```"))) in_code = !in_code;
    if (in_code) continue;
    if (line.startsWith(QStringLiteral("# "))) source.chapters << line.mid(2);
    if (const auto match = picture.match(line); match.hasMatch())
      source.pictures.insert(match.captured(1));
  }
  return source;
}

QString Tool(const std::string& program, const std::vector<std::string>& args) {
  return QString::fromStdString(testing::ToolOutput(program, args));
}

TEST(ManualPdfTest, HoldsEveryChapterOnItsOwnPagesAndEveryPicture) {
  const ManualSource source = ReadManualSource();
  ASSERT_GE(source.chapters.size(), 10);
  const std::string pdf = (kProgramDir / "Manual" / "talvir.pdf").string();
  const QString text = Tool("pdftotext", {pdf, "-"}).simplified();
  for (const QString& chapter : source.chapters)
    EXPECT_TRUE(text.contains(chapter.simplified())) << chapter.toStdString();
  // pdfimages -list: two heading lines, then one line per image drawn.
  const auto images = Tool("pdfimages", {"-list", pdf}).split('\n', Qt::SkipEmptyParts);
  EXPECT_GE(images.size() - 2, static_cast<qsizetype>(source.pictures.size()));
  const auto info =
      QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)[\\s\\S]*Page size:.*\\(A4\\)"))
          .match(Tool("pdfinfo", {pdf}));
  ASSERT_TRUE(info.hasMatch());
  EXPECT_GE(info.captured(1).toInt(), source.chapters.size());
}

class HelpWindowTest : public testing::MainWindowFixture {};

TEST_F(HelpWindowTest, ShowsTheManualAndSearchKeepsTheChaptersThatHoldTheWords) {
  install_ = kProgramDir;
  Open();
  const ManualSource source = ReadManualSource();
  window_->RunCommand(CommandId::kHelpContents);
  HelpWindow* help = window_->findChild<HelpWindow*>();
  ASSERT_NE(help, nullptr);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(help));
  EXPECT_TRUE(help->browser()->toPlainText().startsWith(source.chapters.front()));
  int listed = 0;  // chapters at the left margin; sections are indented
  for (int row = 0; row < help->chapters()->count(); ++row) {
    listed += help->chapters()->item(row)->text().startsWith(' ') ? 0 : 1;
  }
  EXPECT_EQ(listed, source.chapters.size());
  for (const QString& picture : source.pictures) {  // found beside the page
    EXPECT_FALSE(
        help->browser()->document()->resource(QTextDocument::ImageResource, QUrl(picture)).isNull())
        << picture.toStdString();
  }

  window_->RunCommand(CommandId::kHelpSearch);
  ASSERT_EQ(window_->findChild<HelpWindow*>(), help);  // one help window, brought forward again
  EXPECT_EQ(help->focusWidget(), help->search());
  QTest::keyClicks(help->search(), QStringLiteral("dialout group"));
  QStringList shown;
  for (int row = 0; row < help->chapters()->count(); ++row) {
    if (!help->chapters()->item(row)->isHidden())
      shown << help->chapters()->item(row)->text().trimmed();
  }
  EXPECT_TRUE(shown.contains(QStringLiteral("Troubleshooting serial ports on Linux")))
      << shown.join('|').toStdString();
  EXPECT_FALSE(shown.contains(QStringLiteral("Printing")));
  QTest::keyClick(help->search(), Qt::Key_Return);
  EXPECT_EQ(help->browser()->textCursor().selectedText().toLower(),
            QStringLiteral("dialout group"));
  EXPECT_TRUE(ui_.shown.empty());
}

}  // namespace
}  // namespace talvirex
