// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one place where the main window hands over the commands it cannot carry out itself: the
// dialogs (Find, Easy Fill, the Memory Manager, Priority Channels, Bank Tags, Software Options,
// Default Data, About, ...), the transfer window `kloon` and the exchange commands. The window
// asks the launcher for every command that `MainWindowLogic::Run` returns as `kForWindow`, then
// redraws everything from the workspace, so a launcher only opens its dialog and returns.

#include <filesystem>

#include "editor/command_table.h"

class QWidget;

namespace talvirex {

struct Workspace;
class MainWindowLogic;
class Ui;
class Clipboard;
class Clock;

/// What a dialog may use: the window as its parent, the tables, the main window's logic (for
/// `Redraw` and `RefreshBankCaptions`) and the ports.
struct WindowCommandContext {
  QWidget* parent;
  Workspace& workspace;
  MainWindowLogic& logic;
  Ui& ui;
  Clipboard& clipboard;
  const Clock& clock;
  std::filesystem::path program_folder;
};

class DialogLauncher {
 public:
  virtual ~DialogLauncher() = default;
  /// Runs `command` modally. False when this launcher has nothing for it (nothing happened).
  virtual bool Launch(CommandId command, WindowCommandContext& context) = 0;
};

}  // namespace talvirex
