// SPDX-License-Identifier: GPL-3.0-or-later
// talvirex normalize IN.s2c -o OUT.s2c: open a channel file as the Open command does, clean it as
// Save does, and write it.

#include <ostream>

#include "cli/arguments.h"
#include "cli/command.h"
#include "cli/command_io.h"
#include "document.h"
#include "files/channel_file.h"

namespace talvirex::cli {

namespace {

int RunNormalize(CommandContext& context) {
  const Arguments args(context.args, {"-o"}, {});
  if (!args.ok() || args.positional().size() != 1 || !args.Value("-o")) {
    context.err << "talvirex normalize: "
                << (args.ok() ? "need IN.s2c and -o OUT.s2c" : args.error()) << '\n';
    return kExitUsage;
  }
  Document document;
  const Settings settings = UserSettings();
  if (!LoadChannelFileAsOpenDoes(document, settings, args.positional()[0], context.err)) {
    return kExitDataProblem;
  }
  // What Save does before it writes.
  SettleAsShown(document, settings);
  return WriteResult(ChannelFileBytes(document), args.Value("-o"), context);
}

}  // namespace

extern const Command kNormalizeCommand{
    "normalize", "normalize IN.s2c -o OUT.s2c",
    "open a channel file as the Open command does, clean it as Save does, write it",
    "Frequencies are moved into the scanner's bands and onto their channel steps, tags are cut to\n"
    "10 characters and On/Off fields that hold anything else become Off.\n",
    RunNormalize};

}  // namespace talvirex::cli
