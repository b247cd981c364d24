// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// `prio`, "Priority Channels:": one entry field a bank, field b holding the scanner-wide channel
// number of Bank b+1's priority channel. Valid numbers for bank b are b x 20 + 1 .. b x 20 + 20;
// any other entry is corrected silently to the bank's first channel. The form reads the table when
// it opens and writes it only on "Close" (the window's close box stores nothing).

#include <array>
#include <string>
#include <string_view>

namespace talvirex {

struct Document;

inline constexpr std::string_view kPriorityTitle = "Priority Channels:";
inline constexpr std::string_view kPriorityFieldHeader = "Channel:";
inline constexpr std::string_view kPriorityCloseButton = "Close";

class PriorityForm {
 public:
  static constexpr int kBanks = 10;

  /// "Bank:" followed by the bank number, for bank 0..9: "Bank: 1" .. "Bank: 10".
  static std::string BankCaption(int bank);
  /// The tooltip of field 0..9: its valid range, "1 - 20" .. "181 - 200".
  static std::string Tooltip(int bank);

  /// Opening: field b shows the table's entry b as a plain decimal number (1, 21, 0).
  void Load(const Document& document);

  /// Key filter of every field: digits and Backspace only.
  static bool AcceptsKey(char32_t code);

  /// The text of field 0..9; other numbers read as the empty text.
  std::string Field(int bank) const;
  /// Replaces the text of field 0..9 (an edit in the window); other numbers do nothing.
  void SetField(int bank, std::string text);

  /// Validates and reformats all ten fields: an entry outside the bank's range becomes the bank's
  /// first channel, then every field is written with at least three digits (5 -> "005"). Run when
  /// any field receives the focus, and by "Close".
  void ValidateAll();

  /// "Close": validates, then stores the ten numbers in the table (entry 10 is left alone). Sets
  /// the unsaved-changes flag when an entry changed, since channel files carry the table.
  void Close(Document& document);

 private:
  std::array<std::string, kBanks> fields_{};
};

}  // namespace talvirex
