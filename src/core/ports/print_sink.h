// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the core asks of a printer: a page of known size, a font, text placed at character columns
// on the current line, vertical moves, a horizontal line, new pages and the end of the job.
//
// All lengths are twips (1/1440 inch). Positions are measured from the origin that `SetOrigin`
// places on the page; the print position starts there. Column n is the n-th character column of
// the current font (column 1 at the origin), as on a fixed tab grid.
//
// Failures are sticky: a sink that failed (the printer went away, the file could not be written)
// ignores further output until `TakeFailure` hands the failure over and clears it.

#include <optional>
#include <string>
#include <string_view>

namespace talvirex {

struct PrintFailure {
  int code = 0;             // the error number
  std::string description;  // the error's description
};

class PrintSink {
 public:
  virtual ~PrintSink() = default;

  /// The page's full width and height in twips, as the printer reports them.
  virtual int PageWidth() const = 0;
  virtual int PageHeight() const = 0;

  /// Places the origin `x`, `y` twips right of and below the page's top-left corner and moves the
  /// print position to it.
  virtual void SetOrigin(int x, int y) = 0;
  virtual void SetFont(std::string_view family, double points) = 0;

  /// Prints `text` at character column `column` (1 or more) of the current line; the print
  /// position stays on that line.
  virtual void TextAt(int column, std::string_view text) = 0;
  /// Ends the current line: the print position moves down one line of the font, to column 1.
  virtual void NewLine() = 0;
  /// Moves the print position `twips` down.
  virtual void MoveDown(int twips) = 0;
  /// Moves the print position to `y` twips below the origin.
  virtual void MoveTo(int y) = 0;
  /// A thin horizontal line at the print position's height from `x1` to `x2` (twips from origin).
  virtual void Line(int x1, int x2) = 0;

  virtual void NewPage() = 0;
  /// Ends the job: the pages go to the printer (or the file).
  virtual void EndJob() = 0;

  /// The failure since the last call, if any; clears it.
  virtual std::optional<PrintFailure> TakeFailure() = 0;
};

}  // namespace talvirex
