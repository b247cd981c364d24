// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The default line data applied to a channel row when a frequency is entered into it.

namespace talvirex {

struct Workspace;

/// `fil_defdata`: writes the preset into the grid row of the current cell, entries in the order
/// Delay (column 3), Beep Alert (6), Lock Out (4), ATT (7). An entry whose apply flag is 1 sets its
/// cell to "Off" (value 0) or "On" (value 1); any other value leaves the cell alone. Only the
/// grid's shown texts change; `CommitBank` stores them later. A current row outside 1..20 does
/// nothing.
void fil_defdata(Workspace& workspace);

}  // namespace talvirex
