// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A PrintSink that writes the job down as text, one line per printed line ("y | column:text ...",
// y in twips below the origin), and can be told to fail.

#include <sstream>
#include <string>
#include <utility>

#include "ports/print_sink.h"

namespace talvirex::testing {

class PrintLog final : public PrintSink {
 public:
  static constexpr int kLineTwips = 200;

  int PageWidth() const override { return page_width; }
  int PageHeight() const override { return page_height; }
  void SetOrigin(int x, int y) override {
    Write("origin " + std::to_string(x) + " " + std::to_string(y));
    y_ = 0;
  }
  void SetFont(std::string_view family, double points) override {
    std::ostringstream text;
    text << "font " << family << " " << points;
    Write(text.str());
  }
  void TextAt(int column, std::string_view text) override {
    Count();
    line_ += " | " + std::to_string(column) + ":" + std::string(text);
  }
  void NewLine() override {
    Count();
    Write(std::to_string(y_) + line_);
    line_.clear();
    y_ += kLineTwips;
  }
  void MoveDown(int twips) override { y_ += twips; }
  void MoveTo(int y) override { y_ = y; }
  void Line(int x1, int x2) override {
    Write(std::to_string(y_) + " rule " + std::to_string(x1) + ".." + std::to_string(x2));
  }
  void NewPage() override { Write("new page"); }
  void EndJob() override {
    Write("end");
    if (fail_end) failure_ = PrintFailure{486, "The printer went away."};
  }
  std::optional<PrintFailure> TakeFailure() override { return std::exchange(failure_, {}); }

  int page_width = 11906, page_height = 16838;  // A4
  int fail_at_call = -1;                        // the TextAt/NewLine call (0-based) that fails
  bool fail_end = false;
  std::string log;

 private:
  void Write(const std::string& line) { log += line + "\n"; }
  void Count() {
    if (calls_++ == fail_at_call) failure_ = PrintFailure{482, "Printer error"};
  }
  int calls_ = 0;
  int y_ = 0;
  std::string line_;
  std::optional<PrintFailure> failure_;
};

}  // namespace talvirex::testing
