#pragma once
// A PrintSink that records what was printed, line by line, and can be told to fail.

#include <map>
#include <string>
#include <vector>

#include "ports/print_sink.h"

namespace talvirex::testing {

class RecordingPrintSink final : public PrintSink {
 public:
  struct PrintedLine {
    int page = 0;
    double y = 0;                        // twips below the origin
    std::map<int, std::string> columns;  // column -> text
  };
  struct Rule {
    int page;
    double y;
    int x1, x2;
  };

  int PageWidth() const override { return width; }
  int PageHeight() const override { return height; }
  void SetOrigin(int x, int y) override {
    origin_x = x;
    origin_y = y;
    y_ = 0;
  }
  void SetFont(std::string_view family, double points) override {
    font = std::string(family);
    font_points = points;
  }
  void TextAt(int column, std::string_view text) override {
    Count();
    current_.columns[column] += std::string(text);
  }
  void NewLine() override {
    Count();
    current_.page = pages;
    current_.y = y_;
    lines.push_back(current_);
    current_ = {};
    y_ += kLineTwips;
  }
  void MoveDown(int twips) override { y_ += twips; }
  void MoveTo(int y) override { y_ = y; }
  void Line(int x1, int x2) override { rules.push_back({pages, y_, x1, x2}); }
  void NewPage() override {
    ++pages;
    ++new_pages;
  }
  void EndJob() override {
    ++ended;
    if (fail_end) failure_ = PrintFailure{486, "The printer went away."};
  }
  std::optional<PrintFailure> TakeFailure() override {
    auto failure = failure_;
    failure_.reset();
    return failure;
  }

  /// The lines of page `page` (0-based) as text, columns joined by "|".
  std::vector<std::string> Texts(int page) const {
    std::vector<std::string> texts;
    for (const auto& line : lines) {
      if (line.page != page) continue;
      std::string text;
      for (const auto& [column, piece] : line.columns) {
        text += (text.empty() ? "" : "|") + std::to_string(column) + ":" + piece;
      }
      texts.push_back(text);
    }
    return texts;
  }

  static constexpr int kLineTwips = 200;
  int width = 11906, height = 16838;  // A4
  int origin_x = 0, origin_y = 0;
  std::string font;
  double font_points = 0;
  int pages = 0, new_pages = 0, ended = 0;
  int fail_at_call = -1;  // the TextAt/NewLine call (0-based) that fails
  bool fail_end = false;
  std::vector<PrintedLine> lines;
  std::vector<Rule> rules;

 private:
  void Count() {
    if (calls_++ == fail_at_call) failure_ = PrintFailure{482, "Printer error"};
  }
  int calls_ = 0;
  double y_ = 0;
  PrintedLine current_;
  std::optional<PrintFailure> failure_;
};

}  // namespace talvirex::testing
