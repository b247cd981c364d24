// The manual page against the program itself: every subcommand `talvirex --help` lists has its
// subsection naming each option of its usage, its version is the program's, and man's formatter
// reads it without a warning.

#include <gtest/gtest.h>

#include <cstdlib>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "support/run_command.h"
#include "support/temp_dir.h"

namespace talvirex {
namespace {

using testing::ReadBytes;
using testing::RunCommand;
using testing::ShellQuoted;
using testing::TempDir;

// The roff source as a reader sees it: "\-" is a dash, font changes vanish.
std::string PlainRoff(const std::string& roff) {
  std::string plain = std::regex_replace(roff, std::regex(R"(\\-)"), "-");
  return std::regex_replace(plain, std::regex(R"(\\f[BIRP])"), "");
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// The command names of `talvirex --help`: the first word of each indented line under "Commands:".
std::vector<std::string> ListedCommands(const std::string& help) {
  std::vector<std::string> names;
  bool in_list = false;
  for (const auto& line : Lines(help)) {
    if (line == "Commands:") {
      in_list = true;
    } else if (in_list && line.rfind("  ", 0) == 0) {
      names.push_back(line.substr(2, line.find(' ', 2) - 2));
    } else if (in_list) {
      break;
    }
  }
  return names;
}

// Every option ("-o", "--image-out") in the usage lines of a command's --help: the lines up to
// the first blank one.
std::set<std::string> UsageOptions(const std::string& command_help) {
  std::string usage = command_help.substr(0, command_help.find("\n\n"));
  std::set<std::string> options;
  const std::regex option(R"((^|[\s\[|])(--?[a-z][a-z-]*))");
  for (std::sregex_iterator it(usage.begin(), usage.end(), option), end; it != end; ++it) {
    options.insert((*it)[2]);
  }
  return options;
}

// The text of the man page's subsection whose heading starts with `command`, up to the next
// heading; empty when there is none.
std::string Subsection(const std::string& plain_roff, const std::string& command) {
  std::string text;
  bool inside = false;
  for (const auto& line : Lines(plain_roff)) {
    if (line.rfind(".SS ", 0) == 0 || line.rfind(".SH ", 0) == 0) {
      const std::string heading = line.substr(4);
      const std::string unquoted = heading.front() == '"' ? heading.substr(1) : heading;
      if (inside) break;
      inside = unquoted.rfind(command + " ", 0) == 0 || unquoted == command;
    }
    if (inside) text += line + '\n';
  }
  return text;
}

class ManPage : public ::testing::Test {
 protected:
  testing::CommandResult Run(const std::vector<std::string>& args) {
    return RunCommand(TALVIREX_BINARY, args, home_.path());
  }
  TempDir home_;
  std::string roff_ = ReadBytes(TALVIREX_MAN_PAGE);
};

TEST_F(ManPage, DescribesEveryCommandAndEachOfItsOptions) {
  ASSERT_FALSE(roff_.empty()) << TALVIREX_MAN_PAGE;
  const std::string plain = PlainRoff(roff_);
  const auto listed = Run({"--help"});
  ASSERT_EQ(listed.status, 0);
  const auto commands = ListedCommands(listed.out);
  ASSERT_GE(commands.size(), 10u) << listed.out;

  for (const auto& command : commands) {
    SCOPED_TRACE(command);
    const auto help = Run({command, "--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("usage: talvirex " + command, 0), 0u) << help.out;
    const std::string section = Subsection(plain, command);
    ASSERT_FALSE(section.empty()) << "no subsection for " << command;
    for (const auto& option : UsageOptions(help.out)) {
      EXPECT_NE(section.find(option), std::string::npos) << option << " of " << command;
    }
  }
}

TEST_F(ManPage, HasTheUsualSectionsAndTheProgramsVersion) {
  for (const char* section : {"NAME", "SYNOPSIS", "DESCRIPTION", "COMMANDS", "EXIT STATUS",
                              "FILES", "ENVIRONMENT", "EXAMPLES", "SEE ALSO"}) {
    EXPECT_TRUE(std::regex_search(roff_, std::regex("\n\\.SH \"?" + std::string(section) + "\"?\n")))
        << section;
  }
  const auto version = Run({"--version"});
  ASSERT_EQ(version.status, 0);
  const std::string program = version.out.substr(0, version.out.find('\n'));  // "talvirex 0.1.0"
  EXPECT_NE(roff_.find('"' + program + '"'), std::string::npos) << program;
  // Every file the program keeps in its folder is named under FILES.
  const std::string files = Subsection(PlainRoff(roff_), "FILES");
  for (const char* name : {"setup.ini", "defdata.ini", "names.dat", "window.dat", "tabw200.ini",
                           "registry.ini", "lastused.sav", "lastfile.ini", "backup/", "traces/"}) {
    EXPECT_NE(files.find(name), std::string::npos) << name;
  }
}

TEST_F(ManPage, FormatsWithoutWarnings) {
  if (std::system("command -v groff >/dev/null 2>&1") != 0) GTEST_SKIP() << "groff is not installed";
  TempDir out;
  const std::string line = "groff -man -Tutf8 -P-cbou -ww " + ShellQuoted(TALVIREX_MAN_PAGE) + " >" +
                           ShellQuoted((out / "page").string()) + " 2>" +
                           ShellQuoted((out / "warnings").string());
  EXPECT_EQ(std::system(line.c_str()), 0);
  EXPECT_EQ(ReadBytes(out / "warnings"), "");
  // The formatted page still holds the commands' names and an example of a backup.
  const std::string page = ReadBytes(out / "page");
  EXPECT_NE(page.find("talvirex read"), std::string::npos);
  EXPECT_NE(page.find("EXIT STATUS"), std::string::npos);
}

}  // namespace
}  // namespace talvirex
