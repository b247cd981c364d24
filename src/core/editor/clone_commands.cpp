// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/clone_commands.h"

#include "editor/file_commands.h"
#include "editor/grid_bridge.h"
#include "editor/history.h"
#include "image/encoders.h"
#include "model/frequency.h"
#include "ports/ui.h"
#include "workspace.h"

namespace talvirex {

namespace {

// True when the command may go on: no unsaved data, the user declined to save, or it was saved.
bool OfferToSaveBeforeRead(Workspace& workspace, Ui& ui, FileCommands& files) {
  if (!UnsavedChanges(workspace)) return true;
  const Answer answer = ui.Ask(
      {"Data is not saved. Save it now?", "Not Saved", Buttons::kYesNoCancel, Icon::kCritical});
  if (answer == Answer::kCancel) return false;
  // A read replaces the tables: unsaved data whose save did not happen must not be lost by it.
  if (answer == Answer::kYes) return files.Save();
  return true;
}

}  // namespace

std::optional<std::string> ReadCommand(Workspace& workspace, Ui& ui, FileCommands& files,
                                       const TransferWindow& run_transfer_window) {
  if (!OfferToSaveBeforeRead(workspace, ui, files)) return std::nullopt;
  RecordStep(workspace, ui, EditStepName(workspace));  // a typed cell is a step before the read's
  CommitBank(workspace, ui);  // and stays in the table (the Dummy bank's is not read over)
  const std::string previous_file_name = workspace.file_name;
  if (!run_transfer_window()) return std::nullopt;
  workspace.file_name = kUntitled;
  RenderBank(workspace, ui);  // the grid shows the bank as read before the step is taken
  RecordReplacement(workspace, ui, "Read Data From Scanner", previous_file_name);
  return workspace.table.At(workspace.current_bank, 1, kFieldFrequency);
}

void SendCommand(Workspace& workspace, Ui& ui, const TransferWindow& run_transfer_window) {
  CommitBank(workspace, ui);
  NormalizeForSave(workspace.table);
  create_senddata(workspace);
  run_transfer_window();
}

}  // namespace talvirex
