// talvirex restore IMAGE --port N|PATH [--yes]: sends a stored image (the lines of an earlier read)
// back to the scanner as it is.

#include <ostream>
#include <variant>

#include "cli/arguments.h"
#include "cli/command.h"
#include "cli/transfer_run.h"
#include "image/clone_line.h"
#include "image/image_file.h"
#include "settings/program_folder.h"

namespace talvirex::cli {

namespace {

bool HasValidChecksum(const std::string& line) {
  return line.size() == static_cast<std::size_t>(kCloneLineLength) &&
         FinishCloneLine(line) == line;
}

// Lines without a valid checksum would only be refused by the scanner: they are rebuilt at their
// own address with a fresh checksum, as the send command builds every line. Returns how many.
int RepairLines(CloneImage& image) {
  int repaired = 0;
  for (int index = 1; index <= kCloneLineCount; ++index) {
    std::string& line = image.lines[static_cast<std::size_t>(index)];
    if (HasValidChecksum(line)) continue;
    line = FinishCloneLine(ShapeCloneLine(line, index));
    ++repaired;
  }
  return repaired;
}

int RunRestore(CommandContext& context) {
  const Arguments args(context.args, {"--port", "--trace"}, {"--yes"});
  const auto port_text = args.Value("--port");
  const auto port = port_text ? ParsePortOption(*port_text) : std::nullopt;
  if (!args.ok() || args.positional().size() != 1 || !port) {
    context.err << "talvirex restore: "
                << (!args.ok()                        ? args.error()
                    : args.positional().size() != 1 ? std::string("need one IMAGE")
                    : port_text ? "--port takes a port number or a device path"
                                : "need --port N or --port PATH")
                << '\n';
    return kExitUsage;
  }
  auto loaded = LoadImageFile(args.positional()[0]);
  if (const auto* error = std::get_if<ImageFileError>(&loaded)) {
    context.err << "talvirex restore: " << error->message << '\n';
    return kExitDataProblem;
  }
  CloneImage image = std::get<CloneImage>(std::move(loaded));
  if (const int repaired = RepairLines(image); repaired > 0) {
    context.err << "talvirex restore: " << repaired
                << " line(s) without a valid checksum rebuilt with a fresh one\n";
  }
  TransferRequest request;
  request.mode = KloonMode::kSend;
  request.port = *port;
  request.pacing_ms = *PacingInterval(std::nullopt, ProgramFolder());
  request.assume_yes = args.Has("--yes");
  request.trace_path = args.Value("--trace");
  return RunTransfer(context, image, request);
}

}  // namespace

extern const Command kRestoreCommand{
    "restore", "restore IMAGE --port N|PATH [--yes] [--trace FILE]", "send a stored image exactly as it is",
    "IMAGE holds the 253 clone lines of an earlier read (for example from 'talvirex read\n"
    "--image-out'). They are sent unchanged; only a line without a valid checksum is rebuilt at\n"
    "its own address with a fresh one. The pacing is the one the transfer window remembers\n"
    "(else 50 ms). Otherwise as 'talvirex send'.\n"
    "Every transfer keeps its trace in the program folder's traces/ (the last 10) and the image\n"
    "sent or read in backup/; --trace FILE also writes the trace there.\n"
    "Exit status: 0 complete send, 1 usage, 2 unusable image, 3 send not complete, 130 Ctrl+C.\n",
    RunRestore};

}  // namespace talvirex::cli
