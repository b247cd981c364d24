// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Sequential reading of a text file item by item and line by line, by the classic rule the
// channel file was written for:
//  - blanks before an item are skipped;
//  - an item that starts with a double quote runs to the next double quote; its value is the text
//    between them, and whatever follows up to the next comma or line end is skipped;
//  - any other item runs to the next comma or line end (trailing blanks dropped);
//  - an empty line gives one empty item, and items continue across line ends;
//  - reading past the end of the text fails.
// Line ends are CR LF, LF or CR.

#include <optional>
#include <string>
#include <string_view>

namespace talvirex {

class ItemReader {
 public:
  explicit ItemReader(std::string_view text) : text_(text) {}

  /// The next item, or nothing at the end of the text.
  std::optional<std::string> ReadItem();
  /// The rest of the current line without its line end, or nothing at the end of the text.
  std::optional<std::string> ReadLine();

  bool AtEnd() const { return pos_ >= text_.size(); }

 private:
  bool AtLineEnd() const;
  void SkipLineEnd();
  void SkipPastDelimiter();

  std::string_view text_;
  std::size_t pos_ = 0;
};

}  // namespace talvirex
