// SPDX-License-Identifier: GPL-3.0-or-later
// Renders the user manual (Markdown with pictures) with Qt's own text classes into the two forms
// the Help menu opens: the PDF "talvir.pdf" (A4, page numbers, each chapter on a new page) and the
// help page "talvir.html" with copies of its pictures beside it.
//
// usage: render_manual MANUAL.md OUT.pdf HELP_DIR
// Pictures are named relative to the manual's folder. Exit status 0 when both were written; 1 on
// a usage error, an unreadable manual or picture, or a file that could not be written.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentWriter>
#include <QTextFragment>
#include <QUrl>
#include <algorithm>
#include <cstdio>
#include <set>

namespace {

// The widest a picture may be, in the document's pixels (1/96 inch): the text width of an A4
// page between the margins QTextDocument::print leaves (2 cm and the writer's 2 mm each side).
constexpr double kMaxPictureWidth = 600;
constexpr double kBodyPointSize = 10;

bool Fail(const QString& text) {
  std::fprintf(stderr, "render_manual: %s\n", qPrintable(text));
  return false;
}

// Loads every picture the manual names, scales the wide ones down to the text width (keeping
// their proportions) and records their names for the help's copies.
bool PreparePictures(QTextDocument& document, const QDir& source, std::set<QString>& names) {
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      const QTextFragment fragment = it.fragment();
      if (!fragment.charFormat().isImageFormat()) continue;
      QTextImageFormat format = fragment.charFormat().toImageFormat();
      const QImage image(source.filePath(format.name()));
      if (image.isNull()) return Fail(QStringLiteral("cannot read the picture ") + format.name());
      document.addResource(QTextDocument::ImageResource, QUrl(format.name()), image);
      names.insert(format.name());
      const double scale = std::min(1.0, kMaxPictureWidth / image.width());
      format.setWidth(image.width() * scale);
      format.setHeight(image.height() * scale);
      QTextCursor cursor(&document);
      cursor.setPosition(fragment.position());
      cursor.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
      cursor.setCharFormat(format);
    }
  }
  return true;
}

// Every chapter (a heading of level 1) after the first starts a new page.
void BreakBeforeChapters(QTextDocument& document) {
  bool first = true;
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    if (block.blockFormat().headingLevel() != 1) continue;
    if (!first) {
      QTextBlockFormat format;
      format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
      QTextCursor(block).mergeBlockFormat(format);
    }
    first = false;
  }
}

bool WritePdf(const QTextDocument& document, const QString& path) {
  QDir().mkpath(QFileInfo(path).absolutePath());
  QPdfWriter writer(path);
  writer.setPageSize(QPageSize(QPageSize::A4));
  writer.setTitle(QStringLiteral("TALVIREX User Manual"));
  writer.setCreator(QStringLiteral("TALVIREX"));
  document.print(&writer);  // an unpaginated document gets 2 cm margins and page numbers
  if (QFileInfo(path).size() == 0) return Fail(QStringLiteral("cannot write ") + path);
  return true;
}

bool WriteHelp(const QTextDocument& document, const QDir& source, const std::set<QString>& pictures,
               const QString& folder) {
  const QDir help(folder);
  if (!help.mkpath(QStringLiteral("."))) return Fail(QStringLiteral("cannot make ") + folder);
  QFile page(help.filePath(QStringLiteral("talvir.html")));
  if (!page.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
      page.write(document.toHtml().toUtf8()) < 0 || !page.flush()) {
    return Fail(QStringLiteral("cannot write ") + page.fileName());
  }
  for (const QString& name : pictures) {
    const QString target = help.filePath(name);
    help.mkpath(QFileInfo(target).absolutePath());
    QFile::remove(target);
    if (!QFile::copy(source.filePath(name), target)) {
      return Fail(QStringLiteral("cannot copy ") + name);
    }
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  const QStringList args = QGuiApplication::arguments();
  if (args.size() != 4) {
    std::fprintf(stderr, "usage: render_manual MANUAL.md OUT.pdf HELP_DIR\n");
    return 1;
  }
  QFile markdown(args[1]);
  if (!markdown.open(QIODevice::ReadOnly)) {
    Fail(QStringLiteral("cannot read ") + args[1]);
    return 1;
  }
  const QDir source = QFileInfo(args[1]).absoluteDir();

  QTextDocument document;
  QFont font;
  font.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
  font.setPointSizeF(kBodyPointSize);
  document.setDefaultFont(font);
  document.setBaseUrl(QUrl::fromLocalFile(source.absolutePath() + QLatin1Char('/')));
  document.setMarkdown(QString::fromUtf8(markdown.readAll()), QTextDocument::MarkdownDialectGitHub);

  std::set<QString> pictures;
  if (!PreparePictures(document, source, pictures)) return 1;
  BreakBeforeChapters(document);
  if (!WritePdf(document, args[2])) return 1;
  return WriteHelp(document, source, pictures, args[3]) ? 0 : 1;
}
