#include "app/dialogs/feature_dialogs.h"

#include <QDialog>
#include <QPointer>
#include <functional>

#include "app/dialogs/about_box.h"
#include "app/dialogs/bank_names_dialog.h"
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
#include "editor/grid_bridge.h"
#include "editor/main_window.h"
#include "workspace.h"

namespace talvirex {

namespace {

// The non-modal import dialog changes the table after the command has returned: it asks the main
// window (when it is one) to draw itself again.
std::function<void()> RedrawOf(QWidget* parent) {
  QPointer<MainWindow> window = qobject_cast<MainWindow*>(parent);
  return [window] {
    if (window) window->RefreshFromCore();
  };
}

// These dialogs carry out their confirming button themselves (the forms the logic loaded for the
// command are left unused); the logic then runs the steps that follow any close of the dialog:
// the redraw after Easy Fill, the captions after the bank tags, the title's unsaved mark.
void AfterDialog(CommandId command, bool confirmed, WindowCommandContext& c) {
  c.logic.DialogClosed(command, DialogResult::kDismissed);
  if (confirmed && command == CommandId::kSoftwareOptions) c.logic.Redraw();
}

// The dialogs bound to the form the logic loaded for `command`: the logic runs the confirming
// button's work and the steps after the dialog.
bool LaunchBound(CommandId command, WindowCommandContext& c) {
  DialogForms& forms = c.logic.dialogs();
  int result = QDialog::Rejected;
  switch (command) {
    case CommandId::kFind: result = FindDialog(forms.find, c.parent).exec(); break;
    case CommandId::kReplace: result = ReplaceDialog(forms.replace, c.parent).exec(); break;
    case CommandId::kMemoryChannels:
    case CommandId::kMemoryBanks:
      result = MemoryManagerDialog(forms.memory_manager, c.parent).exec();
      break;
    default: return false;
  }
  c.logic.DialogClosed(command, result == QDialog::Accepted ? DialogResult::kConfirmed
                                                            : DialogResult::kDismissed);
  return true;
}

}  // namespace

bool FeatureDialogs::Launch(CommandId command, WindowCommandContext& c) {
  if (RunTransferCommand(command, c)) return true;  // read and send: the transfer window
  if (LaunchBound(command, c)) return true;         // dialogs bound to the logic's own forms
  bool confirmed = false;
  switch (command) {
    case CommandId::kDefaultData:
      confirmed = DefaultDataDialog::Run(c.workspace, c.parent);
      break;
    case CommandId::kPriorityChannels:
      confirmed = PriorityDialog::Run(c.workspace, c.parent);
      break;
    case CommandId::kScannerOptions:
      confirmed = ScannerOptionsDialog::Run(c.workspace, c.parent);
      break;
    case CommandId::kBankTags:
      confirmed = BankNamesDialog::Run(c.workspace, c.parent);
      break;
    case CommandId::kSoftwareOptions:
      confirmed = SoftwareOptionsDialog::Run(c.workspace, c.parent);
      break;
    case CommandId::kEasyFill:  // the logic took the undo snapshot before answering
      confirmed = EasyFillDialog::Run(c.workspace, c.parent);
      break;
    case CommandId::kExportCsv:
      CommitBank(c.workspace, c.ui);
      CsvExportDialog::Run(c.workspace, c.ui, c.parent);
      return true;
    case CommandId::kPrint:
      CommitBank(c.workspace, c.ui);
      PrintDialog::Run(c.workspace, c.ui, c.parent);
      return true;
    case CommandId::kAdvancedImport:
      CsvImportDialog::Show(c.workspace, c.ui, c.clipboard, c.parent, RedrawOf(c.parent));
      return true;
    case CommandId::kWebCatcher:
      WebCatcherWindow::Show(c.workspace, c.ui, c.clipboard, c.parent, RedrawOf(c.parent));
      return true;
    case CommandId::kAbout:
      AboutBox::Run(c.parent);
      return true;
    case CommandId::kHelpContents:
    case CommandId::kHelpSearch:
      if (const auto page = c.logic.HelpFile()) {
        HelpWindow::Show(c.parent, *page, command == CommandId::kHelpSearch);
      }
      return true;
    default:
      return false;
  }
  AfterDialog(command, confirmed, c);
  return true;
}

}  // namespace talvirex
