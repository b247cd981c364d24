// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/default_fill.h"

#include "workspace.h"

namespace talvirex {

void fil_defdata(Workspace& ws) {
  const int row = ws.grid.current.row;
  if (row < 1 || row > kChannelsPerBank) return;
  for (const int entry : {1, 2, 4, 3}) {
    if (ws.default_data.apply[entry] != 1) continue;
    const int value = ws.default_data.value[entry];
    if (value != 0 && value != 1) continue;
    ws.grid.Cell(row, DefaultEntryField(entry)) = value == 1 ? "On" : "Off";
  }
}

}  // namespace talvirex
