// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The logic of the "Advanced Data Import" dialog `csvfile` and of the small "Webcatcher Info:"
// window `info2` that starts it on the clipboard.
//
// The dialog keeps two lists: the frequencies found by the harvester ("Frequency data found:") and
// the ones the user picked ("Data selected for import:"). Up to 20 picked entries go into
// consecutive rows of the chosen bank, or all of them onto the clipboard.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "files/harvester.h"

namespace talvirex {

struct Document;
class Ui;
class Clipboard;

inline constexpr std::size_t kClipboardLimit = 58000;  // characters taken from the clipboard
inline constexpr int kRowsPerExport = 20;
inline constexpr std::string_view kImportFilter =
    "Comma Sep. File(*.csv *.txt)|*.csv;*.txt|Tab Sep. File(*.tab *.txt)|*.tab; *.txt|"
    "Text Files(*.txt)|*.txt|HTML file(*.htm)|*.htm|All Files(*.*)|*.*";

/// The texts of the `info2` window, in the order it shows them.
struct WebCatcherTexts {
  static constexpr std::string_view kHeading = "Webcatcher Info:";
  static constexpr std::string_view kIntro = "Read frequency data directly from any website.";
  static constexpr std::string_view kStep1 =
      "1: Use your browser to locate a website that shows frequencies.";
  static constexpr std::string_view kStep2 = "2: In your browser type CTRL A.";
  static constexpr std::string_view kStep3 = "3: In your browser type CTRL C.";
  static constexpr std::string_view kImportButton = "Press To Import";
  static constexpr std::string_view kCloseButton = "Close";
};

class CsvImportForm {
 public:
  /// Opening: both lists empty, the bank selector on the shown bank (Bank 1 when the Dummy bank
  /// is shown), the start field "1".
  void Open(int shown_bank);

  const std::vector<std::string>& found() const { return found_.entries(); }
  const std::vector<std::string>& selected() const { return selected_; }
  /// The counters beside the lists.
  std::size_t found_count() const { return found_.size(); }
  std::size_t selected_count() const { return selected_.size(); }
  /// The clipboard text field: the last text taken from the clipboard.
  const std::string& clipboard_text() const { return clipboard_text_; }

  /// "Import From File": on a chosen file, empties both lists and scans the file. A file that
  /// cannot be read ends the scan quietly. Shows the busy pointer and the progress of big files.
  void ImportFromFile(Ui& ui);
  /// `ScanFile`: scans the file at `path` into the found list (the lists are not emptied).
  void ScanFile(const std::string& path, Ui& ui);
  /// `ScanText` with the busy pointer.
  void ScanText(std::string_view text, Ui& ui);
  /// "&Import From Clipboard": the clipboard's first 58000 characters are kept in the clipboard
  /// field and scanned; the found list is not emptied first. Also the `info2` "Press To Import".
  void ImportFromClipboard(Clipboard& clipboard, Ui& ui);

  // The moves. `index` is the list's selected entry, nothing when none is selected.
  void MoveToSelected(std::optional<std::size_t> index, Ui& ui);  // ">>>"
  void MoveToFound(std::optional<std::size_t> index, Ui& ui);     // "<<<"
  void MoveAllToSelected();                                       // "All >>"
  void MoveAllToFound();                                          // "<< All"
  void MoveTwentyToSelected();                                    // "20 >>"
  void ClearFound();                                              // "Clear ^" under the left list
  void ClearSelected();                                           // "Clear ^" under the right list

  // Target: the bank selector (index 0..10, 10 = "D") and the start field.
  void SelectBank(int index);
  int bank() const { return bank_; }
  /// True when the start field takes the typed character code: 0..9 (control keys) or 45..57.
  static bool StartFieldAcceptsKey(int code) {
    return (code >= 0 && code <= 9) || (code >= 45 && code <= 57);
  }
  void SetStartText(std::string text) { start_text_ = std::move(text); }
  const std::string& start_text() const { return start_text_; }
  /// Leaving the start field: above 20 becomes "20", below 1 becomes "1".
  void LeaveStartField();
  /// The read-only field beside the start: bank index x 20 + the start's value.
  std::string StartChannelText() const;

  /// "Export To Table:": writes up to 20 selected texts into the frequency field of consecutive
  /// rows of the chosen bank from the start row on (rows past 20 are not written); a change of
  /// Banks 1..10 marks the table as changed. False when the user declined the question. The
  /// editor commits and redraws the shown bank around it (`ExportHarvestToTable`).
  bool ExportToTable(Document& document, Ui& ui) const;
  /// "&Export To Clipboard": the selected texts joined by CR LF. False when declined.
  bool ExportToClipboard(Clipboard& clipboard, Ui& ui) const;

 private:
  bool ConfirmEmptySelection(Ui& ui, const std::string& question) const;

  FoundList found_;
  std::vector<std::string> selected_;
  std::string clipboard_text_;
  std::string start_text_ = "1";
  int bank_ = 0;
};

}  // namespace talvirex
