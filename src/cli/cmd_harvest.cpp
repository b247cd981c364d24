// SPDX-License-Identifier: GPL-3.0-or-later
// talvirex harvest FILE|-: the frequencies that "Advanced Data Import" finds in a file.

#include <fstream>
#include <istream>
#include <ostream>

#include "cli/arguments.h"
#include "cli/command.h"
#include "files/harvester.h"

namespace talvirex::cli {

namespace {

int RunHarvest(CommandContext& context) {
  const Arguments args(context.args, {}, {});
  if (!args.ok() || args.positional().size() != 1) {
    context.err << "talvirex harvest: "
                << (args.ok() ? "need one FILE (or - for standard input)" : args.error()) << '\n';
    return kExitUsage;
  }
  const std::string& path = args.positional()[0];
  FoundList found;
  Harvester harvester(found);
  bool read = false;
  if (path == "-") {
    read = harvester.ScanStream(context.in, [](std::size_t) {});
  } else {
    std::ifstream file(path, std::ios::binary);
    read = file && harvester.ScanStream(file, [](std::size_t) {});
  }
  for (const std::string& entry : found.entries()) context.out << entry << '\n';
  if (!read) {
    context.err << "talvirex harvest: cannot read " << path << '\n';
    return kExitDataProblem;
  }
  return kExitOk;
}

}  // namespace

extern const Command kHarvestCommand{
    "harvest", "harvest FILE|-",
    "list the frequencies found in a file, one a line, in order of discovery",
    "Any text will do: CSV and tab-separated files, plain text, saved web pages; - reads standard\n"
    "input. The list holds each text once and stops growing after about 1000 entries.\n",
    RunHarvest};

}  // namespace talvirex::cli
