// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the program keeps of the scanner: the channel table of every bank, the bank names, the
// priority channels, the scanner's options and the clone image they travel in, with the file they
// came from. The formats, the codec and the transfer read and write a Document; the editor
// (workspace.h) keeps its grid and lists on top of one.

#include <array>
#include <string>
#include <string_view>

#include "image/clone_image.h"
#include "model/channel_table.h"

namespace talvirex {

inline constexpr std::string_view kUntitled = "Untitled";

struct Document {
  /// An empty table, the default names and priorities, every bank scanned, the default image,
  /// file "Untitled".
  Document();

  ChannelTable table;
  std::array<std::string, 12> bank_names;   // BankNames: 0..9 the banks, 10 Dummy, 11 Search
  std::array<int, 11> priority{};           // PriorityTable: bank b's priority channel number
  std::array<int, 21> scanner_settings{};   // ScannerSettings (the scanner's global options)
  std::array<std::string, 3> search_range;  // SearchRange: 0 start, 1 end (MHz texts), 2 spare
  std::array<int, 10> lkm{};                // reserved lists, carried in the channel file
  std::array<int, 10> lks{};

  CloneImage clone_image;

  std::string file_name{kUntitled};  // the label `fnaam`
};

/// True when the file name names no file yet (it starts with "Untitled").
bool IsUntitled(const Document& document);

/// What a channel file keeps of `document` with `table` as its channel table, as one text that is
/// equal for two documents exactly when they hold the same data: the channels of Banks 1..10 as a
/// save cleans them (an empty channel is empty whatever its other fields hold), the bank names,
/// the priority channels, the scanner options and the values of the search range. The Dummy bank,
/// which no file keeps, is added when `with_dummy`. Texts that differ only in form (a frequency's
/// leading zeros, "None" or "0" for no subtone, the blanks after a tag) give the same text.
std::string DataText(const ChannelTable& table, const Document& document, bool with_dummy = false);

}  // namespace talvirex
