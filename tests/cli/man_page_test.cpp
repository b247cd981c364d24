// SPDX-License-Identifier: GPL-3.0-or-later
// The manual page against the program itself: every subcommand `talvirex --help` lists has its
// subsection naming each option of its usage, its version is the program's, it names every file
// the program keeps, and man's formatter reads it without a warning.

#include <gtest/gtest.h>

#include <cstdlib>
#include <regex>
#include <sstream>

#include "support/run_command.h"
#include "support/temp_dir.h"

namespace talvirex::testing {
namespace {

class ManPage : public ::testing::Test {
 protected:
  CommandResult Run(const std::vector<std::string>& args) {
    return RunCommand(TALVIREX_BINARY, args, home_.path());
  }
  // The text under the heading that starts with `title` (".SS"/".SH"), up to the next heading;
  // "\-" reads as a dash.
  std::string Section(const std::string& title) const {
    const std::string plain = std::regex_replace(roff_, std::regex(R"(\\-)"), "-");
    const std::regex heading("\n\\.S[SH] \"?" + title + "[ \"\n]");
    std::smatch found;
    if (!std::regex_search(plain, found, heading)) return {};
    const std::size_t start = found.position(0) + 1;
    const std::size_t end = std::min(plain.find("\n.SS ", start), plain.find("\n.SH ", start));
    return plain.substr(start, end - start);
  }

  TempDir home_;
  std::string roff_ = ReadBytes(TALVIREX_MAN_PAGE);
};

TEST_F(ManPage, DescribesEveryCommandAndEachOfItsOptions) {
  const std::string help = Run({"--help"}).out;
  std::istringstream listing(help.substr(help.find("Commands:\n") + 10));
  int commands = 0;
  for (std::string line; std::getline(listing, line) && line.starts_with("  "); ++commands) {
    const std::string command = line.substr(2, line.find(' ', 2) - 2);
    SCOPED_TRACE(command);
    const auto usage = Run({command, "--help"});
    EXPECT_EQ(usage.status, 0);
    EXPECT_TRUE(usage.out.starts_with("usage: talvirex " + command)) << usage.out;
    const std::string section = Section(command);
    ASSERT_FALSE(section.empty());
    const std::string lines = usage.out.substr(0, usage.out.find("\n\n"));
    const std::regex option(R"((^|[\s\[|])(--?[a-z][a-z-]*))");
    for (std::sregex_iterator it(lines.begin(), lines.end(), option), end; it != end; ++it) {
      EXPECT_NE(section.find((*it)[2]), std::string::npos) << (*it)[2];
    }
  }
  EXPECT_GE(commands, 10) << help;
}

TEST_F(ManPage, NamesTheProgramsVersionAndEveryFileItKeeps) {
  const std::string version = Run({"--version"}).out;  // "talvirex 0.1.0"
  EXPECT_NE(roff_.find('"' + version.substr(0, version.find('\n')) + '"'), std::string::npos);
  const std::string files = Section("FILES");
  for (const char* name : {"setup.ini", "defdata.ini", "names.dat", "window.dat", "tabw200.ini",
                           "registry.ini", "lastused.sav", "lastfile.ini", "backup/", "traces/"}) {
    EXPECT_NE(files.find(name), std::string::npos) << name;
  }
}

TEST_F(ManPage, FormatsWithoutWarnings) {
  const auto groff =
      RunCommand("groff", {"-man", "-Tutf8", "-P-cbou", "-ww", TALVIREX_MAN_PAGE}, home_.path());
  EXPECT_EQ(groff.status, 0);
  EXPECT_EQ(groff.err, "");
  EXPECT_NE(groff.out.find("talvirex read"), std::string::npos);
}

}  // namespace
}  // namespace talvirex::testing
