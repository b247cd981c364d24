// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/clone_commands.h"

#include "editor/file_commands.h"
#include "editor/grid_bridge.h"
#include "image/encoders.h"
#include "model/frequency.h"
#include "ports/ui.h"
#include "workspace.h"

namespace talvirex {

namespace {

// True when the command may go on: no unsaved data, the user declined to save, or it was saved.
bool OfferToSaveBeforeRead(Workspace& workspace, Ui& ui, FileCommands& files) {
  if (!workspace.unsaved_changes) return true;
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
  CommitBank(workspace, ui);
  NormalizeForSave(workspace.table);
  workspace.unsaved_changes = false;
  run_transfer_window();
  workspace.file_name = kUntitled;
  return workspace.table.At(workspace.current_bank, 1, kFieldFrequency);
}

void SendCommand(Workspace& workspace, Ui& ui, const TransferWindow& run_transfer_window) {
  CommitBank(workspace, ui);
  NormalizeForSave(workspace.table);
  create_senddata(workspace);
  run_transfer_window();
}

}  // namespace talvirex
