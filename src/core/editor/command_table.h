// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Every command of the main window's menus, popup menu and two toolbars, bound to one id, so the
// desktop window only draws the entries and hands the chosen id to `MainWindowLogic::Run`.
// Captions keep their "&" access-key marks; accelerators are key names in the platform-neutral
// form "Ctrl+Z", "Shift+Del", "F5".

#include <span>
#include <string_view>

namespace talvirex {

enum class CommandId {
  kNone,  // a separator or a toolbar position without a command
  // File
  kNew,
  kOpen,
  kSave,
  kSaveAs,
  kExportCsv,
  kImportChannelList,
  kImportStockList,  // a submenu of the stock channel lists
  kExportChannelList,
  kAdvancedImport,
  kWebCatcher,
  kPrint,
  kRecentFiles,  // a submenu of items listed at run time
  kExit,
  // Edit
  kUndo,
  kRedo,
  kCut,
  kCopy,
  kPaste,
  kDelete,
  kCutLines,
  kCopyLines,
  kPasteLines,
  kPasteLineSpecial,
  kShiftChannelUp,
  kShiftChannelDown,
  kSelectAll,
  kClearCurrentBank,
  kFind,
  kReplace,
  kMemoryChannels,
  kMemoryBanks,
  // View
  kToolbar,
  kShowBank0,
  kShowBank1,
  kShowBank2,
  kShowBank3,
  kShowBank4,
  kShowBank5,
  kShowBank6,
  kShowBank7,
  kShowBank8,
  kShowBank9,
  kShowDummyBank,
  kShowSearchEdge,
  kResetTableWidth,
  // Options
  kClearSelectedLines,
  kInsertEmptyLine,
  kRemoveEmptyLines,
  kRemoveSelectedLines,
  kFillDown,
  kFillSeries,
  kEasyFill,
  kSortAscending,
  kSortDescending,
  kDuplicatesInBank,
  kDuplicatesInAllBanks,
  kDuplicatesWithSubtone,
  kRemoveDuplicates,
  kCenterTags,
  kRemoveLeadingSpaces,
  kBankEmptyStatus,
  kCheckData,
  kClearLockouts,
  kClearPskips,
  // SC200
  kReadFromScanner,
  kSendToScanner,
  kPriorityChannels,
  kScannerOptions,
  // Setup
  kBankTags,
  kSoftwareOptions,
  kDefaultData,
  // Help
  kHelpContents,
  kHelpSearch,
  kUserManual,
  kKeyboardShortcuts,
  kAbout,
  // Toolbar only
  kPopupHint,
};

/// Which menu an entry belongs to.
enum class MenuId { kFile, kEdit, kView, kOptions, kScanner, kSetup, kHelp, kPopup };

struct MenuEntry {
  MenuId menu;
  std::string_view submenu;      // caption of the submenu holding it, "" for the menu itself
  std::string_view name;         // the program's item name (`menunew`), "" when it has none
  std::string_view caption;      // "" for a separator
  std::string_view accelerator;  // "" for none
  CommandId command;
};

struct ToolbarButton {
  int toolbar;            // 1 or 2
  int position;           // 1-based position on its toolbar
  CommandId command;      // kNone: an empty position
  std::string_view icon;  // icon resource name
  std::string_view tooltip;
};

/// The menu bar's captions in order ("&File", "&Edit", ...), indexed by MenuId (popup excluded).
std::span<const std::string_view> MenuCaptions();
/// Every menu entry, menus in bar order, entries top to bottom; the popup menu `tabpop` last.
std::span<const MenuEntry> MenuEntries();
/// Both toolbars' positions: toolbar 1 positions 1..31, then toolbar 2 positions 1..30.
std::span<const ToolbarButton> ToolbarButtons();

/// Commands whose menu entry is a submenu of items the program lists at run time
/// (`MainWindowLogic::ListedItems`); choosing an item runs `MainWindowLogic::RunListed`.
bool IsListedCommand(CommandId command);

/// The View menu's bank entry `bk0`(index) for bank slot 0..11, and back.
CommandId ShowBankCommand(int slot);
/// The bank slot of a View-menu bank entry, -1 for other commands.
int ShowBankSlot(CommandId command);

}  // namespace talvirex
