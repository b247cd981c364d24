// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one owner of the program's process-wide tables: the document and, on top of it, the
// editor's grid, tag lists, undo history, settings and status. The main window (or a test) makes
// one Workspace and passes it by reference to everything that reads or changes the tables;
// nothing in the program is global.

#include "document.h"
#include "editor/grid.h"
#include "editor/history.h"
#include "editor/tag_lists.h"
#include "editor/window_status.h"
#include "model/default_data.h"
#include "settings/recent_files.h"
#include "settings/settings.h"

namespace talvirex {

struct Workspace : Document {
  /// The start-up state: the document's defaults, the lists' defaults, Bank 1 current, and a
  /// history with nothing to undo.
  Workspace() { history.Reset(table, *this); }

  int current_bank = 0;  // the slot the grid shows, 0..10
  int backup_ticks = 0;  // minutes since the last periodic backup

  TagLists tags;
  History history;
  Settings settings;
  DefaultData default_data;
  Grid grid;
  StatusPanels status;
  TagDropdowns tag_dropdowns;
  RecentFiles recent_files;
};

/// Empties the current bank (unless it is slot 12): rows 0..20 get field 0 " ", frequency "Empty"
/// and fields 2..7 " "; the search-range texts 0 and 1 become empty. The caller redraws.
void ClearBank(Workspace& workspace);

}  // namespace talvirex
