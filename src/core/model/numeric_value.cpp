#include "model/numeric_value.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace talvirex {

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
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
  std::string text(buffer, result.ptr);
  if (text == "-0") text = "0";
  return text;
}

}  // namespace talvirex
