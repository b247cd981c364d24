// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

namespace talvirex::cli {

/// True when `word` names a command or one of the program's own options (--help, --version):
/// a file of that name is never taken for a channel file to open.
bool IsCommandWord(std::string_view word);

/// Runs `talvirex` with the arguments after the program name and returns the exit status.
/// An empty argument list shows the help (without arguments, `main` starts the window instead).
int RunCli(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
           std::ostream& err);

}  // namespace talvirex::cli
