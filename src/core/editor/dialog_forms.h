// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The forms of the main window's modal dialogs, one each, held by `MainWindowLogic`. A command
// that opens a dialog (`Run` answers `kForWindow`) first runs the core's steps before it and
// loads its form; the window then shows the dialog bound to that form and, when the dialog has
// closed, calls `MainWindowLogic::DialogClosed` with how it closed, which runs the confirming
// button's work and the steps after. The buttons that act while the dialog stays open (Apply,
// and the export's "Ok" and "Print", which keep it open when they could not finish) call the
// form from the dialog.

#include "editor/channel_list_import.h"
#include "editor/easy_fill.h"
#include "editor/find_replace_form.h"
#include "editor/memory_manager_form.h"
#include "features/bank_names_form.h"
#include "features/priority_form.h"
#include "features/scanner_options_form.h"
#include "files/csv_export.h"
#include "files/print_form.h"
#include "model/default_data_form.h"
#include "settings/software_options_form.h"

namespace talvirex {

/// How a modal dialog closed: by its confirming button ("Ok", or "Close" of the priority
/// dialog), or by "Cancel", "Close" of the others, or the close box.
enum class DialogResult { kConfirmed, kDismissed };

struct DialogForms {
  MemoryManagerForm memory_manager;      // kMemoryChannels, kMemoryBanks
  FindForm find;                         // kFind
  ReplaceForm replace;                   // kReplace
  EasyFillForm easy_fill;                // kEasyFill
  PriorityForm priority;                 // kPriorityChannels
  ScannerOptionsForm scanner_options;    // kScannerOptions
  BankNamesForm bank_names;              // kBankTags
  SoftwareOptionsForm software_options;  // kSoftwareOptions
  DefaultDataForm default_data;          // kDefaultData
  ExportCsvForm csv_export;              // kExportCsv, kExportChannelList
  ChannelListImportForm channel_list;    // kImportChannelList, kImportStockList
  PrintForm print;                       // kPrint
};

}  // namespace talvirex
