// The short-text path of NumericValue must give exactly the double the general parser gives.

#include <gtest/gtest.h>

#include <charconv>
#include <random>
#include <string>

#include "model/numeric_value.h"

namespace talvirex {
namespace {

double Parsed(const std::string& canonical) {
  double value = 0;
  std::from_chars(canonical.data(), canonical.data() + canonical.size(), value);
  return value;
}

TEST(NumericValue, ShortDecimalsMatchTheGeneralParserBitForBit) {
  std::mt19937_64 random(11);
  for (int i = 0; i < 200000; ++i) {
    const int digits = 1 + static_cast<int>(random() % 15);
    std::string number;
    for (int d = 0; d < digits; ++d) number += static_cast<char>('0' + random() % 10);
    const int point = static_cast<int>(random() % (digits + 1));
    std::string text = number.substr(0, point) + "." + number.substr(point);
    std::string canonical = text;
    if (canonical.front() == '.') canonical.insert(canonical.begin(), '0');
    if (canonical.back() == '.') canonical.pop_back();
    ASSERT_EQ(NumericValue(text), Parsed(canonical)) << text;
    ASSERT_EQ(NumericValue("-" + text), -Parsed(canonical)) << text;
  }
}

}  // namespace
}  // namespace talvirex
