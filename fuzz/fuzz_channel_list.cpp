// SPDX-License-Identifier: GPL-3.0-or-later
// The channel-list reader on any bytes: never a crash; every row it keeps has a frequency in the
// scanner's bands, a PL/DPL code the tables know and a tag of at most 10 tag characters; placing
// puts each row on a channel of its own, never past channel 200; the channels imported, exported
// and read back keep their frequencies; and that export imported again at its Locations gives the
// same channels, every field, and the same export.

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
  const bool by_location = LocationsArePlaces(list, picked);
  const auto placements =
      by_location ? PlaceAtLocations(list, picked) : PlaceEntries(list, picked, first);
  std::vector<bool> taken(kChannelCount + 1, false);
  for (std::size_t i = 0; i < placements.size(); ++i) {
    const int channel = placements[i].channel;
    if (channel < 1 || channel > kChannelCount || taken[channel]) std::abort();
    taken[channel] = true;
    if (by_location ? channel != LocationChannel(list.entries[placements[i].entry])
                    : channel != first + static_cast<int>(i)) {
      std::abort();
    }
  }
  Document document;
  ImportEntries(document, list, placements, DefaultData{}, 0);
  std::vector<int> banks;
  for (int bank = 0; bank < kScannerBanks; ++bank) banks.push_back(bank);
  const std::string exported = ChannelListText(document.table, banks);
  const ChannelList back = ReadChannelList(exported);
  if (back.entries.size() != placements.size()) std::abort();
  std::vector<std::size_t> all;
  for (const ListEntry& entry : back.entries) {
    const int n = static_cast<int>(NumericValue(entry.location));
    if (entry.skipped || n < 1 || n > kChannelCount) std::abort();
    if (NumericValue(entry.corrected_frequency) !=
        NumericValue(document.table.At(BankOf(n), RowOf(n), kFieldFrequency))) {
      std::abort();
    }
    all.push_back(all.size());
  }
  // An export of ours comes back at its places with every field, so exporting again is stable.
  if (all.empty()) return 0;
  if (!LocationsArePlaces(back, all)) std::abort();
  DefaultData every_switch_on;
  for (const int entry : {1, 2, 3}) every_switch_on.apply[entry] = every_switch_on.value[entry] = 1;
  Document again;
  ImportEntries(again, back, PlaceAtLocations(back, all), every_switch_on, 0);
  for (int bank = 0; bank < kScannerBanks; ++bank) {
    for (int row = 1; row <= kChannelsPerBank; ++row) {
      for (int field = kFieldFrequency; field <= kFieldAtt; ++field) {
        if (field == kFieldTag) continue;  // the export trims a tag's blanks
        if (again.table.At(bank, row, field) != document.table.At(bank, row, field)) std::abort();
      }
    }
  }
  if (ChannelListText(again.table, banks) != exported) std::abort();
  return 0;
}
