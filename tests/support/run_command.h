#pragma once
// Runs the real `talvirex` binary with a program folder of the test's own, capturing what it wrote
// to standard output and standard error and its exit status.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace talvirex::testing {

struct CommandResult {
  int status = -1;
  std::string out;
  std::string err;
};

inline std::string ShellQuoted(const std::string& text) {
  std::string quoted = "'";
  for (const char c : text) {
    if (c == '\'') {
      quoted += "'\\''";
    } else {
      quoted += c;
    }
  }
  return quoted + "'";
}

/// Runs `binary args...` with TALVIREX_HOME = `home`, standard input from `input` (a file path,
/// empty for /dev/null).
inline CommandResult RunCommand(const std::string& binary, const std::vector<std::string>& args,
                                const std::filesystem::path& home, const std::string& input = {}) {
  TempDir capture;
  std::string line = "TALVIREX_HOME=" + ShellQuoted(home.string()) + " " + ShellQuoted(binary);
  for (const auto& arg : args) line += " " + ShellQuoted(arg);
  line += " <" + (input.empty() ? std::string("/dev/null") : ShellQuoted(input));
  line += " >" + ShellQuoted((capture / "out").string()) + " 2>" +
          ShellQuoted((capture / "err").string());
  const int raw = std::system(line.c_str());
  CommandResult result;
  result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  result.out = ReadBytes(capture / "out");
  result.err = ReadBytes(capture / "err");
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
