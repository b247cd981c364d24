// SPDX-License-Identifier: GPL-3.0-or-later
#include "document.h"

#include "model/frequency.h"
#include "model/numeric_value.h"

namespace talvirex {

Document::Document() {
  BuildDefaultImage(clone_image);
  for (int b = 0; b < kScannerBanks; ++b) {
    bank_names[b] = "Bank: " + std::to_string(b + 1);
    priority[b] = ChannelNumber(b, 1);
  }
  bank_names[10] = "Dummy";
  bank_names[11] = "Search";
  priority[10] = ChannelNumber(10, 1);
  for (int i = 0; i < kScannerBanks; ++i) scanner_settings[i] = 1;
}

bool IsUntitled(const Document& document) {
  return document.file_name.empty() || document.file_name.starts_with(kUntitled);
}

std::string DataText(const ChannelTable& table, const Document& document, bool with_dummy) {
  ChannelTable clean = table;
  NormalizeForSave(clean);
  std::string text;
  text.reserve(8192);
  const int last_bank = with_dummy ? kDummyBank : kScannerBanks - 1;
  for (int bank = 0; bank <= last_bank; ++bank) {
    for (int row = 1; row <= kChannelsPerBank; ++row) {
      if (clean.FrequencyValue(bank, row) != 0) {
        for (int field = kFieldFrequency; field <= kFieldAtt; ++field) {
          std::string_view value = clean.At(bank, row, field);
          // The scanner pads a tag with blanks, and takes the subtone as its code's value
          // ("None" is code 0).
          if (field == kFieldTag) value = value.substr(0, value.find_last_not_of(' ') + 1);
          text.append(field == kFieldSubtone ? ShortestDecimal(NumericValue(value)) : value);
          text.push_back('\t');
        }
      }
      text.push_back('\n');
    }
  }
  for (const std::string& name : document.bank_names) text.append(name).push_back('\n');
  for (int bank = 0; bank < kScannerBanks; ++bank)
    text.append(std::to_string(document.priority[bank])).push_back(',');
  for (const int setting : document.scanner_settings)
    text.append(std::to_string(setting)).push_back(',');
  // A file keeps the search range as numbers: "118.0000" reads back as "118", "" as "0".
  for (int i = 0; i <= 1; ++i)
    text.append(ShortestDecimal(NumericValue(document.search_range[i]))).push_back(',');
  return text;
}

}  // namespace talvirex
