#pragma once
// What the subcommands share around their work: loading a channel file as the Open command does,
// with the user's settings, and writing a result to a file or to standard output.

#include <iosfwd>
#include <optional>
#include <string>

#include "cli/command.h"

namespace talvirex {
struct Workspace;
}

namespace talvirex::cli {

/// Reads the user's settings from the program folder, then loads the channel file at `path` into
/// `workspace` as Open does (the grid shows Bank 1 afterwards). False when the file could not be
/// read; the program's message went to `err`.
bool LoadChannelFileAsOpenDoes(Workspace& workspace, const std::string& path, std::ostream& err);

/// Writes `bytes` to `path` (safely: the old file stays whole on failure) or, without a path, to
/// `context.out`. Returns kExitOk, or kExitDataProblem after naming the file and the reason.
int WriteResult(const std::string& bytes, const std::optional<std::string>& path,
                CommandContext& context);

}  // namespace talvirex::cli
