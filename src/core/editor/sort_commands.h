// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "&Sort by Frequency": orders the channels of the current bank by the numeric value of their
// frequency, keeping channels of equal value in the order they had (a stable sort).
//
// The range is the grid's selected rows, top to bottom whichever way they were selected; a single
// selected row means the whole bank (rows 1..20). After an ascending sort the empty channels
// (value 0) that collected at the top of the range are moved to its end and written as empty
// lines ("Empty" frequency, empty other fields). Field 0 is never touched.
//
// A failure while sorting is shown as "System Error - sort_all: " (ascending) or
// "System Error - sort_alld: " (descending), the error number, a blank and its description; the
// bank then holds what it held before the command.

#include <array>
#include <string>
#include <vector>

namespace talvirex {

struct Workspace;
class Ui;

enum class SortOrder { kAscending, kDescending };

/// Fields 1..7 of one row, the unit the sort moves.
using ChannelRecord = std::array<std::string, 7>;

/// Sorts `records` by the value of their frequency (element 0) and then moves the empty ones that
/// lead the range to its end as empty lines, as the sort command does.
void SortRecords(std::vector<ChannelRecord>& records, SortOrder order);

/// The sort command on the current bank: undo snapshot, sort, redraw. Sets the unsaved-changes
/// flag when a row of Banks 1..10 changed.
void SortBank(Workspace& workspace, Ui& ui, SortOrder order);

}  // namespace talvirex
