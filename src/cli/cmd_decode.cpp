// SPDX-License-Identifier: GPL-3.0-or-later
// talvirex decode IMAGE [-o OUT.s2c]: the channel file the desktop program would save right after
// reading IMAGE from the scanner, with Bank 1 shown.

#include <ostream>
#include <variant>

#include "cli/arguments.h"
#include "cli/command.h"
#include "cli/command_io.h"
#include "cli/stream_ui.h"
#include "document.h"
#include "files/channel_file.h"
#include "image/decoders.h"
#include "image/image_file.h"

namespace talvirex::cli {

namespace {

int RunDecode(CommandContext& context) {
  const Arguments args(context.args, {"-o"}, {});
  if (!args.ok() || args.positional().size() != 1) {
    context.err << "talvirex decode: " << (args.ok() ? "need one IMAGE" : args.error()) << '\n';
    return kExitUsage;
  }
  auto loaded = LoadImageFile(args.positional()[0]);
  if (const auto* error = std::get_if<ImageFileError>(&loaded)) {
    context.err << "talvirex decode: " << error->message << '\n';
    return kExitDataProblem;
  }
  Document document;
  document.clone_image = std::get<CloneImage>(std::move(loaded));
  StreamUi ui(context.err, false);
  filter_image(document, ui);
  // The save right after a read.
  SettleAsShown(document, UserSettings());
  return WriteResult(ChannelFileBytes(document), args.Value("-o"), context);
}

}  // namespace

extern const Command kDecodeCommand{
    "decode", "decode IMAGE [-o OUT.s2c]",
    "the channel file the desktop program would save right after reading IMAGE with Bank 1 shown",
    "IMAGE holds the 253 clone lines of a scanner image (CR LF or LF line ends). Banks 1..10, the\n"
    "priority channels and the scanner options are decoded from it; the file is then cleaned as\n"
    "Save does. A file that does not hold the 253 clone lines in order, each with its own address\n"
    "and a valid checksum, is refused naming the line (exit status 2). The channel file goes to\n"
    "standard output without -o.\n",
    RunDecode};

}  // namespace talvirex::cli
