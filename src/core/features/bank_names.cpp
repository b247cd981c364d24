// SPDX-License-Identifier: GPL-3.0-or-later
#include "features/bank_names.h"

#include "document.h"
#include "files/channel_file.h"
#include "files/file_io.h"
#include "text/cp1252.h"
#include "text/text.h"

namespace talvirex {

namespace {

// "names.dat" holds 11 short lines; anything much larger is not a names file and is left alone
// rather than decoded whole.
constexpr std::size_t kMaxNamesFileBytes = 1u << 20;

// The next line of `text` from `pos`, which moves past the line end (CR LF, LF or a lone CR).
// False when no line is left.
bool NextLine(std::string_view text, std::size_t& pos, std::string_view& line) {
  if (pos >= text.size()) return false;
  const auto end = text.find_first_of("\r\n", pos);
  if (end == std::string_view::npos) {
    line = text.substr(pos);
    pos = text.size();
    return true;
  }
  line = text.substr(pos, end - pos);
  pos = end + 1;
  if (text[end] == '\r' && pos < text.size() && text[pos] == '\n') ++pos;
  return true;
}

}  // namespace

BankNameList DefaultBankNames() {
  BankNameList names;
  for (int b = 0; b < 10; ++b) names[b] = "Bank: " + IntText(b + 1);
  names[10] = "Dummy";
  names[11] = "Search";
  return names;
}

void ApplyNamesFile(std::string_view bytes, BankNameList& names) {
  const std::string text = DecodeFileText(bytes);
  std::size_t pos = 0;
  std::string_view line;
  for (int i = 0; i < kNamesInFile && NextLine(text, pos, line); ++i) {
    std::string name(line);
    for (char& c : name) {
      if (c == ',') c = ';';
    }
    names[i] = std::move(name);
  }
}

std::string NamesFileBytes(const BankNameList& names) {
  std::string text;
  for (int i = 0; i < kNamesInFile; ++i) {
    std::string name = names[i];
    for (char& c : name) {
      if (c == '\r' || c == '\n') c = ' ';
    }
    text += name;
    text += "\r\n";
  }
  return Utf8ToCp1252(text);
}

void LoadBankNames(Document& document, const std::filesystem::path& folder) {
  const auto read = ReadWholeFile(folder / kNamesFile, kMaxNamesFileBytes);
  if (read.bytes) ApplyNamesFile(*read.bytes, document.bank_names);
}

void SaveBankNames(const Document& document, const std::filesystem::path& folder) {
  WriteFileAtomically(folder / kNamesFile, NamesFileBytes(document.bank_names));
}

std::string BankTabCaption(const BankNameList& names, int tab, DummyTabCaption dummy) {
  if (tab >= 0 && tab <= 9) return IntText(tab + 1) + ": " + names[tab];
  if (tab == 10) return (dummy == DummyTabCaption::kPrefixed ? "D: " : "") + names[10];
  return {};
}

std::string ViewMenuBankCaption(const BankNameList& names, int entry) {
  if (entry >= 0 && entry <= 10) return std::string(TrimLeadingBlanks(names[entry]));
  if (entry == 11) return "Search / Edge";
  return {};
}

}  // namespace talvirex
