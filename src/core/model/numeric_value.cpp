// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/numeric_value.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>

namespace talvirex {

namespace {

// The value of digits with at most one point and at most 15 digits in all, without the general
// parser: the digits make an integer below 2^53 and the power of ten is exact, so one division
// gives the correctly rounded value, the same double the general parser gives. Table texts
// (frequencies, codes, flags) are nearly all of this kind; longer texts give nothing.
std::optional<double> ShortDecimalValue(std::string_view number) {
  constexpr int kMostDigits = 15;
  constexpr double kPowersOfTen[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                     1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
  std::uint64_t digits = 0;
  int count = 0;
  int decimals = -1;
  for (const char c : number) {
    if (c == '.') {
      decimals = 0;
      continue;
    }
    if (++count > kMostDigits) return std::nullopt;
    digits = digits * 10 + static_cast<std::uint64_t>(c - '0');
    if (decimals >= 0) ++decimals;
  }
  return static_cast<double>(digits) / kPowersOfTen[decimals < 0 ? 0 : decimals];
}

}  // namespace

double NumericValue(std::string_view text) {
  std::size_t pos = 0;
  while (pos < text.size() && text[pos] == ' ') ++pos;
  const std::size_t start = pos;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) ++pos;
  bool seen_point = false;
  bool seen_digit = false;
  for (; pos < text.size(); ++pos) {
    const char c = text[pos];
    if (c >= '0' && c <= '9') {
      seen_digit = true;
    } else if (c == '.' && !seen_point) {
      seen_point = true;
    } else {
      break;
    }
  }
  if (!seen_digit) return 0.0;
  std::string_view number = text.substr(start, pos - start);
  const bool negative = number.front() == '-';
  if (number.front() == '+' || number.front() == '-') number.remove_prefix(1);
  if (const auto exact = ShortDecimalValue(number)) return negative ? -*exact : *exact;
  double value = 0.0;
  // from_chars does not take a lone trailing or leading point the way the rule does ("5." and
  // ".5"), so read the digits as written and let it parse the canonical form.
  std::string canonical(number);
  if (canonical.front() == '.') canonical.insert(canonical.begin(), '0');
  if (canonical.back() == '.') canonical.pop_back();
  const auto result = std::from_chars(canonical.data(), canonical.data() + canonical.size(), value);
  if (result.ec == std::errc::result_out_of_range) value = std::numeric_limits<double>::max();
  return negative ? -value : value;
}

int SmallIntValue(std::string_view text) {
  const double value = std::nearbyint(NumericValue(text));
  constexpr double kLimit = std::numeric_limits<int>::max();
  if (value >= kLimit) return std::numeric_limits<int>::max();
  if (value <= -kLimit) return -std::numeric_limits<int>::max();
  return static_cast<int>(value);
}

std::string ShortestDecimal(double value) {
  char buffer[400];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
  std::string text(buffer, result.ptr);
  if (text == "-0") text = "0";
  return text;
}

}  // namespace talvirex
