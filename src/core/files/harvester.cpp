// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/harvester.h"

#include <array>

#include "model/numeric_value.h"
#include "text/cp1252.h"
#include "text/text.h"

namespace talvirex {

namespace {

enum CharClass : unsigned char { kPlain = 0, kSeparator = 1, kPoint = 2 };

constexpr std::array<unsigned char, 256> MakeClasses() {
  std::array<unsigned char, 256> classes{};
  for (const char c : std::string_view(",->;\n\r \t"))
    classes[static_cast<unsigned char>(c)] = kSeparator;
  classes['.'] = kPoint;
  return classes;
}

constexpr std::array<unsigned char, 256> kClasses = MakeClasses();

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::size_t NonDigits(std::string_view text) {
  std::size_t count = 0;
  for (const char c : text) count += IsDigit(c) ? 0 : 1;
  return count;
}

bool IsAscii(std::string_view text) {
  for (const char c : text) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

// Files arrive as UTF-8 or as Windows-1252; an entry is always shown as UTF-8, cut to whole
// characters. (ASCII, the common case, is cut without a copy.)
std::string ListedText(std::string_view cleaned) {
  const std::string text = DecodeFileText(cleaned);
  return Utf8Left(text, kCandidateLength);
}

}  // namespace

void FoundList::Append(std::string text) {
  ++counts_[text];
  entries_.push_back(std::move(text));
}

std::string FoundList::RemoveAt(std::size_t index) {
  std::string text = std::move(entries_.at(index));
  entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(index));
  const auto count = counts_.find(text);
  if (--count->second == 0) counts_.erase(count);
  return text;
}

void FoundList::Clear() {
  entries_.clear();
  counts_.clear();
}

void Harvester::AddCandidate(std::string_view token) {
  if (Full()) return;
  const std::size_t point = token.find('.');
  if (point == std::string_view::npos || point == 0 || point + 1 >= token.size()) return;
  if (!IsDigit(token[point - 1]) || !IsDigit(token[point + 1])) return;
  const std::size_t front = NonDigits(token.substr(0, point));
  const std::size_t back = NonDigits(token.substr(point + 1));
  const std::string_view cleaned = token.substr(front, token.size() - front - back);
  if (IsAscii(cleaned)) {
    const std::string_view text = cleaned.substr(0, kCandidateLength);
    if (NumericValue(text) > 0 && !found_.Contains(text)) found_.Append(std::string(text));
    return;
  }
  std::string text = ListedText(cleaned);
  if (NumericValue(text) > 0 && !found_.Contains(text)) found_.Append(std::move(text));
}

void Harvester::EndToken(std::string_view tail) {
  if (carry_.empty()) {
    if (tail.size() <= kLongestToken) AddCandidate(tail);
    return;
  }
  if (!carry_too_long_) {
    carry_.append(tail);
    if (carry_.size() <= kLongestToken) AddCandidate(carry_);
  }
  carry_.clear();
  carry_has_point_ = false;
  carry_too_long_ = false;
}

void Harvester::Feed(std::string_view piece) {
  std::size_t start = 0;
  bool has_point = carry_has_point_;
  for (std::size_t i = 0; i < piece.size(); ++i) {
    const unsigned char kind = kClasses[static_cast<unsigned char>(piece[i])];
    if (kind == kPlain) continue;
    if (kind == kPoint) {
      has_point = true;
      continue;
    }
    if (has_point) {
      EndToken(piece.substr(start, i - start));
      if (Full()) return;
    } else if (!carry_.empty()) {
      carry_.clear();
      carry_too_long_ = false;
    }
    carry_has_point_ = false;
    has_point = false;
    start = i + 1;
  }
  // The unfinished token waits for the next piece.
  const std::string_view rest = piece.substr(start);
  if (rest.empty()) return;
  carry_has_point_ = has_point;
  if (carry_too_long_) return;
  if (carry_.size() + rest.size() > kLongestToken) {
    carry_too_long_ = true;
    carry_.assign(1, ' ');  // keeps the token open without holding it
    return;
  }
  carry_.append(rest);
}

void Harvester::Finish() {
  if (carry_has_point_ && !Full()) EndToken({});
  carry_.clear();
  carry_has_point_ = false;
  carry_too_long_ = false;
}

void Harvester::ScanText(std::string_view text) {
  if (Full()) return;
  Feed(text);
  Finish();
}

}  // namespace talvirex
