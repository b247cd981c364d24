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
  for (std::size_t i = 0; i < list_.entries.size(); ++i) picked_[i] = !list_.entries[i].skipped;
  const int bank = workspace.current_bank >= 0 && workspace.current_bank < kScannerBanks
                       ? workspace.current_bank
                       : 0;
  first_channel_ = FirstEmptyChannel(workspace.table, ChannelNumber(bank, 1));
  by_location_ = locations_usable();
  return true;
}

void ChannelListImportForm::SetPicked(std::size_t entry, bool picked) {
  if (entry < picked_.size()) picked_[entry] = picked && !list_.entries[entry].skipped;
}

void ChannelListImportForm::SetFirstChannel(int channel) {
  first_channel_ = std::clamp(channel, 1, kChannelCount);
}

bool ChannelListImportForm::locations_usable() const {
  return LocationsArePlaces(list_, PickedIndexes(picked_));
}

std::vector<ListPlacement> ChannelListImportForm::Placements() const {
  const std::vector<std::size_t> picked = PickedIndexes(picked_);
  if (by_location_ && LocationsArePlaces(list_, picked)) return PlaceAtLocations(list_, picked);
  return PlaceEntries(list_, picked, first_channel_);
}

std::vector<std::string> ChannelListImportForm::Outcomes() const {
  std::vector<int> channel_of(list_.entries.size(), 0);
  for (const ListPlacement& placement : Placements())
    channel_of[placement.entry] = placement.channel;
  std::vector<std::string> outcomes;
  outcomes.reserve(list_.entries.size());
  for (std::size_t i = 0; i < list_.entries.size(); ++i) {
    const ListEntry& row = list_.entries[i];
    if (row.skipped) {
      outcomes.push_back("Skipped: " + *row.skipped);
    } else if (!picked_[i]) {
      outcomes.push_back("Not picked");
    } else if (channel_of[i] == 0) {
      outcomes.push_back("No room after channel 200");
    } else {
      std::string text = "Channel " + IntText(channel_of[i]) + ": " +
                         FormatFrequency(row.corrected_frequency, hide_leading_zeros_);
      if (!row.tag.empty()) text += " \"" + row.tag + "\"";
      if (row.subtone > 0) text += ", PL/DPL " + SubtoneText(IntText(row.subtone));
      if (row.lock_out) text += ", Lock Out On";
      outcomes.push_back(std::move(text));
    }
  }
  return outcomes;
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
