// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// `editmenu`, the Memory Manager: copies, moves or swaps fields 1..7 of single channels (inside
// the current bank, or between any rows of the bank slots 0..10) or of whole banks, the latter
// optionally with their bank names. Field 0 is never touched.
//
// The form works on the workspace it was opened with, which must outlive it. The window binds
// its two drop-down lists to `entries()`, the selections to `SelectSource`/`SelectDestination`,
// the option buttons and check boxes to the setters, and the three buttons to `Apply`, `Ok` and
// nothing (Cancel). The main window's two commands take the undo snapshot before and redraw
// after (`MainWindowLogic`).
//
// Bad input never reaches the table: a selection outside the list is held at its nearest entry,
// and the channel and bank operations ignore slots outside 0..10 and rows outside 1..20.

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace talvirex {

struct Workspace;
class ChannelTable;
struct Settings;

/// `ManagerMode`: "Memory Manager" is channel mode, "Memory Manager1" bank mode.
inline constexpr std::string_view kChannelManagerMode = "Memory Manager";
inline constexpr std::string_view kBankManagerMode = "Memory Manager1";

enum class ManagerMode { kChannels, kBanks };
enum class ManagerOperation { kCopy, kMove, kSwap };
enum class ManagerScope { kCurrentBank, kAllBanks };

/// One row of the table: bank slot 0..10 and row 1..20.
struct ChannelSlot {
  int bank = 0;
  int row = 1;
};

/// The channel operation on fields 1..7. Swap passes through row 21 of the destination's slot,
/// which keeps the destination's former fields. Returns false (and changes nothing) when either
/// row is outside the table's channels.
bool OperateChannel(ChannelTable& table, ChannelSlot from, ChannelSlot to, ManagerOperation op);

/// The bank operation on rows 1..20, fields 1..7 of two slots 0..10; with `include_names` the
/// bank names are copied, cleared at the source (Move) or exchanged (Swap) too. Returns false (and
/// changes nothing) for a slot outside 0..10.
bool OperateBank(Workspace& workspace, int from, int to, ManagerOperation op, bool include_names);

/// The list entry for channel `row` of `bank` ("41 : 145.5000 - TAG", "43 : Empty"); with
/// `bank_prefix` preceded by "Bank 3 - " or "Dummy - ".
std::string ChannelEntry(const ChannelTable& table, int bank, int row, bool bank_prefix);
/// The bank list's entry for slot 0..10: "3: " or "Dummy: ", the bank name, then "  -  EMPTY"
/// for a bank without channels or one blank.
std::string BankEntry(const Workspace& workspace, int bank);

class MemoryManagerForm {
 public:
  /// Opening: the mode's title, labels and list; Copy and Current Bank chosen; "Include Bank
  /// Tag" from `copy_tags`; "Frequencies" ticked; entry 0 in both lists; Apply disabled.
  void Open(Workspace& workspace, ManagerMode mode);

  ManagerMode mode() const { return mode_; }
  std::string_view ManagerModeText() const;
  /// "Edit Memory Data" / "Edit Memory Banks".
  std::string_view Title() const;
  /// "From" / "&Load Bank:" and "To" / "&Save Bank:".
  std::string_view SourceLabel() const;
  std::string_view DestinationLabel() const;
  /// Shown only in channel mode: the scope buttons. Only in bank mode: "Include Bank Tag" and the
  /// "Data:" frame.
  bool ShowsScope() const { return mode_ == ManagerMode::kChannels; }
  bool ShowsBankOptions() const { return mode_ == ManagerMode::kBanks; }
  /// Layout of the "Option:" frame, the "Commands:" frame and the dialog height, in twips; the
  /// channel mode closes up over the hidden "Data:" frame. Zero means "as designed".
  int OptionFrameTop() const { return ShowsScope() ? 1320 : 0; }
  int CommandFrameTop() const { return ShowsScope() ? 2160 : 0; }
  int DialogHeight() const { return ShowsScope() ? 3555 : 0; }

  /// The texts both lists hold: 20 or 220 channel entries, or 11 bank entries.
  const std::vector<std::string>& entries() const { return entries_; }
  int source() const { return source_; }
  int destination() const { return destination_; }
  /// A selection in a list (made by the user); held within the list. Enables Apply.
  void SelectSource(int index);
  void SelectDestination(int index);

  ManagerOperation operation() const { return operation_; }
  /// A click on "Copy", "Move" or "Swap": enables Apply.
  void SetOperation(ManagerOperation operation);
  ManagerScope scope() const { return scope_; }
  /// A click on "Current Bank" or "All Banks": refills both lists and selects entry 0 in both.
  void SetScope(ManagerScope scope);

  bool include_bank_tag = false;  // "Include Bank Tag"
  bool frequencies = true;        // "Frequencies"
  bool trunk_ids = false;         // "Trunk id's" (no operation reads it)
  bool trunk_settings = false;    // "Trunk sett." (no operation reads it)

  bool apply_enabled() const { return pending_; }
  /// "&Apply": with source and destination different, runs the operation, refills the lists
  /// keeping both selections, and disables Apply; with the same entry nothing happens.
  void Apply();
  /// "Ok": Apply when a change is pending; the window then closes. "Cancel" needs no call.
  void Ok();

 private:
  void Fill();
  int Held(int index) const;
  ChannelSlot SlotOf(int index) const;

  Workspace* ws_ = nullptr;
  ManagerMode mode_ = ManagerMode::kChannels;
  ManagerOperation operation_ = ManagerOperation::kCopy;
  ManagerScope scope_ = ManagerScope::kCurrentBank;
  std::vector<std::string> entries_;
  int source_ = 0;
  int destination_ = 0;
  bool pending_ = false;
};

}  // namespace talvirex
