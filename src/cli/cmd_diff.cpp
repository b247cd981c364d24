// talvirex diff A.s2c B.s2c: what differs between two channel files.

#include <ostream>

#include "cli/arguments.h"
#include "cli/command.h"
#include "cli/stream_ui.h"
#include "files/channel_diff.h"
#include "files/file_commands.h"
#include "model/frequency.h"
#include "ports/clock.h"
#include "settings/program_folder.h"
#include "workspace.h"

namespace talvirex::cli {

namespace {

// Reads a channel file as Open does (without the grid) and cleans it as Save does.
bool LoadNormalized(const std::string& path, Workspace& workspace, Ui& ui) {
  SystemClock clock;
  FileCommands files(workspace, ui, clock, ProgramFolder());
  if (!files.LoadChannelFile(path)) return false;
  NormalizeForSave(workspace.table);
  return true;
}

int RunDiff(CommandContext& context) {
  const Arguments args(context.args, {}, {});
  if (!args.ok() || args.positional().size() != 2) {
    context.err << "talvirex diff: " << (args.ok() ? "need two channel files" : args.error()) << '\n';
    return kExitUsage;
  }
  StreamUi ui(context.err, false);
  Workspace a;
  Workspace b;
  if (!LoadNormalized(args.positional()[0], a, ui) || !LoadNormalized(args.positional()[1], b, ui)) {
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
