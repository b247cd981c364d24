// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The bridge between the grid's shown texts and the channel table's stored texts, for the current
// bank. Shown "Off"/"On" become stored "0"/"1", shown tone names become PL/DPL codes, and back.

#include <string>

namespace talvirex {

class ChannelTable;
class CsvImportForm;
struct Workspace;
class Ui;

/// Copies the shown texts of the current bank into the table and turns them into stored texts;
/// frequencies are formatted and held at 1300 MHz at most. Shows its progress through `ui`.
void CommitBank(Workspace& workspace, Ui& ui);
/// `CommitBank` for one row (1..20) of the current bank, without progress.
void CommitRow(Workspace& workspace, int row);
/// What `CommitRow` stores, written into `table` instead of the workspace's (the tag lists are
/// left alone).
void StoreGridRow(const Workspace& workspace, int row, ChannelTable& table);

/// Writes the shown text of table field `field` (1..7) of `row` (1..20) of the current bank into
/// its grid cell. Empty channels are shown blank in every column.
void RenderCell(Workspace& workspace, int field, int row);

/// Redraws every cell of the current bank from the table, keeping the current cell and selection
/// (a current row past 20 comes back as 20). Also refills the Easy Tag dropdowns from the tag
/// lists (when `easy_tag_lists` is on) and refreshes the bank-usage summary of the status bar.
void RenderBank(Workspace& workspace, Ui& ui);

/// The harvest window's "Export To Table:" (`CsvImportForm::ExportToTable`). When it writes into
/// the shown bank, the grid's unsaved edits go into the table first and the grid shows the new
/// frequencies at once, so that no later commit of the grid can overwrite them.
bool ExportHarvestToTable(Workspace& workspace, const CsvImportForm& form, Ui& ui);

/// The status bar's bank-usage summary, 22 characters: 21 "-" and a blank, with the digit of each
/// bank 1..9 in use at position 2 x slot + 1, "10" at positions 19..20 and "D" at 22 for the
/// Dummy bank. Banks 1, 3, 10 and Dummy in use give "1---3-------------10-D".
std::string BankUsageSummary(const ChannelTable& table);

}  // namespace talvirex
