// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// `defdata`, "Default data per channel:": the preset given to a new channel's Delay, Beep Alert,
// ATT and Lock Out columns. Rows 0..3 of the form edit default entries 1..4. The form reads the
// preset when it opens and writes it only on "OK"; nothing reaches "defdata.ini" before the exit
// sequence.

#include <array>
#include <string_view>

namespace talvirex {

struct DefaultData;

inline constexpr std::string_view kDefaultDataTitle = "Default data per channel:";
inline constexpr std::array<std::string_view, 2> kOffOnItems = {"Off", "On"};

class DefaultDataForm {
 public:
  static constexpr int kRows = 4;  // default entries 1..4

  /// The caption of row 0..3: "Delay Time:", "Beep Alert:", "ATT", "Lockout:".
  static std::string_view Caption(int row);

  /// Opening: a box is ticked when its entry is applied (1); a list shows item 0 "Off" or 1 "On"
  /// for the entry's value, and no selection (-1) for any other value.
  void Load(const DefaultData& data);

  /// "OK": apply = 1 for a ticked box, else 0; value = the selected item, kept when the list has no
  /// selection.
  void Ok(DefaultData& data) const;

  std::array<bool, kRows> applied{};  // `Check1` 1..4
  std::array<int, kRows> selected{};  // `Combo1` 1..4 item index, -1 none
};

}  // namespace talvirex
