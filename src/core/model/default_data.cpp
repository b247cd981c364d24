// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/default_data.h"

#include <vector>

#include "model/numeric_value.h"
#include "text/text.h"

namespace talvirex {

int DefaultEntryField(int entry) {
  switch (entry) {
    case 1: return 3;  // Delay
    case 2: return 6;  // Beep Alert
    case 3: return 7;  // ATT
    case 4: return 4;  // Lock Out
    default: return 0;
  }
}

DefaultData LoadDefaultData(std::string_view file_text) {
  std::vector<int> numbers;
  std::size_t pos = 0;
  while (pos < file_text.size() && numbers.size() < 22) {
    auto end = file_text.find('\n', pos);
    if (end == std::string_view::npos) end = file_text.size();
    const std::string_view line = TrimBlanks(file_text.substr(pos, end - pos));
    pos = end + 1;
    numbers.push_back(SmallIntValue(line));
  }
  DefaultData data;
  for (std::size_t i = 0; i < numbers.size(); ++i) {
    if (i < 11) {
      data.apply[i] = (numbers[i] == 0 || numbers[i] == 1) ? numbers[i] : 0;
    } else {
      data.value[i - 11] = numbers[i];
    }
  }
  return data;
}

std::string SaveDefaultData(const DefaultData& data) {
  std::string text;
  for (const int n : data.apply) text += IntText(n) + "\r\n";
  for (const int n : data.value) text += IntText(n) + "\r\n";
  return text;
}

}  // namespace talvirex
