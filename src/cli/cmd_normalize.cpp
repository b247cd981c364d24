// talvirex normalize IN.s2c -o OUT.s2c: open a channel file as the Open command does, clean it as
// Save does, and write it.

#include <ostream>

#include "cli/arguments.h"
#include "cli/command.h"
#include "cli/stream_ui.h"
#include "editor/grid_bridge.h"
#include "files/file_commands.h"
#include "files/file_io.h"
#include "model/frequency.h"
#include "ports/clock.h"
#include "settings/program_files.h"
#include "settings/program_folder.h"
#include "workspace.h"

namespace talvirex::cli {

namespace {

int RunNormalize(CommandContext& context) {
  const Arguments args(context.args, {"-o"}, {});
  if (!args.ok() || args.positional().size() != 1 || !args.Value("-o")) {
    context.err << "talvirex normalize: " << (args.ok() ? "need IN.s2c and -o OUT.s2c" : args.error())
                << '\n';
    return kExitUsage;
  }
  const auto folder = ProgramFolder();
  Workspace workspace;
  LoadSettingsFiles(workspace, folder);
  StreamUi ui(context.err, false);
  SystemClock clock;
  FileCommands files(workspace, ui, clock, folder);
  if (!files.LoadChannelFile(args.positional()[0])) return kExitDataProblem;

  CommitBank(workspace, ui);
  NormalizeForSave(workspace.table);
  const std::string out_path = *args.Value("-o");
  if (const auto error = WriteChannelFile(workspace, out_path)) {
    context.err << "The file could not be saved:\n" << out_path << '\n' << error->reason << '\n';
    return kExitDataProblem;
  }
  return kExitOk;
}

}  // namespace

extern const Command kNormalizeCommand{
    "normalize", "normalize IN.s2c -o OUT.s2c",
    "open a channel file as the Open command does, clean it as Save does, write it",
    "Frequencies are moved into the scanner's bands and onto their channel steps, tags are cut to\n"
    "10 characters and On/Off fields that hold anything else become Off.\n",
    RunNormalize};

}  // namespace talvirex::cli
