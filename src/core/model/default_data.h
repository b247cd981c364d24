// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The preset that fills a new channel's Delay, Beep Alert, Lock Out and ATT columns, kept between
// runs in "defdata.ini": 22 lines, DefaultApply[0..10] then DefaultValue[0..10].

#include <array>
#include <string>
#include <string_view>

namespace talvirex {

struct DefaultData {
  // Entries 1..4 carry meaning: 1 Delay, 2 Beep Alert, 3 ATT, 4 Lock Out.
  std::array<int, 11> apply = {1, 1, 1, 0, 1, 1, 0, 0, 0, 0, 0};  // 1 = apply the entry
  std::array<int, 11> value = {0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0};  // 0 = Off, 1 = On

  friend bool operator==(const DefaultData&, const DefaultData&) = default;
};

/// The grid column (field) that default entry 1..4 presets; 0 for entries without meaning.
int DefaultEntryField(int entry);

/// Reads the numbers of "defdata.ini". An apply value other than 0 and 1 becomes 0; values are
/// taken as read. Missing numbers keep their start value.
DefaultData LoadDefaultData(std::string_view file_text);

/// The 22 lines of "defdata.ini", CR LF ended.
std::string SaveDefaultData(const DefaultData& data);

}  // namespace talvirex
