// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// `easy2`, "Easy Fill SC200": fills a range of channels in one step with an ascending frequency
// series, a tag (fixed, or numbered with "Fill Series") and fixed Delay, Beep Alert, Lock Out, ATT
// and PL/DPL values. Only the fields whose box is ticked are written.
//
// Channels are scanner-wide numbers: n is row n - 20 x ((n - 1) div 20) of bank slot
// (n - 1) div 20, so 1..200 are Banks 1..10, 201..220 the Dummy bank, 221..260 the two spare slots;
// numbers above 260 address nothing and are skipped. No row outside the range is touched.
//
// The form acts on the channel table only. The main window's Easy Fill command commits the grid
// and takes the undo snapshot of the current bank before it opens the form, and redraws the bank
// (`RenderBank`) when the form has closed.

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace talvirex {

struct Workspace;

inline constexpr std::string_view kEasyFillTitle = "Easy Fill SC200";
inline constexpr std::string_view kSelectAllCaption = "Select All";
inline constexpr std::string_view kUnselectAllCaption = "Unselect All";
inline constexpr std::array<std::string_view, 9> kEasyFillSteps = {
    "5.0", "10.0", "12.5", "15.0", "20.0", "25.0", "30.0", "50.0", "100.0"};  // kHz

/// The ten-character frequency text of the fill: the padded rule with four integer digits and five
/// decimals, cut, never rounded ("406" -> "0406.00000", "118.008333" -> "0118.00833").
std::string FormatFillFrequency(std::string_view text);

/// The text of a frequency in MHz as the fill writes it before padding: fifteen significant
/// digits, no exponent, no trailing zeros (118.02499999999998 -> "118.025").
std::string FillFrequencyText(double mhz);

class EasyFillForm {
 public:
  /// The field boxes, in the order the fill writes them.
  enum Box { kFrequency, kTag, kDelay, kBeepAlert, kLockOut, kAtt, kSubtone, kBoxCount };
  /// The four Off/On lists.
  enum Switch { kDelaySwitch, kBeepAlertSwitch, kLockOutSwitch, kAttSwitch, kSwitchCount };

  /// "Frequency:", "Tag:", "Delay Time:", "Beep Alert:", "Lockout:", "Att:", "PL/DPL:".
  static std::string_view BoxCaption(int box);
  /// The PL/DPL list: the 38 CTCSS tones, then the 104 DCS codes; position p gives code p + 1.
  static std::vector<std::string> SubtoneItems();

  /// Key filters. Channel entries: digits and Backspace. Start and step: digits, "-", "." and
  /// control codes up to 9. Tag: space # & ' ( ) , - . / digits, ASCII letters, control codes
  /// below 9.
  static bool AcceptsChannelKey(char32_t code);
  static bool AcceptsNumberKey(char32_t code);
  static bool AcceptsTagKey(char32_t code);

  /// Opening: the range is the grid's selected rows of the current bank, top row first whichever
  /// way they were selected, or the whole bank when one row only is selected; every other input
  /// takes its start value.
  void Open(const Workspace& workspace);

  /// "Default": the whole bank that was current when the form opened.
  void Default();
  /// "All Channels": 1 to 200.
  void AllChannels();
  /// "Select All" / "Unselect All": ticks or clears every field box but "Att:", and toggles.
  void ToggleSelectAll();
  std::string_view SelectAllButtonCaption() const;
  /// The counter beside the tag entry: characters typed.
  int TagCounter() const;

  /// A channel entry, a field box or an Off/On list changed: "Apply" is enabled again.
  void EnableApply() { apply_enabled = true; }

  /// "Apply": corrects the entries (swapped when reversed, first at least 1, last at most 1100,
  /// step within 5..10000 kHz), fills, and disables "Apply". Sets the unsaved-changes flag when a
  /// channel of Banks 1..10 changed.
  void Apply(Workspace& workspace);
  /// "Ok": fills once more; the window then closes. "Cancel" needs no call: it only closes.
  void Ok(Workspace& workspace) { Apply(workspace); }

  std::string first_channel;                 // "From channel:"
  std::string last_channel;                  // "To channel:"
  std::string start = "0406.0000";           // "Start:", MHz
  std::string step = "12.5";                 // "Step:", kHz
  std::string tag;                           // the tag entry
  bool fill_series = false;                  // "Fill Series"
  std::array<bool, kBoxCount> boxes{};       // which fields are written
  std::array<int, kSwitchCount> switches{};  // list position: 0 "Off", 1 "On"
  int subtone = 0;                           // PL/DPL list position 0..141
  bool apply_enabled = true;

 private:
  void CorrectEntries();
  void FillFrequencies(Workspace& workspace, int first, int last) const;
  void FillTags(Workspace& workspace, int first, int last) const;
  void FillValue(Workspace& workspace, int first, int last, int field, int value) const;

  int bank_ = 0;               // the bank slot current when the form opened
  bool all_selected_ = false;  // the toggle's state: its caption reads "Unselect All"
};

}  // namespace talvirex
