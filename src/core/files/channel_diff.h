// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What differs between two channel files' tables, channel by channel and setting by setting, in
// the words the user sees in the grid and the dialogs.

#include <string>
#include <vector>

namespace talvirex {

struct Document;

/// One line per difference, in file order: channels 1..200 (fields in column order), bank names,
/// priority channels, scanner settings, search range. Both workspaces should have been through
/// NormalizeForSave so that two spellings of one frequency compare equal.
std::vector<std::string> DiffTables(const Document& a, const Document& b);

}  // namespace talvirex
