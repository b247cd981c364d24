// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The numeric value of a table text: every comparison and conversion of the program's texts uses
// it. Leading blanks are skipped, then an optional sign and digits with at most one decimal point
// are read; reading stops at the first other character. A text with no leading number is 0.

#include <string>
#include <string_view>

namespace talvirex {

/// The number at the start of `text`, 0 when there is none. Independent of the locale.
double NumericValue(std::string_view text);

/// The numeric value rounded to the nearest integer (halves to even) and held within the range of
/// a small integer, for the settings and lists that keep small integers.
int SmallIntValue(std::string_view text);

/// The shortest decimal text that reads back as `value` ("118", "145.12", "-5"); no exponent.
std::string ShortestDecimal(double value);

}  // namespace talvirex
