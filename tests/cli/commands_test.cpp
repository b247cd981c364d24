// SPDX-License-Identifier: GPL-3.0-or-later
// The subcommands run as the real binary on real files, as the transcripts in tests/data/cli write
// them down: each feeds the core its files and writes the core's result, so the outputs are golden
// files and the formats' own rules the core's tests. And `talvirex scanner`: its --link name and a
// Ctrl+C at once.

#include <gtest/gtest.h>
#include <signal.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>

#include "support/background_process.h"
#include "support/golden.h"
#include "support/run_command.h"
#include "support/temp_dir.h"

namespace talvirex::testing {
namespace {

namespace fs = std::filesystem;

// The transcript's line with {data} and {out} put in.
std::string Placed(std::string line, const fs::path& out) {
  for (const auto& [name, path] :
       {std::pair<std::string, std::string>{"{data}", TALVIREX_TEST_DATA},
        {"{out}", out.string()}}) {
    for (auto at = line.find(name); at != std::string::npos; at = line.find(name)) {
      line.replace(at, name.size(), path);
    }
  }
  return line;
}

// Checks one run against what the transcript says of it, once the next run or the end comes.
struct Step {
  std::string command;
  CommandResult result;
  int status = 0;
  std::optional<std::string> out;  // as a whole; unset: nothing
  bool out_checked = false;

  void Check() const {
    SCOPED_TRACE(command);
    EXPECT_EQ(result.status, status) << result.err;
    if (!out_checked) {
      EXPECT_EQ(result.out, out.value_or(""));
    }
  }
};

class Transcript : public ::testing::TestWithParam<std::string> {};

TEST_P(Transcript, RunsAsWritten) {
  const fs::path path = fs::path(TALVIREX_TEST_DATA) / "cli" / (GetParam() + ".txt");
  std::ifstream in(path);
  ASSERT_TRUE(in) << path;
  TempDir home, out;
  std::optional<Step> run;
  std::string input;
  int number = 0;
  for (std::string line; std::getline(in, line);) {
    ++number;
    if (line.empty() || line[0] == '#' || line.starts_with("== ")) continue;
    SCOPED_TRACE(path.filename().string() + ":" + std::to_string(number));
    std::istringstream words(Placed(line, out.path()));
    std::string verb, target;
    words >> verb;
    std::string rest;
    std::getline(words >> std::ws, rest);
    const std::string text = Unescaped(rest);
    if (verb == "$") {
      if (run) run->Check();
      std::vector<std::string> args;
      for (std::istringstream split(rest); split >> target;) args.push_back(target);
      run.emplace();
      run->command = rest;
      run->result = RunCommand(TALVIREX_BINARY, args, home.path(), std::exchange(input, {}));
    } else if (verb == "<") {
      input = rest;
    } else if (verb == "write" || verb == "readonly") {
      target = rest.substr(0, rest.find(" = "));
      WriteBytes(target, Unescaped(rest.substr(rest.find(" = ") + 3)));
      using fs::perms;
      if (verb == "readonly")
        fs::permissions(target, perms::owner_read | perms::group_read | perms::others_read);
    } else if (verb == "sparse") {
      std::istringstream(rest) >> target >> number;
      WriteBytes(target, "TALVIREX MEM V0.91\r\n");
      fs::resize_file(target, static_cast<std::uintmax_t>(number) << 20);
    } else if (verb == "nofile") {
      EXPECT_FALSE(fs::exists(rest)) << rest;
    } else if (!run) {
      FAIL() << "a check before the first run: " << line;
    } else if (verb == "?") {
      run->status = std::stoi(rest);
    } else if (verb == ">") {
      ExpectGolden(rest, run->result.out);
      run->out_checked = true;
    } else if (verb == ">=") {
      run->out = text;
    } else if (verb == ">~") {
      EXPECT_NE(run->result.out.find(text), std::string::npos) << text << "\n" << run->result.out;
      run->out_checked = true;
    } else if (verb == "!") {
      EXPECT_NE(run->result.err.find(text), std::string::npos) << text << "\n" << run->result.err;
    } else if (verb == "!not") {
      EXPECT_EQ(run->result.err.find(text), std::string::npos) << text << "\n" << run->result.err;
    } else if (verb == "!none") {
      EXPECT_EQ(run->result.err, "");
    } else if (verb == "file" && rest.find(" = ") != std::string::npos) {
      target = rest.substr(0, rest.find(" = "));
      EXPECT_EQ(ReadBytes(target), Unescaped(rest.substr(rest.find(" = ") + 3))) << target;
    } else if (verb == "file") {
      std::istringstream(rest) >> target >> verb >> rest;
      ExpectGolden(rest, ReadBytes(target));
    } else {
      FAIL() << "unknown line: " << line;
    }
  }
  if (run) run->Check();
}

INSTANTIATE_TEST_SUITE_P(Cli, Transcript, ::testing::Values("commands"));

TEST(ScannerCommand, TheLinkNamesTheDeviceAndCtrlCAtOnceRemovesIt) {
  TempDir dir;
  const auto link = dir / "ttyScanner";
  std::filesystem::create_symlink("/dev/null", link);  // an old link is replaced
  testing::BackgroundProcess scanner(
      TALVIREX_BINARY, {"scanner", "--role", "slave", "--link", link.string(), "--timeout", "5000"},
      dir.path(), dir / "scanner.err", true);
  ASSERT_TRUE(scanner.first_line().starts_with("/dev/")) << scanner.first_line();
  EXPECT_EQ(std::filesystem::read_symlink(link), scanner.first_line());
  // Ctrl+C is held from the start: no exchange needs to have begun.
  scanner.Signal(SIGINT);
  EXPECT_EQ(scanner.Wait(), 130) << scanner.err();
  EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(link)));
}

}  // namespace
}  // namespace talvirex::testing
