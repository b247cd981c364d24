#include <gtest/gtest.h>

#include "files/channel_file.h"
#include "support/run_command.h"
#include "support/temp_dir.h"
#include "workspace.h"

namespace talvirex {
namespace {

using testing::ReadBytes;
using testing::RunCommand;
using testing::TempDir;
using testing::WriteBytes;

class NormalizeCommand : public ::testing::Test {
 protected:
  testing::CommandResult Run(const std::vector<std::string>& args) {
    return RunCommand(TALVIREX_BINARY, args, home.path());
  }
  static std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    for (std::size_t pos = 0, end; pos < text.size(); pos = end + 2) {
      end = text.find("\r\n", pos);
      lines.push_back(text.substr(pos, end - pos));
    }
    return lines;
  }

  TempDir home;
  TempDir work;
};

TEST_F(NormalizeCommand, CorrectsFrequenciesTagsAndSwitches) {
  Workspace ws;
  const std::vector<std::pair<int, std::array<const char*, 7>>> rows = {
      {1, {"145.1234", "A very long tag", "On", "x", "12", "1", "0"}},
      {2, {"80", "Clamped", "1", "1", "0", "1", "1"}},
      {4, {"Empty", " ", "On", "", "", "", ""}},
      {21, {"1500", "Bank2", "1", "0", "0", "0", "0"}},
  };
  for (const auto& [n, fields] : rows) {
    for (int f = 1; f <= 7; ++f) ws.table.At((n - 1) / 20, (n - 1) % 20 + 1, f) = fields[f - 1];
  }
  ws.priority[1] = 22;
  WriteBytes(work / "in.s2c", ChannelFileBytes(ws));
  const auto result =
      Run({"normalize", (work / "in.s2c").string(), "-o", (work / "out.s2c").string()});
  ASSERT_EQ(result.status, 0) << result.err;
  const auto lines = Lines(ReadBytes(work / "out.s2c"));
  ASSERT_EQ(lines.size(), 249u);
  EXPECT_EQ(lines[1], R"(1," 145.12","A very lon","0","0","12","1","0")");
  // Bank 1 goes through the grid as Open and Save do: a subtone of 0 is shown and kept as "None",
  // and empty rows come back blank.
  EXPECT_EQ(lines[2], R"(2,"54","Clamped","1","1","None","1","1")");
  EXPECT_EQ(lines[4], R"(4,"000.0000","","","","","","")");
  EXPECT_EQ(lines[21], R"(21,"956","Bank2","1","0","0","0","0")");
  EXPECT_EQ(lines[217], "PRCH1 22");
}

TEST_F(NormalizeCommand, ReportsFileProblemsWithStatusTwo) {
  const auto o = (work / "o.s2c").string();
  // A file too large to be a channel file is refused before it is read.
  WriteBytes(work / "huge.s2c", "TALVIREX MEM V0.91\r\n");
  std::filesystem::resize_file(work / "huge.s2c", 100u << 20);  // sparse: no time spent writing
  const auto huge = Run({"normalize", (work / "huge.s2c").string(), "-o", o});
  EXPECT_EQ(huge.status, 2);
  EXPECT_EQ(huge.err, "Not a valid file! Line:  /  /  Error: 7\n");
  EXPECT_FALSE(std::filesystem::exists(o));

  WriteBytes(work / "ok.s2c", ChannelFileBytes(Workspace{}));
  const auto unwritable =
      Run({"normalize", (work / "ok.s2c").string(), "-o", (work / "no/dir/o.s2c").string()});
  EXPECT_EQ(unwritable.status, 2);
  EXPECT_NE(unwritable.err.find("no/dir/o.s2c"), std::string::npos);
}

TEST_F(NormalizeCommand, UsageErrorsAndHelp) {
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"normalize"}, {"normalize", "a.s2c"}, {"normalize", "a.s2c", "-o"},
        {"normalize", "a.s2c", "--bogus", "-o", "b"}, {"frobnicate"}}) {
    EXPECT_EQ(Run(args).status, 1) << ::testing::PrintToString(args);
  }
  const auto help = Run({"normalize", "--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_EQ(help.out.rfind("usage: talvirex normalize IN.s2c -o OUT.s2c", 0), 0u);
  const auto all = Run({"--help"});
  EXPECT_EQ(all.status, 0);
  EXPECT_NE(all.out.find("normalize"), std::string::npos);
  EXPECT_EQ(Run({"--version"}).out.rfind("talvirex ", 0), 0u);
}

}  // namespace
}  // namespace talvirex
