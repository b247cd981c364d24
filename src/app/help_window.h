// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The help that "&Contents" and "&Search For Help On.." open: the user manual as the build
// rendered it to HTML, in a browser beside its chapter list, with a search field. One window per
// main window, not modal; opening it again brings the same window forward.

#include <QWidget>
#include <filesystem>
#include <vector>

class QLineEdit;
class QListWidget;
class QTextBrowser;

namespace talvirex {

class HelpWindow final : public QWidget {
  Q_OBJECT

 public:
  /// Shows the help page `page` in the window of `parent` (made on first use). `search` puts the
  /// input focus into the search field (for "&Search For Help On.."), else into the chapter list.
  static HelpWindow* Show(QWidget* parent, const std::filesystem::path& page, bool search);

  QListWidget* chapters() const { return chapters_; }
  QTextBrowser* browser() const { return browser_; }
  QLineEdit* search() const { return search_; }

 private:
  struct Chapter {
    int position;  // of the heading's block in the document
    QString text;  // the heading and everything up to the next heading, for the search
  };

  explicit HelpWindow(QWidget* parent);
  void Load(const std::filesystem::path& page);
  void GoToChapter(int row);
  void FilterChapters(const QString& words);
  void FindNext();

  QListWidget* chapters_ = nullptr;
  QTextBrowser* browser_ = nullptr;
  QLineEdit* search_ = nullptr;
  std::vector<Chapter> sections_;
  std::filesystem::path page_;
};

}  // namespace talvirex
