// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/channel_list_import.h"

#include <algorithm>

#include "editor/grid_bridge.h"
#include "files/channel_file.h"
#include "files/file_io.h"
#include "model/channel_table.h"
#include "model/frequency.h"
#include "ports/ui.h"
#include "text/text.h"
#include "workspace.h"

namespace talvirex {

namespace {

constexpr std::uintmax_t kLargestList = 64u << 20;

std::vector<std::size_t> PickedIndexes(const std::vector<bool>& picked) {
  std::vector<std::size_t> indexes;
  for (std::size_t i = 0; i < picked.size(); ++i) {
    if (picked[i]) indexes.push_back(i);
  }
  return indexes;
}

}  // namespace

bool ChannelListImportForm::Open(const std::string& path, const Workspace& workspace, Ui& ui) {
  const ReadResult file = ReadWholeFile(path, kLargestList);
  if (!file.bytes) {
    ui.Tell("The channel list could not be read:\r\n" + path + "\r\n" + file.error.reason, {},
            Icon::kWarning);
    return false;
  }
  ChannelList list = ReadChannelList(*file.bytes);
  if (list.error) {
    ui.Tell(*list.error + "\r\n" + path, {}, Icon::kWarning);
    return false;
  }
  path_ = path;
  hide_leading_zeros_ = workspace.settings.hide_leading_zeros;
  list_ = std::move(list);
  picked_.assign(list_.entries.size(), false);
  for (std::size_t i = 0; i < list_.entries.size(); ++i) picked_[i] = !list_.entries.skipped(i);
  const int bank = workspace.current_bank >= 0 && workspace.current_bank < kScannerBanks
                       ? workspace.current_bank
                       : 0;
  first_channel_ = FirstEmptyChannel(workspace.table, ChannelNumber(bank, 1));
  by_location_ = locations_usable();
  return true;
}

void ChannelListImportForm::SetPicked(std::size_t entry, bool picked) {
  if (entry < picked_.size()) picked_[entry] = picked && !list_.entries.skipped(entry);
}

void ChannelListImportForm::SetFirstChannel(int channel) {
  first_channel_ = std::clamp(channel, 1, kChannelCount);
}

bool ChannelListImportForm::locations_usable() const {
  return LocationsArePlaces(list_, PickedIndexes(picked_));
}

std::vector<ListPlacement> ChannelListImportForm::Placements() const {
  if (by_location_) {
    const std::vector<std::size_t> all = PickedIndexes(picked_);
    if (LocationsArePlaces(list_, all)) return PlaceAtLocations(list_, all);
  }
  // Only the picked rows that can still find a channel are looked at: after a pick-box click in a
  // list of a million rows, the rows past channel 200 cost nothing. A picked row is never skipped.
  const auto room = static_cast<std::size_t>(kChannelCount - first_channel_ + 1);
  std::vector<std::size_t> picked;
  for (std::size_t i = 0; i < picked_.size() && picked.size() < room; ++i) {
    if (picked_[i]) picked.push_back(i);
  }
  return PlaceEntries(list_, picked, first_channel_);
}

std::string ChannelListImportForm::Outcome(const ListEntry& row, std::size_t entry,
                                           const std::vector<ListPlacement>& placements) const {
  if (row.skipped) return "Skipped: " + *row.skipped;
  if (!picked_.at(entry)) return "Not picked";
  const auto placed =
      std::lower_bound(placements.begin(), placements.end(), entry,
                       [](const ListPlacement& p, std::size_t index) { return p.entry < index; });
  if (placed == placements.end() || placed->entry != entry) return "No room after channel 200";
  std::string text = "Channel " + IntText(placed->channel) + ": " +
                     FormatFrequency(row.corrected_frequency, hide_leading_zeros_);
  if (!row.tag.empty()) text += " \"" + row.tag + "\"";
  if (row.subtone > 0) text += ", PL/DPL " + SubtoneText(IntText(row.subtone));
  if (row.lock_out) text += ", Lock Out On";
  return text;
}

std::vector<std::string> ChannelListImportForm::Outcomes() const {
  const std::vector<ListPlacement> placements = Placements();
  std::vector<std::string> outcomes;
  outcomes.reserve(list_.entries.size());
  for (std::size_t i = 0; i < list_.entries.size(); ++i) {
    outcomes.push_back(Outcome(list_.entries[i], i, placements));
  }
  return outcomes;
}

std::size_t RowsWithRoom(const ChannelList& list, const std::vector<ListPlacement>& placements) {
  if (placements.empty() || placements.back().channel < kChannelCount) return list.entries.size();
  return placements.back().entry + 1;
}

std::string NoRoomText(const ChannelList& list, const std::vector<ListPlacement>& placements) {
  const std::size_t first = RowsWithRoom(list, placements);
  const std::size_t rows = list.entries.size() - first;
  if (rows == 0) return {};
  const std::string last = IntText(list.entries.line(list.entries.size() - 1));
  if (rows == 1) return "1 more row did not fit after channel 200 (line " + last + ").";
  return IntText(static_cast<long long>(rows)) +
         " more rows did not fit after channel 200 (lines " + IntText(list.entries.line(first)) +
         " to " + last + ").";
}

std::string ChannelNumbersText(const std::vector<int>& channels) {
  if (channels.empty()) return {};
  std::string text = channels.size() == 1 ? "Channel " : "Channels ";
  for (std::size_t i = 0; i < channels.size(); ++i) {
    if (i > 0) text += i + 1 == channels.size() ? " and " : ", ";
    text += IntText(channels[i]);
  }
  return text;
}

std::string ChannelListImportForm::OverwriteSummary(const ChannelTable& table) const {
  const std::vector<int> overwritten = OverwrittenChannels(table, Placements());
  if (overwritten.empty()) return "No channel in use is overwritten.";
  return ChannelNumbersText(overwritten) + (overwritten.size() == 1 ? " is" : " are") +
         " in use and will be overwritten.";
}

void ChannelListImportForm::Ok(Workspace& workspace, Ui& ui) const {
  CommitBank(workspace, ui);
  ImportEntries(workspace, list_, Placements(), workspace.default_data,
                workspace.settings.hide_leading_zeros);
}

}  // namespace talvirex
