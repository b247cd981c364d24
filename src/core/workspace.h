#pragma once
// The one owner of the program's process-wide tables. The main window (or a command-line command,
// or a test) makes one Workspace and passes it by reference to everything that reads or changes
// the tables; nothing in the program is global.

#include <array>
#include <string>

#include "editor/grid.h"
#include "editor/tag_lists.h"
#include "editor/undo_store.h"
#include "editor/window_status.h"
#include "image/clone_image.h"
#include "model/channel_table.h"
#include "model/default_data.h"
#include "settings/settings.h"

namespace talvirex {

inline constexpr std::string_view kUntitled = "Untitled";

struct Workspace {
  /// The start-up state: an empty table, the lists' defaults, Bank 1 current, file "Untitled".
  Workspace();

  ChannelTable table;
  std::array<std::string, 12> bank_names;   // BankNames: 0..9 the banks, 10 Dummy, 11 Search
  std::array<int, 11> priority{};           // PriorityTable: bank b's priority channel number
  std::array<int, 21> scanner_settings{};   // ScannerSettings (the scanner's global options)
  std::array<std::string, 3> search_range; // SearchRange: 0 start, 1 end (MHz texts), 2 spare
  std::array<int, 10> lkm{};                // reserved lists, carried in the channel file
  std::array<int, 10> lks{};
  int current_bank = 0;                     // the slot the grid shows, 0..10

  CloneImage clone_image;

  std::string file_name{kUntitled};         // the label `fnaam`
  bool unsaved_changes = false;             // UnsavedChanges
  int backup_ticks = 0;                     // minutes since the last periodic backup

  TagLists tags;
  UndoStore undo;
  Settings settings;
  DefaultData default_data;
  Grid grid;
  StatusPanels status;
  TagDropdowns tag_dropdowns;
};

/// Empties the current bank (unless it is slot 12): rows 0..20 get field 0 " ", frequency "Empty"
/// and fields 2..7 " "; the search-range texts 0 and 1 become empty. The caller redraws.
void ClearBank(Workspace& workspace);

/// True when the file name names no file yet (it starts with "Untitled").
bool IsUntitled(const Workspace& workspace);

}  // namespace talvirex
