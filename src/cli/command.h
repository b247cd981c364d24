// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One subcommand of `talvirex`: its name, usage line, one-line summary and the function that runs
// it. Each subcommand lives in its own file and is listed once in cli.cpp.

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

namespace talvirex::cli {

// Exit statuses of every subcommand.
inline constexpr int kExitOk = 0;
inline constexpr int kExitUsage = 1;        // also: `diff` found differences
inline constexpr int kExitDataProblem = 2;  // a file or its data could not be used
inline constexpr int kExitIncomplete = 3;   // a transfer that did not complete
inline constexpr int kExitInterrupted = 130;

struct CommandContext {
  std::vector<std::string> args;  // the arguments after the subcommand's name
  std::istream& in;
  std::ostream& out;
  std::ostream& err;
};

struct Command {
  std::string_view name;
  std::string_view usage;    // "normalize IN.s2c -o OUT.s2c"
  std::string_view summary;  // one line for `talvirex --help`
  std::string_view help;     // the rest of the subcommand's --help text
  int (*run)(CommandContext&);
};

/// Prints "usage: talvirex <usage>" and the help of `command`.
void PrintCommandHelp(const Command& command, std::ostream& out);

}  // namespace talvirex::cli
