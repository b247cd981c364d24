#pragma once
// The user's options: small integers named after their "setup.ini" keys, read once at start-up and
// written once at exit. A flag is on when it is 1 and off for any other value.

#include <string>
#include <string_view>

namespace talvirex {

struct Settings {
  int align = 0;        // grid text alignment: 0 left, 1 centre, 2 right
  int zero = 0;         // frequencies shown without leading zeros
  int savenames = 0;    // no function; always written as 0
  int cleartag = 0;     // New resets the bank names
  int remtags = 1;      // bank names read from "names.dat" at start-up
  int window = 0;       // restore and save the window placement
  int toolbar = 1;      // toolbars shown at start-up
  int helpbar = 1;      // help bar shown
  int copytags = 0;     // the Memory Manager copies tags too
  int shiftdir = 0;     // swaps the two channel-shift commands
  int loadlast = 0;     // reload the last file at start-up
  int tabwidth = 0;     // column widths read from "tabw200.ini"
  int confirm = 0;      // kept, no function
  int option1 = 0, option2 = 0, option3 = 0, option4 = 0, option5 = 0;
  int option6 = 0, option7 = 0, option8 = 0, option9 = 0, option10 = 0;
  int expert = 0;       // line commands skip "Are you sure?"
  int backupdelay = 15; // minutes between periodic backups, 1..99
  int backena = 1;      // periodic backup on (tested as not 0)
  int findoptie0 = 0, findoptie1 = 0, findoptie2 = 0;  // the Find dialog's options
  int infob = 0;        // forced to 0 after reading

  friend bool operator==(const Settings&, const Settings&) = default;
};

/// The value of `key` in section [setup] of an INI text, or `fallback` when the key or section is
/// missing; at most 255 characters. Section and key names match without regard to case.
std::string ReadSetting(std::string_view ini_text, std::string_view key, std::string_view fallback);

/// Reads every key from the text of "setup.ini" (empty text: every default), then forces option2,
/// option7 and infob to 0 and holds backupdelay within 1..99.
Settings LoadSettings(std::string_view ini_text);

/// The 31 lines of "setup.ini" (CR LF ended) for `settings`.
std::string SaveSettings(const Settings& settings);

}  // namespace talvirex
