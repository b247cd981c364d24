// SPDX-License-Identifier: GPL-3.0-or-later
// talvirex restore IMAGE --port N|PATH [--yes]: sends a stored image (the lines of an earlier read)
// back to the scanner as it is.

#include <ostream>
#include <variant>
#include <vector>

#include "cli/arguments.h"
#include "cli/command.h"
#include "cli/transfer_run.h"
#include "document.h"
#include "image/image_file.h"
#include "settings/program_folder.h"

namespace talvirex::cli {

namespace {

int RunRestore(CommandContext& context) {
  const Arguments args(context.args, {"--port", "--trace"}, {"--yes", "--repair-checksums"});
  const auto port_text = args.Value("--port");
  const auto port = port_text ? ParsePortOption(*port_text) : std::nullopt;
  if (!args.ok() || args.positional().size() != 1 || !port) {
    context.err << "talvirex restore: "
                << (!args.ok()                      ? args.error()
                    : args.positional().size() != 1 ? std::string("need one IMAGE")
                    : port_text                     ? "--port takes a port number or a device path"
                                                    : "need --port N or --port PATH")
                << '\n';
    return kExitUsage;
  }
  // A wrong checksum means a changed digit somewhere in the line; a fresh one would make the
  // scanner take the damage, so it is given only when the user asks for it.
  const bool repair = args.Has("--repair-checksums");
  std::vector<int> rebuilt;
  auto loaded = LoadImageFile(args.positional()[0], repair ? &rebuilt : nullptr);
  if (const auto* error = std::get_if<ImageFileError>(&loaded)) {
    context.err << "talvirex restore: " << error->message << "\nNothing was sent.";
    if (error->only_checksums) {
      context.err << " To send it anyway with fresh checksums, add --repair-checksums.";
    }
    context.err << '\n';
    return kExitDataProblem;
  }
  Document document;
  document.clone_image = std::get<CloneImage>(std::move(loaded));
  if (!rebuilt.empty()) {
    context.err << "talvirex restore: rebuilt the checksum" << (rebuilt.size() == 1 ? "" : "s")
                << " of " << LineNumbersText(rebuilt) << '\n';
  }
  TransferRequest request;
  request.mode = KloonMode::kSend;
  request.port = *port;
  request.pacing_ms = *PacingInterval(std::nullopt, ProgramFolder());
  request.assume_yes = args.Has("--yes");
  request.trace_path = args.Value("--trace");
  return RunTransfer(context, document, request);
}

}  // namespace

extern const Command kRestoreCommand{
    "restore", "restore IMAGE --port N|PATH [--yes] [--repair-checksums] [--trace FILE]",
    "send a stored image exactly as it is",
    "IMAGE holds the 253 clone lines of an earlier read (for example from 'talvirex read\n"
    "--image-out'). They are sent unchanged. An image with a line out of place or damaged is\n"
    "refused before anything is sent, naming the line; so is one with a wrong checksum, unless\n"
    "--repair-checksums is given: those lines then get a fresh checksum and are named. The pacing\n"
    "is the one the transfer window remembers (else 50 ms). Otherwise as 'talvirex send'.\n"
    "Every transfer keeps its trace in the program folder's traces/ (the last 10) and the image\n"
    "sent or read in backup/; --trace FILE also writes the trace there.\n"
    "Exit status: 0 complete send, 1 usage, 2 unusable image, 3 send not complete, 130 Ctrl+C.\n",
    RunRestore};

}  // namespace talvirex::cli
