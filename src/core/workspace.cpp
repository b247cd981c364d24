// SPDX-License-Identifier: GPL-3.0-or-later
#include "workspace.h"

namespace talvirex {

void ClearBank(Workspace& workspace) {
  const int bank = workspace.current_bank;
  if (bank < 0 || bank > 11) return;
  for (int row = 0; row <= kChannelsPerBank; ++row) {
    workspace.table.At(bank, row, kFieldSpare) = " ";
    workspace.table.At(bank, row, kFieldFrequency) = "Empty";
    for (int field = kFieldTag; field <= kFieldAtt; ++field)
      workspace.table.At(bank, row, field) = " ";
  }
  workspace.search_range[0].clear();
  workspace.search_range[1].clear();
}

}  // namespace talvirex
