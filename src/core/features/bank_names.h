// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The bank names ("bank tags"): their defaults, the file "names.dat" that keeps them between runs,
// and the captions the main window draws from them.
//
// "names.dat" lives in the program folder: exactly 11 lines ended by CR LF, Bank 1 .. Bank 10 and
// the Dummy bank, no header, no quoting, Windows-1252 bytes. The Search entry (11) is not kept
// there. Failures with the file are silent: the names stay as they were.

#include <array>
#include <filesystem>
#include <string>
#include <string_view>

namespace talvirex {

struct Document;

using BankNameList = std::array<std::string, 12>;  // 0..9 Banks 1..10, 10 Dummy, 11 Search

inline constexpr std::string_view kNamesFile = "names.dat";
inline constexpr int kNamesInFile = 11;  // entries 0..10

/// "Bank: 1" .. "Bank: 10", "Dummy", "Search": the names at start-up and after "Default".
BankNameList DefaultBankNames();

/// Applies the lines of a "names.dat" (raw bytes: UTF-8, or else Windows-1252) to entries 0..10 in
/// order; a file with fewer lines leaves the later entries as they were. Every comma becomes a
/// semicolon; nothing is cut or trimmed. Lines end at CR LF, LF or a lone CR.
void ApplyNamesFile(std::string_view bytes, BankNameList& names);

/// The bytes of "names.dat" for entries 0..10: Windows-1252, CR LF after each. A line break inside
/// a name is written as a blank so that the file keeps its 11 lines.
std::string NamesFileBytes(const BankNameList& names);

/// `LoadBankNames`: reads "names.dat" in `folder` into the document's bank names. A missing or
/// unreadable file changes nothing.
void LoadBankNames(Document& document, const std::filesystem::path& folder);

/// `SaveBankNames`: writes "names.dat" in `folder`. A failure is ignored and leaves any previous
/// file whole.
void SaveBankNames(const Document& document, const std::filesystem::path& folder);

/// How the Dummy tab is captioned: after the bank-tags dialog it reads "D: " and the name; at
/// start-up and after the Memory Manager it reads the name alone.
enum class DummyTabCaption { kPrefixed, kNameOnly };

/// Caption of bank tab 0..10: "1: " .. "10: " followed by the bank's name; the Dummy tab (10) as
/// `dummy` says. Any other tab number gives the empty text.
std::string BankTabCaption(const BankNameList& names, int tab,
                           DummyTabCaption dummy = DummyTabCaption::kPrefixed);

/// Caption of the View menu's bank entry 0..10: the name without its leading blanks. Entry 11 is
/// the fixed "Search / Edge"; any other entry gives the empty text.
std::string ViewMenuBankCaption(const BankNameList& names, int entry);

}  // namespace talvirex
