// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "Table Tags Options" of the current bank, and the bank-empty report of "Show Bank Empty Status".
// Both tag commands take the undo snapshot first and redraw after; they set the unsaved-changes
// flag when a tag of Banks 1..10 changed. Lengths count characters, not bytes.

#include <string>
#include <string_view>

namespace talvirex {

struct Workspace;
class ChannelTable;
class Ui;

/// "Center Memory Tags" on one tag: the first 10 characters without surrounding blanks; a
/// non-empty result shorter than 10 gets (10 - length) / 2 leading blanks, halves rounded to
/// even (length 7 -> 2 blanks, 3 -> 4, 8 -> 1).
std::string CenteredTag(std::string_view tag);
/// "Remove Leading Spaces" on one tag: the first 16 characters; when that is not empty and shorter
/// than 16 characters its leading and trailing blanks are removed.
std::string TrimmedTag(std::string_view tag);

void CenterTags(Workspace& workspace, Ui& ui);
void RemoveLeadingSpaces(Workspace& workspace, Ui& ui);

/// "Bank Empty Status:", CR LF, CR LF, then "Bank 1: Empty" .. "Bank 10: Empty", "Bank Dummy:
/// Empty" for each unused bank slot 0..10, each followed by CR LF.
std::string BankEmptyStatusText(const ChannelTable& table);
/// "Show Bank Empty Status": commits the grid, refreshes the status bar's bank-usage summary and
/// shows the report in an OK box titled with the application's title.
void ShowBankEmptyStatus(Workspace& workspace, Ui& ui);

}  // namespace talvirex
