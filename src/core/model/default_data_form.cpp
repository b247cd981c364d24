// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/default_data_form.h"

#include "model/default_data.h"

namespace talvirex {

std::string_view DefaultDataForm::Caption(int row) {
  constexpr std::array<std::string_view, kRows> kCaptions = {"Delay Time:", "Beep Alert:", "ATT",
                                                             "Lockout:"};
  return row >= 0 && row < kRows ? kCaptions[row] : std::string_view{};
}

void DefaultDataForm::Load(const DefaultData& data) {
  for (int row = 0; row < kRows; ++row) {
    const int entry = row + 1;
    applied[row] = data.apply[entry] == 1;
    const int value = data.value[entry];
    selected[row] = (value == 0 || value == 1) ? value : -1;
  }
}

void DefaultDataForm::Ok(DefaultData& data) const {
  for (int row = 0; row < kRows; ++row) {
    const int entry = row + 1;
    data.apply[entry] = applied[row] ? 1 : 0;
    if (selected[row] == 0 || selected[row] == 1) data.value[entry] = selected[row];
  }
}

}  // namespace talvirex
