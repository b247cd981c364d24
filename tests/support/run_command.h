// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Runs a program (the real `talvirex` binary, or a tool such as pdftotext) with a program folder of
// the test's own, capturing what it wrote to standard output and standard error and its exit
// status.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/background_process.h"
#include "support/temp_dir.h"

namespace talvirex::testing {

struct CommandResult {
  int status = -1;
  std::string out;
  std::string err;
};

/// Runs `binary args...` (found on the PATH when it names no folder) with TALVIREX_HOME = `home`,
/// standard input from `input` (a file path, empty for /dev/null).
inline CommandResult RunCommand(const std::string& binary, const std::vector<std::string>& args,
                                const std::filesystem::path& home, const std::string& input = {}) {
  const TempDir capture;
  BackgroundProcess process(binary, args, home, capture / "err", false, input);
  CommandResult result;
  result.out = process.Output();
  result.status = process.Wait();
  result.err = process.err();
  return result;
}

/// The standard output of a tool the tests use (pdftotext, groff, ...), which must succeed.
inline std::string ToolOutput(const std::string& program, const std::vector<std::string>& args) {
  const TempDir home;
  const CommandResult result = RunCommand(program, args, home.path());
  EXPECT_EQ(result.status, 0) << program << ": " << result.err;
  return result.out;
}

}  // namespace talvirex::testing
