// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The frequency harvester behind "Advanced Data Import": it pulls frequency-like numbers out of any
// text (CSV, tab-separated and plain text files, saved web pages, the clipboard).
//
// Theory of operation. The text is cut into tokens at ",", "-", ">", ";", CR, LF, blank and TAB;
// "<" does not cut, so a number between HTML tags keeps the closing tag, which the clean-up strips.
// A token with a point that has a digit on each side is a candidate: as many characters as there
// are non-digits before the point are dropped from its front, as many as there are non-digits after
// the point from its back, and the rest is cut to 15 characters. A candidate whose numeric value is
// above 0 and that the found list does not already hold joins the list. Nothing more joins once the
// list holds more than 1000 entries.
//
// The scan is one pass over the text: the found list's membership test is a hash lookup, and a file
// is read in blocks, so neither a long file nor a long line is held whole. A token longer than
// 64 KiB without a separator cannot be a frequency anyone typed and is skipped.

#include <cstddef>
#include <functional>
#include <istream>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace talvirex {

inline constexpr std::size_t kFoundLimit = 1000;     // adding stops above this many entries
inline constexpr std::size_t kCandidateLength = 15;  // characters kept of a candidate
inline constexpr std::size_t kLongestToken = 64 * 1024;

/// An ordered list of texts with a constant-time "is this text in the list" test. A text may be
/// in the list more than once (an entry moved back from the selected list after a rescan).
class FoundList {
 public:
  const std::vector<std::string>& entries() const { return entries_; }
  std::size_t size() const { return entries_.size(); }
  bool empty() const { return entries_.empty(); }
  bool Contains(std::string_view text) const { return counts_.find(text) != counts_.end(); }

  void Append(std::string text);
  /// Removes and returns the entry at `index` (which must be valid).
  std::string RemoveAt(std::size_t index);
  void Clear();

 private:
  // Looks texts up without making a string of them first.
  struct TextHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view text) const {
      return std::hash<std::string_view>{}(text);
    }
  };
  std::vector<std::string> entries_;
  std::unordered_map<std::string, int, TextHash, std::equal_to<>> counts_;
};

/// Scans texts into a found list.
class Harvester {
 public:
  explicit Harvester(FoundList& found) : found_(found) {}

  /// True once the found list holds more than 1000 entries: scanning adds nothing more.
  bool Full() const { return found_.size() > kFoundLimit; }

  /// `ScanText`: scans one whole text (a line, the clipboard).
  void ScanText(std::string_view text);

  /// Scans a stream of any size in blocks, as `ScanFile` does line by line; stops early once the
  /// list is full. `on_block` (may be empty) is told the bytes read so far after each block.
  /// Returns false when the stream failed before its end (what was found stays).
  template <typename OnBlock>
  bool ScanStream(std::istream& in, OnBlock on_block);

  /// `AddCandidate`: cleans one token and lists it when it is a new frequency.
  void AddCandidate(std::string_view token);

  /// Feeds the next piece of a longer text; `Finish` ends the last token.
  void Feed(std::string_view piece);
  void Finish();

 private:
  void EndToken(std::string_view tail);

  FoundList& found_;
  std::string carry_;  // the unfinished token of the previous piece
  bool carry_has_point_ = false;
  bool carry_too_long_ = false;
};

template <typename OnBlock>
bool Harvester::ScanStream(std::istream& in, OnBlock on_block) {
  std::vector<char> block(1 << 20);
  std::size_t total = 0;
  while (!Full() && in) {
    in.read(block.data(), static_cast<std::streamsize>(block.size()));
    const auto count = static_cast<std::size_t>(in.gcount());
    if (count == 0) break;
    Feed(std::string_view(block.data(), count));
    total += count;
    on_block(total);
  }
  const bool failed = in.bad();
  Finish();
  return !failed;
}

}  // namespace talvirex
