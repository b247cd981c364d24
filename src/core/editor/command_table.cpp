// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/command_table.h"

#include <array>

namespace talvirex {

namespace {

using C = CommandId;
using M = MenuId;

constexpr std::array<std::string_view, 7> kMenuCaptions = {"&File",  "&Edit",  "&View", "&Options",
                                                           "&SC200", "&Setup", "&Help"};

constexpr MenuEntry kMenuEntries[] = {
    {M::kFile, "", "menunew", "&New", "Ctrl+N", C::kNew},
    {M::kFile, "", "tabopen", "&Open", "Ctrl+O", C::kOpen},
    {M::kFile, "", "savenu", "&Save", "Ctrl+S", C::kSave},
    {M::kFile, "", "tabsaveas", "Save &As", "", C::kSaveAs},
    {M::kFile, "", "", "", "", C::kNone},
    {M::kFile, "", "", "&Export CSV Data", "", C::kExportCsv},
    {M::kFile, "", "", "Import Channel List...", "", C::kImportChannelList},
    {M::kFile, "", "", "Import Stock List", "", C::kImportStockList},
    {M::kFile, "", "", "Export Channel List...", "", C::kExportChannelList},
    {M::kFile, "", "", "&Advanced Data Import", "", C::kAdvancedImport},
    {M::kFile, "", "", "Web Frequency &Catcher", "", C::kWebCatcher},
    {M::kFile, "", "", "", "", C::kNone},
    {M::kFile, "", "", "&Print...", "Ctrl+P", C::kPrint},
    {M::kFile, "", "", "", "", C::kNone},
    {M::kFile, "", "", "Recent &Files", "", C::kRecentFiles},
    {M::kFile, "", "", "", "", C::kNone},
    {M::kFile, "", "exit_tab", "E&xit", "", C::kExit},

    {M::kEdit, "", "", "&Undo", "Ctrl+Z", C::kUndo},
    {M::kEdit, "", "", "Redo", "Ctrl+Y", C::kRedo},
    {M::kEdit, "", "", "", "", C::kNone},
    {M::kEdit, "", "", "Cu&t", "Ctrl+X", C::kCut},
    {M::kEdit, "", "", "&Copy", "Ctrl+C", C::kCopy},
    {M::kEdit, "", "", "&Paste", "Ctrl+V", C::kPaste},
    {M::kEdit, "", "", "&Delete Del", "", C::kDelete},
    {M::kEdit, "", "", "", "", C::kNone},
    {M::kEdit, "", "", "Cut Line(s)", "", C::kCutLines},
    {M::kEdit, "", "", "Copy Line(s)", "", C::kCopyLines},
    {M::kEdit, "", "", "Paste Line(s)", "", C::kPasteLines},
    {M::kEdit, "", "", "Paste Line Special", "", C::kPasteLineSpecial},
    {M::kEdit, "", "", "", "", C::kNone},
    {M::kEdit, "", "", "Shift Channel Up", "", C::kShiftChannelUp},
    {M::kEdit, "", "", "Shift Channel Down", "", C::kShiftChannelDown},
    {M::kEdit, "", "", "", "", C::kNone},
    {M::kEdit, "", "", "Select &All", "Ctrl+A", C::kSelectAll},
    {M::kEdit, "", "", "C&lear Current Bank", "", C::kClearCurrentBank},
    {M::kEdit, "", "", "", "", C::kNone},
    {M::kEdit, "", "", "&Find...", "Ctrl+F", C::kFind},
    {M::kEdit, "", "", "Replace", "Ctrl+H", C::kReplace},
    {M::kEdit, "", "", "", "", C::kNone},
    {M::kEdit, "", "copy_channhels", "Copy/Move/Swap Memory &Channels", "", C::kMemoryChannels},
    {M::kEdit, "", "swapbanks", "Copy/Move/Swap Memory &Banks", "", C::kMemoryBanks},

    {M::kView, "", "", "Toolbar", "", C::kToolbar},
    {M::kView, "", "", "", "", C::kNone},
    {M::kView, "", "bk0", "Bank 1", "", C::kShowBank0},
    {M::kView, "", "bk0", "Bank 2", "", C::kShowBank1},
    {M::kView, "", "bk0", "Bank 3", "", C::kShowBank2},
    {M::kView, "", "bk0", "Bank 4", "", C::kShowBank3},
    {M::kView, "", "bk0", "Bank 5", "", C::kShowBank4},
    {M::kView, "", "bk0", "Bank 6", "", C::kShowBank5},
    {M::kView, "", "bk0", "Bank 7", "", C::kShowBank6},
    {M::kView, "", "bk0", "Bank 8", "", C::kShowBank7},
    {M::kView, "", "bk0", "Bank 9", "", C::kShowBank8},
    {M::kView, "", "bk0", "Bank 10", "", C::kShowBank9},
    {M::kView, "", "bk0", "Dummy", "", C::kShowDummyBank},
    {M::kView, "", "bk0", "Search / Edge", "", C::kShowSearchEdge},
    {M::kView, "", "", "", "", C::kNone},
    {M::kView, "", "restable", "Reset Table Width", "", C::kResetTableWidth},

    {M::kOptions, "", "", "&Clear Selected Lines Shift Del", "Shift+Del", C::kClearSelectedLines},
    {M::kOptions, "", "", "&Insert Empty Line", "", C::kInsertEmptyLine},
    {M::kOptions, "", "", "Remove &All Empty Lines", "", C::kRemoveEmptyLines},
    {M::kOptions, "", "", "&Remove Selected Lines", "", C::kRemoveSelectedLines},
    {M::kOptions, "", "", "", "", C::kNone},
    {M::kOptions, "", "", "&Fill Down", "", C::kFillDown},
    {M::kOptions, "", "", "Fill Series", "", C::kFillSeries},
    {M::kOptions, "", "tabeasy", "&Easy Fill", "", C::kEasyFill},
    {M::kOptions, "", "", "", "", C::kNone},
    {M::kOptions, "&Sort by Frequency", "", "&Ascending", "", C::kSortAscending},
    {M::kOptions, "&Sort by Frequency", "", "&Descending", "", C::kSortDescending},
    {M::kOptions, "Find &Duplicate Channels", "", "in Current Bank", "", C::kDuplicatesInBank},
    {M::kOptions, "Find &Duplicate Channels", "", "in All Banks", "", C::kDuplicatesInAllBanks},
    {M::kOptions, "Find &Duplicate Channels", "", "Including Subtone", "",
     C::kDuplicatesWithSubtone},
    {M::kOptions, "", "", "Remove D&uplicate Channels", "", C::kRemoveDuplicates},
    {M::kOptions, "Table Tags Options", "", "Center Memory Tags", "", C::kCenterTags},
    {M::kOptions, "Table Tags Options", "", "Remove Leading Spaces", "", C::kRemoveLeadingSpaces},
    {M::kOptions, "", "", "Show Bank Empty Status", "", C::kBankEmptyStatus},
    {M::kOptions, "", "", "", "", C::kNone},
    {M::kOptions, "", "checktab", "Check &Data In Table", "", C::kCheckData},
    {M::kOptions, "", "", "Clear All &Lockout Channels", "", C::kClearLockouts},
    {M::kOptions, "", "", "Clear All &Pskip Channels", "", C::kClearPskips},

    {M::kScanner, "", "menread", "&Read Data From Scanner", "F5", C::kReadFromScanner},
    {M::kScanner, "", "memsend", "&Send Data To Scanner", "F6", C::kSendToScanner},
    {M::kScanner, "", "", "", "", C::kNone},
    {M::kScanner, "", "", "Priority Channels", "", C::kPriorityChannels},
    {M::kScanner, "", "", "&Other Options", "", C::kScannerOptions},

    {M::kSetup, "", "", "&Bank Tags", "", C::kBankTags},
    {M::kSetup, "", "soft_options", "&Software Options", "", C::kSoftwareOptions},
    {M::kSetup, "", "setdef", "Setup Default Data", "", C::kDefaultData},

    {M::kHelp, "", "help_edit", "&Contents", "F1", C::kHelpContents},
    {M::kHelp, "", "srchelp", "&Search For Help On..", "", C::kHelpSearch},
    {M::kHelp, "", "open_manaul", "Read User Manual", "", C::kUserManual},
    {M::kHelp, "", "shortkey", "&Keyboard Shortcuts", "", C::kKeyboardShortcuts},
    {M::kHelp, "", "", "", "", C::kNone},
    {M::kHelp, "", "hpabout", "&About", "", C::kAbout},

    {M::kPopup, "", "", "Cut", "", C::kCut},
    {M::kPopup, "", "", "Copy", "", C::kCopy},
    {M::kPopup, "", "", "Paste", "", C::kPaste},
    {M::kPopup, "", "", "Delete", "", C::kDelete},
    {M::kPopup, "", "", "", "", C::kNone},
    {M::kPopup, "", "", "Cut Line", "", C::kCutLines},
    {M::kPopup, "", "", "Copy Line", "", C::kCopyLines},
    {M::kPopup, "", "", "Paste Line", "", C::kPasteLines},
    {M::kPopup, "", "", "", "", C::kNone},
    {M::kPopup, "", "", "Shift Channel Up", "", C::kShiftChannelUp},
    {M::kPopup, "", "", "Shift Channel Down", "", C::kShiftChannelDown},
    {M::kPopup, "", "", "", "", C::kNone},
    {M::kPopup, "", "", "Clear Selected Lines", "", C::kClearSelectedLines},
    {M::kPopup, "", "", "Insert Line", "", C::kInsertEmptyLine},
    {M::kPopup, "", "", "Remove Selected Lines", "", C::kRemoveSelectedLines},
    {M::kPopup, "", "", "Fill Down", "", C::kFillDown},
    {M::kPopup, "", "", "", "", C::kNone},
    {M::kPopup, "", "", "Easy Fill", "", C::kEasyFill},
};

constexpr ToolbarButton kToolbarButtons[] = {
    {1, 1, C::kExit, "exit", "Exit"},
    {1, 2, C::kNone, "", ""},
    {1, 3, C::kOpen, "open", "Open"},
    {1, 4, C::kSave, "save", "Save"},
    {1, 5, C::kNone, "", ""},
    {1, 6, C::kUndo, "undo", "Undo"},
    {1, 7, C::kNone, "", ""},
    {1, 8, C::kCut, "cut", "Cut"},
    {1, 9, C::kCopy, "copy", "Copy"},
    {1, 10, C::kPaste, "paste", "Paste"},
    {1, 11, C::kNone, "", ""},
    {1, 12, C::kMemoryChannels, "memory-channels", "Copy/Move/Swap memory channels"},
    {1, 13, C::kMemoryBanks, "memory-banks", "Copy/Move/Swap memory banks"},
    {1, 14, C::kNone, "", ""},
    {1, 15, C::kClearSelectedLines, "clear-lines", "Clear selected lines"},
    {1, 16, C::kInsertEmptyLine, "insert-line", "Insert empty line"},
    {1, 17, C::kRemoveEmptyLines, "remove-empty", "Remove all empty lines"},
    {1, 18, C::kRemoveSelectedLines, "remove-lines", "Remove selected lines"},
    {1, 19, C::kDelete, "delete", "Delete"},
    {1, 20, C::kNone, "", ""},
    {1, 21, C::kFillDown, "fill-down", "Fill Down"},
    {1, 22, C::kFillSeries, "fill-series", "Fill Series"},
    {1, 23, C::kCheckData, "check-data", "Check data in table"},
    {1, 24, C::kNone, "", ""},
    {1, 25, C::kNone, "", ""},
    {1, 26, C::kNone, "", ""},
    {1, 27, C::kReadFromScanner, "read-scanner", "Read data from scanner"},
    {1, 28, C::kSendToScanner, "send-scanner", "Send data to scanner"},
    {1, 29, C::kNone, "", ""},
    {1, 30, C::kPopupHint, "popup-hint", "Popup menu"},
    {1, 31, C::kHelpContents, "help", "Help contents"},

    {2, 1, C::kPrint, "print", "Print"},
    {2, 2, C::kNone, "", ""},
    {2, 3, C::kAdvancedImport, "import", "Advanced data import"},
    {2, 4, C::kWebCatcher, "web-catcher", "Web frequency catcher"},
    {2, 5, C::kNone, "", ""},
    {2, 6, C::kNone, "", ""},
    {2, 7, C::kNone, "", ""},
    {2, 8, C::kCutLines, "cut-lines", "Cut lines"},
    {2, 9, C::kCopyLines, "copy-lines", "Copy lines"},
    {2, 10, C::kPasteLines, "paste-lines", "Paste lines"},
    {2, 11, C::kNone, "", ""},
    {2, 12, C::kDelete, "delete", "Delete"},
    {2, 13, C::kCenterTags, "center-tags", "Center memory tags"},
    {2, 14, C::kNone, "", ""},
    {2, 15, C::kSortAscending, "sort-ascending", "Sort ascending"},
    {2, 16, C::kSortDescending, "sort-descending", "Sort descending"},
    {2, 17, C::kDuplicatesInBank, "find-duplicates", "Find duplicate channels in current bank"},
    {2, 18, C::kRemoveDuplicates, "remove-duplicates", "Remove duplicate channels"},
    {2, 19, C::kEasyFill, "easy-fill", "Easy Fill"},
    {2, 20, C::kNone, "", ""},
    {2, 21, C::kFind, "find", "Find"},
    {2, 22, C::kCheckData, "check-data", "Check data in table"},
    {2, 23, C::kNone, "", ""},
    {2, 24, C::kNone, "", ""},
    {2, 25, C::kNone, "", ""},
    {2, 26, C::kBankTags, "bank-tags", "Bank Tags"},
    {2, 27, C::kSoftwareOptions, "software-options", "Software Options"},
    {2, 28, C::kNone, "", ""},
    {2, 29, C::kShiftChannelUp, "shift-up", "Shift Channel Up"},
    {2, 30, C::kShiftChannelDown, "shift-down", "Shift Channel Down"},
};

constexpr CommandId kShowBankCommands[] = {C::kShowBank0, C::kShowBank1,     C::kShowBank2,
                                           C::kShowBank3, C::kShowBank4,     C::kShowBank5,
                                           C::kShowBank6, C::kShowBank7,     C::kShowBank8,
                                           C::kShowBank9, C::kShowDummyBank, C::kShowSearchEdge};

}  // namespace

std::span<const std::string_view> MenuCaptions() { return kMenuCaptions; }
std::span<const MenuEntry> MenuEntries() { return kMenuEntries; }
std::span<const ToolbarButton> ToolbarButtons() { return kToolbarButtons; }

bool IsListedCommand(CommandId command) {
  return command == C::kRecentFiles || command == C::kImportStockList;
}

CommandId ShowBankCommand(int slot) {
  if (slot < 0 || slot >= static_cast<int>(std::size(kShowBankCommands))) return C::kNone;
  return kShowBankCommands[slot];
}

int ShowBankSlot(CommandId command) {
  for (int slot = 0; slot < static_cast<int>(std::size(kShowBankCommands)); ++slot) {
    if (kShowBankCommands[slot] == command) return slot;
  }
  return -1;
}

}  // namespace talvirex
