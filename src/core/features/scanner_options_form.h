// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// `sc200set`, "SC200 Global Settings:": which banks scan (entries 0..9 of the scanner settings)
// and four On/Off switches (entries 10..13). An entry is on only when it is exactly 1. The form
// reads the settings when it opens and writes them only on "Ok"; "Cancel" and the close box store
// nothing. Entries 14..20 are never touched.

#include <array>
#include <string>
#include <string_view>

namespace talvirex {

struct Document;

inline constexpr std::string_view kScannerOptionsTitle = "SC200 Global Settings:";
inline constexpr std::string_view kActiveBanksFrame = "Active Banks:";

class ScannerOptionsForm {
 public:
  static constexpr int kBanks = 10;
  /// The four switch frames, in the order of their entries 10..13.
  enum Switch { kPriority = 0, kAlfaMode = 1, kAutoLight = 2, kSubtoneMode = 3 };
  static constexpr int kSwitches = 4;

  /// Caption of switch frame 0..3: "Priority:", "Alfa Mode:", "AutoLight:", "Subtone Mode:".
  static std::string_view SwitchCaption(int which);
  /// Caption of bank check box 0..9: "1" .. "10".
  static std::string BankCaption(int bank);

  /// Opening: a bank box is checked when its entry is 1, a switch shows "On" when its entry is 1
  /// and "Off" otherwise.
  void Load(const Document& document);

  /// "Ok": entries 0..9 from the boxes, with Bank 1 made active when no box is checked; entries
  /// 10..13 from the switches. Sets the unsaved-changes flag when an entry changed, since channel
  /// files carry the settings.
  void Ok(Document& document) const;

  std::array<bool, kBanks> bank_active{};   // the "Active Banks:" boxes; greyed counts as false
  std::array<bool, kSwitches> switch_on{};  // "On" selected in the frame (else "Off")
};

}  // namespace talvirex
