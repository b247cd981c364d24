// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/cli.h"

#include <array>
#include <iostream>

#include "cli/command.h"
#include "licence.h"

namespace talvirex::cli {

// Each subcommand's entry, defined in its own file.
extern const Command kNormalizeCommand;
extern const Command kDiffCommand;
extern const Command kCsvCommand;
extern const Command kImportCommand;
extern const Command kHarvestCommand;
extern const Command kPrintCommand;
extern const Command kImageCommand;
extern const Command kDecodeCommand;
extern const Command kScannerCommand;
extern const Command kReadCommand;
extern const Command kSendCommand;
extern const Command kRestoreCommand;

namespace {

const std::array kCommands = {
    &kNormalizeCommand, &kImageCommand,   &kDecodeCommand, &kReadCommand,
    &kSendCommand,      &kRestoreCommand, &kDiffCommand,   &kCsvCommand,
    &kImportCommand,    &kHarvestCommand, &kPrintCommand,  &kScannerCommand,
};

void PrintHelp(std::ostream& out) {
  out << "TALVIREX " TALVIREX_VERSION
         " - programs the SC200 scanner from a PC.\n\n"
         "usage: talvirex [COMMAND [ARGUMENTS] | FILE.s2c]\n"
         "Without a command the desktop window starts; given a channel file, it opens it. A\n"
         "window already running for the same program folder is asked to do so instead.\n\n"
         "Commands:\n";
  for (const Command* command : kCommands) {
    std::string name(command->name);
    name.resize(12, ' ');
    out << "  " << name << command->summary << '\n';
  }
  out << "\n'talvirex COMMAND --help' tells more about a command.\n"
         "Exit status: 0 success, 1 usage error, 2 file or data problem, 3 transfer not complete.\n"
         "The program folder is $TALVIREX_HOME when set, else $XDG_CONFIG_HOME/talvirex.\n";
}

}  // namespace

bool IsCommandWord(std::string_view word) {
  if (word == "--help" || word == "-h" || word == "help" || word == "--version") return true;
  for (const Command* command : kCommands) {
    if (command->name == word) return true;
  }
  return false;
}

void PrintCommandHelp(const Command& command, std::ostream& out) {
  out << "usage: talvirex " << command.usage << "\n\n" << command.summary << '\n';
  if (!command.help.empty()) out << '\n' << command.help;
}

int RunCli(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
           std::ostream& err) {
  if (args.empty() || args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
    PrintHelp(out);
    return kExitOk;
  }
  if (args[0] == "--version") {
    out << "talvirex " TALVIREX_VERSION "\n" << kLicenceNotice;
    return kExitOk;
  }
  for (const Command* command : kCommands) {
    if (command->name != args[0]) continue;
    CommandContext context{std::vector<std::string>(args.begin() + 1, args.end()), in, out, err};
    for (const std::string& arg : context.args) {
      if (arg == "--help" || arg == "-h") {
        PrintCommandHelp(*command, out);
        return kExitOk;
      }
    }
    return command->run(context);
  }
  err << "talvirex: unknown command '" << args[0] << "'; 'talvirex --help' lists the commands\n";
  return kExitUsage;
}

}  // namespace talvirex::cli
