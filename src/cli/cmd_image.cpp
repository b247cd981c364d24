// SPDX-License-Identifier: GPL-3.0-or-later
// talvirex image IN.s2c [--base IMAGE] [-o OUT]: the 253 clone lines that a send of IN would
// transmit, built on the default image or on a stored image (for example a previous read).

#include <ostream>
#include <variant>

#include "cli/arguments.h"
#include "cli/command.h"
#include "cli/command_io.h"
#include "document.h"
#include "image/encoders.h"
#include "image/image_file.h"

namespace talvirex::cli {

namespace {

int RunImage(CommandContext& context) {
  const Arguments args(context.args, {"-o", "--base"}, {});
  if (!args.ok() || args.positional().size() != 1) {
    context.err << "talvirex image: " << (args.ok() ? "need one IN.s2c" : args.error()) << '\n';
    return kExitUsage;
  }
  Document document;
  if (const auto base = args.Value("--base")) {
    auto loaded = LoadImageFile(*base);
    if (const auto* error = std::get_if<ImageFileError>(&loaded)) {
      context.err << "talvirex image: " << error->message << '\n';
      return kExitDataProblem;
    }
    document.clone_image = std::get<CloneImage>(std::move(loaded));
  }
  const Settings settings = UserSettings();
  if (!LoadChannelFileAsOpenDoes(document, settings, args.positional()[0], context.err)) {
    return kExitDataProblem;
  }
  // What the send command does before it opens the transfer window.
  SettleAsShown(document, settings);
  create_senddata(document);
  return WriteResult(ImageFileText(document.clone_image), args.Value("-o"), context);
}

}  // namespace

extern const Command kImageCommand{
    "image", "image IN.s2c [--base IMAGE] [-o OUT]",
    "the 253 clone lines a send of IN would transmit (on the default image, or on IMAGE)",
    "The channel file is opened as the Open command does and cleaned as a send does; its banks,\n"
    "priority channels and scanner options are then written into the image. Bytes the program\n"
    "does not interpret keep their values from IMAGE (a stored read), or from the scanner's\n"
    "default image when no --base is given; IMAGE is checked as 'talvirex decode' checks it. One\n"
    "clone line a line; standard output without -o.\n",
    RunImage};

}  // namespace talvirex::cli
