// The runner on a real pseudo-terminal. Whole exchanges through it, with every fault, are the
// read, send and restore command tests against `talvirex scanner`.

#include "scanner/pty_runner.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "scanner/clone_lines.h"
#include "support/raw_client.h"
#include "support/running_scanner.h"
#include "support/temp_dir.h"

namespace talvirex::scanner {
namespace {

using talvirex::testing::RawClient;
using talvirex::testing::RunningScanner;

// Short timers: a lost answer is asked again after 300 ms.
RunningScanner Scanner(Role role, Faults faults) {
  return RunningScanner(role, std::move(faults), DefaultImageLines(),
                        {.mdl_repeat_ms = 100, .answer_timeout_ms = 300});
}

TEST(PtyRunnerTest, SlaveRefusesThenDropsTheLink) {
  Faults faults;
  faults.refuse_once = {2};
  faults.disconnect_after = 3;
  faults.delay_ms = 5;
  auto scanner = Scanner(Role::kSlave, faults);
  RawClient client(scanner.device().path());
  scanner.Start();
  client.Send("MDL");
  EXPECT_EQ(client.Receive(), "SC200SPOR");
  const auto lines = DefaultImageLines();
  const std::pair<int, const char*> steps[] = {{1, "OK"}, {2, "NG"}, {2, "OK"}, {3, "OK"}};
  for (const auto& [line, answer] : steps) {
    client.Send(lines[static_cast<std::size_t>(line - 1)]);
    EXPECT_EQ(client.Receive(), answer) << line;
  }
  EXPECT_EQ(scanner.Wait(), RunEnd::kFinished);
  EXPECT_EQ(scanner.session().outcome(), Outcome::kDisconnected);
  client.Send(lines[3]);
  EXPECT_EQ(client.Receive(500), std::nullopt);
  EXPECT_TRUE(client.hung_up());
}

TEST(PtyRunnerTest, IdleLinkTimesOut) {
  auto scanner = Scanner(Role::kSlave, {});
  scanner.Start(100);
  EXPECT_EQ(scanner.Wait(), RunEnd::kIdleTimeout);
}

TEST(PtyRunnerTest, LinkPointsAtTheDeviceWhileItLives) {
  talvirex::testing::TempDir dir;
  const auto link = dir / "scanner";
  std::string path;
  {
    std::string error;
    auto device = PtyDevice::Create(error);
    ASSERT_NE(device, nullptr) << error;
    path = device->path();
    ASSERT_TRUE(device->MakeLink(link.string(), error)) << error;
    EXPECT_EQ(std::filesystem::read_symlink(link), path);
    ASSERT_TRUE(device->MakeLink(link.string(), error)) << error;  // an old link is replaced
    RawClient client(link.string());
    EXPECT_TRUE(client.is_open());

    talvirex::testing::WriteBytes(dir / "file", "keep");
    EXPECT_FALSE(device->MakeLink((dir / "file").string(), error));
    EXPECT_EQ(talvirex::testing::ReadBytes(dir / "file"), "keep");
  }
  EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(link)));
}

}  // namespace
}  // namespace talvirex::scanner
