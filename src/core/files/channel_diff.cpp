// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/channel_diff.h"

#include <array>
#include <string_view>

#include "document.h"
#include "model/channel_table.h"
#include "model/numeric_value.h"
#include "text/text.h"

namespace talvirex {

namespace {

constexpr std::array<std::string_view, 8> kColumnNames = {
    "", "Freq. (MHz)", "Tag", "Delay", "Lock Out", "PL/DPL", "Beep Alert", "ATT"};

std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

// Two stored frequencies are one when they mean the same number (" 145.12" and "145.1200").
bool SameField(int field, const std::string& a, const std::string& b) {
  if (field == kFieldFrequency) return NumericValue(a) == NumericValue(b);
  return a == b;
}

void DiffChannels(const Document& a, const Document& b, std::vector<std::string>& out) {
  for (int n = 1; n <= kChannelCount; ++n) {
    const int bank = BankOf(n);
    const int row = RowOf(n);
    const bool a_empty = a.table.FrequencyValue(bank, row) == 0;
    const bool b_empty = b.table.FrequencyValue(bank, row) == 0;
    if (a_empty && b_empty) continue;  // empty channels differ in nothing the scanner keeps
    const std::string where =
        "Channel " + IntText(n) + " (Bank " + IntText(bank + 1) + ", row " + IntText(row) + "): ";
    for (int field = kFieldFrequency; field <= kFieldAtt; ++field) {
      const std::string& x = a.table.At(bank, row, field);
      const std::string& y = b.table.At(bank, row, field);
      if (SameField(field, x, y)) continue;
      out.push_back(where + std::string(kColumnNames[field]) + " " + Quoted(x) + " -> " +
                    Quoted(y));
    }
  }
}

template <typename List>
void DiffList(std::string_view name, const List& a, const List& b, std::size_t count,
              std::vector<std::string>& out) {
  for (std::size_t i = 0; i < count; ++i) {
    if (a[i] == b[i]) continue;
    std::string x, y;
    if constexpr (std::is_same_v<typename List::value_type, std::string>) {
      x = Quoted(a[i]);
      y = Quoted(b[i]);
    } else {
      x = IntText(a[i]);
      y = IntText(b[i]);
    }
    out.push_back(std::string(name) + " " + IntText(static_cast<long long>(i)) + ": " + x + " -> " +
                  y);
  }
}

}  // namespace

std::vector<std::string> DiffTables(const Document& a, const Document& b) {
  std::vector<std::string> out;
  DiffChannels(a, b, out);
  DiffList("Bank name", a.bank_names, b.bank_names, a.bank_names.size(), out);
  DiffList("Priority channel of bank index", a.priority, b.priority, 10, out);
  DiffList("Scanner setting", a.scanner_settings, b.scanner_settings, a.scanner_settings.size(),
           out);
  DiffList("Search range", a.search_range, b.search_range, 2, out);
  return out;
}

}  // namespace talvirex
