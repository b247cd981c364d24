// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace talvirex::cli {

/// Runs `talvirex` with the arguments after the program name and returns the exit status.
/// An empty argument list shows the help (the desktop window starts there once it exists).
int RunCli(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
           std::ostream& err);

}  // namespace talvirex::cli
