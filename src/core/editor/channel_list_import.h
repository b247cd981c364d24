// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The dialog "Import Channel List": the rows of a channel list (channel_list.h), the user's pick
// of them and where they go, and, before "Ok", which channels the import would overwrite. Rows go
// to the channels their Locations name when every picked row names its own (as our export writes
// them), or fill from a first channel on into the following banks, never past channel 200.

#include <string>
#include <vector>

#include "files/channel_list.h"

namespace talvirex {

struct Workspace;
class ChannelTable;
class Ui;

/// How many of the list's rows, from the first on, come before the rows that find no channel: all
/// of them unless `placements` reach channel 200, else those up to the row placed in channel 200.
std::size_t RowsWithRoom(const ChannelList& list, const std::vector<ListPlacement>& placements);

/// The rows after those, counted rather than listed, for a list may have a million:
/// "5 more rows did not fit after channel 200 (lines 9 to 13)."; "" when there are none.
std::string NoRoomText(const ChannelList& list, const std::vector<ListPlacement>& placements);

class ChannelListImportForm {
 public:
  /// Reads the list at `path`; every row that can be imported is picked, the rows go to their
  /// Locations when these can be places, and the first channel is the first empty channel from
  /// row 1 of the shown bank on (Bank 1 for the Dummy bank). False,
  /// after saying why through `ui`, when the file cannot be read or holds no channel list.
  bool Open(const std::string& path, const Workspace& workspace, Ui& ui);

  const ChannelList& list() const { return list_; }
  const std::string& path() const { return path_; }
  bool picked(std::size_t entry) const { return picked_.at(entry); }
  void SetPicked(std::size_t entry, bool picked);
  int first_channel() const { return first_channel_; }
  /// Held within 1..200.
  void SetFirstChannel(int channel);

  /// True when the picked rows' Locations can be places (LocationsArePlaces): the choice to use
  /// them is open.
  bool locations_usable() const;
  /// True when the rows go to their Locations: chosen, and the Locations can be places.
  bool by_location() const { return by_location_ && locations_usable(); }
  void SetByLocation(bool by_location) { by_location_ = by_location; }

  std::vector<ListPlacement> Placements() const;
  /// What each entry becomes: "Channel 23: 155.3400 \"EMS Ops\", PL/DPL 025, Lock Out On",
  /// "Skipped: <reason>", "Not picked" or "No room after channel 200".
  std::vector<std::string> Outcomes() const;
  /// One of the Outcomes: that of `row`, the list's entry `entry`, given this form's Placements().
  std::string Outcome(const ListEntry& row, std::size_t entry,
                      const std::vector<ListPlacement>& placements) const;
  /// The line shown above "Ok": which channels in use the import would overwrite.
  std::string OverwriteSummary(const ChannelTable& table) const;
  /// The line below it: how many rows after the one placed in channel 200 did not fit (NoRoomText).
  std::string NoRoomSummary() const { return NoRoomText(list_, Placements()); }

  /// "Ok": the shown bank's grid edits go into the table, then the picked rows are written. The
  /// caller redraws (and the history keeps the import as one step).
  void Ok(Workspace& workspace, Ui& ui) const;

 private:
  std::string path_;
  ChannelList list_;
  std::vector<bool> picked_;
  int first_channel_ = 1;
  bool by_location_ = false;
  bool hide_leading_zeros_ = false;  // the setting the grid shows frequencies by
};

/// "Channels 3, 4 and 7" / "Channel 3"; "" for none.
std::string ChannelNumbersText(const std::vector<int>& channels);

}  // namespace talvirex
