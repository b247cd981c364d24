// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/frequency.h"

#include <cmath>

#include "model/channel_table.h"
#include "model/numeric_value.h"
#include "text/text.h"

namespace talvirex {

namespace {

constexpr long long kUnitsPerMhz = 10000;  // 1 unit = 100 Hz
constexpr long long kStep5kHz = 50;
constexpr long long kStep12k5Hz = 125;
constexpr std::size_t kMaxTagLength = 10;

std::string StripLeadingZerosAndBlanks(std::string_view text) {
  const auto first = text.find_first_not_of("0 ");
  return first == std::string_view::npos ? std::string{} : std::string(text.substr(first));
}

// The text of a value rounded down to `step` units: a leading blank, then its shortest decimal.
std::string RoundedDownText(double value, long long step) {
  const double units = std::floor(value * kUnitsPerMhz);
  const double on_step = std::floor(units / step) * step;
  return " " + ShortestDecimal(on_step / kUnitsPerMhz);
}

}  // namespace

std::string FormatFrequencyPadded(std::string_view text) {
  std::string s = StripLeadingZerosAndBlanks(text);
  if (s.find('.') == std::string::npos) s += '.';
  const auto point = s.find('.') + 1;  // 1-based position of the point
  if (point < 4) s.insert(0, 4 - point, '0');
  if (s.size() < 8) s.append(8 - s.size(), '0');
  return s.substr(0, 8);
}

std::string FormatFrequencyPlain(std::string_view text) {
  std::string s(text);
  if (!s.empty() && s.front() == '.') s.insert(0, 1, '0');
  s = StripLeadingZerosAndBlanks(s);
  if (s.find('.') == std::string::npos) s += '.';
  const auto decimals = s.size() - s.find('.') - 1;
  if (decimals < 4) s.append(4 - decimals, '0');
  return s;
}

std::string FormatFrequency(std::string_view text, bool hide_leading_zeros) {
  return hide_leading_zeros ? FormatFrequencyPlain(text) : FormatFrequencyPadded(text);
}

long long WholeMhz(std::string_view text) {
  const double whole = std::floor(NumericValue(text));
  constexpr double kLimit = 1e15;  // far outside every band; keeps the cast defined
  return static_cast<long long>(std::fmax(-kLimit, std::fmin(kLimit, whole)));
}

std::string CorrectFrequency(std::string_view text) {
  std::string s(text);
  if (WholeMhz(s) < 29) s = "29";
  if (WholeMhz(s) > 956) s = "956";
  if (const auto i = WholeMhz(s); i > 54 && i < 108) s = "54";
  if (const auto i = WholeMhz(s); i > 174 && i < 406) s = "174";
  if (const auto i = WholeMhz(s); i > 512 && i < 806) s = "512";

  const double v = NumericValue(s);
  // Judge "on the step" on the rounded unit count, so binary error never moves a typed value.
  const auto units = static_cast<long long>(std::nearbyint(v * kUnitsPerMhz));
  if (((v >= 29 && v <= 54) || (v >= 137 && v <= 174)) && units % kStep5kHz != 0) {
    s = RoundedDownText(v, kStep5kHz);
  } else if (((v >= 108 && v <= 137) || (v >= 406 && v <= 956)) && units % kStep12k5Hz != 0) {
    s = RoundedDownText(v, kStep12k5Hz);
  }
  return s;
}

bool IsInScannerBand(std::string_view text) {
  const long long i = WholeMhz(text);
  return (i >= 29 && i <= 54) || (i >= 108 && i <= 174) || (i >= 406 && i <= 512) ||
         (i >= 806 && i <= 956);
}

void NormalizeForSave(ChannelTable& table) {
  for (int bank = 0; bank <= kDummyBank; ++bank) {
    for (int row = 1; row <= kChannelsPerBank; ++row) {
      std::string& frequency = table.At(bank, row, kFieldFrequency);
      if (NumericValue(frequency) == 0) {
        frequency = "000.0000";
        continue;
      }
      frequency = CorrectFrequency(FormatFrequencyPadded(frequency));
      for (int field = kFieldDelay; field <= kFieldAtt; ++field) {
        std::string& flag = table.At(bank, row, field);
        if (IsOnOffField(field) && flag != "0" && flag != "1") flag = "0";
      }
      std::string& tag = table.At(bank, row, kFieldTag);
      tag = Utf8Left(tag, kMaxTagLength);
    }
  }
}

}  // namespace talvirex
