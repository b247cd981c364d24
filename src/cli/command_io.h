// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the subcommands share around their work: loading a channel file as the Open command does,
// with the user's settings, and writing a result to a file or to standard output.

#include <filesystem>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>

#include "cli/command.h"
#include "settings/settings.h"

class QCoreApplication;

namespace talvirex {
struct Document;
}

namespace talvirex::cli {

/// Qt's application object for a command that needs one (its event loop, the program's own
/// folder); null when the process has one already. It lives as long as the pointer.
std::unique_ptr<QCoreApplication> ApplicationIfNone();

/// The folder the running program lies in, where its shared data is looked for (FindDocument).
std::filesystem::path ProgramDirectory();

/// The user's settings, from "setup.ini" in the program folder.
Settings UserSettings();

/// Loads the channel file at `path` into `document` as Open does with `settings` (with the Easy
/// Tag lists on, tags lose their leading blanks). False when the file could not be read; the
/// program's message went to `err`.
bool LoadChannelFileAsOpenDoes(Document& document, const Settings& settings,
                               const std::string& path, std::ostream& err);

/// Leaves Bank 1 as the desktop program leaves it once shown and committed (what a save, a send or
/// an image right after opening or reading write), then cleans the table for saving.
void SettleAsShown(Document& document, const Settings& settings);

/// Writes `bytes` to `path` (safely: the old file stays whole on failure) or, without a path, to
/// `context.out`. Returns kExitOk, or kExitDataProblem after naming the file and the reason.
int WriteResult(const std::string& bytes, const std::optional<std::string>& path,
                CommandContext& context);

}  // namespace talvirex::cli
