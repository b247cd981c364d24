// SPDX-License-Identifier: GPL-3.0-or-later
// The channel-list reader on any bytes: never a crash; every row it keeps has a frequency in the
// scanner's bands, a PL/DPL code the tables know and a tag of at most 10 tag characters; placing
// never passes channel 200; and the channels imported, exported and read back keep their
// frequencies.

#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "document.h"
#include "files/channel_list.h"
#include "image/codec_tables.h"
#include "model/channel_table.h"
#include "model/default_data.h"
#include "model/frequency.h"
#include "model/numeric_value.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace talvirex;
  const ChannelList list =
      ReadChannelList(std::string_view(reinterpret_cast<const char*>(data), size));
  if (list.error && !list.entries.empty()) std::abort();
  std::vector<std::size_t> picked;
  for (std::size_t i = 0; i < list.entries.size(); ++i) {
    const ListEntry& entry = list.entries[i];
    picked.push_back(i);
    if (entry.skipped) continue;
    if (!IsInScannerBand(entry.corrected_frequency)) std::abort();
    if (entry.subtone < 0 || entry.subtone > kCtcssCount + kDcsCount) std::abort();
    if (entry.tag.size() > 10) std::abort();
    for (const char c : entry.tag) {
      if (TagCharCode(c) < 0) std::abort();
    }
  }
  const int first = size == 0 ? 1 : 1 + data[0] % kChannelCount;
  const auto placements = PlaceEntries(list, picked, first);
  for (std::size_t i = 0; i < placements.size(); ++i) {
    if (placements[i].channel != first + static_cast<int>(i) || placements[i].channel > 200) {
      std::abort();
    }
  }
  Document document;
  ImportEntries(document, list, placements, DefaultData{}, 0);
  std::vector<int> banks;
  for (int bank = 0; bank < kScannerBanks; ++bank) banks.push_back(bank);
  const ChannelList back = ReadChannelList(ChannelListText(document.table, banks));
  if (back.entries.size() != placements.size()) std::abort();
  for (const ListEntry& entry : back.entries) {
    const int n = static_cast<int>(NumericValue(entry.location));
    if (entry.skipped || n < 1 || n > kChannelCount) std::abort();
    if (NumericValue(entry.corrected_frequency) !=
        NumericValue(document.table.At(BankOf(n), RowOf(n), kFieldFrequency))) {
      std::abort();
    }
  }
  return 0;
}
