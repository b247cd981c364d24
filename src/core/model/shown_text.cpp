// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/shown_text.h"

#include "model/channel_table.h"
#include "model/frequency.h"
#include "model/numeric_value.h"
#include "text/text.h"

namespace talvirex {

namespace {

constexpr long long kHighestFrequencyMhz = 1300;

std::string StoredOnOff(const std::string& shown) {
  if (shown == "Off") return "0";
  if (shown == "On") return "1";
  return shown;
}

std::string StoredSubtone(const std::string& shown) {
  const int code = SubtoneCodeOf(shown);
  return code >= 0 ? IntText(code) : shown;
}

std::string ShownOnOff(const std::string& stored) {
  if (stored == "0") return "Off";
  if (stored == "1") return "On";
  return {};
}

}  // namespace

std::string ShownText(const ChannelTable& table, int bank, int row, int field,
                      bool hide_leading_zeros) {
  if (table.FrequencyValue(bank, row) == 0) return {};
  const std::string& stored = table.At(bank, row, field);
  switch (field) {
    case kFieldFrequency: return FormatFrequency(stored, hide_leading_zeros);
    case kFieldTag: return stored;
    case kFieldSubtone: return SubtoneText(stored);
    default: return ShownOnOff(stored);
  }
}

void StoreShownRow(ChannelTable& table, int bank, int row, bool hide_leading_zeros) {
  std::string& frequency = table.At(bank, row, kFieldFrequency);
  if (frequency.empty()) frequency = "0";
  frequency = FormatFrequency(frequency, hide_leading_zeros);
  if (WholeMhz(frequency) > kHighestFrequencyMhz) frequency = "1300";
  if (NumericValue(frequency) == 0) return;
  for (const int field : {kFieldDelay, kFieldLockOut, kFieldBeepAlert, kFieldAtt}) {
    std::string& flag = table.At(bank, row, field);
    flag = StoredOnOff(flag);
  }
  std::string& subtone = table.At(bank, row, kFieldSubtone);
  subtone = StoredSubtone(subtone);
}

void SettleBank(ChannelTable& table, int bank, bool hide_leading_zeros, bool trim_tags) {
  for (int row = 1; row <= kChannelsPerBank; ++row) {
    std::array<std::string, 8> shown;
    for (int field = 1; field <= 7; ++field) {
      shown[field] = ShownText(table, bank, row, field, hide_leading_zeros);
    }
    for (int field = 1; field <= 7; ++field) table.At(bank, row, field) = std::move(shown[field]);
    if (trim_tags) {
      std::string& tag = table.At(bank, row, kFieldTag);
      tag = std::string(TrimLeadingBlanks(tag));
    }
    StoreShownRow(table, bank, row, hide_leading_zeros);
  }
}

}  // namespace talvirex
