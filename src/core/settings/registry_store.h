// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's registry key "Software\Vorna\TALVIRA\settings", kept on platforms without a
// registry as a small text file in the program folder. Values are read and written by name and
// stored as text with the letter "x" appended, so that every value is a string; reading removes
// the last character again.
//
// File form, one value a line: the key path in brackets, then name=value lines (value with its
// "x"). Lines of other keys are kept as they are.

#include <map>
#include <string>
#include <string_view>

namespace talvirex {

inline constexpr std::string_view kRegistryKey = "Software\\Vorna\\TALVIRA\\settings";

class RegistryStore {
 public:
  /// Parses the store's file text; malformed lines are ignored.
  static RegistryStore Parse(std::string_view text);
  /// The file text of the store.
  std::string Serialize() const;

  /// The value `name` without its last character. When the value is missing or empty,
  /// `fallback` (which carries the "x" too) is used instead. A stored value is cut at its first
  /// NUL.
  std::string RegistryGet(std::string_view name, std::string_view fallback) const;
  /// Stores `value` followed by "x" under `name`.
  void RegistryPut(std::string_view name, std::string_view value);

 private:
  std::map<std::string, std::map<std::string, std::string, std::less<>>, std::less<>> keys_;
};

}  // namespace talvirex
