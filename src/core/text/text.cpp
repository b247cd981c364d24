// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/text.h"

namespace talvirex {

namespace {
bool IsContinuationByte(unsigned char c) { return (c & 0xC0) == 0x80; }
}  // namespace

std::size_t Utf8Length(std::string_view text) {
  std::size_t count = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (i == 0 || !IsContinuationByte(static_cast<unsigned char>(text[i]))) ++count;
  }
  return count;
}

std::string Utf8Left(std::string_view text, std::size_t count) {
  std::size_t seen = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (i > 0 && IsContinuationByte(static_cast<unsigned char>(text[i]))) continue;
    if (seen == count) return std::string(text.substr(0, i));
    ++seen;
  }
  return std::string(text);
}

std::string Utf8Drop(std::string_view text, std::size_t count) {
  return std::string(text.substr(Utf8Left(text, count).size()));
}

std::string_view TrimLeadingBlanks(std::string_view text) {
  const auto first = text.find_first_not_of(' ');
  return first == std::string_view::npos ? std::string_view{} : text.substr(first);
}

std::string_view TrimBlanks(std::string_view text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

std::string IntText(long long value) { return std::to_string(value); }

}  // namespace talvirex
