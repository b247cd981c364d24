// `talvirex scanner` beyond the exchanges the read, send and restore tests run against it: its
// --link name and a Ctrl+C at once, and the options it refuses.

#include <gtest/gtest.h>
#include <signal.h>

#include <filesystem>

#include "support/background_process.h"
#include "support/run_command.h"
#include "support/temp_dir.h"

namespace talvirex {
namespace {

using testing::RunCommand;
using testing::TempDir;
using testing::WriteBytes;

TEST(ScannerCommand, TheLinkNamesTheDeviceAndCtrlCAtOnceRemovesIt) {
  TempDir dir;
  const auto link = dir / "ttyScanner";
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

TEST(ScannerCommand, RefusesUnfitOptionsAndImages) {
  TempDir dir;
  WriteBytes(dir / "short.img", "CLN 0000 00000000000000000000000000000000~07DD\r\n");
  const struct {
    std::vector<std::string> args;
    int status;
    const char* message;
  } cases[] = {
      {{}, 1, "need --role master or --role slave"},
      {{"--role", "master", "--refuse", "3"}, 1, "--refuse is for --role slave"},
      {{"--role", "slave", "--corrupt", "3"}, 1, "--corrupt is for --role master"},
      {{"--role", "slave", "--refuse", "3,,4"}, 1, "--refuse takes line numbers 1..253"},
      {{"--role", "slave", "--chunk", "0"}, 1, "--chunk takes a number 1..4096"},
      {{"--role", "master", "--image", (dir / "none.img").string()}, 2, "none.img"},
      {{"--role", "master", "--image", (dir / "short.img").string()}, 2,
       "is not a clone image: The file holds 1 line;"},
  };
  for (const auto& c : cases) {
    std::vector<std::string> args = {"scanner"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const auto result = RunCommand(TALVIREX_BINARY, args, dir.path());
    EXPECT_EQ(result.status, c.status) << result.err;
    EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
    EXPECT_EQ(result.out, "");  // no device is made for a command that cannot run
  }
}

}  // namespace
}  // namespace talvirex
