// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The launcher of the dialogs in this folder: default data, priority channels, scanner options,
// bank tags, software options, Easy Fill, Find, Replace, the Memory Manager, CSV export, the data
// import and its Webcatcher window, printing, the About box, and the help window. A dialog with a
// form is bound to the form the main window's logic loaded for the command and tells the logic how
// it closed; the logic owns the work around it (committing the grid before a dialog reads the
// table, the undo snapshot before Easy Fill, storing on the confirming button, the captions after
// the bank tags, the redraw after a change).

#include "app/dialog_launcher.h"

namespace talvirex {

class FeatureDialogs final : public DialogLauncher {
 public:
  bool Launch(CommandId command, WindowCommandContext& context) override;
};

}  // namespace talvirex
