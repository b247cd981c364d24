// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// CSV export of the channel table: the dialog `expcsvd` ("Export CSV data") and the writer.
//
// The file is 8-bit Windows-1252 text with CR LF line ends: a header line, then one line per row
// 1..20 of each exported bank. A used row (frequency above 0) gives nine columns joined by commas,
// without quoting; every other row gives "Empty,,,,,,,,". Tags lose their "," and ";" (each
// becomes a blank) so that every line keeps nine columns.

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "files/file_io.h"

namespace talvirex {

class ChannelTable;
struct Document;
class Ui;

inline constexpr std::string_view kCsvHeader =
    "Bank,Channel,Frequency,Tag,Delay Time,LockOut,PL/DPL,BeepAlert,Attenuator";
inline constexpr std::string_view kCsvEmptyLine = "Empty,,,,,,,,";

/// The CSV line (without line end, UTF-8) of `row` 1..20 of bank slot `bank` 0..10.
std::string CsvLine(const ChannelTable& table, int bank, int row);

/// Writes the header and the lines of `banks` (slots 0..10, in the order given) to `out` as
/// Windows-1252 text with CR LF line ends. A write failure stops the bank where it happened and
/// is reported through `ui` ("Problem in export bank sub ..."); the next bank is still tried.
/// Returns the failure of the header line (the caller reports it), or nothing.
std::optional<IoError> WriteCsv(const ChannelTable& table, const std::vector<int>& banks,
                                std::ostream& out, Ui& ui);

/// The path with ".csv" appended unless it contains ".CSV" or ".csv" anywhere.
std::string CsvPathFor(std::string path);

/// What an export writes: the program's own CSV table, or a channel list (channel_list.h).
enum class ExportLayout { kTable, kChannelList };

/// The logic of the dialog `expcsvd`.
class ExportCsvForm {
 public:
  /// The option buttons `Option1`, by their index.
  enum Option {
    kCurrentBank = 0,  // "Export Current Bank"
    kAllBanks = 1,     // "Export All Memory Banks"
  };

  /// Opening selects "Export Current Bank".
  void Open(ExportLayout layout = ExportLayout::kTable) {
    option_ = kCurrentBank;
    layout_ = layout;
  }
  ExportLayout layout() const { return layout_; }
  void SelectOption(Option option) { option_ = option; }
  Option option() const { return option_; }

  /// "Ok": asks for the file and writes it. True when the dialog closes (the export ran to its
  /// end); false when the user cancelled the file dialog or the file could not be written, which
  /// was then reported as "Problem in export routine 1.". Changes nothing in the document.
  bool Ok(const Document& document, int shown_bank, Ui& ui) const;

  /// The slots "Ok" exports: the shown bank (which may be the Dummy bank), or slots 0..9.
  std::vector<int> BanksToExport(int shown_bank) const;

 private:
  Option option_ = kCurrentBank;
  ExportLayout layout_ = ExportLayout::kTable;
};

/// The three-line failure text: `lead`, CR LF, " Err = " code, CR LF, " Error: " reason.
std::string RoutineFailureText(const std::string& lead, const IoError& error);

}  // namespace talvirex
