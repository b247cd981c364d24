// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/channel_file.h"

#include <cctype>
#include <cerrno>
#include <cmath>
#include <filesystem>
#include <fstream>

#include "document.h"
#include "files/item_reader.h"
#include "model/numeric_value.h"
#include "ports/ui.h"
#include "text/cp1252.h"
#include "text/text.h"

namespace talvirex {

namespace {

constexpr std::string_view kEol = "\r\n";
constexpr int kSmallIntLimit = 32767;

// A quoted field cannot hold a double quote or a line break; a line record cannot hold a line
// break. Each becomes a blank, so the written file reads back.
std::string Sanitized(std::string_view text, bool in_quotes) {
  std::string out(text);
  for (char& c : out) {
    if (c == '\r' || c == '\n' || (in_quotes && c == '"')) c = ' ';
  }
  return out;
}

void AppendReservedList(std::string& out, std::string_view name, const std::array<int, 10>& list) {
  out += name;
  for (const int value : list) out += ",\"" + IntText(value) + "\"";
  out += kEol;
}

// Where the reader stands, for the failure message: the channel loop's indices, or, after the
// channels, the loop's final values with the row index counting the lines of the section.
struct Position {
  std::string bank, row, field;
};

class Reader {
 public:
  Reader(std::string_view text, Document& ws, Ui& ui) : items_(text), ws_(ws), ui_(ui) {}

  std::optional<ChannelFileFailure> Run();

 private:
  std::optional<std::string> Item() { return items_.ReadItem(); }
  std::optional<std::string> Line() { return items_.ReadLine(); }
  ChannelFileFailure Fail(int code) const {
    return {false, ReadFailureMessage(at_.bank, at_.row, at_.field, code), code};
  }
  void BlankTable();
  bool ReadChannels();
  bool ReadBankNames();
  bool ReadPriorities(int& failure_code);
  bool ReadSettings();
  bool ReadSearchRange();
  void EnterSection(int index) { at_ = {IntText(kScannerBanks), IntText(index), IntText(kFields)}; }

  ItemReader items_;
  Document& ws_;
  Ui& ui_;
  Position at_;
};

void Reader::BlankTable() {
  for (int bank = 0; bank <= 11; ++bank) {
    for (int row = 0; row <= kChannelsPerBank; ++row) {
      ws_.table.At(bank, row, kFieldSpare).clear();
      ws_.table.At(bank, row, kFieldFrequency) = "0";
      for (int field = kFieldTag; field <= kFieldAtt; ++field)
        ws_.table.At(bank, row, field).clear();
    }
  }
}

bool Reader::ReadChannels() {
  for (int bank = 0; bank < kScannerBanks; ++bank) {
    for (int row = 1; row <= kChannelsPerBank; ++row) {
      ui_.ShowProgress(row, kChannelsPerBank);
      for (int field = 0; field < kFields; ++field) {
        at_ = {IntText(bank), IntText(row), IntText(field)};
        auto item = Item();
        if (!item) return false;
        std::string& cell = ws_.table.At(bank, row, field);
        cell = std::move(*item);
      }
    }
  }
  EnterSection(0);
  const bool blank_line = Item().has_value();
  ui_.ShowProgress(0, 0);
  return blank_line;
}

bool Reader::ReadBankNames() {
  for (int i = 0; i <= 11; ++i) {
    EnterSection(i);
    const auto line = Line();
    if (!line) return false;
    if (!Contains(*line, "#$BT")) continue;
    const std::size_t length = Utf8Length(*line);
    if (i <= 9 && length > 5) ws_.bank_names[i] = Utf8Drop(*line, 6);
    if (i >= 10 && length > 6) ws_.bank_names[i] = Utf8Drop(*line, 7);
  }
  for (int i = 0; i < 2; ++i) {  // the reserved lists: read and ignored
    EnterSection(i);
    if (!Line()) return false;
  }
  return true;
}

// The value after "<letter><index>" in x: the last (length - p - 1) characters, p being the
// 1-based position of the marker.
std::optional<std::string> ValueAfterMarker(const std::string& x, char letter, int index) {
  const std::string marker = letter + IntText(index);
  const auto found = x.find(marker);
  if (found == std::string::npos) return std::nullopt;
  const std::size_t p = found + 1;
  return x.substr(p + 1);
}

bool Reader::ReadPriorities(int& failure_code) {
  for (int b = 0; b < kScannerBanks; ++b) {
    EnterSection(b);
    const auto x = Item();
    if (!x) return false;
    const auto value = ValueAfterMarker(*x, 'H', b);
    if (!value) continue;
    const double rounded = std::nearbyint(NumericValue(*value));
    if (std::fabs(rounded) > kSmallIntLimit) {
      failure_code = kErrorOverflow;
      return false;
    }
    ws_.priority[b] = static_cast<int>(rounded);
  }
  return true;
}

bool Reader::ReadSettings() {
  for (int i = 0; i <= 20; ++i) {
    EnterSection(i);
    const auto x = Item();
    if (!x) return false;
    if (Contains(*x, "T" + IntText(i)) && !x->empty()) {
      ws_.scanner_settings[i] = SmallIntValue(x->substr(x->size() - 1));
    }
  }
  return true;
}

bool Reader::ReadSearchRange() {
  for (int i = 0; i <= 1; ++i) {
    EnterSection(i);
    const auto x = Item();
    if (!x) return false;
    if (const auto value = ValueAfterMarker(*x, 'C', i)) {
      ws_.search_range[i] = ShortestDecimal(NumericValue(*value));
    }
  }
  return true;
}

std::optional<ChannelFileFailure> Reader::Run() {
  const auto magic = Item();
  if (!magic) return Fail(kErrorInputPastEnd);
  int version = 0;
  if (Contains(*magic, kMagicV091)) {
    version = 2;
  } else if (Contains(*magic, kMagicV090)) {
    version = 1;
  }
  if (version == 0) return ChannelFileFailure{true, "File is not compatible.", 0};

  BlankTable();
  int failure_code = kErrorInputPastEnd;
  if (!ReadChannels() || !ReadBankNames() || !ReadPriorities(failure_code) || !ReadSettings() ||
      (version == 2 && !ReadSearchRange())) {
    ui_.ShowProgress(0, 0);
    return Fail(failure_code);
  }
  return std::nullopt;
}

int OpenErrorCode(const IoError& error) {
  switch (error.code) {
    case ENOENT:
    case ENOTDIR: return kErrorFileNotFound;
    case EACCES:
    case EPERM: return kErrorPermissionDenied;
    case EFBIG:
    case ENOMEM: return kErrorOutOfMemory;
    default: return kErrorPathAccess;
  }
}

}  // namespace

std::string ChannelFileText(const Document& ws) {
  std::string out;
  out.reserve(24 * 1024);
  out += kMagicV091;
  out += kEol;
  for (int n = 1; n <= kChannelCount; ++n) {
    out += IntText(n);
    for (int field = kFieldFrequency; field <= kFieldAtt; ++field) {
      out += ",\"";
      out += Sanitized(ws.table.At(BankOf(n), RowOf(n), field), true);
      out += '"';
    }
    out += kEol;
  }
  out += " ";
  out += kEol;
  for (int i = 0; i <= 11; ++i) {
    out += "#$BT" + IntText(i) + " " + Sanitized(ws.bank_names[i], false);
    out += kEol;
  }
  AppendReservedList(out, "#$LKM", ws.lkm);
  AppendReservedList(out, "#$LKS", ws.lks);
  for (int b = 0; b < kScannerBanks; ++b) {
    out += "PRCH" + IntText(b) + " " + IntText(ws.priority[b]);
    out += kEol;
  }
  for (int i = 0; i <= 20; ++i) {
    out += "SET" + IntText(i) + " " + IntText(ws.scanner_settings[i]);
    out += kEol;
  }
  for (int i = 0; i <= 1; ++i) {
    out += "SRC" + IntText(i) + " " + Sanitized(ws.search_range[i], false);
    out += kEol;
  }
  return out;
}

std::string ChannelFileBytes(const Document& ws) { return Utf8ToCp1252(ChannelFileText(ws)); }

std::string ReadFailureMessage(std::string_view bank, std::string_view row, std::string_view field,
                               int code) {
  std::string text = "Not a valid file! Line: ";
  text += bank;
  text += " / ";
  text += row;
  text += " / ";
  text += field;
  text += " Error: " + IntText(code);
  return text;
}

std::optional<ChannelFileFailure> ReadChannelFile(std::string_view bytes, Document& ws, Ui& ui) {
  const std::string text = DecodeFileText(bytes);
  return Reader(text, ws, ui).Run();
}

std::optional<IoError> WriteChannelFile(const Document& document, const std::string& path) {
  std::string target = path;
  if (target.size() == 4 && target.front() == '.') target = "sc200" + target;
  return WriteFileAtomically(target, ChannelFileBytes(document));
}

ChannelFileLoad LoadChannelFile(const std::string& path, Document& document, Ui& ui) {
  ChannelFileLoad load;
  const ReadResult file = ReadWholeFile(path, 64u << 20);
  if (!file.bytes) {
    const int code = OpenErrorCode(file.error);
    load.failure = ChannelFileFailure{false, ReadFailureMessage("", "", "", code), code};
  } else {
    load.failure = ReadChannelFile(*file.bytes, document, ui);
    load.read = !load.failure || !load.failure->not_compatible;
  }
  if (!load.failure) {
    document.file_name = path;
    return load;
  }
  ui.Tell(load.failure->message);
  // A file that could not be opened gave nothing: the document keeps its own name.
  if (load.read) document.file_name = kUntitled;
  return load;
}

bool IsChannelFilePath(const std::string& path) {
  std::string extension = std::filesystem::path(path).extension().string();
  for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (extension == ".s2c") return true;
  constexpr std::string_view kMagicStem = "TALVIREX MEM V";
  std::ifstream file(path, std::ios::binary);
  std::string start(kMagicStem.size(), '\0');
  file.read(start.data(), static_cast<std::streamsize>(start.size()));
  return file && start == kMagicStem;
}

}  // namespace talvirex
