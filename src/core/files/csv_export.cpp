// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/csv_export.h"

#include <cerrno>
#include <cstring>
#include <sstream>

#include "document.h"
#include "files/channel_list.h"
#include "model/channel_table.h"
#include "ports/ui.h"
#include "text/cp1252.h"
#include "text/text.h"

namespace talvirex {

namespace {

std::string OnOffColumn(const std::string& stored) {
  if (stored == "0") return "Off";
  if (stored == "1") return "On";
  return {};
}

// A tag must not add columns or lines: "," and ";" (and line breaks, which no spreadsheet would
// read as one row) become blanks.
std::string TagColumn(std::string tag) {
  for (char& c : tag) {
    if (c == ',' || c == ';' || c == '\r' || c == '\n') c = ' ';
  }
  return tag;
}

IoError StreamFailure() {
  const int code = errno != 0 ? errno : EIO;
  return IoError{code, std::strerror(code)};
}

bool WriteLine(std::ostream& out, std::string_view line) {
  out << Utf8ToCp1252(line) << "\r\n";
  return static_cast<bool>(out);
}

}  // namespace

std::string CsvLine(const ChannelTable& table, int bank, int row) {
  if (table.FrequencyValue(bank, row) <= 0) return std::string(kCsvEmptyLine);
  const auto field = [&](int f) -> const std::string& { return table.At(bank, row, f); };
  std::string line = IntText(bank + 1);
  line += ',' + IntText(bank * kChannelsPerBank + row);
  line += ',' + field(kFieldFrequency);
  line += ',' + TagColumn(field(kFieldTag));
  line += ',' + OnOffColumn(field(kFieldDelay));
  line += ',' + OnOffColumn(field(kFieldLockOut));
  // A code outside 0..142 gives an empty column rather than a wrong tone.
  line += ',' + SubtoneText(field(kFieldSubtone));
  line += ',' + OnOffColumn(field(kFieldBeepAlert));
  line += ',' + OnOffColumn(field(kFieldAtt));
  return line;
}

std::string RoutineFailureText(const std::string& lead, const IoError& error) {
  return lead + "\r\n Err = " + IntText(error.code) + "\r\n Error: " + error.reason;
}

std::optional<IoError> WriteCsv(const ChannelTable& table, const std::vector<int>& banks,
                                std::ostream& out, Ui& ui) {
  errno = 0;
  if (!WriteLine(out, kCsvHeader)) return StreamFailure();
  for (const int bank : banks) {
    for (int row = 1; row <= kChannelsPerBank; ++row) {
      errno = 0;
      if (WriteLine(out, CsvLine(table, bank, row))) continue;
      const IoError error = StreamFailure();
      ui.Tell(RoutineFailureText("Problem in export bank sub " + IntText(bank) + " " + IntText(row),
                                 error));
      out.clear();
      break;
    }
  }
  return std::nullopt;
}

std::string CsvPathFor(std::string path) {
  if (!Contains(path, ".CSV") && !Contains(path, ".csv")) path += ".csv";
  return path;
}

std::vector<int> ExportCsvForm::BanksToExport(int shown_bank) const {
  if (option_ == kCurrentBank) return {shown_bank};
  std::vector<int> banks;
  for (int bank = 0; bank < kScannerBanks; ++bank) banks.push_back(bank);
  return banks;
}

bool ExportCsvForm::Ok(const Document& document, int shown_bank, Ui& ui) const {
  const auto chosen = ui.SaveFile(FileDialog{"Comma Separated Files (*.csv)|*.csv", "*.csv", true});
  if (!chosen) return false;
  const std::string path = CsvPathFor(*chosen);
  std::optional<IoError> failure;
  if (layout_ == ExportLayout::kChannelList) {
    failure = WriteFileAtomically(path, ChannelListText(document.table, BanksToExport(shown_bank)));
  } else {
    std::ostringstream text;
    failure = WriteCsv(document.table, BanksToExport(shown_bank), text, ui);
    if (!failure) failure = WriteFileAtomically(path, text.str());
  }
  if (failure) {
    ui.Tell(RoutineFailureText("Problem in export routine 1.", *failure));
    return false;
  }
  return true;
}

}  // namespace talvirex
