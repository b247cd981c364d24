// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What differs between two channel files' tables, channel by channel and setting by setting, in
// the words the user sees in the grid and the dialogs.

#include <string>
#include <vector>

namespace talvirex {

struct Document;

/// How two channels are compared. kAsSent: as a send writes them into the scanner (the frequency
/// as corrected, the tag as the scanner's ten characters, the subtone as its code, the On/Off
/// fields as the flags), so two texts the scanner keeps alike ("F1" and "F1        ", "None" and
/// "0") are equal. kExact: the texts as the files hold them, frequencies by their number.
enum class DiffForm { kAsSent, kExact };

/// One line per difference, in file order: channels 1..200 (fields in column order, each shown
/// with both files' texts), bank names, priority channels, scanner settings, search range. A
/// channel that is empty in both is no difference. Both documents should have been through
/// NormalizeForSave so that two spellings of one frequency compare equal.
std::vector<std::string> DiffTables(const Document& a, const Document& b,
                                    DiffForm form = DiffForm::kAsSent);

}  // namespace talvirex
