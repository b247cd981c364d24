// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// `banknamen`, "Setup Bank Tags": twelve entry fields, field i for bank name i (0..9 the banks,
// 10 the Dummy bank, 11 "Search / Edge:"). The form reads the names when it opens and writes them
// back only on "Ok". After the dialog, however it closed, the main window redraws its captions
// (BankTabCaption, ViewMenuBankCaption).

#include <array>
#include <string>
#include <string_view>

#include "features/bank_names.h"

namespace talvirex {

struct Document;

inline constexpr std::string_view kBankNamesTitle = "Setup Bank Tags";
inline constexpr std::string_view kBankNamesNote = "Maximum 16 characters are allowed.";
inline constexpr int kBankNameMaxLength = 16;  // characters; the fields hold no more when typed

class BankNamesForm {
 public:
  static constexpr int kFieldCount = 12;
  /// The field that "Center" and "Left" leave alone.
  static constexpr int kSearchField = 11;

  /// The caption beside field 0..11: "Bank 1" .. "Bank 9", "Bank 10:", "Dummy:", "Search / Edge:".
  static std::string Caption(int field);

  /// Opening: every field shows its bank name.
  void Load(const Document& document);

  /// Key filter of every field (`code` is the typed character's code): control codes 1..25 except
  /// Enter (13), and printable ASCII 32..126 except the double quote and the comma.
  static bool AcceptsKey(char32_t code);

  /// The text of field 0..11; fields outside 0..11 read as the empty text.
  std::string Field(int field) const;
  /// Replaces the text of field 0..11 (an edit in the window); other field numbers do nothing.
  void SetField(int field, std::string text);
  /// The counter beside field 0..11: the number of characters it holds.
  int Counter(int field) const;

  /// "Center": fields 0..10 are cut to 16 characters, stripped of surrounding spaces, and a
  /// non-empty text shorter than 16 gets (16 - length) / 2 leading spaces.
  void Center();
  /// "Left": fields 0..10 are cut to 16 characters and stripped of surrounding spaces.
  void Left();
  /// "Clear All": all twelve fields become empty.
  void ClearAll();
  /// "Default": "Bank: 1" .. "Bank: 10", "Dummy", "Search".
  void Default();

  /// "Ok": bank name i = the first 16 characters of field i, an empty field stored as one space;
  /// a line break (from a paste) is stored as a blank. Sets the unsaved-changes flag when a name
  /// changed, since channel files carry all twelve names.
  void Ok(Document& document) const;

 private:
  std::array<std::string, kFieldCount> fields_{};
};

}  // namespace talvirex
