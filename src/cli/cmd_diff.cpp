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

constexpr int kExitDiffer = kExitUsage;  // "they differ" shares the status of a usage error

// Reads a channel file as Open does and cleans it as Save does.
bool LoadNormalized(const std::string& path, Document& document, std::ostream& err) {
  if (!LoadChannelFileAsOpenDoes(document, Settings{}, path, err)) return false;
  NormalizeForSave(document.table);
  return true;
}

int RunDiff(CommandContext& context) {
  const Arguments args(context.args, {}, {"--exact"});
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
  const auto differences =
      DiffTables(a, b, args.Has("--exact") ? DiffForm::kExact : DiffForm::kAsSent);
  for (const auto& line : differences) context.out << line << '\n';
  return differences.empty() ? kExitOk : kExitDiffer;
}

}  // namespace

extern const Command kDiffCommand{
    "diff", "diff A.s2c B.s2c [--exact]", "what differs between two channel files",
    "Compares channels 1..200, bank names, priority channels, scanner settings and the search\n"
    "range after cleaning both files as Save does. Channels are compared as a send writes them\n"
    "into the scanner: the frequency as corrected, the tag as the scanner's ten characters, the\n"
    "subtone as its code. So a file and the decode of what a send of it wrote show no\n"
    "difference, and \"F1\" against \"F1        \" or \"None\" against \"0\" is none.\n"
    "  --exact   compare the channels' texts as the files hold them\n"
    "Exit status 0 when they are equal, 1 when they differ, 2 when a file cannot be read.\n",
    RunDiff};

}  // namespace talvirex::cli
