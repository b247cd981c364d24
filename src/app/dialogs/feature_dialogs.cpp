// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/dialogs/feature_dialogs.h"

#include <QDialog>
#include <QPointer>
#include <functional>

#include "app/dialogs/about_box.h"
#include "app/dialogs/bank_names_dialog.h"
#include "app/dialogs/channel_list_dialog.h"
#include "app/dialogs/csv_export_dialog.h"
#include "app/dialogs/csv_import_dialog.h"
#include "app/dialogs/default_data_dialog.h"
#include "app/dialogs/easy_fill_dialog.h"
#include "app/dialogs/find_replace_dialog.h"
#include "app/dialogs/memory_manager_dialog.h"
#include "app/dialogs/print_dialog.h"
#include "app/dialogs/priority_dialog.h"
#include "app/dialogs/scanner_options_dialog.h"
#include "app/dialogs/software_options_dialog.h"
#include "app/help_window.h"
#include "app/main_window.h"
#include "app/transfer_window.h"
#include "editor/main_window.h"
#include "workspace.h"

namespace talvirex {

namespace {

// A dialog that changes the table or moves the grid while it is still open (the non-modal import
// dialog, Find's matches) asks the main window (when it is one) to draw itself again.
std::function<void()> RedrawOf(QWidget* parent) {
  QPointer<MainWindow> window = qobject_cast<MainWindow*>(parent);
  return [window] {
    if (window) window->RefreshFromCore();
  };
}

// Every dialog of a command the logic opened a form for is bound to that form; how it closed goes
// back to the logic, which runs the confirming button's work and the steps after the dialog.
bool LaunchBound(CommandId command, WindowCommandContext& c) {
  DialogForms& forms = c.logic.dialogs();
  QWidget* parent = c.parent;
  int result = QDialog::Rejected;
  switch (command) {
    case CommandId::kFind: result = FindDialog(forms.find, parent, RedrawOf(parent)).exec(); break;
    case CommandId::kReplace: result = ReplaceDialog(forms.replace, parent).exec(); break;
    case CommandId::kMemoryChannels:
    case CommandId::kMemoryBanks:
      result = MemoryManagerDialog(forms.memory_manager, parent).exec();
      break;
    case CommandId::kEasyFill:
      result = EasyFillDialog(forms.easy_fill, c.workspace, parent).exec();
      break;
    case CommandId::kPriorityChannels:
      result = PriorityDialog(forms.priority, parent).exec();
      break;
    case CommandId::kScannerOptions:
      result = ScannerOptionsDialog(forms.scanner_options, parent).exec();
      break;
    case CommandId::kBankTags: result = BankNamesDialog(forms.bank_names, parent).exec(); break;
    case CommandId::kSoftwareOptions:
      result = SoftwareOptionsDialog(forms.software_options, parent).exec();
      break;
    case CommandId::kDefaultData:
      result = DefaultDataDialog(forms.default_data, parent).exec();
      break;
    case CommandId::kExportCsv:
    case CommandId::kExportChannelList:
      result = CsvExportDialog(forms.csv_export, c.workspace, c.ui, parent).exec();
      break;
    case CommandId::kImportChannelList:
    case CommandId::kImportStockList:
      result = ChannelListDialog(forms.channel_list, c.workspace.table, parent).exec();
      break;
    case CommandId::kPrint:
      result = PrintDialog(forms.print, c.workspace, c.ui, parent).exec();
      break;
    default: return false;
  }
  c.logic.DialogClosed(
      command, result == QDialog::Accepted ? DialogResult::kConfirmed : DialogResult::kDismissed);
  return true;
}

}  // namespace

bool FeatureDialogs::Launch(CommandId command, WindowCommandContext& c) {
  if (RunTransferCommand(command, c)) return true;  // read and send: the transfer window
  if (LaunchBound(command, c)) return true;         // dialogs bound to the logic's own forms
  switch (command) {
    case CommandId::kAdvancedImport:
      CsvImportDialog::Show(c.workspace, c.ui, c.clipboard, c.parent, RedrawOf(c.parent));
      return true;
    case CommandId::kWebCatcher:
      WebCatcherWindow::Show(c.workspace, c.ui, c.clipboard, c.parent, RedrawOf(c.parent));
      return true;
    case CommandId::kAbout:  // nothing to load or store: it only shows
      AboutBox(c.parent).exec();
      return true;
    case CommandId::kHelpContents:
    case CommandId::kHelpSearch:
      if (const auto page = c.logic.HelpFile()) {
        HelpWindow::Show(c.parent, *page, command == CommandId::kHelpSearch);
      }
      return true;
    default: return false;
  }
}

}  // namespace talvirex
