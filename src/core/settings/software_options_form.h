// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// `softset`, "Software Setup:": the software options the user edits during a run. The form reads
// the settings when it opens and writes them only on "Ok"; nothing reaches "setup.ini" before the
// exit sequence. After "Ok" the main window re-applies the grid alignment and redraws the current
// bank, so a changed `hide_leading_zeros` shows at once.

#include <array>
#include <string>
#include <string_view>

namespace talvirex {

struct Settings;

inline constexpr std::string_view kSoftwareOptionsTitle = "Software Setup:";
inline constexpr std::string_view kBackupFrame = "Create Backup of MEM files:";
inline constexpr std::string_view kTagsFrame = "Tags:";
inline constexpr std::string_view kGeneralFrame = "General:";
inline constexpr std::string_view kSmartInfoFrame = "Smart Info:";
inline constexpr std::string_view kSmartInfoText = "This is Smart Info.";
inline constexpr std::string_view kBackupCheckCaption = "Enable Automatic Backup every:";
inline constexpr std::string_view kAlignmentLabel = "Grid Text Alignment:";
inline constexpr std::array<std::string_view, 3> kAlignmentItems = {"Left", "Center", "Right"};
inline constexpr int kBackupDelayMin = 1;  // minutes, the scroll bar's range
inline constexpr int kBackupDelayMax = 99;

class SoftwareOptionsForm {
 public:
  /// The check-box rows `check3d1`, in the order the window lists them.
  enum Option {
    kEasyTagList,     // easy_tag_lists
    kClearTags,       // clear_tags_on_new
    kRememberTags,    // remember_tags
    kInfoBox,         // show_info_box
    kHideZeros,       // hide_leading_zeros
    kLoadLast,        // load_last_file
    kWindowPosition,  // save_window_placement
    kReverseShift,    // reverse_shift
    kTabWidths,       // save_column_widths
    kOptionCount
  };

  /// The caption of check-box row `option` ("Show Easy Tag Dropdown List", ...).
  static std::string_view OptionCaption(int option);
  /// The control index of the row in the window's indexed group `check3d1` (17, 5, 9, ...).
  static int OptionControlIndex(int option);

  /// Opening: every box ticked when its setting is on (`periodic_backup` only when it is 1); the
  /// scroll bar at `backupdelay` when that lies in 1..99 (else it stays at 1); the alignment list
  /// at item `align` when that is one of the three, else with no selection (-1).
  void Load(const Settings& settings);

  /// The scroll bar moved: the number label follows it, held within 1..99.
  void SetBackupDelay(int minutes);
  /// `Label3`: the scroll bar's value as text.
  std::string DelayLabel() const;
  /// `Label4`: "Minute." for 1, "Minutes." otherwise.
  std::string UnitLabel() const;

  /// "Ok": writes every option back (a ticked box on, an unticked one off; `periodic_backup` 1 or
  /// 0), the delay and the alignment. A list with no selection keeps the alignment as it was.
  void Ok(Settings& settings) const;

  bool backup_enabled = false;               // `Check1`: periodic_backup
  int backup_delay = kBackupDelayMin;        // `HScroll1`, 1..99
  std::array<bool, kOptionCount> options{};  // `check3d1` rows
  int alignment = -1;                        // `Combo3` item index, -1 none
};

}  // namespace talvirex
