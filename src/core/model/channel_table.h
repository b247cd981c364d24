// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The channel memory: 10 banks of 20 channels plus the scratch Dummy bank, every value held as
// text, and the lists that travel with it in a channel file.
//
// Shape (never resized): bank slot 0..12 x row 0..21 x field 0..7. Slots 0..9 are Banks 1..10,
// slot 10 the Dummy bank (never saved nor sent), 11 and 12 hold no channels. Rows 1..20 are the
// channels; rows 0 and 21 are spare. Field 0 is spare, fields 1..7 follow the grid's columns.

#include <array>
#include <string>
#include <string_view>

namespace talvirex {

inline constexpr int kBankSlots = 13;
inline constexpr int kRows = 22;
inline constexpr int kFields = 8;
inline constexpr int kScannerBanks = 10;     // slots 0..9
inline constexpr int kDummyBank = 10;        // scratch bank, never saved nor sent
inline constexpr int kChannelsPerBank = 20;  // rows 1..20
inline constexpr int kChannelCount = 200;    // scanner-wide numbers 1..200

enum Field : int {
  kFieldSpare = 0,
  kFieldFrequency = 1,
  kFieldTag = 2,
  kFieldDelay = 3,
  kFieldLockOut = 4,
  kFieldSubtone = 5,
  kFieldBeepAlert = 6,
  kFieldAtt = 7,
};

/// True for the four fields that hold "0" (Off) or "1" (On).
constexpr bool IsOnOffField(int field) {
  return field == kFieldDelay || field == kFieldLockOut || field == kFieldBeepAlert ||
         field == kFieldAtt;
}

class ChannelTable {
 public:
  /// The text at (bank slot, row, field). Indices outside the table are a programming error and
  /// throw std::out_of_range; no caller may write outside the table.
  std::string& At(int bank, int row, int field) { return cells_.at(Index(bank, row, field)); }
  const std::string& At(int bank, int row, int field) const {
    return cells_.at(Index(bank, row, field));
  }

  /// The numeric value of the row's frequency: 0 marks an empty channel.
  double FrequencyValue(int bank, int row) const;

 private:
  static std::size_t Index(int bank, int row, int field);
  std::array<std::string, kBankSlots * kRows * kFields> cells_{};
};

/// True when one of rows 1..20 of bank slot 0..10 has a frequency above 0; false for other slots.
bool IsBankInUse(const ChannelTable& table, int bank);

/// Scanner-wide channel number of (bank 0..9, row 1..20): bank x 20 + row, 1..200.
constexpr int ChannelNumber(int bank, int row) { return bank * kChannelsPerBank + row; }
/// Bank slot of a scanner-wide channel number 1..200.
constexpr int BankOf(int number) { return (number - 1) / kChannelsPerBank; }
/// Row of a scanner-wide channel number 1..200.
constexpr int RowOf(int number) { return number - kChannelsPerBank * BankOf(number); }

// Subtones. The PL/DPL field holds a code: 0 none, 1..38 a CTCSS tone, 39..142 a DCS code.
inline constexpr int kCtcssCount = 38;
inline constexpr int kDcsCount = 104;
inline constexpr int kFirstDcsCode = 39;
inline constexpr int kLastSubtoneCode = 142;

/// CTCSS tone text for index 1..38 ("67.0" .. "250.3"); empty for any other index.
std::string_view CtcssText(int index);
/// DCS code text for index 0..103 ("023" .. "754"); empty for any other index.
std::string_view DcsText(int index);
/// Display text of a stored PL/DPL code: "None", a tone, a DCS code, or "" for an invalid code.
std::string SubtoneText(std::string_view stored_code);
/// The code of a shown subtone text (a CTCSS or DCS table entry), or -1 when it is neither.
int SubtoneCodeOf(std::string_view shown_text);

}  // namespace talvirex
