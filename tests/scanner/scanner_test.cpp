// The virtual scanner's side of clone mode fed bytes and time, its clone line checks, and its
// runner on a real pseudo-terminal. Whole exchanges through the runner, with every fault, are the
// read, send and restore command tests against `talvirex scanner`.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "scanner/clone_lines.h"
#include "scanner/pty_runner.h"
#include "scanner/scanner_session.h"
#include "support/raw_client.h"
#include "support/running_scanner.h"
#include "support/temp_dir.h"

namespace talvirex::scanner {
namespace {

const std::vector<std::string> kImage = DefaultImageLines();

// A session and what it wrote, split into CR-ended messages (the CRs removed) as the program
// reads them.
struct Exchange {
  Exchange(Role role, Faults faults = {}, Timing timing = {})
      : session(role, faults, kImage, timing) {
    Take(session.Start(0));
  }
  void Take(const Effects& effects) {
    for (const auto& bytes : effects.writes) {
      pieces.push_back(bytes);
      buffer += bytes;
    }
    for (std::size_t end; (end = buffer.find('\r')) != std::string::npos;
         buffer.erase(0, end + 1)) {
      messages.push_back(buffer.substr(0, end));
    }
  }
  // Feeds `message` and its CR in pieces of `piece` bytes; returns the last message written.
  std::string Feed(const std::string& message, Millis now = 0, std::size_t piece = 1000) {
    const std::string bytes = message + '\r';
    for (std::size_t at = 0; at < bytes.size(); at += piece) {
      Take(session.OnBytes(std::string_view(bytes).substr(at, piece), now));
    }
    return messages.empty() ? "" : messages.back();
  }
  std::string Line(int n) const { return kImage[static_cast<std::size_t>(n - 1)]; }

  ScannerSession session;
  std::vector<std::string> pieces, messages;
  std::string buffer;
};

TEST(SlaveSessionTest, FullExchangeInAwkwardPieces) {
  Exchange run(Role::kSlave);
  EXPECT_TRUE(run.messages.empty());
  // Two messages and the start of a third in one read: both are answered.
  run.Take(run.session.OnBytes("MDL\r" + run.Line(1) + "\r" + run.Line(2).substr(0, 10), 0));
  EXPECT_EQ(run.messages, (std::vector<std::string>{"SC200SPOR", "OK"}));
  run.Take(run.session.OnBytes(run.Line(2).substr(10) + "\r", 1));
  for (int n = 3; n <= 253; ++n) ASSERT_EQ(run.Feed(run.Line(n), n, 1 + n % 17), "OK") << n;
  EXPECT_EQ(run.session.outcome(), Outcome::kRunning);
  run.Feed("END", 300, 2);
  EXPECT_EQ(run.session.outcome(), Outcome::kComplete);
  EXPECT_EQ(run.messages.size(), 254u);  // "END" is not answered
  EXPECT_EQ(run.session.received(), kImage);
  EXPECT_EQ(run.session.counters().lines_done, 253);
}

TEST(SlaveSessionTest, RefusesUnsoundLinesAndListedOnesAndStoresNeither) {
  // The kinds of fault are the line check's own test; one of each reaches the session here. The
  // line just stored, again, is a repeat whose "OK" was lost: acknowledged, stored once.
  std::string bad_sum = kImage[1];
  bad_sum[45] = 'F';
  for (const auto& [line, answer] :
       std::vector<std::pair<std::string, std::string>>{{kImage[1].substr(0, 45), "NG"},
                                                        {bad_sum, "NG"},
                                                        {kImage[2], "NG"},
                                                        {kImage[0], "OK"}}) {
    Exchange run(Role::kSlave);
    run.Feed("MDL");
    run.Feed(run.Line(1));
    EXPECT_EQ(run.Feed(line), answer) << line;
    EXPECT_EQ(run.Feed(run.Line(2)), "OK");
    EXPECT_EQ(run.session.received(), (std::vector<std::string>{kImage[0], kImage[1]}));
    EXPECT_EQ(run.session.counters().refused, answer == "NG" ? 1 : 0);
  }
  Faults faults;
  faults.refuse_once = {1, 3};
  faults.refuse_always = {4};
  Exchange run(Role::kSlave, faults);
  run.Feed("MDL");
  std::string answers;
  for (const int n : {1, 1, 2, 3, 3, 4, 4, 4}) answers += run.Feed(run.Line(n)) + " ";
  EXPECT_EQ(answers, "NG OK OK NG OK NG NG NG ");
  EXPECT_EQ(run.session.received().size(), 3u);
  EXPECT_EQ(run.session.counters().refused, 5);
}

TEST(SlaveSessionTest, AModelRequestStartsOverAndEndBeforeAllLinesFails) {
  Exchange run(Role::kSlave);
  run.Feed("MDL");
  for (int n = 1; n <= 5; ++n) run.Feed(run.Line(n));
  EXPECT_EQ(run.Feed("MDL"), "SC200SPOR");
  EXPECT_TRUE(run.session.received().empty());
  for (int n = 1; n <= 100; ++n) run.Feed(run.Line(n));
  run.Feed("END");
  EXPECT_EQ(run.session.outcome(), Outcome::kFailed);
  EXPECT_EQ(run.session.failure(), "\"END\" arrived after 100 of 253 lines");
}

// At 9600 baud a character takes 11 bit times, 1.146 ms: "MDL" and its CR are through after
// 4.6 ms, and the 10-character answer leaves one character at a time over the next 11.5 ms.
TEST(SlaveSessionTest, WirePacingGivesEveryCharacterItsTimeOnTheLine) {
  Exchange run(Role::kSlave, {}, {.wire_baud = 9600});
  run.Take(run.session.OnBytes("MDL\r", 0));
  EXPECT_EQ(run.session.NextDeadline(), 5);
  run.Take(run.session.OnTick(4));
  EXPECT_TRUE(run.pieces.empty());
  run.Take(run.session.OnTick(15));
  EXPECT_EQ(run.pieces.size(), 9u);  // "SC200SPOR", the CR still on its way
  EXPECT_TRUE(run.messages.empty());
  run.Take(run.session.OnTick(16));
  EXPECT_EQ(run.messages, std::vector<std::string>{"SC200SPOR"});
}

TEST(MasterSessionTest, ARefusedOrUnansweredLineGoesAgainUpToTheLimit) {
  Exchange refused(Role::kMaster);
  refused.Feed("SC200SPOR");
  refused.Feed("OK");
  refused.Feed("NG");
  refused.Feed("garbage");  // neither answer: ignored
  EXPECT_EQ(refused.messages, (std::vector<std::string>{"MDL", kImage[0], kImage[1], kImage[1]}));
  EXPECT_EQ(refused.Feed("OK"), kImage[2]);
  for (int i = 1; i < kMaxAttempts; ++i) refused.Feed("NG");
  EXPECT_EQ(refused.session.outcome(), Outcome::kRunning);
  refused.Feed("NG");
  EXPECT_EQ(refused.session.outcome(), Outcome::kFailed);
  EXPECT_EQ(refused.session.failure(), "line 3 was refused 15 times");
  EXPECT_EQ(refused.messages.size(), 4u + kMaxAttempts);

  Exchange silent(Role::kMaster, {}, {.mdl_repeat_ms = 0, .answer_timeout_ms = 5000});
  silent.Feed("SC200SPOR", 100);
  EXPECT_EQ(silent.session.NextDeadline(), 5100);
  silent.Take(silent.session.OnTick(5099));
  EXPECT_EQ(silent.messages.size(), 2u);
  silent.Take(silent.session.OnTick(5100));
  EXPECT_EQ(silent.messages.back(), kImage[0]);
  EXPECT_EQ(silent.session.counters().resent_on_timeout, 1);
  for (Millis t = 10100; silent.session.outcome() == Outcome::kRunning; t += 5000) {
    silent.Take(silent.session.OnTick(t));
  }
  EXPECT_EQ(silent.session.failure(), "line 1 got no answer");
  EXPECT_EQ(silent.messages.size(), 1u + kMaxAttempts);
}

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
