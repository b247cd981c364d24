// `talvirex import` and `talvirex csv --layout list`: a list from another tool into a channel file
// and back out, with what did not come across on standard error.

#include <gtest/gtest.h>

#include "support/run_command.h"
#include "support/temp_dir.h"

namespace talvirex {
namespace {

using testing::ReadBytes;
using testing::RunCommand;
using testing::TempDir;
using testing::WriteBytes;

const std::string kLists = std::string(TALVIREX_TEST_DATA) + "/lists/";

TEST(ChannelListCli, ImportsIntoAFileFromAChannelAndExportsTheListAgain) {
  TempDir home;
  const auto into = home / "into.s2c";
  WriteBytes(home / "one.csv", "Frequency,Name\n155.34,Kept\n");
  ASSERT_EQ(RunCommand(TALVIREX_BINARY, {"import", (home / "one.csv").string(), "-o", into.string()},
                       home.path()).status, 0);
  const auto out = home / "out.s2c";
  const auto result = RunCommand(TALVIREX_BINARY,
                                 {"import", kLists + "tool_writer.csv", "--into", into.string(),
                                  "--from", "195", "-o", out.string()},
                                 home.path());
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_NE(result.err.find("line 10: skipped: 80.000000 MHz is outside the scanner's bands"),
            std::string::npos) << result.err;
  EXPECT_NE(result.err.find("Imported 6 channels: 195 to 200"), std::string::npos) << result.err;
  EXPECT_NE(result.err.find("4 rows found no room after channel 200"), std::string::npos);

  const auto list = RunCommand(TALVIREX_BINARY, {"csv", out.string(), "--all", "--layout", "list"},
                               home.path());
  EXPECT_EQ(list.status, 0) << list.err;
  EXPECT_NE(list.out.find("\r\n1,Kept,155.340000,"), std::string::npos) << list.out;
  EXPECT_NE(list.out.find("\r\n195,W1AW,146.940000,,0.000000,TSQL,100.0,100.0,"),
            std::string::npos) << list.out;
  EXPECT_NE(list.out.find("\r\n196,Tower,118.300000,,0.000000,,88.5,88.5,023,NN,AM,12.50,S,"),
            std::string::npos) << list.out;
}

TEST(ChannelListCli, RefusesWhatIsNoListAndBadArguments) {
  TempDir home;
  const struct {
    std::vector<std::string> args;
    int status;
    const char* message;
  } cases[] = {
      {{"import", kLists + "semicolons.csv", "-o", (home / "x.s2c").string()}, 2,
       "it has no Frequency column"},
      {{"import", (home / "none.csv").string(), "-o", (home / "x.s2c").string()}, 2,
       "The channel list could not be read"},
      {{"import", kLists + "tool_writer.csv"}, 1, "need -o OUT.s2c"},
      {{"import", kLists + "tool_writer.csv", "--from", "201", "-o", "x"}, 1, "--from takes"},
      {{"csv", kLists + "x.s2c", "--layout", "other"}, 1, "--layout takes table or list"},
  };
  for (const auto& c : cases) {
    const auto result = RunCommand(TALVIREX_BINARY, c.args, home.path());
    EXPECT_EQ(result.status, c.status) << result.err;
    EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
  }
  EXPECT_FALSE(std::filesystem::exists(home / "x.s2c"));
}

}  // namespace
}  // namespace talvirex
