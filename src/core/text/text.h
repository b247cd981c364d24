// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Small text helpers shared by the whole core. Texts are UTF-8 inside the program; lengths and
// cuts that the user sees ("the first 10 characters of a tag") count characters, not bytes.

#include <string>
#include <string_view>

namespace talvirex {

/// Number of characters (code points) in a UTF-8 text; stray continuation bytes count as one each.
std::size_t Utf8Length(std::string_view text);

/// The first `count` characters of a UTF-8 text, never cutting a character in two.
std::string Utf8Left(std::string_view text, std::size_t count);

/// The text after its first `count` characters (empty when it has no more).
std::string Utf8Drop(std::string_view text, std::size_t count);

/// The text without leading blanks (spaces only, as the program's texts use them).
std::string_view TrimLeadingBlanks(std::string_view text);

/// The text without leading and trailing blanks and tabs.
std::string_view TrimBlanks(std::string_view text);

/// True when `text` contains `part` anywhere.
inline bool Contains(std::string_view text, std::string_view part) {
  return text.find(part) != std::string_view::npos;
}

/// Decimal text of an integer, as the program's files write numbers.
std::string IntText(long long value);

}  // namespace talvirex
