// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The user's options, read once at start-up from "setup.ini" and written once at exit. Each
// member's comment names its key in the file. A flag key is on only when the file holds 1 and is
// written back as 1 or 0; the two numbers that are tested as "not 0" (`skip_exit_question`,
// `periodic_backup`) keep the value read, and are likewise written back as 1 only when they are 1.

#include <string>
#include <string_view>

namespace talvirex {

/// The grid's text alignment, key "align". A file may hold another number, which is kept as read
/// (and not written back) until start-up replaces it by kLeft.
enum class GridAlignment : int { kLeft = 0, kCentre = 1, kRight = 2 };

/// True for the three alignments the grid and the Software Options list know.
constexpr bool IsListedAlignment(GridAlignment align) {
  return align == GridAlignment::kLeft || align == GridAlignment::kCentre ||
         align == GridAlignment::kRight;
}

struct Settings {
  GridAlignment align = GridAlignment::kLeft;  // align
  bool hide_leading_zeros = false;             // zero: frequencies in the plain form
  bool clear_tags_on_new = false;              // cleartag: New resets the bank names
  bool remember_tags = true;                   // remtags: bank names read from "names.dat"
  bool save_window_placement = false;          // window: "window.dat" read and written
  bool show_toolbars = true;                   // toolbar: toolbars shown at start-up
  bool help_bar_shown = true;                  // helpbar: set when the help bar shows; no effect
  bool copy_tags = false;                      // copytags: the Memory Manager copies tags too
  bool reverse_shift = false;                  // shiftdir: swaps the two channel-shift commands
  bool load_last_file = false;                 // loadlast: reload the last file at start-up
  bool save_column_widths = false;             // tabwidth: column widths read from "tabw200.ini"
  bool confirm = false;                        // confirm: kept, no function
  bool easy_tag_lists = false;                 // option9: tags recorded for the Easy Tag lists
  int skip_exit_question = 0;                  // option4: any value but 0 skips "Exit TALVIREX?"
  // The other "option" keys have no function and are kept to be written back; option2 and
  // option7 are forced off after reading.
  bool option1 = false, option2 = false, option3 = false, option5 = false;
  bool option6 = false, option7 = false, option8 = false, option10 = false;
  bool expert = false;             // expert: line commands skip "Are you sure?"
  int backupdelay = 15;            // backupdelay: minutes between periodic backups, 1..99
  int periodic_backup = 1;         // backena: periodic backups run unless 0
  bool find_in_tags = false;       // findoptie0: Find opens on "Comments" rather than the frequency
  bool find_in_all_banks = false;  // findoptie1: Find opens on "All Banks"
  bool findoptie2 = false;         // findoptie2: kept, no function
  bool show_info_box = false;      // infob: forced off after reading

  friend bool operator==(const Settings&, const Settings&) = default;
};

/// The value of `key` in section [setup] of an INI text, or `fallback` when the key or section is
/// missing; at most 255 characters. Section and key names match without regard to case.
std::string ReadSetting(std::string_view ini_text, std::string_view key, std::string_view fallback);

/// Reads every key from the text of "setup.ini" (empty text: every default), then forces option2,
/// option7 and infob off and holds backupdelay within 1..99. The value of "savenames" is not used.
Settings LoadSettings(std::string_view ini_text);

/// The 31 lines of "setup.ini" (CR LF ended) for `settings`; "savenames" is always written as 0.
std::string SaveSettings(const Settings& settings);

}  // namespace talvirex
