// SPDX-License-Identifier: GPL-3.0-or-later
// "names.dat" on any bytes: the eleven bank names it sets hold no comma and no line break, the
// Search entry is never read from it, and what was read writes back as exactly eleven CR LF lines.

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "features/bank_names.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  talvirex::BankNameList names = talvirex::DefaultBankNames();
  talvirex::ApplyNamesFile(bytes, names);
  if (names[11] != "Search") std::abort();
  for (int i = 0; i < talvirex::kNamesInFile; ++i) {
    if (names[i].find_first_of(",\r\n") != std::string::npos) std::abort();
  }
  const std::string written = talvirex::NamesFileBytes(names);
  std::size_t pairs = 0;
  for (auto at = written.find("\r\n"); at != std::string::npos; at = written.find("\r\n", at + 2)) {
    ++pairs;
  }
  const auto count = [&written](char c) { return std::count(written.begin(), written.end(), c); };
  if (pairs != talvirex::kNamesInFile || count('\r') != talvirex::kNamesInFile ||
      count('\n') != talvirex::kNamesInFile) {
    std::abort();
  }
  talvirex::BankNameList again = talvirex::DefaultBankNames();
  talvirex::ApplyNamesFile(written, again);
  if (again[11] != "Search") std::abort();
  return 0;
}
