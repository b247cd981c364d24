// SPDX-License-Identifier: GPL-3.0-or-later
// talvirex read --port N|PATH [-o OUT.s2c] [--image-out IMAGE] [--yes]: a backup of the scanner
// over the clone cable, saved as the desktop program would save it right after the read.

#include <ostream>

#include "cli/arguments.h"
#include "cli/command.h"
#include "cli/command_io.h"
#include "cli/transfer_run.h"
#include "document.h"
#include "files/channel_file.h"
#include "files/file_io.h"
#include "image/image_file.h"

namespace talvirex::cli {

namespace {

int WriteResults(Document& document, const Settings& settings, const Arguments& args,
                 CommandContext& context) {
  // The save right after the read: Bank 1 is shown, committed and cleaned.
  SettleAsShown(document, settings);
  int status = kExitOk;
  if (const auto image_out = args.Value("--image-out")) {
    if (const auto error = WriteFileAtomically(*image_out, ImageFileText(document.clone_image))) {
      context.err << "The file could not be saved:\n"
                  << *image_out << '\n'
                  << error->reason << '\n';
      status = kExitDataProblem;
    }
  }
  const auto out_path = args.Value("-o");
  if (!out_path) {
    context.out << ChannelFileBytes(document) << std::flush;
  } else if (const auto error = WriteChannelFile(document, *out_path)) {
    context.err << "The file could not be saved:\n" << *out_path << '\n' << error->reason << '\n';
    status = kExitDataProblem;
  }
  return status;
}

int RunRead(CommandContext& context) {
  const Arguments args(context.args, {"--port", "-o", "--image-out", "--trace"}, {"--yes"});
  const auto port_text = args.Value("--port");
  const auto port = port_text ? ParsePortOption(*port_text) : std::nullopt;
  if (!args.ok() || !args.positional().empty() || !port) {
    context.err << "talvirex read: "
                << (!args.ok()                   ? args.error()
                    : !args.positional().empty() ? std::string("takes no file arguments")
                    : port_text                  ? "--port takes a port number or a device path"
                                                 : "need --port N or --port PATH")
                << '\n';
    return kExitUsage;
  }
  const Settings settings = UserSettings();
  Document document;
  TransferRequest request;
  request.mode = KloonMode::kRead;
  request.port = *port;
  request.assume_yes = args.Has("--yes");
  request.trace_path = args.Value("--trace");
  const int status = RunTransfer(context, document, request);
  if (status != kExitOk) return status;
  return WriteResults(document, settings, args, context);
}

}  // namespace

extern const Command kReadCommand{
    "read", "read --port N|PATH [-o OUT.s2c] [--image-out IMAGE] [--yes] [--trace FILE]",
    "read the scanner over the serial link",
    "Shows how to put the scanner into clone master mode and waits for Enter (--yes: does not\n"
    "wait), then receives the scanner's 253 clone lines. A complete read is saved as the channel\n"
    "file the desktop program would save right after it with Bank 1 shown (standard output\n"
    "without -o); --image-out also keeps the 253 received lines. --port takes the port number\n"
    "1..19 (COMn on Windows, else the n-th serial device) or a device path.\n"
    "Every transfer keeps its trace in the program folder's traces/ (the last 10) and the image\n"
    "sent or read in backup/; --trace FILE also writes the trace there.\n"
    "Exit status: 0 complete read, 1 usage, 2 file not written, 3 read not complete, 130 Ctrl+C.\n",
    RunRead};

}  // namespace talvirex::cli
