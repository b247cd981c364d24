// SPDX-License-Identifier: GPL-3.0-or-later
// talvirex diff A.s2c B.s2c: what differs between two channel files.

#include <ostream>

#include "cli/arguments.h"
#include "cli/command.h"
#include "cli/command_io.h"
#include "document.h"
#include "files/channel_diff.h"
#include "model/frequency.h"

namespace talvirex::cli {

namespace {

// Reads a channel file as Open does and cleans it as Save does.
bool LoadNormalized(const std::string& path, Document& document, std::ostream& err) {
  if (!LoadChannelFileAsOpenDoes(document, Settings{}, path, err)) return false;
  NormalizeForSave(document.table);
  return true;
}

int RunDiff(CommandContext& context) {
  const Arguments args(context.args, {}, {});
  if (!args.ok() || args.positional().size() != 2) {
    context.err << "talvirex diff: " << (args.ok() ? "need two channel files" : args.error())
                << '\n';
    return kExitUsage;
  }
  Document a;
  Document b;
  if (!LoadNormalized(args.positional()[0], a, context.err) ||
      !LoadNormalized(args.positional()[1], b, context.err)) {
    return kExitDataProblem;
  }
  const auto differences = DiffTables(a, b);
  for (const auto& line : differences) context.out << line << '\n';
  return differences.empty() ? kExitOk : kExitUsage;
}

}  // namespace

extern const Command kDiffCommand{
    "diff", "diff A.s2c B.s2c", "what differs between two channel files",
    "Compares channels 1..200, bank names, priority channels, scanner settings and the search\n"
    "range after cleaning both files as Save does, so two spellings of one frequency are equal.\n"
    "Exit status 0 when they are equal, 1 when they differ, 2 when a file cannot be read.\n",
    RunDiff};

}  // namespace talvirex::cli
