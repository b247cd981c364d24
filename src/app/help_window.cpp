// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/help_window.h"

#include <QAbstractTextDocumentLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QScrollBar>
#include <QSplitter>
#include <QTextBlock>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace talvirex {

namespace {

constexpr int kChapterIndent = 2;  // blanks before a section's title in the chapter list

}  // namespace

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName(QStringLiteral("helpwindow"));
  setWindowTitle(QStringLiteral("TALVIREX Help"));

  chapters_ = new QListWidget(this);
  chapters_->setObjectName(QStringLiteral("chapters"));
  chapters_->setAccessibleName(QStringLiteral("Chapters"));
  browser_ = new QTextBrowser(this);
  browser_->setObjectName(QStringLiteral("helptext"));
  browser_->setAccessibleName(QStringLiteral("Help text"));
  browser_->setOpenExternalLinks(true);
  search_ = new QLineEdit(this);
  search_->setObjectName(QStringLiteral("helpsearch"));
  search_->setPlaceholderText(QStringLiteral("Search: type words, Enter finds the next place"));
  search_->setClearButtonEnabled(true);

  auto* splitter = new QSplitter(this);
  splitter->addWidget(chapters_);
  splitter->addWidget(browser_);
  splitter->setStretchFactor(1, 1);
  splitter->setSizes({chapters_->fontMetrics().averageCharWidth() * 36, 700});
  auto* layout = new QVBoxLayout(this);
  auto* search_row = new QHBoxLayout;
  search_row->addWidget(new QLabel(QStringLiteral("&Search:"), this));
  search_row->addWidget(search_, 1);
  qobject_cast<QLabel*>(search_row->itemAt(0)->widget())->setBuddy(search_);
  layout->addLayout(search_row);
  layout->addWidget(splitter, 1);
  resize(1000, 700);

  connect(chapters_, &QListWidget::currentRowChanged, this, &HelpWindow::GoToChapter);
  connect(search_, &QLineEdit::textChanged, this, &HelpWindow::FilterChapters);
  connect(search_, &QLineEdit::returnPressed, this, &HelpWindow::FindNext);
}

HelpWindow* HelpWindow::Show(QWidget* parent, const std::filesystem::path& page, bool search) {
  HelpWindow* window = parent != nullptr ? parent->findChild<HelpWindow*>() : nullptr;
  if (window == nullptr) window = new HelpWindow(parent);
  if (window->page_ != page) window->Load(page);
  window->show();
  window->raise();
  window->activateWindow();
  if (search) {
    window->search_->setFocus();
    window->search_->selectAll();
  } else {
    window->chapters_->setFocus();
  }
  return window;
}

// Chapters and sections are the page's headings of levels 1 and 2. A section's text runs to the
// next heading; a chapter's text holds its sections too, so a search finds the chapter as well.
void HelpWindow::Load(const std::filesystem::path& page) {
  page_ = page;
  browser_->setSource(QUrl::fromLocalFile(QString::fromStdString(page.string())));
  chapters_->clear();
  sections_.clear();
  std::size_t chapter = 0;
  std::size_t section = 0;  // 0: none yet; else index + 1
  for (QTextBlock block = browser_->document()->begin(); block.isValid(); block = block.next()) {
    const int level = block.blockFormat().headingLevel();
    if (level == 1 || level == 2) {
      if (level == 1) chapter = sections_.size();
      if (level == 2 && !sections_.empty()) sections_[chapter].text += '\n' + block.text();
      section = sections_.size() + 1;
      sections_.push_back({block.position(), block.text()});
      chapters_->addItem(QString(level == 2 ? kChapterIndent : 0, QLatin1Char(' ')) + block.text());
    } else if (section != 0) {
      sections_[section - 1].text += '\n' + block.text();
      if (section - 1 != chapter) sections_[chapter].text += '\n' + block.text();
    }
  }
}

void HelpWindow::GoToChapter(int row) {
  if (row < 0 || row >= static_cast<int>(sections_.size())) return;
  const QTextBlock block = browser_->document()->findBlock(sections_[row].position);
  browser_->setTextCursor(QTextCursor(block));
  const QRectF where = browser_->document()->documentLayout()->blockBoundingRect(block);
  browser_->verticalScrollBar()->setValue(static_cast<int>(where.top()));
}

// Only the chapters that hold every word stay in the list.
void HelpWindow::FilterChapters(const QString& words) {
  const QStringList wanted = words.split(QLatin1Char(' '), Qt::SkipEmptyParts);
  for (int row = 0; row < chapters_->count(); ++row) {
    const QString& text = sections_[static_cast<std::size_t>(row)].text;
    bool shown = true;
    for (const QString& word : wanted) shown = shown && text.contains(word, Qt::CaseInsensitive);
    chapters_->item(row)->setHidden(!shown);
  }
}

// The next place of the search text after the cursor, from the top again after the last one.
void HelpWindow::FindNext() {
  const QString text = search_->text().trimmed();
  if (text.isEmpty()) return;
  if (!browser_->find(text)) {
    browser_->moveCursor(QTextCursor::Start);
    browser_->find(text);
  }
}

}  // namespace talvirex
