// talvirex send IN.s2c --port N|PATH [--base IMAGE] [--pace MS] [--yes]: writes a channel file
// into the scanner over the clone cable, prepared as the desktop program's send prepares it.

#include <ostream>
#include <variant>

#include "cli/arguments.h"
#include "cli/command.h"
#include "cli/stream_ui.h"
#include "cli/transfer_run.h"
#include "files/file_commands.h"
#include "image/image_file.h"
#include "link/clone_commands.h"
#include "ports/clock.h"
#include "settings/program_files.h"
#include "settings/program_folder.h"
#include "workspace.h"

namespace talvirex::cli {

namespace {

int RunSend(CommandContext& context) {
  const Arguments args(context.args, {"--port", "--base", "--pace", "--trace"}, {"--yes"});
  const auto port_text = args.Value("--port");
  const auto port = port_text ? ParsePortOption(*port_text) : std::nullopt;
  if (!args.ok() || args.positional().size() != 1 || !port) {
    context.err << "talvirex send: "
                << (!args.ok()                        ? args.error()
                    : args.positional().size() != 1 ? std::string("need one IN.s2c")
                    : port_text ? "--port takes a port number or a device path"
                                : "need --port N or --port PATH")
                << '\n';
    return kExitUsage;
  }
  const auto folder = ProgramFolder();
  const auto pacing = PacingInterval(args.Value("--pace"), folder);
  if (!pacing) {
    context.err << "talvirex send: --pace takes a number of milliseconds (10..100)\n";
    return kExitUsage;
  }
  Workspace workspace;
  LoadSettingsFiles(workspace, folder);
  if (const auto base = args.Value("--base")) {
    auto loaded = LoadImageFile(*base);
    if (const auto* error = std::get_if<ImageFileError>(&loaded)) {
      context.err << "talvirex send: " << error->message << '\n';
      return kExitDataProblem;
    }
    workspace.clone_image = std::get<CloneImage>(std::move(loaded));
  }
  StreamUi ui(context.err, false);
  SystemClock clock;
  FileCommands files(workspace, ui, clock, folder);
  if (!files.LoadChannelFile(args.positional()[0])) return kExitDataProblem;

  TransferRequest request;
  request.mode = KloonMode::kSend;
  request.port = *port;
  request.pacing_ms = *pacing;
  request.assume_yes = args.Has("--yes");
  request.trace_path = args.Value("--trace");
  int status = kExitIncomplete;
  SendCommand(workspace, ui,
              [&] { status = RunTransfer(context, workspace.clone_image, request); });
  return status;
}

}  // namespace

extern const Command kSendCommand{
    "send", "send IN.s2c --port N|PATH [--base IMAGE] [--pace MS] [--yes] [--trace FILE]",
    "send a channel file to the scanner",
    "IN is opened as the Open command does, cleaned and written into the clone image as the\n"
    "desktop program's send does: on the scanner's default image, or on IMAGE (a stored read,\n"
    "whose bytes the program does not interpret go back unchanged; checked as 'talvirex decode'\n"
    "checks it). Shows how to put the scanner into clone slave mode, waits for Enter (--yes: does\n"
    "not wait) and sends the 253 lines.\n"
    "--pace is the pause in ms between an acknowledgement and the next line (10..100; default:\n"
    "the one the transfer window remembers, else 50). --port as for 'talvirex read'.\n"
    "Every transfer keeps its trace in the program folder's traces/ (the last 10) and the image\n"
    "sent or read in backup/; --trace FILE also writes the trace there.\n"
    "Exit status: 0 complete send, 1 usage, 2 unusable file, 3 send not complete, 130 Ctrl+C.\n",
    RunSend};

}  // namespace talvirex::cli
