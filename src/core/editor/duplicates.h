// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "Find &Duplicate Channels" and "Remove D&uplicate Channels".
//
// Two channels are duplicates when both hold a frequency (value above 0) and their frequency
// texts are identical; the same frequency written two ways is not a duplicate. The searches
// report each pair (i, j), i before j, in a message box "Duplicate Channel Found: i and j /
// Frequency: <text of i>" with OK (next pair) and Cancel (stop), and write the same text as one
// line of "dupl.txt" (CR LF), which every search first creates or empties. A "dupl.txt" that
// cannot be written does not stop the search.
//
// "Including Subtone" searches Banks 1..10 like "in All Banks" but reports a pair only when the
// two channels also carry the same PL/DPL code (field 5, numeric value; empty counts as none).

#include <filesystem>
#include <string>
#include <string_view>

namespace talvirex {

struct Workspace;
class Ui;

inline constexpr std::string_view kDuplicateReportFile = "dupl.txt";

enum class DuplicateSearch {
  kCurrentBank,  // rows 1..20 of the current bank, channel numbers slot x 20 + row
  kAllBanks,     // channel numbers 1..200 (the Dummy bank is not searched)
  kWithSubtone,  // as kAllBanks, and the PL/DPL codes must match too
};

/// "Duplicate Channel Found: " n " and " m " / Frequency: " frequency.
std::string DuplicateMessage(int first, int second, std::string_view frequency);

/// Commits the grid, then runs the search, writing "dupl.txt" into `report_folder`. Returns the
/// number of pairs reported (the last one the user cancelled at included).
int FindDuplicates(Workspace& workspace, Ui& ui, DuplicateSearch search,
                   const std::filesystem::path& report_folder);

/// Undo snapshot, then every later channel of a group of equal frequency texts in the current
/// bank gets the empty frequency (its other fields stay); the lines are not closed up. Redraws.
/// Returns the number of channels emptied; sets the unsaved-changes flag when one of Banks 1..10
/// changed. Asks and reports nothing.
int RemoveDuplicates(Workspace& workspace, Ui& ui);

}  // namespace talvirex
