// SPDX-License-Identifier: GPL-3.0-or-later
// talvirex send IN.s2c --port N|PATH [--base IMAGE] [--pace MS] [--yes]: writes a channel file
// into the scanner over the clone cable, prepared as the desktop program's send prepares it.

#include <ostream>
#include <variant>

#include "cli/arguments.h"
#include "cli/command.h"
#include "cli/command_io.h"
#include "cli/transfer_run.h"
#include "document.h"
#include "image/encoders.h"
#include "image/image_file.h"
#include "settings/program_folder.h"

namespace talvirex::cli {

namespace {

int RunSend(CommandContext& context) {
  const Arguments args(context.args, {"--port", "--base", "--pace", "--trace"}, {"--yes"});
  const auto port_text = args.Value("--port");
  const auto port = port_text ? ParsePortOption(*port_text) : std::nullopt;
  if (!args.ok() || args.positional().size() != 1 || !port) {
    context.err << "talvirex send: "
                << (!args.ok()                      ? args.error()
                    : args.positional().size() != 1 ? std::string("need one IN.s2c")
                    : port_text                     ? "--port takes a port number or a device path"
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
  const Settings settings = UserSettings();
  Document document;
  if (const auto base = args.Value("--base")) {
    auto loaded = LoadImageFile(*base);
    if (const auto* error = std::get_if<ImageFileError>(&loaded)) {
      context.err << "talvirex send: " << error->message << '\n';
      return kExitDataProblem;
    }
    document.clone_image = std::get<CloneImage>(std::move(loaded));
  }
  if (!LoadChannelFileAsOpenDoes(document, settings, args.positional()[0], context.err)) {
    return kExitDataProblem;
  }
  // As the desktop program's send prepares it: the shown bank committed, the tables cleaned and
  // written into the clone image.
  SettleAsShown(document, settings);
  create_senddata(document);

  TransferRequest request;
  request.mode = KloonMode::kSend;
  request.port = *port;
  request.pacing_ms = *pacing;
  request.assume_yes = args.Has("--yes");
  request.trace_path = args.Value("--trace");
  return RunTransfer(context, document, request);
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
